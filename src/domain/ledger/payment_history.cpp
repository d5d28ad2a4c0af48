#include "domain/ledger/payment_history.h"

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/statement_tables.h"

namespace qz::domain {

std::vector<RecentPayment> last_payments(data::Db& db, const std::string& business,
                                         const std::string& customer, size_t limit) {
    std::vector<RecentPayment> out;
    UsedTable t(db, "ENC_MOVE", "ENC_MOV2");
    const std::string key = data::order_key("ENC_MOVE", "ENC_MOV2", {business, trim(customer)});
    t->SetScope(key, key);
    for (t->GoBottom(); !t->BOF() && !t->Eof() && out.size() < limit; t->Skip(-1))
        out.push_back({trim(t->str("MOVIMIENTO")), trim(t->str("MONEDA")), trim(t->str("DESCRIP")),
                       t->date("FECHA"), t->num("MONTO"), trim(t->str("ANULADO"))});
    return out;
}

}  // namespace qz::domain
