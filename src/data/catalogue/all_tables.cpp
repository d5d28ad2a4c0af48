#include "data/catalogue.h"

namespace qz::data {

void declare_all_tables(Catalogue& cat) {
    declare_session_tables(cat);
    declare_ledger_tables(cat);
    declare_customer_tables(cat);
    declare_pos_tables(cat);
    declare_cash_tables(cat);
    declare_spa_tables(cat);
    declare_collection_tables(cat);
}

}  // namespace qz::data
