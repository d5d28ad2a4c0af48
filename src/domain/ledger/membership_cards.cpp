#include "domain/ledger/membership_cards.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/serials.h"

namespace qz::domain {

std::string draw_membership_card(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    const std::string series =
        t->Seek(data::order_key("F_FAC", "F_FAC", {business})) ? trim(t->str("SER_CARNET")) : "";
    data::KILLTABLA(db, t);
    if (series.empty()) return "";
    const std::string number = GET_NXSERIAL(db, business, series);
    return is_no_serial(number) ? "" : trim(number);
}

}  // namespace qz::domain
