#include "data/catalogue.h"

namespace qz::data {

void declare_collection_tables(Catalogue&) {}

}  // namespace qz::data
