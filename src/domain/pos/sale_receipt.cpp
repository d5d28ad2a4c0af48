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
    Receipt(data::Db& db, ContaTransaction* conta, const SaleReceiptRequest& r)
        : m_db(db),
          m_conta(conta),
          m_r(r),
          m_c(*r.doc_concept),
          m_sign(r.doc_concept->debit == 1 ? 1 : -1),
          m_accounting(read_ledger_settings(db, r.business).accounting_currency),
          m_time(trim(r.time).empty() ? db.clock().now().time : r.time) {}

    std::string write(const Decimal& paid);

private:
    std::string number() const;
    void append_header(const std::string& receipt, const Decimal& paid);
    Decimal lower_balance(const Decimal& paid);
    void append_application(const std::string& receipt, const Decimal& paid, const Decimal& before);
    void append_tenders(const std::string& receipt, const Decimal& paid);
    void post_receivable(const Decimal& paid);
    void post_tender(const PaymentMethod* m, const Decimal& amount, const std::string& text);
    void charge_room(const PaymentMethod& m, const TenderRow& r);

    data::Db& m_db;
    ContaTransaction* m_conta;
    const SaleReceiptRequest& m_r;
    const DocumentConcept& m_c;
    int m_sign;
    std::string m_accounting, m_time;
};

std::string Receipt::number() const {
    const auto block = read_receipt_block(m_db, m_r.business, m_c.receipt_block);
    if (!block) fail(kNoBlock + m_c.receipt_block);
    const auto n = next_receipt_number(m_db, m_r.business, block->series);
    if (!n) fail(kNoSeries + block->series);
    return *n;
}

std::string Receipt::write(const Decimal& paid) {
    const std::string receipt = number();
    append_header(receipt, paid);
    const Decimal before = lower_balance(paid);
    append_application(receipt, paid, before);
    if (m_conta && !(m_c.flag("CANCELA") && m_c.flag("NO_CXC"))) post_receivable(paid);
    append_tenders(receipt, paid);
    append_payment_rates(m_db, m_r.business, receipt, m_accounting,
                         day_rates(m_db, m_r.business, m_accounting, m_r.date));
    return receipt;
}

void Receipt::append_header(const std::string& receipt, const Decimal& paid) {
    PaymentHeader h;
    h.register_code = m_r.register_code;
    h.customer = m_r.customer;
    h.customer_name = m_r.customer_name;
    h.block = m_c.receipt_block;
    h.currency = m_r.currency;
    h.amount = paid;
    h.date = m_r.date;
    UsedTable t(m_db, "ENC_MOVE", "ENC_MOVE");
    data::ADD_NEW_REC(*t);
    put_payment_header(*t, m_r.business, receipt, h, m_time);
    t->FieldPut("USUARIO", m_r.user);
    t->FieldPut("INFO_USER", m_r.info_user);
    data::UNLOCK_NEW_REC(*t);
}

// The balance is read and lowered under the document's lock, so a payment taken at the same
// moment elsewhere is never lost; the balance before is returned.
Decimal Receipt::lower_balance(const Decimal& paid) {
    UsedTable t(m_db, "DOCUMENT", "DOCUMENT");
    if (!lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {m_r.business, m_r.document})))
        fail("El documento " + m_r.document + " no existe");
    const Decimal before = t->num("SALDO");
    t->FieldPut("SALDO", before - paid);
    data::UNLOCK_FOR_MODIFY(*t);
    return before;
}

void Receipt::append_application(const std::string& receipt, const Decimal& paid,
                                 const Decimal& before) {
    const auto pc = read_payment_concept(m_db, m_r.business, m_c.payment_concept);
    StoredApplication a;
    a.document = m_r.document;
    a.concept_code = m_c.payment_concept;
    a.description = trim((pc ? pc->name : std::string()) + " " + m_r.document);
    a.date = m_r.date;
    a.time = m_time;
    a.amount = paid;
    a.balance_before = before;
    a.balance_after = before - paid;
    UsedTable t(m_db, "DET_MOVE", "DET_MOVE");
    data::ADD_NEW_REC(*t);
    put_application(*t, m_r.business, receipt, a);
    data::UNLOCK_NEW_REC(*t);
}

// The tenders with a code and an amount; none such: the whole amount in the concept's default
// payment type.
void Receipt::append_tenders(const std::string& receipt, const Decimal& paid) {
    std::vector<TenderRow> rows;
    for (const auto& r : m_r.tenders)
        if (r.used() && !r.amount.is_zero()) rows.push_back(r);
    const bool by_default = rows.empty();
    if (by_default) {
        TenderRow r;
        r.code = m_c.payment_method;
        r.amount = paid;
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

// The payment takes the receivable down: its link reversed. A concept valued through
// complement accounts posts in the accounting currency, as its document did.
void Receipt::post_receivable(const Decimal& paid) {
    const std::string text = "Abono a: " + m_r.document;
    const Decimal s(m_sign);
    if (!m_c.flag("COMPLEMENT")) {
        m_conta->post_link(m_c.links[kReceivable], paid * s, m_r.currency, m_r.rate, text, true);
        return;
    }
    const Decimal nominal = paid.round(2);
    m_conta->post_link(m_c.links[kReceivable], nominal * s, m_accounting, Decimal(1), text, true);
    m_conta->post_link(m_c.links[kComplement], ((paid * m_r.rate) - nominal).round(2) * s,
                       m_accounting, Decimal(1), "Compl.a: " + m_r.document, true);
}

void Receipt::post_tender(const PaymentMethod* m, const Decimal& amount, const std::string& text) {
    if (!m_conta) return;
    const std::string link = m ? m->link : std::string();
    const Decimal s(m_sign);
    if (m_c.flag("COMPLEMENT"))
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
    c.document = m_r.document;
    c.amount = r.amount;
    c.folio_key = r.account;
    c.user = m_r.user;
    c.articles = m_r.articles;
    const RoomChargeResult out = ADD_CARGO(m_db, c);
    if (!out) fail(out.problem);
}

}  // namespace

std::string check_sale_receipt(data::Db& db, const std::string& business,
                               const DocumentConcept& doc_concept, const Decimal& paid) {
    if (paid.is_zero()) return "";
    const auto block = read_receipt_block(db, business, doc_concept.receipt_block);
    if (!block) return kNoBlock + doc_concept.receipt_block;
    if (!series_exists(db, business, block->series)) return kNoSeries + block->series;
    return "";
}

std::string ADD_ABONO(data::Db& db, ContaTransaction* conta, const SaleReceiptRequest& request) {
    const Decimal paid = request.doc_concept->flag("CANCELA") ? request.balance : request.paid;
    if (paid.is_zero()) return "";
    return Receipt(db, conta, request).write(paid);
}

}  // namespace qz::domain::pos
