#include "domain/ledger/document_duplicate.h"

#include <vector>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/line_amounts.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// The document duplicated, as its copy needs it.
struct Source {
    annulment::Doc doc;
    std::string branch, agent, cash_register, description;
    Decimal gross, commission;  // BRUTO, P_COMISION
};

std::optional<Source> read_source(data::Db& db, const std::string& business,
                                  const std::string& number) {
    std::optional<Source> s;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, trim(number)}))) {
        s.emplace();
        s->doc = annulment::doc_from_row(*t);
        s->branch = trim(t->str("SUBCLIENTE"));
        s->agent = trim(t->str("AGENTE"));
        s->cash_register = trim(t->str("CAJA"));
        s->description = rtrim(t->str("DESCRIP"));
        s->gross = t->num("BRUTO");
        s->commission = t->num("P_COMISION");
    }
    data::KILLTABLA(db, t);
    return s;
}

struct Line {
    std::string article;
    LineAmounts amounts;
};

std::vector<Line> read_lines(data::Db& db, const std::string& business, const std::string& number) {
    std::vector<Line> out;
    data::Table t = data::USE(db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {business, number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back(
            {trim(t->str("CODIGO")), line_amounts(t->num("CANTIDAD"), t->num("PRECIO"),
                                                  t->num("DESCUENTO"), t->num("IMPUESTO"))});
    data::KILLTABLA(db, t);
    return out;
}

// What NEW_DOC has no argument for: the gross amount the lines recompute it from, the
// commission and the warehouse the stock moves in. Returns the copy's issue rate (TC_DIFF).
Decimal complete_copy(data::Db& db, const std::string& business, const Source& s,
                      const std::string& number) {
    Decimal rate(1);
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {business, number}))) {
        t->FieldPut("BRUTO", s.gross);
        t->FieldPut("P_COMISION", s.commission);
        t->FieldPut("BODEGA", s.doc.warehouse);
        rate = t->num("TC_DIFF");
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    return rate;
}

// The copy posted as an invoice posts: the receivable (with its complement when the concept
// keeps one) against the sales of each line, less its discount, plus the tax. What the lines
// do not explain of the amount (an amount edited by hand) goes to the concept's counter-account,
// so the voucher balances. Each line on its link's natural side, turned over for a credit
// concept, as the document service posts.
class InvoicePosting {
public:
    InvoicePosting(ContaTransaction& c, const DocumentConcept& k, const std::string& currency,
                   const Decimal& rate, const std::string& accounting_currency)
        : m_c(c),
          m_k(k),
          m_reverse(k.debit == 0),
          m_complement(k.flag("COMPLEMENT")),
          m_currency(m_complement ? accounting_currency : currency),
          m_rate(rate) {}

    void post(const Source& s, const std::string& number, const std::vector<Line>& lines) {
        m_c.set_books(static_cast<Books>(m_k.books));
        const std::string& sales = m_k.links[0];  // ASIENTO2
        const Decimal owed = receivable(s, number);
        Decimal explained, tax;
        for (const Line& l : lines) {
            explained += put(sales, l.amounts.gross, "Venta: " + l.article + " " + number);
            explained -= put(m_k.links[3], l.amounts.discount,  // ASIENTO5
                             "Descuento: " + l.article + " " + number);
            tax += l.amounts.tax;
        }
        explained += put(m_k.links[1], tax, "(T)Imp: " + number);  // ASIENTO3
        put(sales, owed - explained,
            (m_k.debit == 0 ? "NC: " : "ND: ") + number + " " + s.doc.name);
        m_c.set_books(Books::Principal);
    }

private:
    // Posts `amount` of the document through `link` and returns it as posted; a zero amount
    // posts nothing.
    Decimal put(const std::string& link, const Decimal& amount, const std::string& label) {
        const Decimal posted = m_complement ? (amount * m_rate).round(2) : amount;
        if (!posted.is_zero())
            m_c.post_link(link, posted, m_currency, m_complement ? Decimal(1) : m_rate, label,
                          m_reverse);
        return posted;
    }
    // The receivable line(s); what they come to in the currency the others are posted in.
    Decimal receivable(const Source& s, const std::string& number) {
        const std::string tail = number + " " + s.doc.name;
        if (!m_complement) {
            m_c.post_link(m_k.links[2], s.doc.amount, m_currency, m_rate, "(T)CxC: " + tail,
                          m_reverse);
            return s.doc.amount;
        }
        const Decimal nominal = s.doc.amount.round(2), valued = (s.doc.amount * m_rate).round(2);
        m_c.post_link(m_k.links[2], nominal, m_currency, Decimal(1), "(T)CxC: " + tail, m_reverse);
        m_c.post_link(m_k.links[5], valued - nominal, m_currency, Decimal(1), "(C)CxC: " + tail,
                      m_reverse);
        return valued;
    }

    ContaTransaction& m_c;
    const DocumentConcept& m_k;
    bool m_reverse, m_complement;
    std::string m_currency;
    Decimal m_rate;
};

NewDocument copy_of(const Source& s, const Date& today, bool caller_posts) {
    NewDocument d;
    d.amount = s.doc.amount;
    d.concept_code = s.doc.concept_code;
    d.currency = s.doc.currency;
    d.customer = s.doc.customer;
    d.branch = s.branch;
    d.customer_name = s.doc.name;
    d.agent = s.agent;
    d.cash_register = s.cash_register;
    d.description = s.description;
    d.date = today;
    d.term_days = 0;
    d.caller_posts = caller_posts;
    return d;
}

}  // namespace

std::optional<std::string> duplicate_document(data::Db& db, UserPort& port,
                                              const std::string& business,
                                              const std::string& number, const IniFile* ini) {
    const auto refused = [&port](const std::string& why) {
        refuse(port, why);
        return std::nullopt;
    };
    const auto src = read_source(db, business, number);
    if (!src) return refused(kDocumentGone + trim(number));
    const auto k = read_document_concept(db, business, src->doc.concept_code);
    if (!k) return refused("El concepto " + src->doc.concept_code + " no está definido");
    if (k->flag("LEE_SERIAL")) return refused(kManualNumbersDuplicate);
    if (!port.confirm("Advertencia", kDuplicateAsk + src->doc.number + "?")) return std::nullopt;
    const LedgerSettings settings = read_ledger_settings(db, business);
    const std::vector<Line> lines = read_lines(db, business, src->doc.number);
    const bool posts_lines = settings.posts && !lines.empty();
    const DateTime now = db.clock().now();
    const annulment::Stamp stamp{business, db.XUSER_ABREVIA, info_user(now), now.date, now};
    std::optional<std::string> copy;
    std::string journal_problem;
    try {
        data::Transaction tx(db);
        GEN_DOC gen(db, port, business);
        gen.set_workstation(ini);
        copy = gen.NEW_DOC(copy_of(*src, now.date, posts_lines));
        if (!copy) return std::nullopt;  // told why; the transaction rolls back
        const Decimal rate = complete_copy(db, business, *src, *copy);
        annulment::copy_lines_and_stock(db, stamp, src->doc, *k, *copy);
        if (posts_lines) {
            ContaTransaction c(db, business, "02", now.date, *copy, {stamp.user, stamp.info});
            InvoicePosting(c, *k, src->doc.currency, rate, settings.accounting_currency)
                .post(*src, *copy, lines);
            c.close();
            if (!c.ok()) journal_problem = c.error();
        }
        tx.commit();
    } catch (const data::DbError&) {
        port.message(MsgStyle::Error, "Error", kDuplicateFailed);
        return std::nullopt;
    }
    if (!journal_problem.empty()) port.message(MsgStyle::Error, "Error", journal_problem);
    port.message(MsgStyle::Aviso, "Aviso", kDuplicated);
    return copy;
}

}  // namespace qz::domain
