#pragma once
// "Últimos Abonos": a customer's latest payments, newest first, as the payment window lists them.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct RecentPayment {
    std::string number, currency, comment;
    Date date;
    Decimal amount;
    std::string annulled;  // ANULADO: the mirror of an annulled payment, or what a mirror annuls
};

// At most `limit` payments of `customer`, newest first (order ENC_MOV2 walked from its end).
std::vector<RecentPayment> last_payments(data::Db& db, const std::string& business,
                                         const std::string& customer, size_t limit = 10);

}  // namespace qz::domain
