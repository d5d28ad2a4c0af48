#include "data/catalogue.h"

namespace qz::data {

void declare_ledger_tables(Catalogue&) {}

}  // namespace qz::data
