#include "data/catalogue.h"

namespace qz::data {

void declare_spa_tables(Catalogue&) {}

}  // namespace qz::data
