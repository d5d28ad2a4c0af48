#include "core/amount.h"

#include <algorithm>

#include "core/picture.h"
#include "core/text.h"

namespace qz {

namespace {

int whole_digits(const AmountField& f) { return std::max(0, f.width - f.decimals); }

// The largest value the field holds: all nines.
Decimal largest(const AmountField& f) {
    const Decimal one_unit = Decimal::from_scaled(1, f.decimals);
    return Decimal::from_raw(Decimal::pow10(Decimal::kScale + whole_digits(f))) - one_unit;
}

}  // namespace

std::string AmountField::picture() const {
    std::string whole;
    for (int i = whole_digits(*this); i > 0; --i) {
        whole += '9';
        if (i > 1 && (i - 1) % 3 == 0) whole += ',';
    }
    return decimals > 0 ? whole + "." + std::string(static_cast<size_t>(decimals), '9') : whole;
}

std::string AmountField::show(const Decimal& value) const {
    // The minus goes in front rather than into a digit slot, so a negative value as wide as the
    // field still shows.
    const std::string digits = trim(pic_format(value.abs(), picture()));
    return value.sign() < 0 ? "-" + digits : digits;
}

std::string AmountField::read(std::string_view typed, Decimal& out) const {
    Decimal v;
    // No template: the text is read exactly, so the checks below see what was typed.
    if (!pic_parse(typed, "", v))
        return label + ": \"" + trim(typed) + "\" no es un número válido.";
    std::string refusal = check(v);
    if (refusal.empty()) out = v;
    return refusal;
}

std::string AmountField::check(const Decimal& value) const {
    if (value.sign() < 0 && !negative) return label + ": no se admiten valores negativos.";
    if (value.abs() > largest(*this))
        return label + ": el valor excede el máximo del campo (" + show(largest(*this)) + ").";
    if (value.round(decimals) != value)
        return decimals == 0
                   ? label + ": debe ser un número entero."
                   : label + ": admite a lo sumo " + std::to_string(decimals) + " decimales.";
    if (most && value > *most)
        return negative ? label + ": no puede ser mayor a " + most->to_string() + "."
                        : label + ": debe estar entre 0 y " + most->to_string() + ".";
    return "";
}

}  // namespace qz
