#include "domain/ledger/payment_posting.h"

#include <algorithm>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/payment_checks.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain {

namespace {

class Posting {
public:
    Posting(data::Db& db, UserPort& port, const PaymentDraft& d, const CheckedPayment& checked,
            const IniFile* ini)
        : m_db(db),
          m_port(port),
          m_d(d),
          m_h(d.header()),
          m_biz(d.business()),
          m_checked(checked),
          m_ini(ini),
          m_now(db.clock().now()) {}

    // Inside the caller's transaction; none after a refusal told to the user.
    std::optional<std::string> write();
    // Whether anything was written before a refusal (the transaction must then roll back).
    bool wrote() const { return m_wrote; }

private:
    bool fail(const std::string& text) { return refuse(m_port, text); }
    bool balances_unchanged();
    std::optional<std::string> receipt_number();
    std::optional<std::string> create_note(const std::string& receipt, ContaTransaction* conta);
    void append_header(const std::string& receipt, const std::string& note);
    void apply_all(const std::string& receipt, ContaTransaction* conta);
    void revalue(const AppliedLine& l, const Decimal& balance, const std::string& receipt,
                 ContaTransaction* conta);
    void post_application(const AppliedLine& l, ContaTransaction& c);
    void append_tenders(const std::string& receipt, ContaTransaction* conta);
    void append_rates(const std::string& receipt);
    void store_pass_code();
    const std::string& accounting() const { return m_d.settings().accounting_currency; }

    data::Db& m_db;
    UserPort& m_port;
    const PaymentDraft& m_d;
    const PaymentHeader& m_h;
    const std::string& m_biz;
    const CheckedPayment& m_checked;
    const IniFile* m_ini;
    DateTime m_now;
    bool m_wrote = false;
};

// Each document locked (in number order) and its balance compared with the one the payment was
// figured on; the locks stay until the transaction ends.
bool Posting::balances_unchanged() {
    std::vector<const AppliedLine*> by_number;
    for (const auto& l : m_d.lines()) by_number.push_back(&l);
    std::sort(by_number.begin(), by_number.end(),
              [](const AppliedLine* a, const AppliedLine* b) { return a->document < b->document; });
    std::string changed;
    UsedTable t(m_db, "DOCUMENT", "DOCUMENT");
    for (const AppliedLine* l : by_number) {
        const bool locked =
            lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {m_biz, l->document}));
        if (!locked || t->num("SALDO") != l->balance_read)
            changed += (changed.empty() ? "" : "\r\n") + l->document;
        if (locked) data::UNLOCK_FOR_MODIFY(*t);
    }
    return changed.empty() || fail(kBalancesChanged + changed);
}

std::optional<std::string> Posting::receipt_number() {
    const auto block = read_receipt_block(m_db, m_biz, m_h.block);
    if (block->typed) {
        const std::string n = trim(m_h.receipt);
        if (!key_exists(m_db, "ENC_MOVE", "ENC_MOVE", {m_biz, n})) return n;
        fail("Este recibo ya fue creado: " + n);
        return std::nullopt;
    }
    m_wrote = true;  // the series moves forward
    if (auto n = next_receipt_number(m_db, m_biz, block->series)) return n;
    fail("Consecutivo de Recibo no existe: " + block->series);
    return std::nullopt;
}

// The excess becomes a credit note of the customer's principal branch, posted in the payment's
// voucher. The document service posts the note's receivable against its counter-account; the
// money received is that counter-account's other side, so the voucher balances against the
// tenders.
std::optional<std::string> Posting::create_note(const std::string& receipt,
                                                ContaTransaction* conta) {
    const ExcessNote& note = *m_d.note();
    const auto branches = customers::branches_principal_first(m_db, m_biz, m_h.customer);
    NewDocument d;
    d.amount = note.amount;
    d.concept_code = note.concept_code;
    d.currency = m_h.currency;
    d.customer = m_h.customer;
    d.branch = branches.empty() ? "" : branches.front().branch.code;
    d.customer_name = m_h.customer_name;
    d.cash_register = trim(m_h.register_code);
    d.description = "Exceso del recibo " + receipt;
    d.date = m_h.date;
    d.time = m_now.time;
    GEN_DOC gen(m_db, m_port, m_biz, conta);
    gen.set_workstation(m_ini);
    const auto number = gen.NEW_DOC(d);
    if (!number) return std::nullopt;
    UsedTable t(m_db, "DOCUMENT", "DOCUMENT");
    if (lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {m_biz, *number}))) {
        t->FieldPut("T_PRECIO", m_d.settings().price_type);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    const auto c = read_document_concept(m_db, m_biz, note.concept_code);
    if (conta && c) {
        conta->set_books(static_cast<Books>(c->books));
        const bool turned = c->debit == 0;  // as the document service turned its lines
        const std::string text = "Exceso: " + *number + " " + m_h.customer_name;
        const Decimal rate = m_d.rate_of(m_h.currency);
        if (c->flag("COMPLEMENT"))
            conta->post_link(c->links[0], (note.amount * rate).round(2), accounting(), Decimal(1),
                             text, !turned);
        else
            conta->post_link(c->links[0], note.amount, m_h.currency, rate, text, !turned);
    }
    return number;
}

void Posting::append_header(const std::string& receipt, const std::string& note) {
    std::string bank, account;
    if (!trim(m_h.deposit).empty()) {
        UsedTable dep(m_db, "DEPOSITO", "DEPOSITO");
        if (dep->Seek(data::order_key("DEPOSITO", "DEPOSITO", {m_biz, trim(m_h.deposit)}))) {
            bank = trim(dep->str("BANCO"));
            account = trim(dep->str("CUENTA"));
        }
    }
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    data::ADD_NEW_REC(*t);
    put_payment_header(*t, m_biz, receipt, m_h, m_now.time);
    t->FieldPut("NOTA_CRED", note);
    t->FieldPut("DEP_BANCO", bank);
    t->FieldPut("DEP_CUENTA", account);
    t->FieldPut("USUARIO", m_db.XUSER_ABREVIA);
    t->FieldPut("INFO_USER", info_user(m_now));
    data::UNLOCK_NEW_REC(*t);
}

// Lowering concepts take the receivable down: its link reversed. A credit document's receivable
// was posted turned over by the document service, so applying one turns it back the other way.
void Posting::post_application(const AppliedLine& l, ContaTransaction& c) {
    const bool reverse = l.lowers() != !l.debit;
    const Decimal rate = m_d.rate_of(m_h.currency);
    const std::string who = l.document + " " + m_h.customer_name;
    const Decimal interest = l.interest + l.late;
    if (!l.complement) {
        c.post_link(l.receivable_link, l.amount, m_h.currency, rate, "Ab: " + who, reverse);
        c.post_link(l.interest_link, interest, m_h.currency, rate, "Int: " + who, reverse);
        return;
    }
    const Decimal nominal = (l.amount / l.factor).round(2);
    const Decimal one(1);
    c.post_link(l.receivable_link, nominal, accounting(), one, "Abono a: " + who, reverse);
    c.post_link(l.complement_link, (l.amount * rate).round(2) - nominal, accounting(), one,
                "Compl.a: " + who, reverse);
    c.post_link(l.interest_link, (interest * rate).round(2), accounting(), one, "Interés: " + who,
                reverse);
}

void Posting::apply_all(const std::string& receipt, ContaTransaction* conta) {
    UsedTable det(m_db, "DET_MOVE", "DET_MOVE"), doc(m_db, "DOCUMENT", "DOCUMENT");
    for (size_t i = 0; i < m_d.lines().size(); ++i) {
        const AppliedLine& l = m_d.lines()[i];
        const Decimal balance = m_checked.balances[i];
        data::ADD_NEW_REC(*det);
        put_application(*det, m_biz, receipt,
                        {l.document, l.concept_def.code, l.description, m_h.date, m_now.time,
                         l.amount, l.interest, l.late, l.balance_read, balance});
        data::UNLOCK_NEW_REC(*det);
        doc->Seek(data::order_key("DOCUMENT", "DOCUMENT", {m_biz, l.document}));
        data::LOCK_FOR_MODIFY(*doc);  // locked since the balances were compared
        doc->FieldPut("SALDO", balance);
        doc->FieldPut("INTERES",
                      doc->num("INTERES") + (l.lowers() ? l.interest_doc : -l.interest_doc));
        data::UNLOCK_FOR_MODIFY(*doc);
        if (conta) post_application(l, *conta);
        if (l.currency != accounting()) revalue(l, balance, receipt, conta);
    }
}

void Posting::revalue(const AppliedLine& l, const Decimal& balance, const std::string& receipt,
                      ContaTransaction* conta) {
    const ExchangeDifference x =
        apply_exchange_difference(m_db, {m_biz, l.document, receipt, m_h.date, m_now.time, l.amount,
                                         balance, m_d.rate_of(l.currency)});
    if (!x.problem.empty()) m_port.message(MsgStyle::Atencion, "Atencion", x.problem);
    if (conta)
        for (const auto& a : x.lines)
            conta->post_link_side(a.link, a.debit, a.credit, accounting(), Decimal(1),
                                  a.description);
}

void Posting::append_tenders(const std::string& receipt, ContaTransaction* conta) {
    const Decimal rate = m_d.rate_of(m_h.currency);
    UsedTable t(m_db, "DET_MOV2", "DET_MOV2");
    for (const auto& tender : m_d.tenders()) {
        data::ADD_NEW_REC(*t);
        put_tender(*t, m_biz, receipt, tender);
        data::UNLOCK_NEW_REC(*t);
        if (!conta) continue;
        const auto m = read_payment_method(m_db, m_biz, tender.method);
        std::string text = "Ingreso: " + receipt + " " + m_h.customer_name;
        if (!trim(tender.voucher).empty())
            text += " Voucher:" + trim(tender.voucher) + " " + trim(tender.authorisation);
        // Documents valued through complement accounts post everything in the accounting
        // currency, the tenders with them.
        const Decimal amount =
            m_checked.complement ? (tender.amount * rate).round(2) : tender.amount;
        const std::string& currency = m_checked.complement ? accounting() : m_h.currency;
        const Decimal at = m_checked.complement ? Decimal(1) : rate;
        if (m->individual)
            conta->post_line(trim(tender.account), m->individual_side == 0 ? amount : Decimal(),
                             m->individual_side == 1 ? amount : Decimal(), currency, at, text);
        else
            conta->post_link(m->link, amount, currency, at, text);
    }
}

void Posting::append_rates(const std::string& receipt) {
    append_payment_rates(m_db, m_biz, receipt, accounting(), m_d.rates());
}

// A register's plain pass code that matched is stored hashed from now on.
void Posting::store_pass_code() {
    if (m_checked.rehashed_pass_code.empty()) return;
    UsedTable t(m_db, "ENC_RCAJ", "ENC_RCAJ");
    if (!lock_at_key(*t, data::order_key("ENC_RCAJ", "ENC_RCAJ", {m_biz, trim(m_h.register_code)})))
        return;
    if (!is_pass_code_hash(t->str("PASSWORD")))
        t->FieldPut("PASSWORD", m_checked.rehashed_pass_code);
    data::UNLOCK_FOR_MODIFY(*t);
}

std::optional<std::string> Posting::write() {
    if (!balances_unchanged()) return std::nullopt;
    const auto receipt = receipt_number();
    if (!receipt) return std::nullopt;
    m_wrote = true;
    std::optional<ContaTransaction> conta;
    if (m_d.settings().posts)
        conta.emplace(m_db, m_biz, "03", m_h.date, *receipt,
                      JournalStamp{m_db.XUSER_ABREVIA, info_user(m_now)});
    ContaTransaction* c = conta ? &*conta : nullptr;
    // A journal without its series posts nothing; the payment itself is still written.
    if (c && !c->ok()) m_port.message(MsgStyle::Error, "Error", c->error());
    std::string note;
    if (m_d.note()) {
        const auto n = create_note(*receipt, c);
        if (!n) return std::nullopt;
        note = *n;
    }
    if (c) c->set_books(static_cast<Books>(m_checked.books));
    append_header(*receipt, note);
    apply_all(*receipt, c);
    append_tenders(*receipt, c);
    if (c) c->close();
    if (!m_h.pending.empty()) delete_payment_rows(m_db, kPendingPayment, m_biz, m_h.pending);
    append_rates(*receipt);
    store_pass_code();
    return receipt;
}

}  // namespace

std::optional<std::string> PROCESA_ABONO(data::Db& db, UserPort& port, const PaymentDraft& draft,
                                         const IniFile* workstation, const char* date_range_text) {
    const auto checked = CHECK_DATA(db, port, draft, date_range_text);
    if (!checked) return std::nullopt;
    if (draft.settings().posts && !check_mayorizar(db, port, draft.business(), draft.header().date))
        return std::nullopt;
    try {
        data::Transaction tx(db, data::kTransPayment);
        Posting p(db, port, draft, *checked, workstation);
        const auto receipt = p.write();
        if (!receipt && p.wrote()) {
            tx.rollback();
            return std::nullopt;
        }
        tx.commit();  // refused before writing: only the locks to give back
        return receipt;
    } catch (const data::DbError&) {
        refuse(port, kPaymentFailed);
        return std::nullopt;
    }
}

}  // namespace qz::domain
