#pragma once
// The amounts of one article line of a document, as every reader of the lines computes them:
// the discount on the price, the tax on the discounted price, each rounded to 2 decimals.
#include "core/decimal.h"

namespace qz::domain {

struct LineAmounts {
    Decimal gross;     // CANTIDAD x PRECIO
    Decimal discount;  // PRECIO x DESCUENTO / 100 x CANTIDAD
    Decimal tax;       // PRECIO x CANTIDAD x IMPUESTO / 100 x (100 - DESCUENTO) / 100
    // What the line comes to: gross less discount plus tax.
    Decimal net() const { return gross - discount + tax; }
};

LineAmounts line_amounts(const Decimal& quantity, const Decimal& price, const Decimal& discount_pct,
                         const Decimal& tax_pct);

}  // namespace qz::domain
