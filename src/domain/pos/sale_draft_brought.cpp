// Lines that come from another document: the article is looked up as a typed code would be, then
// the line takes the quantity, price and discount agreed there and keeps them (a manual price), so
// the invoice charges what the guest was quoted.
#include "domain/pos/sale_draft.h"

namespace qz::domain::pos {

CodeResult SaleDraft::bring_line(const BroughtLine& b) {
    // Merging with a line of the same article would lose the second line's own price.
    const bool recycle = m_settings.sale.recycle_codes;
    m_settings.sale.recycle_codes = false;
    const CodeResult out = PROCESA_COD(m_lines.size() - 1, b.code);
    m_settings.sale.recycle_codes = recycle;
    if (!out.accepted) return out;
    RESTA_ART(out.row);
    SaleLine& l = m_lines[out.row];
    l.quantity = b.quantity;
    l.price = b.price;
    l.discount = b.discount;
    l.source_document = b.source_document;
    l.manual = l.manual2 = true;
    SUMA_ART(out.row);
    return out;
}

}  // namespace qz::domain::pos
