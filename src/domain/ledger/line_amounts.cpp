#include "domain/ledger/line_amounts.h"

namespace qz::domain {

LineAmounts line_amounts(const Decimal& quantity, const Decimal& price, const Decimal& discount_pct,
                         const Decimal& tax_pct) {
    LineAmounts a;
    a.gross = (quantity * price).round(2);
    a.discount = (price * discount_pct / 100 * quantity).round(2);
    a.tax = (price * quantity * tax_pct / 100 * (Decimal(100) - discount_pct) / 100).round(2);
    return a;
}

}  // namespace qz::domain
