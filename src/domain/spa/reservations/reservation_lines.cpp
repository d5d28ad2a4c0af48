// The amounts of a reservation's lines: what a user may type into them and what saving checks
// again. Every value is held to the SPA_RESD field that keeps it and every total to the invoice
// amount it becomes, so nothing reaches the database that the database would refuse.
#include "domain/spa/reservations/reservation.h"

namespace qz::domain::spa {

namespace {

Decimal& amount_of(SpaLine& l, LineAmount which) {
    switch (which) {
        case LineAmount::Quantity:
            return l.quantity;
        case LineAmount::Price:
            return l.price;
        case LineAmount::Discount:
            return l.discount;
    }
    return l.quantity;
}

// A total the invoice could not hold. The amounts of a line are bounded by their fields, but a
// line read from an older database need not be, so an overflow of the arithmetic itself is
// also a total too wide.
std::string total_refusal(const AmountField& field, const std::vector<SpaLine>& lines) {
    try {
        const Totals t = line_totals(lines);
        for (const Decimal& v : {t.subtotal, t.total})
            if (auto why = field.check(v); !why.empty()) return why;
        return "";
    } catch (const DecimalError&) {
        return field.check(Decimal::from_raw(Decimal::pow10(Decimal::kScale + field.width)));
    }
}

std::string line_total_refusal(const SpaLine& l) {
    return total_refusal(total_field("Total de la línea " + l.article), {l});
}

}  // namespace

bool SpaReservation::set_quantity(size_t i, const Decimal& q) {
    return set_line_amount(i, LineAmount::Quantity, q);
}

bool SpaReservation::set_price(size_t i, const Decimal& price) {
    if (!set_line_amount(i, LineAmount::Price, price)) return false;
    lines[i].price_origin = kTypedPrice;
    return true;
}

bool SpaReservation::set_discount(size_t i, const Decimal& pct) {
    if (!set_line_amount(i, LineAmount::Discount, pct)) return false;
    hold_discount(lines[i]);
    return true;
}

bool SpaReservation::type_amount(size_t i, LineAmount which, std::string_view typed) {
    Decimal value;
    if (const std::string why = line_field(which).read(typed, value); !why.empty())
        return !refuse(why);
    switch (which) {
        case LineAmount::Quantity:
            return set_quantity(i, value);
        case LineAmount::Price:
            return set_price(i, value);
        case LineAmount::Discount:
            return set_discount(i, value);
    }
    return false;
}

bool SpaReservation::set_line_amount(size_t i, LineAmount which, const Decimal& value) {
    SpaLine changed = lines.at(i);
    amount_of(changed, which) = value;
    std::string why = line_field(which).check(value);
    if (why.empty()) why = line_total_refusal(changed);
    if (!why.empty()) return !refuse(why);
    lines[i] = changed;
    return true;
}

bool SpaReservation::hold_discount(SpaLine& l) {
    const auto a = find_article(m_db, m_business, l.article);
    if (!a || !a->discount_cap || l.discount <= *a->discount_cap) return true;
    m_port.message(MsgStyle::Atencion, "Atención", discount_refusal(*a));
    l.discount = *a->discount_cap;
    return false;
}

std::optional<FormField> SpaReservation::refuse_line(size_t i, LineAmount which,
                                                     const std::string& text) {
    refuse(text);
    m_refused_line = LineSpot{i, which};
    return FormField::Lines;
}

std::optional<FormField> SpaReservation::check_lines() {
    m_refused_line.reset();
    for (size_t i = 0; i < lines.size(); ++i) {
        SpaLine& l = lines[i];
        if (l.deleted) continue;
        for (LineAmount which : {LineAmount::Quantity, LineAmount::Price, LineAmount::Discount})
            if (auto why = line_field(which).check(amount_of(l, which)); !why.empty())
                return refuse_line(i, which, why);
        // The line is cut back, as when the discount is typed, and the save stops so the user
        // sees the new total before it is written.
        if (!hold_discount(l)) {
            m_refused_line = LineSpot{i, LineAmount::Discount};
            return FormField::Lines;
        }
        if (auto why = line_total_refusal(l); !why.empty())
            return refuse_line(i, LineAmount::Quantity, why);
    }
    if (auto why = total_refusal(total_field("Total"), lines); !why.empty() && refuse(why))
        return FormField::Lines;
    return std::nullopt;
}

}  // namespace qz::domain::spa
