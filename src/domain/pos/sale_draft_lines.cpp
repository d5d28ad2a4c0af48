// The lines of the sale: codes typed or scanned, rows inserted and deleted, and the cells the
// cashier edits. Every change takes the line out of the running totals first and puts it back
// after, so the totals always equal the sum of the lines.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/pos/sale_draft.h"
#include "domain/pos/sale_figures.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

SaleLine* SaleDraft::coded(size_t row) {
    return row < m_lines.size() && !m_lines[row].empty() ? &m_lines[row] : nullptr;
}

OtherCharges SaleDraft::other_charges() const {
    return {m_settings.sale.other_columns, m_settings.sale.others_per_unit};
}

void SaleDraft::RESTA_ART(size_t row) { m_figures -= line_share(m_lines[row], other_charges()); }

void SaleDraft::SUMA_ART(size_t row) { m_figures += line_share(m_lines[row], other_charges()); }

bool SaleDraft::sold_at_cost() const {
    return (m_concept && m_concept->flag("V_COSTO")) || (m_price_type && m_price_type->cost_only);
}

void SaleDraft::set_line_tax(SaleLine& l, const Article& a) const {
    l.own_tax = a.tax;
    const bool at_cost = sold_at_cost();
    l.tax = at_cost || m_header.exempt ? Decimal(0) : a.tax;
    l.discount = at_cost ? Decimal(0) : m_header.line_discount;
}

CodeResult SaleDraft::PROCESA_COD(size_t row, const std::string& code) {
    CodeResult out;
    if (row >= m_lines.size() || trim(code).empty()) return out;
    const auto found = find_article(m_db, m_business, code);
    const auto stock =
        found ? read_article_stock(m_db, m_business, m_header.warehouse, found->article.code)
              : std::nullopt;
    std::string refusal;
    if (!found)
        refusal = "Este Código no se encuentra.";
    else if (stock && !stock->active)
        refusal = "Este Código no es permitido en esta Bodega: " + trim(code);
    else if (const std::string currency = m_price_type ? m_price_type->currency : "";
             list_rate(currency) == 0)
        refusal = required_rate(m_db, m_business, m_header.currency, currency, m_db.clock().XDATE())
                      .problem;
    if (!refusal.empty()) {
        refuse(refusal);
        if (coded(row)) RESTA_ART(row);
        m_lines[row] = SaleLine{};
        return out;
    }
    Add_ArtFP(row, found->article, out);
    return out;
}

void SaleDraft::Add_ArtFP(size_t row, const Article& a, CodeResult& out) {
    const bool whole = m_settings.sale.whole_quantities;
    if (m_settings.sale.recycle_codes) {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (i == row || m_lines[i].empty() || m_lines[i].code != a.code) continue;
            if (coded(row)) RESTA_ART(row);
            m_lines[row] = SaleLine{};
            RESTA_ART(i);
            m_lines[i].quantity += sale_quantity(a.suggested_quantity, whole);
            reprice(m_lines[i], a);
            SUMA_ART(i);
            CHECK_EXISTENCIAS(i);
            out = {true, i, false};
            return;
        }
    }
    if (coded(row)) RESTA_ART(row);
    if (row + 1 == m_lines.size()) m_lines.emplace_back();
    SaleLine& l = m_lines[row];
    l = SaleLine{};
    fill_line(l, a);
    SUMA_ART(row);
    CHECK_EXISTENCIAS(row);
    CHECK_DESCUENTO(row);
    out = {true, row, a.read_text};
}

void SaleDraft::fill_line(SaleLine& l, const Article& a) {
    l.code = a.code;
    l.description = a.name;
    l.quantity = sale_quantity(a.suggested_quantity, m_settings.sale.whole_quantities);
    l.price_editable = a.read_price;
    l.invoice_text = trim(a.invoice_text).empty() ? a.name : a.invoice_text;
    l.cost = a.average_cost;
    set_line_tax(l, a);
    reprice(l, a);
    l.first_price = l.price;
    l.priced = true;
}

void SaleDraft::delete_line(size_t row) {
    if (row + 1 >= m_lines.size()) return;  // the final empty row stays
    if (coded(row)) RESTA_ART(row);
    m_lines.erase(m_lines.begin() + static_cast<long>(row));
}

void SaleDraft::insert_line(size_t row) {
    if (row > m_lines.size()) return;
    m_lines.insert(m_lines.begin() + static_cast<long>(row), SaleLine{});
}

bool SaleDraft::set_quantity(size_t row, const Decimal& typed) {
    SaleLine* l = coded(row);
    if (!l) return false;
    const Decimal q = sale_quantity(typed, m_settings.sale.whole_quantities);
    if (q == 0) return refuse("No se permiten Cantidades en Cero");
    RESTA_ART(row);
    l->quantity = q;
    if (!l->manual)
        if (const auto a = read_article(m_db, m_business, l->code)) reprice(*l, *a);
    SUMA_ART(row);
    return CHECK_EXISTENCIAS(row);
}

bool SaleDraft::set_price(size_t row, const Decimal& price) {
    SaleLine* l = coded(row);
    if (!l || !(m_settings.sale.price_editable || l->price_editable)) return false;
    const auto a = read_article(m_db, m_business, l->code);
    if (!a) return false;
    RESTA_ART(row);
    if (price.round(2) != propose(*a, l->quantity).price.round(2)) l->manual = l->manual2 = true;
    l->price = price;
    SUMA_ART(row);
    return CHECK_PRECIO(row);
}

bool SaleDraft::set_discount(size_t row, const Decimal& discount) {
    SaleLine* l = coded(row);
    if (!l) return false;
    // Beyond these bounds a line would come to more than its price or to less than nothing.
    if (discount < 0 || discount > 100) return refuse("El Descuento debe estar entre 0 y 100");
    RESTA_ART(row);
    l->discount = discount;
    SUMA_ART(row);
    return CHECK_DESCUENTO(row);
}

bool SaleDraft::set_supplier(size_t row, const std::string& code) {
    SaleLine* l = coded(row);
    if (!l) return false;
    data::Table t = data::USE(m_db, "PROVEE", "PROVEE");
    const bool found = t->Seek(data::order_key("PROVEE", "PROVEE", {m_business, trim(code)}));
    const std::string name = found ? trim(t->str("NOMBRE")) : "";
    data::KILLTABLA(m_db, t);
    if (!found) return refuse("Código de proveedor inválido");
    l->supplier = trim(code);
    l->supplier_name = name;
    return true;
}

bool SaleDraft::set_others(size_t row, const Decimal& freight, const Decimal& load) {
    SaleLine* l = coded(row);
    if (!l || !FLETES()) return false;
    RESTA_ART(row);
    l->freight = freight;
    l->load = load;
    SUMA_ART(row);
    return true;
}

void SaleDraft::set_invoice_text(size_t row, const std::string& text) {
    if (SaleLine* l = coded(row)) l->invoice_text = text;
}

}  // namespace qz::domain::pos
