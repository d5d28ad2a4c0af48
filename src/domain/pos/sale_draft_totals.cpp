// Sale-wide changes to the lines (discounts dialog, tax exemption, pricing at cost) and the
// figures of the totals area.
#include "core/text.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rates.h"
#include "domain/pos/sale_draft.h"

namespace qz::domain::pos {

bool SaleDraft::DESCUENTOS(const Decimal& line_discount, const Decimal& list_reduction,
                           bool apply_all) {
    if (amount_only_refusal("Este tipo de documento no soporta descuentos")) return false;
    m_header.line_discount = line_discount;
    const bool new_reduction = list_reduction != m_header.list_reduction;
    m_header.list_reduction = list_reduction;
    if (new_reduction) reprice_all();
    if (apply_all)
        for (size_t i = 0; i < m_lines.size(); ++i)
            if (coded(i)) set_discount(i, line_discount);
    return true;
}

void SaleDraft::EXENTO(bool on) {
    if (m_exempt_locked && !on) return;
    m_header.exempt = on;
    change_lines([&](SaleLine& l, const Article&) {
        l.tax = on || sold_at_cost() ? Decimal(0) : l.own_tax;
    });
}

void SaleDraft::S_COSTO() {
    m_at_cost = true;
    change_lines([&](SaleLine& l, const Article& a) {
        l.manual = l.manual2 = false;
        reprice(l, a);
        l.tax = l.discount = Decimal(0);
    });
}

// Back to list prices: lines repriced at cost go back to their proposed price and their tax.
void SaleDraft::S_NORMAL() {
    m_at_cost = false;
    change_lines([&](SaleLine& l, const Article& a) {
        reprice(l, a);
        l.tax = m_header.exempt || sold_at_cost() ? Decimal(0) : a.tax;
    });
}

SaleDisplay SaleDraft::DISPLAY_TOT() const {
    SaleDisplay d;
    const Decimal others = m_figures.others();
    d.amount_due = m_figures.invoiced - m_header.returned + others;
    d.invoiced = m_figures.invoiced + others;
    d.returned = m_register.card_account && m_card ? m_card->available - m_figures.invoiced
                                                   : m_header.returned;
    d.subtotal = m_figures.subtotal + others;
    d.tax = m_figures.tax;
    const std::string ticket = m_settings.sale.ticket_currency;
    if (ticket.empty()) return d;
    const auto currency = read_currency(m_db, m_business, ticket);
    d.ticket_label = "Total: " + (currency ? trim(currency->symbol) : std::string("?"));
    const Decimal rate = CAMBIO_ACT(m_db, m_business, m_header.currency, ticket,
                                    {.column = m_settings.sale.rate_column});
    if (rate != 0) d.ticket_total = ROUND5(d.amount_due / rate);
    return d;
}

}  // namespace qz::domain::pos
