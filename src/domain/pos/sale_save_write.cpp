// The writing of a sale, inside one database transaction: each document with its stock, lines,
// extra header, journal lines, instalments and counter receipt, or the amount-only document.
// Anything that fails throws; the caller's transaction then rolls every record of it back.
#include <algorithm>
#include <map>
#include <optional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_documents.h"
#include "domain/pos/sale_journal.h"
#include "domain/pos/sale_receipt.h"
#include "domain/pos/sale_stock.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

// Takes `amount` from the front of `pool`: the tenders of one document's receipt. A tender
// that pays more than the document still owes is split, its rest kept for the next document.
std::vector<TenderRow> take_tenders(std::vector<TenderRow>& pool, Decimal amount) {
    std::vector<TenderRow> out;
    while (amount > Decimal(0) && !pool.empty()) {
        TenderRow& t = pool.front();
        TenderRow part = t;
        part.amount = std::min(t.amount, amount);
        amount -= part.amount;
        t.amount -= part.amount;
        out.push_back(part);
        if (t.amount <= Decimal(0)) pool.erase(pool.begin());
    }
    return out;
}

class SaleWriter {
public:
    SaleWriter(SaleRun& r, ContaTransaction* conta, std::vector<std::string>& warnings)
        : m_r(r), m_conta(conta), m_warnings(warnings), m_left(r.paid()), m_pool(r.used_tenders()) {
        if (conta && r.target == SaleTarget::Receivable)
            m_journal.emplace(r.db, *conta, journal_context());
    }

    void write_documents(SavedSale& out) {
        Decimal total;
        for (const auto& g : m_r.groups) total += document_figures(g, m_r.others()).amount();
        for (size_t i = 0; i < m_r.groups.size(); ++i) write_group(i, m_r.groups[i], total, out);
    }

    // PROCESA_NC: one document of the typed amount, its journal entry between the receivable
    // and the concept's counter-link (or the counter-account typed on the screen).
    void write_amount_only(SavedSale& out) {
        SaleDocument d;
        d.number = draw_document_number(m_r, 0);
        d.figures.gross = m_r.extras.typed_amount;
        const auto plan = document_instalments(m_r, d, d.figures.amount());
        d.instalments = static_cast<int>(plan.size());
        if (m_conta) m_conta->set_document(d.number);
        write_document_header(m_r, d);
        write_extra_header(m_r, d);
        if (m_conta) post_amount_only(d);
        write_instalments(m_r, d.number, plan);
        pay(d.number, d.figures.amount(), {}, out);
        out.documents.push_back(d.number);
    }

private:
    SaleJournalContext journal_context() const {
        SaleJournalContext c;
        c.business = m_r.business;
        c.doc_concept = &m_r.concept_def;
        c.settings = &m_r.settings;
        c.currency = normal_code(m_r.draft.header().currency);
        c.rate = m_r.rate;
        c.local_currency = m_r.local_currency;
        c.local_rate = m_r.local_rate;
        c.warehouse = normal_code(m_r.draft.header().warehouse);
        c.customer = normal_code(m_r.draft.header().customer);
        c.sales_group = m_r.draft.register_defaults().sales_group;
        return c;
    }

    void write_group(size_t index, const std::vector<SaleLine>& lines, const Decimal& total,
                     SavedSale& out) {
        const bool receivable = m_r.target == SaleTarget::Receivable;
        SaleDocument d;
        d.number = draw_document_number(m_r, index);
        d.lines = lines;
        d.figures = document_figures(lines, m_r.others());
        if (m_conta) m_conta->set_document(d.number);
        reserve_order_stock(m_r, lines);
        if (receivable) take_stock(d, out);
        d.card_left = m_r.card_available - d.figures.gross;
        m_r.card_available -= d.figures.gross;
        std::vector<PlanInstalment> plan;
        if (receivable) plan = document_instalments(m_r, d, total);
        d.instalments = static_cast<int>(plan.size());
        write_document_header(m_r, d);
        write_document_lines(m_r, d);
        if (index == 0) mark_source_document(m_r, d.number);
        if (m_r.settings.sale.save_extra_header) write_extra_header(m_r, d);
        if (m_journal) post_lines(d);
        if (receivable) {
            write_instalments(m_r, d.number, plan);
            pay(d.number, d.figures.amount(), lines, out);
        }
        out.documents.push_back(d.number);
        add_tickets(d, out);
    }

    void take_stock(SaleDocument& d, SavedSale& out) {
        StockOutcome s = issue_sale_stock(m_r, d.number, d.lines);
        d.movement = s.movement;
        d.stock_before = std::move(s.stock_before);
        m_warnings.insert(m_warnings.end(), s.warnings.begin(), s.warnings.end());
        if (out.inventory_movement.empty()) out.inventory_movement = s.movement;
    }

    void post_lines(const SaleDocument& d) {
        m_journal->begin_document(d.number, m_r.customer_name());
        for (const SaleLine& l : d.lines) m_journal->post_line(l);
        m_journal->post_document(
            {d.number, m_r.customer_name(), d.figures.amount(), d.figures.tax, d.figures.discount});
    }

    void post_amount_only(const SaleDocument& d) {
        const DocumentConcept& c = m_r.concept_def;
        const bool reverse = c.debit == 0;
        const Decimal amount = d.figures.amount();
        const std::string currency = normal_code(m_r.draft.header().currency);
        const std::string tail = d.number + " " + m_r.customer_name();
        const std::string counter_text = (reverse ? "NC: " : "ND: ") + tail;
        m_conta->set_books(static_cast<Books>(c.books));
        m_conta->post_link(c.links[2], amount, currency, m_r.rate, "(T)CxC: " + tail, reverse);
        const std::string account = trim(m_r.extras.counter_account);
        if (c.flag("LEE_CONTRA") && !account.empty())
            m_conta->post_line(account, reverse ? amount : Decimal(), reverse ? Decimal() : amount,
                               currency, m_r.rate, counter_text);
        else
            m_conta->post_link(c.links[0], amount, currency, m_r.rate, counter_text, reverse);
        m_conta->set_books(Books::Principal);
    }

    // The counter receipt of what the customer paid on this document.
    void pay(const std::string& number, const Decimal& amount, const std::vector<SaleLine>& lines,
             SavedSale& out) {
        const Decimal paid = std::min(m_left, amount);
        m_left -= paid;
        SaleReceiptRequest q;
        q.business = m_r.business;
        q.document = number;
        q.customer = normal_code(m_r.draft.header().customer);
        q.customer_name = m_r.customer_name();
        q.currency = normal_code(m_r.draft.header().currency);
        q.register_code = m_r.ctx.register_code;
        q.user = m_r.ctx.user;
        q.info_user = m_r.ctx.info_user;
        q.cost_centre = trim(m_r.extras.cost_centre);
        q.date = m_r.ctx.date;
        q.time = m_r.time;
        q.doc_concept = &m_r.concept_def;
        q.balance = amount;
        q.paid = paid;
        q.rate = m_r.rate;
        q.tenders = take_tenders(m_pool, paid);
        for (const SaleLine& l : lines)
            q.articles.push_back({l.code, l.description, l.quantity, l.price, l.discount, l.tax});
        const std::string receipt = ADD_ABONO(m_r.db, m_conta, q);
        if (!receipt.empty()) out.receipts.push_back(receipt);
    }

    void add_tickets(const SaleDocument& d, SavedSale& out) {
        for (const SaleLine& l : d.lines) {
            auto it = m_ticket.find(l.code);
            if (it == m_ticket.end()) {
                const auto a = read_article(m_r.db, m_r.business, l.code);
                it = m_ticket.emplace(l.code, a && a->ticket).first;
            }
            if (it->second) out.tickets.push_back({d.number, l.code, l.description, l.quantity});
        }
    }

    SaleRun& m_r;
    ContaTransaction* m_conta;
    std::vector<std::string>& m_warnings;
    Decimal m_left;                 // ABONO not yet given to a document
    std::vector<TenderRow> m_pool;  // tenders not yet given to a receipt
    std::optional<SaleJournal> m_journal;
    std::map<std::string, bool> m_ticket;  // IMP_T by article
};

// A work order's invoice marks the order processed in the sale's own transaction; an order that
// another workstation invoiced meanwhile stops the sale, so one order never has two invoices.
void link_work_order(SaleRun& r, const SavedSale& out) {
    if (r.draft.mode().kind != SaleKind::WorkOrder || out.documents.empty()) return;
    const std::string code = r.draft.mode().source_document;
    data::Table t = data::USE(r.db, "ENC_WO", "ENC_WO");
    if (!t->Seek(data::order_key("ENC_WO", "ENC_WO", {r.business, code})))
        throw std::runtime_error("La Work Order " + trim(code) + " no existe");
    const std::string invoice = trim(t->str("MOV_CXC"));
    if (!invoice.empty())
        throw std::runtime_error("La Work Order ya tiene una factura asociada. Factura: " +
                                 invoice);
    data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("MOV_CXC", out.documents.front());
    t->FieldPut("MOV_INV", out.inventory_movement);
    t->FieldPut("INFO_PROC", r.ctx.info_user);
    t->FieldPut("PROCESADO", Decimal(1));
    t->FieldPut("AUT_CXC", r.ctx.user);
    t->FieldPut("FEC_CXC", r.ctx.date);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(r.db, t);
}

}  // namespace

SavedSale write_sale(SaleRun& r, std::vector<std::string>& warnings) {
    data::Transaction tx(r.db, data::kTransPosInvoice);
    std::optional<ContaTransaction> conta;
    if (r.settings.posts && r.target == SaleTarget::Receivable) {
        conta.emplace(r.db, r.business, "02", r.ctx.date, "",
                      JournalStamp{r.ctx.user, r.ctx.info_user},
                      static_cast<Books>(r.concept_def.books));
        if (!conta->ok()) throw std::runtime_error(conta->error());
    }
    SavedSale out;
    SaleWriter w(r, conta ? &*conta : nullptr, warnings);
    if (r.amount_only())
        w.write_amount_only(out);
    else
        w.write_documents(out);
    if (conta) conta->close();
    link_work_order(r, out);
    if (r.ctx.on_written) r.ctx.on_written(r.db, out.documents);
    tx.commit();
    return out;
}

}  // namespace qz::domain::pos
