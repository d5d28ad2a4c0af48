// The counter receipt of a sale: numbered from the concept's receipt book, one tender row per
// way the customer paid, the receivable lowered in the journal and on the document, room
// charges on the hotel folio and the day's rates kept with it.
#include "domain/pos/sale_receipt.h"

#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kNoBlock = "No se encuentra el Block de Recibos: ";
constexpr const char* kNoSeries = "Consecutivo de Recibo no existe: ";
constexpr int kReceivable = 2, kComplement = 5;  // ASIENTO4, CXC_COMPL in the concept's links

[[noreturn]] void fail(const std::string& text) { throw std::runtime_error(text); }

bool series_exists(data::Db& db, const std::string& business, const std::string& code) {
    if (trim(code).empty()) return false;
    UsedTable t(db, "SERIALES", "SERIALES");
    return t->Seek(series_key(business, trim(code)));
}

// A tender row as the receipt keeps it.
PaymentTender stored_tender(const TenderRow& r) {
    PaymentTender t;
    t.method = trim(r.code);
    t.description = r.name;
    t.amount = r.amount;
    t.voucher = r.voucher;
    t.authorisation = r.authorisation;
    t.room = r.room;
    t.reservation = r.account;
    t.signature = r.signature;
    t.card = r.card;
    t.reference = r.reference;
    t.card_authorisation = r.card_authorisation;
    t.trace = r.trace;
    t.terminal = r.terminal;
    return t;
}

class Receipt {
public:
    Receipt(data::Db& db, ContaTransaction* conta, const CounterReceipt& r)
        : m_db(db),
          m_conta(conta),
          m_r(r),
          m_accounting(read_ledger_settings(db, r.business).accounting_currency),
          m_time(trim(r.time).empty() ? db.clock().now().time : r.time) {
        for (const auto& a : r.applications)
            m_complement = m_complement || a.doc_concept->flag("COMPLEMENT");
    }

    void write(const std::string& receipt);

private:
    void append_header(const std::string& receipt);
    Decimal lower_balance(const ReceiptApplication& a);
    void append_application(const std::string& receipt, const ReceiptApplication& a,
                            const Decimal& before);
    void append_tenders(const std::string& receipt);
    void post_receivable(const ReceiptApplication& a);
    void post_tender(const PaymentMethod* m, const Decimal& amount, const std::string& text);
    void charge_room(const PaymentMethod& m, const TenderRow& r);

    data::Db& m_db;
    ContaTransaction* m_conta;
    const CounterReceipt& m_r;
    std::string m_accounting, m_time;
    bool m_complement = false;
};

void Receipt::write(const std::string& receipt) {
    append_header(receipt);
    for (const auto& a : m_r.applications) {
        const DocumentConcept& c = *a.doc_concept;
        const Decimal before = lower_balance(a);
        append_application(receipt, a, before);
        if (m_conta && !(c.flag("CANCELA") && c.flag("NO_CXC"))) post_receivable(a);
    }
    append_tenders(receipt);
    append_payment_rates(m_db, m_r.business, receipt, m_accounting,
                         day_rates(m_db, m_r.business, m_accounting, m_r.date));
}

void Receipt::append_header(const std::string& receipt) {
    PaymentHeader h;
    h.register_code = m_r.register_code;
    h.clerk = m_r.clerk;
    h.customer = m_r.customer;
    h.customer_name = m_r.customer_name;
    h.block = m_r.block;
    h.currency = m_r.currency;
    h.amount = m_r.amount;
    h.date = m_r.date;
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    data::ADD_NEW_REC(*t);
    put_payment_header(*t, m_r.business, receipt, h, m_time);
    if (!m_r.limit.empty()) t->FieldPut("F_LIMITE", m_r.limit);
    t->FieldPut("USUARIO", m_r.user);
    t->FieldPut("INFO_USER", m_r.info_user);
    data::UNLOCK_NEW_REC(*t);
}

// The balance is read and lowered under the document's lock, so a payment taken at the same
// moment elsewhere is never lost; the balance before is returned.
Decimal Receipt::lower_balance(const ReceiptApplication& a) {
    UsedTable t(m_db, "DOCUMENT", "DOCUMENT");
    if (!lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {m_r.business, a.document})))
        fail("El documento " + a.document + " no existe");
    const Decimal before = t->num("SALDO");
    t->FieldPut("SALDO", before - a.paid_doc);
    data::UNLOCK_FOR_MODIFY(*t);
    return before;
}

void Receipt::append_application(const std::string& receipt, const ReceiptApplication& a,
                                 const Decimal& before) {
    const DocumentConcept& c = *a.doc_concept;
    const auto pc = read_payment_concept(m_db, m_r.business, c.payment_concept);
    StoredApplication s;
    s.document = a.document;
    s.concept_code = c.payment_concept;
    s.description = trim((pc ? pc->name : std::string()) + " " + a.document);
    s.date = m_r.date;
    s.time = m_time;
    s.amount = a.paid;
    s.balance_before = before;
    s.balance_after = before - a.paid_doc;
    UsedTable t(m_db, "DET_MOVE", "DET_MOVE");
    data::ADD_NEW_REC(*t);
    put_application(*t, m_r.business, receipt, s);
    data::UNLOCK_NEW_REC(*t);
}

// The tenders with a code and an amount; none such: the whole amount in the default payment
// type.
void Receipt::append_tenders(const std::string& receipt) {
    std::vector<TenderRow> rows;
    for (const auto& r : m_r.tenders)
        if (r.used() && !r.amount.is_zero()) rows.push_back(r);
    const bool by_default = rows.empty();
    if (by_default) {
        TenderRow r;
        r.code = m_r.default_method;
        r.amount = m_r.amount;
        rows.push_back(r);
    }
    UsedTable t(m_db, "DET_MOV2", "DET_MOV2");
    for (auto& r : rows) {
        const auto m = read_payment_method(m_db, m_r.business, r.code);
        if (m && trim(r.name).empty()) r.name = m->name;
        data::ADD_NEW_REC(*t);
        put_tender(*t, m_r.business, receipt, stored_tender(r));
        data::UNLOCK_NEW_REC(*t);
        std::string text = (by_default ? "Ingreso (D): " : "Ingreso: ") + receipt;
        if (!trim(r.voucher).empty() || !trim(r.authorisation).empty())
            text += " Vchr:" + trim(r.voucher) + " Aut:" + trim(r.authorisation);
        post_tender(m ? &*m : nullptr, r.amount.round(2), text);
        if (m && m->to_hotel) charge_room(*m, r);
    }
}

// The payment takes the receivable down: its link reversed, a credit document's the other way.
// A concept valued through complement accounts posts in the accounting currency, as its
// document did: the nominal amount in the document's currency and the rest of its value on the
// complement.
void Receipt::post_receivable(const ReceiptApplication& a) {
    const DocumentConcept& c = *a.doc_concept;
    const std::string text = "Abono a: " + a.document;
    const Decimal s(c.debit == 1 ? 1 : -1);
    if (!c.flag("COMPLEMENT")) {
        m_conta->post_link(c.links[kReceivable], a.paid * s, m_r.currency, m_r.rate, text, true);
        return;
    }
    const Decimal nominal = a.paid_doc.round(2);
    m_conta->post_link(c.links[kReceivable], nominal * s, m_accounting, Decimal(1), text, true);
    m_conta->post_link(c.links[kComplement], ((a.paid * m_r.rate) - nominal).round(2) * s,
                       m_accounting, Decimal(1), "Compl.a: " + a.document, true);
}

void Receipt::post_tender(const PaymentMethod* m, const Decimal& amount, const std::string& text) {
    if (!m_conta) return;
    const std::string link = m ? m->link : std::string();
    const Decimal s(m_r.tender_sign);
    if (m_complement)
        m_conta->post_link(link, (amount * m_r.rate).round(2) * s, m_accounting, Decimal(1), text);
    else
        m_conta->post_link(link, amount * s, m_r.currency, m_r.rate, text);
}

void Receipt::charge_room(const PaymentMethod& m, const TenderRow& r) {
    RoomChargeRequest c;
    c.currency = m_r.currency;
    c.business = m_r.business;
    c.room = r.room;
    c.transaction = m.charge;
    c.document = m_r.charge_document;
    c.amount = r.amount;
    c.folio_key = r.account;
    c.user = m_r.user;
    c.articles = m_r.articles;
    const RoomChargeResult out = ADD_CARGO(m_db, c);
    if (!out) fail(out.problem);
}

}  // namespace

std::string check_receipt_block(data::Db& db, const std::string& business,
                                const std::string& block) {
    const auto b = read_receipt_block(db, business, block);
    if (!b) return kNoBlock + block;
    if (!series_exists(db, business, b->series)) return kNoSeries + b->series;
    return "";
}

std::string check_sale_receipt(data::Db& db, const std::string& business,
                               const DocumentConcept& doc_concept, const Decimal& paid) {
    if (paid.is_zero()) return "";
    return check_receipt_block(db, business, doc_concept.receipt_block);
}

std::string take_receipt_number(data::Db& db, const std::string& business,
                                const std::string& block) {
    const auto b = read_receipt_block(db, business, block);
    if (!b) fail(kNoBlock + block);
    const auto n = next_receipt_number(db, business, b->series);
    if (!n) fail(kNoSeries + b->series);
    return *n;
}

void write_counter_receipt(data::Db& db, ContaTransaction* conta, const CounterReceipt& receipt,
                           const std::string& number) {
    Receipt(db, conta, receipt).write(number);
}

std::string ADD_ABONO(data::Db& db, ContaTransaction* conta, const SaleReceiptRequest& request) {
    const DocumentConcept& c = *request.doc_concept;
    const Decimal paid = c.flag("CANCELA") ? request.balance : request.paid;
    if (paid.is_zero()) return "";
    CounterReceipt r;
    r.business = request.business;
    r.customer = request.customer;
    r.customer_name = request.customer_name;
    r.currency = request.currency;
    r.register_code = request.register_code;
    r.block = c.receipt_block;
    r.user = request.user;
    r.info_user = request.info_user;
    r.date = request.date;
    r.time = request.time;
    r.amount = paid;
    r.rate = request.rate;
    r.tender_sign = c.debit == 1 ? 1 : -1;
    r.default_method = c.payment_method;
    r.charge_document = request.document;
    r.applications = {{request.document, &c, paid, paid}};
    r.tenders = request.tenders;
    r.articles = request.articles;
    const std::string number = take_receipt_number(db, request.business, c.receipt_block);
    write_counter_receipt(db, conta, r, number);
    return number;
}

}  // namespace qz::domain::pos
