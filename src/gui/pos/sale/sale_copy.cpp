#include "gui/pos/sale/sale_copy.h"

namespace qz::gui {

namespace pos = domain::pos;

namespace {

// A header field is set again only where it differs: a field the register locks already holds
// its default, and setting it would be refused.
void copy_header(const pos::SaleHeader& h, pos::SaleDraft& to) {
    const auto same = [](const std::string& a, const std::string& b) {
        return a == b || a.empty();
    };
    if (!same(h.doc_concept, to.header().doc_concept)) to.PROCE_CONCEPTO(h.doc_concept);
    if (!same(h.customer, to.header().customer)) to.PROCE_CLIENTE(h.customer);
    if (!same(h.warehouse, to.header().warehouse)) to.PROCE_BODEGA(h.warehouse);
    if (!same(h.agent, to.header().agent)) to.PROCE_AGENTE(h.agent);
    if (!same(h.currency, to.header().currency)) to.PROCE_MONEDA(h.currency);
    if (!same(h.price_type, to.header().price_type)) to.PROCE_PRECIO(h.price_type);
    for (int i = 0; i < pos::kContactTexts; ++i)
        to.set_contact(static_cast<pos::ContactText>(i), h.contact[static_cast<size_t>(i)]);
    if (h.exempt != to.header().exempt) to.EXENTO(h.exempt);
    to.DESCUENTOS(h.line_discount, h.list_reduction, false);
    to.set_paid(h.paid);
}

void copy_line(const pos::SaleLine& l, pos::SaleDraft& to, bool others) {
    const pos::CodeResult r = to.PROCESA_COD(to.lines().size() - 1, l.code);
    if (!r.accepted) return;
    to.set_quantity(r.row, l.quantity);
    if (l.manual) to.set_price(r.row, l.price);
    to.set_discount(r.row, l.discount);
    if (others && (!l.freight.is_zero() || !l.load.is_zero()))
        to.set_others(r.row, l.freight, l.load);
    if (!l.supplier.empty()) to.set_supplier(r.row, l.supplier);
    to.set_invoice_text(r.row, l.invoice_text);
}

}  // namespace

void copy_sale(const pos::SaleDraft& from, pos::SaleDraft& to, const pos::RegisterDefaults* reg,
               const std::optional<pos::CardAccount>& card) {
    if (reg) to.PARAMS_CAJA(*reg, card);
    copy_header(from.header(), to);
    to.set_term(from.header().term_days);
    for (size_t i = 0; i < from.plan().size(); ++i) to.set_plan_row(i, from.plan()[i]);
    for (const auto& l : from.lines())
        if (!l.empty()) copy_line(l, to, from.settings().other_columns);
}

}  // namespace qz::gui
