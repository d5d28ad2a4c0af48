#include "data/catalogue.h"

namespace qz::data {

void declare_customer_tables(Catalogue&) {}

}  // namespace qz::data
