#include "domain/pos/sale_figures.h"

namespace qz::domain::pos {

namespace {

const Decimal kHundred(100);

}  // namespace

LineFigures line_figures(const Decimal& q, const Decimal& p, const Decimal& t, const Decimal& d) {
    const Decimal gross = q * p;
    return {ROUND5(gross), ROUND5(gross * d / kHundred),
            ROUND5(gross * (kHundred - d) / kHundred * t / kHundred),
            ROUND5(gross * (kHundred + t) / kHundred * (kHundred - d) / kHundred)};
}

Decimal round_proposed_price(const Decimal& price, int rounding) {
    if (rounding == 1) return price.round(0);
    if (rounding == 2) {
        const Decimal whole = price.trunc(0);
        return price - whole > Decimal::parse("0.5") ? whole + 1 : whole;
    }
    return price;
}

Decimal percent_off(const Decimal& price, const Decimal& pct) {
    return price - price * pct / kHundred;
}

Decimal propose_unit_price(const Decimal& list_price, const Decimal& tax_pct,
                           const PriceRules& rules) {
    Decimal price = list_price * rules.rate * (kHundred - rules.reduction) / kHundred;
    price = round_proposed_price(price, rules.rounding);
    if (rules.tax_included && tax_pct != 0) price = price / ((kHundred + tax_pct) / kHundred);
    return price.round(kPricePlaces);
}

Decimal sale_quantity(const Decimal& quantity, bool whole) {
    return whole ? quantity.round(0) : quantity;
}

}  // namespace qz::domain::pos
