// The lines of a whole document: receivable, tax and discount totals, and cost of sales.
#include "domain/pos/inventory_codes.h"
#include "domain/pos/sale_journal.h"

namespace qz::domain::pos {

namespace {

// The concept's links by name (kConceptLinks order).
enum Link { kTax = 1, kReceivable = 2, kDiscount = 3, kComplement = 5, kCost = 6, kInventory = 7 };

}  // namespace

void SaleJournal::post_document(const SaleDocumentAmounts& amounts) {
    const DocumentConcept& c = *m_ctx.doc_concept;
    if (!c.flag("NO_VENTA")) {
        if (!(c.flag("CANCELA") && c.flag("NO_CXC"))) post_receivable(amounts.balance);
        // The sales lines were rounded one by one; the tax line takes up what that rounding
        // moved away from the rounded sum, so the voucher balances with the receivable.
        const Decimal rounding = m_sum_unrounded.round(2) - m_sum_rounded;
        post(c.links[kTax], amounts.tax - m_article_tax + rounding, "(T)Impuesto: ");
        post(c.links[kDiscount], amounts.discount - m_article_discount, "(T)Descuento: ");
    }
    if (c.flag("V_COSTO")) {
        post(c.links[kReceivable], amounts.balance, "(VC)CxC: ");
        post(c.links[kInventory], amounts.balance, "(VC)Inventario: ");
    } else if (c.flag("C_C_VENTA")) {
        post_cost_of_sales();
    }
}

// A concept valued through complement accounts keeps the receivable at its nominal amount and
// carries the difference to its value in the accounting currency on the complement link.
void SaleJournal::post_receivable(const Decimal& balance) {
    const DocumentConcept& c = *m_ctx.doc_concept;
    if (!complement()) {
        post(c.links[kReceivable], balance, "(T)CxC: ");
        return;
    }
    const std::string& accounting = m_ctx.settings->accounting_currency;
    const Decimal sign(credit() ? -1 : 1);
    const Decimal nominal = balance.round(2);
    const Decimal difference = (balance * m_ctx.rate - nominal).round(2);
    if (!nominal.is_zero())
        m_conta.post_link(c.links[kReceivable], nominal * sign, accounting, Decimal(1),
                          text("(T)CxC: "));
    if (!difference.is_zero())
        m_conta.post_link(c.links[kComplement], difference * sign, accounting, Decimal(1),
                          text("(C)CxC: "));
}

// Costs are in the local currency. With inventory costing each cost account takes its share and
// the warehouse's inventory account gives up their total; otherwise the concept's pair.
void SaleJournal::post_cost_of_sales() {
    const std::string& local = m_ctx.local_currency;
    if (!m_ctx.settings->sale.inventory_costing) {
        const Decimal total = m_cost.round(2);
        post_in(m_ctx.doc_concept->links[kCost], total, local, m_ctx.local_rate,
                "(T)Costo Venta: ");
        post_in(m_ctx.doc_concept->links[kInventory], total, local, m_ctx.local_rate,
                "(T)Inventario: ");
        return;
    }
    Decimal total;
    for (const auto& [account, cost] : m_cost_by_account) {
        const Decimal amount = cost.round(2);
        post_in(account, amount, local, m_ctx.local_rate, "(T)Costo Venta: ");
        total += amount;
    }
    const auto w = read_warehouse(m_db, m_ctx.business, m_ctx.warehouse);
    post_in(w ? w->link : "", -total, local, m_ctx.local_rate, "(T)Costo Inv: ");
}

}  // namespace qz::domain::pos
