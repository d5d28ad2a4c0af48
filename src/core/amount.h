#pragma once
// An amount, quantity or percentage as a screen shows and reads it. The field that stores the
// value fixes its picture and its bounds: "9,999" for a count of persons, "999,999,999.999" for
// a quantity, "99,999,999,999,999.99" for money. What a user types is read with or without
// thousands separators ("1,234.50" and "1234.5" are the same amount) and is refused, with a
// message naming the field, when the field cannot hold it exactly: below zero where amounts may
// not be negative, more whole digits or decimals than the field keeps, or above a tighter bound
// such as a percentage's 100. Refusing instead of rounding or cutting is deliberate: a capacity
// typed 2.7 must not become 2 behind the user's back, and a value wider than its field must not
// reach the database at all.
#include <optional>
#include <string>
#include <string_view>

#include "core/decimal.h"

namespace qz {

struct AmountField {
    std::string label;  // how the messages name the field: "Cantidad", "Descuento"
    int width = 16;     // digits in all, decimals included (the stored field's width)
    int decimals = 2;
    bool negative = false;        // whether it may be below zero
    std::optional<Decimal> most;  // a bound tighter than the width, e.g. 100 for a percentage

    // The picture of the field's digits: width 16 with 2 decimals is "99,999,999,999,999.99".
    std::string picture() const;
    // The value through the picture, without the padding: "1,234.50", "-3.000".
    std::string show(const Decimal& value) const;
    // Reads what was typed. Returns "" and sets `out` when the text is a number the field
    // holds; otherwise the refusal as the user reads it, and `out` is left alone.
    std::string read(std::string_view typed, Decimal& out) const;
    // "" when the field holds the value exactly, else the refusal.
    std::string check(const Decimal& value) const;
};

}  // namespace qz
