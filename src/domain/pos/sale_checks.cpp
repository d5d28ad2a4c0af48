// The checks a sale line passes after every change: stock, price and discount. Each tells the
// cashier why and mends the line, so the sale stays savable as it stands.
#include "core/picture.h"
#include "core/text.h"
#include "domain/pos/sale_draft.h"
#include "domain/pos/sale_figures.h"

namespace qz::domain::pos {

namespace {

void warn(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Atencion, "Atención", text);
}

}  // namespace

std::string discount_refusal(const std::string& code, const std::string& description) {
    return "El Descuento es mayor al autorizado. Artículo: " + code + ":" + description;
}

bool SaleDraft::CHECK_EXISTENCIAS(size_t row) {
    SaleLine* l = coded(row);
    if (!l || m_mode.kind == SaleKind::Order || !trim(l->source_document).empty()) return true;
    const auto a = read_article(m_db, m_business, l->code);
    if (!a || !stock_checked(*a, read_subline(m_db, m_business, a->line, a->subline))) return true;
    const auto stock = read_article_stock(m_db, m_business, m_header.warehouse, a->code);
    std::string refusal;
    if (!stock) {
        refusal = "Este artículo NO tiene Bodega Definida";
    } else {
        // Other lines of the same article draw on the same stock.
        Decimal available = stock->quantity;
        for (size_t i = 0; i < m_lines.size(); ++i)
            if (i != row && m_lines[i].code == l->code) available -= m_lines[i].quantity;
        if (available - l->quantity >= 0) return true;
        refusal = "No hay suficientes existencias. Disponible: " +
                  pic_format(available, "999,999,999.99");
    }
    warn(m_port, refusal);
    RESTA_ART(row);
    l->quantity = Decimal(0);
    SUMA_ART(row);
    return false;
}

bool SaleDraft::CHECK_PRECIO(size_t row) {
    SaleLine* l = coded(row);
    if (!l) return true;
    const auto a = read_article(m_db, m_business, l->code);
    if (!a) return true;
    const auto sub = read_subline(m_db, m_business, a->line, a->subline);
    // Only a sub-line that fixes its prices has a price to check against: the proposal, with its
    // lists and special prices, is not looked up for the others.
    if (!sub || (!sub->no_lower_price && !sub->no_raise_price)) return true;
    const Proposal p = propose(*a, l->quantity);
    const Decimal proposed = p.price.round(2), typed = l->price.round(2);
    const bool lowered = proposed > typed && sub->no_lower_price;
    const bool raised = proposed < typed && sub->no_raise_price;
    if (!lowered && !raised) return true;
    if (!p.found)
        warn(m_port, "Este artículo NO tiene Precio Definido");
    else if (l->manual)
        warn(m_port,
             lowered ? "No es permitido bajar el Precio" : "No es permitido subir el Precio");
    RESTA_ART(row);
    l->price = p.price;
    l->special_rule = p.rule;
    l->manual = l->manual2 = false;
    SUMA_ART(row);
    return false;
}

std::optional<Decimal> SaleDraft::discount_limit(size_t row) const {
    if (row >= m_lines.size() || m_lines[row].empty()) return std::nullopt;
    const auto a = read_article(m_db, m_business, m_lines[row].code);
    if (!a) return std::nullopt;
    const auto sub = read_subline(m_db, m_business, a->line, a->subline);
    if (sub && sub->check_discount) return sub->max_discount;
    if (a->check_discount) return a->max_discount;
    return std::nullopt;
}

bool SaleDraft::CHECK_DESCUENTO(size_t row) {
    SaleLine* l = coded(row);
    if (!l) return true;
    const auto limit = discount_limit(row);
    if (!limit || l->discount <= *limit) return true;
    warn(m_port, discount_refusal(l->code, l->description));
    RESTA_ART(row);
    l->discount = *limit;
    SUMA_ART(row);
    return false;
}

}  // namespace qz::domain::pos
