#pragma once
// The arithmetic of a sale line: how a list price becomes the unit price proposed to the
// cashier, and what a line comes to. Every reader of sale lines (the point of sale, the spa
// reservation, the save) computes them here so that screen and documents agree to the cent.
#include "core/decimal.h"

namespace qz::domain::pos {

// Decimals a unit price is kept with: those of the lines' PRECIO.
inline constexpr int kPricePlaces = 4;

// What one line comes to, each figure rounded to 2 decimals on its own.
struct LineFigures {
    Decimal subtotal;  // quantity × price
    Decimal discount;  // of the subtotal
    Decimal tax;       // on the discounted subtotal
    Decimal total;     // PRECIO_TOT: subtotal plus tax less discount, rounded once
};
LineFigures line_figures(const Decimal& quantity, const Decimal& price, const Decimal& tax_pct,
                         const Decimal& discount_pct);

// TIPO_ROUND: 0 leaves the price alone, 1 rounds it to whole units, 2 takes the next unit only
// when the fraction is above one half (a price of exactly n.50 goes down to n).
Decimal round_proposed_price(const Decimal& price, int rounding);

// price − price × pct / 100.
Decimal percent_off(const Decimal& price, const Decimal& pct);

// How a list price (in the list's currency) becomes the proposed unit price before tax.
struct PriceRules {
    Decimal rate = Decimal(1);  // list currency → sale currency
    Decimal reduction;          // percent taken off every list price (discounts dialog)
    int rounding = 0;           // TIPO_ROUND
    bool tax_included = false;  // the list price includes the article's tax
};
Decimal propose_unit_price(const Decimal& list_price, const Decimal& tax_pct,
                           const PriceRules& rules);

// A quantity as the sale keeps it: to whole units when `whole` (ROUND_C).
Decimal sale_quantity(const Decimal& quantity, bool whole);

}  // namespace qz::domain::pos
