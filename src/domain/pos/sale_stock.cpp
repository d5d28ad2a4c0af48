#include "domain/pos/sale_stock.h"

#include <map>
#include <stdexcept>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/pos/articles.h"
#include "domain/pos/inventory_issue.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

bool stock_enters(const StockIssue& r) { return r.doc_concept.stock_entry == 1; }

std::string inventory_concept(const StockIssue& r) {
    return r.doc_concept.stock_concept.empty() ? r.settings.sale.stock_concept
                                               : r.doc_concept.stock_concept;
}

// Lines without a positive quantity move nothing.
bool moves(const SaleLine& l) { return l.quantity > Decimal(0); }

StockOutcome issue_movement(const StockIssue& r, const std::string& document,
                            const std::vector<SaleLine>& lines) {
    InventoryMovement m;
    m.business = r.business;
    m.warehouse = r.warehouse;
    m.concept_code = inventory_concept(r);
    m.direction = stock_enters(r) ? StockDirection::In : StockDirection::Out;
    m.document = document;
    m.name = r.customer_name;
    m.supplier = r.settings.sale.stock_supplier;
    m.date = r.date;
    m.time = r.time;
    m.user = r.user;
    m.info = r.info.empty() ? info_user(r.db.clock().now()) : r.info;
    for (const SaleLine& l : lines) {
        if (!moves(l)) continue;
        m.lines.push_back({l.code, l.quantity, l.cost});
        // Lines brought from another document go through whatever the stock.
        if (!trim(l.source_document).empty()) m.check_stock = false;
    }
    StockOutcome out;
    if (m.lines.empty()) return out;
    MovementResult res = post_inventory_movement(r.db, m);
    if (!res.posted)
        throw std::runtime_error(res.message + (res.article.empty() ? "" : " " + res.article));
    out.movement = res.movement;
    out.warnings = std::move(res.warnings);
    size_t k = 0;
    for (const SaleLine& l : lines)
        out.stock_before.push_back(moves(l) ? res.stock_before.at(k++) : Decimal());
    return out;
}

// Without a movement the warehouse stock still follows the sale: each stocked article's row is
// locked (in code order, so two sales never wait for each other), judged and moved once.
StockOutcome move_stock_only(const StockIssue& r, const std::vector<SaleLine>& lines) {
    struct Held {
        std::optional<Article> article;
        Decimal total, running;
        bool found = false;
    };
    const std::string warehouse = r.warehouse;
    std::map<std::string, Held> held;
    for (const SaleLine& l : lines)
        if (moves(l)) held[l.code].total += l.quantity;
    StockOutcome out;
    data::Table t = data::USE(r.db, "ARTICULO", "ARTIC1");
    for (auto& [code, h] : held) {
        h.article = read_article(r.db, r.business, code);
        if (!h.article || !h.article->stocked) continue;
        if (!lock_at_key(*t, stock_key(r.business, code, warehouse))) {
            out.warnings.push_back("El artículo " + code +
                                   " no tiene bodega definida. Bodega: " + warehouse);
            continue;
        }
        h.found = true;
        h.running = t->num("CANTIDAD");
        const bool checked = stock_checked(
            *h.article, read_subline(r.db, r.business, h.article->line, h.article->subline));
        if (!stock_enters(r) && checked && h.running - h.total < Decimal(0))
            throw std::runtime_error(short_stock_message(h.running) + " " + code);
        t->FieldPut("CANTIDAD", stock_enters(r) ? h.running + h.total : h.running - h.total);
        data::UNLOCK_FOR_MODIFY(*t);  // kept by the transaction until it ends
    }
    data::KILLTABLA(r.db, t);
    for (const SaleLine& l : lines) {
        auto it = held.find(l.code);
        const bool counted = moves(l) && it != held.end() && it->second.found;
        out.stock_before.push_back(counted ? it->second.running : Decimal());
        if (counted) it->second.running += stock_enters(r) ? l.quantity : Decimal(0) - l.quantity;
    }
    return out;
}

}  // namespace

StockOutcome issue_document_stock(const StockIssue& r, const std::string& document,
                                  const std::vector<SaleLine>& lines) {
    return r.settings.sale.issues_stock ? issue_movement(r, document, lines)
                                        : move_stock_only(r, lines);
}

StockOutcome issue_sale_stock(SaleRun& r, const std::string& document,
                              const std::vector<SaleLine>& lines) {
    const StockIssue s{r.db,
                       r.business,
                       r.concept_def,
                       r.settings,
                       normal_code(r.draft.header().warehouse),
                       r.customer_name(),
                       r.ctx.date,
                       r.time,
                       r.ctx.user,
                       r.ctx.info_user};
    return issue_document_stock(s, document, lines);
}

void reserve_order_stock(SaleRun& r, const std::vector<SaleLine>& lines) {
    const bool invoiced = r.draft.mode().source_mode == kInvoiceFromOrder;
    if (r.target != SaleTarget::Order && !invoiced) return;
    const std::string warehouse = normal_code(r.draft.header().warehouse);
    for (const SaleLine& l : lines)
        if (moves(l))
            reserve_stock(r.db, r.business, warehouse, l.code,
                          invoiced ? Decimal(0) - l.quantity : l.quantity);
}

void mark_source_document(SaleRun& r, const std::string& number) {
    const SaleMode& m = r.draft.mode();
    const SaleSettings& s = r.settings.sale;
    const char* table = nullptr;
    std::string stage;
    if (m.source_mode == kInvoiceFromOrder) {
        table = "ENC_PED";
        stage = s.order_invoiced_stage;
    } else if (m.source_mode == kOrderFromProforma || m.source_mode == kInvoiceFromProforma) {
        table = "ENC_PROF";
        stage = m.source_mode == kOrderFromProforma ? s.proforma_order_stage
                                                    : s.proforma_invoiced_stage;
    }
    const std::string source = trim(m.source_document);
    if (!table || source.empty()) return;
    data::Table t = data::USE(r.db, table, table);
    if (!lock_at_key(*t, data::order_key(table, table, {r.business, source}))) {
        data::KILLTABLA(r.db, t);
        throw std::runtime_error("El documento " + source + " no existe");
    }
    // Two workstations may have opened the same order: only the first one turns it.
    if (const std::string done = trim(t->str("FACTURA")); !done.empty()) {
        data::KILLTABLA(r.db, t);
        throw std::runtime_error("El documento " + source + " ya fue procesado con: " + done);
    }
    t->FieldPut("FACTURA", number);
    t->FieldPut("ETAPA", stage);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(r.db, t);
}

}  // namespace qz::domain::pos
