#include "domain/ledger/payment_annulment.h"

#include <map>
#include <optional>
#include <set>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_draft.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string two_digits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A voucher line the payment posted, to be posted again on the other side.
struct PostedLine {
    std::string account, currency, description;
    Decimal debit, credit, rate;
};

// Whether the document service wrote `description` for document `number` (its receivable,
// complement or counter-account line): those are reversed by the document's own annulment.
bool posted_for_document(const std::string& description, const std::string& number) {
    for (const char* prefix : {"(T)CxC: ", "(C)CxC: ", "NC: ", "ND: "}) {
        const std::string p = prefix + number;
        if (starts_with(description, p) &&
            (description.size() == p.size() || description[p.size()] == ' '))
            return true;
    }
    return false;
}

class Annulment {
public:
    Annulment(data::Db& db, UserPort& port, std::string business, std::string number, Date date)
        : m_db(db),
          m_port(port),
          m_biz(std::move(business)),
          m_number(trim(number)),
          m_date(date),
          m_settings(read_ledger_settings(db, m_biz)),
          m_now(db.clock().now()) {}

    bool prepare();
    // Inside the caller's transaction; false after a refusal told to the user.
    bool write();

private:
    bool fail(const std::string& text) { return refuse(m_port, text); }
    bool read_payment();
    bool dates();
    bool lock_header();
    void lock_documents();
    Decimal payment_rate(const std::string& currency) const;
    void restore(const StoredApplication& a, ContaTransaction* conta);
    void append_headers();
    void append_tenders();
    void copy_rates();
    std::vector<PostedLine> payment_lines();
    void read_rates();
    void reverse_postings(std::optional<ContaTransaction>& conta);
    int books() const;

    data::Db& m_db;
    UserPort& m_port;
    std::string m_biz, m_number, m_mirror;
    Date m_date;
    LedgerSettings m_settings;
    DateTime m_now;
    PaymentHeader m_header;
    std::string m_note;
    std::vector<StoredApplication> m_lines;
    std::map<std::string, Decimal> m_rates;  // the payment's DET_MOV3
};

bool Annulment::read_payment() {
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    if (!t->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {m_biz, m_number})))
        return fail("El movimiento " + m_number + " no existe");
    if (!trim(t->str("ANULADO")).empty())
        return fail("Este movimiento ya se encuentra anulado:" + m_number);
    m_header = payment_header_from_row(*t);
    m_note = trim(t->str("NOTA_CRED"));
    return true;
}

bool Annulment::dates() {
    if (m_date.empty()) return fail("Fecha de Anulación inválida.");
    if (m_date < m_header.date)
        return fail("La fecha de Anulación debe ser mayor o igual a la fecha del Documento");
    if (m_date.month() != m_settings.month)
        return fail("La fecha de Anulación no pertenece al Mes Activo: " +
                    two_digits(m_settings.month));
    if (m_date.year() != m_settings.year)
        return fail("La fecha de Anulación no pertenece al año Activo: " +
                    std::to_string(m_settings.year));
    return true;
}

bool Annulment::prepare() {
    if (!read_payment()) return false;
    if (!m_port.confirm("Advertencia", "Desea anular el movimiento: " + m_number +
                                           "?\rCliente: " + m_header.customer_name))
        return false;
    if (!dates()) return false;
    const auto mirror = suffixed_number(m_number, "-A");
    if (!mirror) return fail("El número de anulación de " + m_number + " no cabe en 15 caracteres");
    m_mirror = *mirror;
    if (key_exists(m_db, "ENC_MOVE", "ENC_MOVE", {m_biz, m_mirror}))
        return fail("El movimiento de anulación ya se encuentra:" + m_mirror);
    if (m_settings.posts && !check_mayorizar(m_db, m_port, m_biz, m_date)) return false;
    // Annulling the note takes its whole balance away: once the customer used part of it, the
    // payments that used it must be annulled first.
    if (!m_note.empty()) {
        UsedTable d(m_db, "DOCUMENT", "DOCUMENT");
        if (d->Seek(data::order_key("DOCUMENT", "DOCUMENT", {m_biz, m_note})) &&
            d->num("SALDO") != d->num("MONTO"))
            return fail("La nota de crédito " + m_note +
                        " de este movimiento ya fue aplicada.\rDebe anular primero los "
                        "movimientos que la aplicaron");
    }
    return true;
}

// Under the header's lock: another workstation may have annulled it since it was read.
bool Annulment::lock_header() {
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    if (!lock_at_key(*t, data::order_key("ENC_MOVE", "ENC_MOVE", {m_biz, m_number})))
        return fail("El movimiento " + m_number + " no existe");
    const bool annulled = !trim(t->str("ANULADO")).empty();
    data::UNLOCK_FOR_MODIFY(*t);
    return !annulled || fail("Este movimiento ya se encuentra anulado:" + m_number);
}

void Annulment::lock_documents() {
    std::set<std::string> numbers;
    for (const auto& a : m_lines) numbers.insert(a.document);
    UsedTable t(m_db, "DOCUMENT", "DOCUMENT");
    for (const auto& n : numbers)
        if (lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {m_biz, n})))
            data::UNLOCK_FOR_MODIFY(*t);  // kept until the transaction ends
}

// One unit of `currency` in the accounting currency, as the payment had it.
Decimal Annulment::payment_rate(const std::string& currency) const {
    if (currency == m_settings.accounting_currency) return Decimal(1);
    const auto it = m_rates.find(currency);
    return it == m_rates.end() ? Decimal() : it->second;
}

// The document gets back exactly what the payment moved of its balance (a written-off residue
// included), and the interest it recorded as paid.
void Annulment::restore(const StoredApplication& a, ContaTransaction* conta) {
    const auto concept_def = read_payment_concept(m_db, m_biz, a.concept_code);
    const bool lowers = !concept_def || concept_def->balance_sign == 0;
    UsedTable doc(m_db, "DOCUMENT", "DOCUMENT");
    if (!doc->Seek(data::order_key("DOCUMENT", "DOCUMENT", {m_biz, a.document}))) return;
    const std::string currency = trim(doc->str("MONEDA"));
    const Decimal before = doc->num("SALDO");
    const Decimal restored = before + (a.balance_before - a.balance_after);
    const Decimal from = payment_rate(currency), to = payment_rate(m_header.currency);
    const Decimal interest =
        from.sign() > 0 && to.sign() > 0 ? (a.interest * to / from).round(2) : a.interest;
    data::LOCK_FOR_MODIFY(*doc);
    doc->FieldPut("SALDO", restored);
    doc->FieldPut("INTERES", doc->num("INTERES") - (lowers ? interest : -interest));
    data::UNLOCK_FOR_MODIFY(*doc);
    {
        const std::string reversal =
            concept_def && !concept_def->reversal.empty() ? concept_def->reversal : a.concept_code;
        UsedTable det(m_db, "DET_MOVE", "DET_MOVE");
        data::ADD_NEW_REC(*det);
        put_application(*det, m_biz, m_mirror,
                        {a.document, reversal, "(A)" + a.description, m_date, m_now.time, a.amount,
                         a.interest, a.late, before, restored});
        data::UNLOCK_NEW_REC(*det);
    }
    const Decimal rate = CAMBIO_SPEC(m_db, m_biz, m_settings.accounting_currency, currency, m_date);
    const ExchangeDifference x = apply_exchange_difference(
        m_db, {m_biz, a.document, m_mirror, m_date, m_now.time, a.amount, restored, rate});
    if (!x.problem.empty()) m_port.message(MsgStyle::Atencion, "Atencion", x.problem);
    if (conta)
        for (const auto& l : x.lines)
            conta->post_link_side(l.link, l.debit, l.credit, m_settings.accounting_currency,
                                  Decimal(1), l.description);
}

void Annulment::append_headers() {
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    t->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {m_biz, m_number}));
    data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("ANULADO", m_mirror);
    t->FieldPut("F_ANULA", m_date);
    t->FieldPut("H_ANULA", m_now.time);
    data::UNLOCK_FOR_MODIFY(*t);
    PaymentHeader h = m_header;
    h.date = m_date;
    h.comment = "Anula Movimiento: " + m_number;
    data::ADD_NEW_REC(*t);
    put_payment_header(*t, m_biz, m_mirror, h, m_now.time);
    t->FieldPut("ANULADO", m_number);
    t->FieldPut("F_ANULA", m_date);
    t->FieldPut("H_ANULA", m_now.time);
    t->FieldPut("USUARIO", m_db.XUSER_ABREVIA);
    t->FieldPut("INFO_USER", info_user(m_now));
    data::UNLOCK_NEW_REC(*t);
}

// Each tender comes back with its method's reversal method; a method without one takes its own
// amount back with the sign turned, so a register's closing nets it out either way.
void Annulment::append_tenders() {
    const auto tenders = read_tenders(m_db, kPostedPayment, m_biz, m_number);
    UsedTable t(m_db, "DET_MOV2", "DET_MOV2");
    for (PaymentTender tender : tenders) {
        const auto m = read_payment_method(m_db, m_biz, tender.method);
        if (m && !m->reversal.empty())
            tender.method = m->reversal;
        else
            tender.amount = -tender.amount;
        tender.description = "Anula: " + tender.description;
        data::ADD_NEW_REC(*t);
        put_tender(*t, m_biz, m_mirror, tender);
        data::UNLOCK_NEW_REC(*t);
    }
}

void Annulment::copy_rates() {
    UsedTable t(m_db, "DET_MOV3", "DET_MOV3");
    for (const auto& [currency, rate] : m_rates) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", m_biz);
        t->FieldPut("MOVIMIENTO", m_mirror);
        t->FieldPut("MONEDA_1", currency);
        t->FieldPut("MONEDA_2", m_settings.accounting_currency);
        t->FieldPut("CAMBIO", rate);
        data::UNLOCK_NEW_REC(*t);
    }
}

// The payment's journal lines, found by its number through the journal's reference order
// (whatever voucher or day they went to). Its exchange-difference adjustments stay: the
// revaluation they record in DET_DOC3 stands, and the annulment revalues the documents again
// from there. The credit note's own lines are reversed by the note's annulment.
std::vector<PostedLine> Annulment::payment_lines() {
    std::vector<PostedLine> out;
    UsedTable d(m_db, "DET_AS", "DET_AS6");
    const std::string key = data::order_key("DET_AS", "DET_AS6", {m_biz, m_number});
    d->SetScope(key, key);
    for (d->GoTop(); !d->Eof(); d->Skip()) {
        const std::string text = trim(d->str("DESCRIP"));
        if (starts_with(text, "A/Diff: ") ||
            (!m_note.empty() && posted_for_document(text, m_note)))
            continue;
        out.push_back({trim(d->str("CUENTA")), trim(d->str("MONEDA")), text, d->num("DEBITO"),
                       d->num("CREDITO"), d->num("T_CAMBIO")});
    }
    return out;
}

// The documents' accounting mode: the payment refused documents of two modes.
int Annulment::books() const {
    if (m_lines.empty()) return 0;
    const auto l = applied_document(m_db, m_biz, m_lines.front().document);
    return l ? l->books : 0;
}

void Annulment::read_rates() {
    UsedTable t(m_db, "DET_MOV3", "DET_MOV3");
    const std::string key = data::order_key("DET_MOV3", "DET_MOV3", {m_biz, m_number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) m_rates[trim(t->str("MONEDA_1"))] = t->num("CAMBIO");
}

// The payment's lines are read before the annulment adds any to the day's voucher.
void Annulment::reverse_postings(std::optional<ContaTransaction>& conta) {
    const auto posted = payment_lines();
    conta.emplace(m_db, m_biz, "03", m_date, m_mirror,
                  JournalStamp{m_db.XUSER_ABREVIA, info_user(m_now)});
    if (!conta->ok()) m_port.message(MsgStyle::Error, "Error", conta->error());
    for (const auto& l : posted)
        conta->post_line(l.account, l.credit, l.debit, l.currency, l.rate,
                         utf8_substr(annulment::reversal_label(l.description), 0, 100));
}

bool Annulment::write() {
    if (!lock_header()) return false;
    m_lines = read_applications(m_db, kPostedPayment, m_biz, m_number);
    read_rates();
    lock_documents();
    std::optional<ContaTransaction> conta;
    if (m_settings.posts) reverse_postings(conta);
    ContaTransaction* c = conta ? &*conta : nullptr;
    if (!m_note.empty()) {
        NewDocument d;
        d.number = m_note;
        d.annul = true;
        d.date = m_date;
        d.time = m_now.time;
        GEN_DOC gen(m_db, m_port, m_biz, c);
        if (!gen.NEW_DOC(d)) return false;
    }
    if (c) c->set_books(static_cast<Books>(books()));
    append_headers();
    for (const auto& a : m_lines) restore(a, c);
    append_tenders();
    copy_rates();
    if (c) c->close();
    return true;
}

}  // namespace

bool ANULA_MOVE(data::Db& db, UserPort& port, const std::string& business,
                const std::string& number, const Date& date) {
    Annulment a(db, port, business, number, date);
    if (!a.prepare()) return false;
    try {
        data::Transaction tx(db, data::kTransPaymentCancel);
        if (!a.write()) {
            tx.rollback();
            return false;
        }
        tx.commit();
    } catch (const data::DbError&) {
        return refuse(port, kPaymentAnnulFailed);
    }
    port.message(MsgStyle::Aviso, "Aviso", kPaymentAnnulled);
    return true;
}

}  // namespace qz::domain
