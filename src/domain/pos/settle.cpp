#include "domain/pos/settle.h"

#include <algorithm>
#include <tuple>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/statement_tables.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kOpenClass = "0";  // DOCUMEN8's class of documents with a balance

}  // namespace

std::vector<PendingDocument> pending_documents(data::Db& db, const std::string& business,
                                               const std::string& customer) {
    std::vector<PendingDocument> out;
    UsedTable doc(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpenClass, trim(customer)});
    doc->SetScope(key, key);
    for (doc->GoTop(); !doc->Eof(); doc->Skip()) {
        if (!trim(doc->str("ANULADO")).empty()) continue;
        PendingDocument d;
        d.document = trim(doc->str("DOCUMENTO"));
        d.concept_code = trim(doc->str("CONCEPTO"));
        d.currency = trim(doc->str("MONEDA"));
        d.customer_name = trim(doc->str("NOM_CLIENT"));
        d.date = doc->date("FECHA");
        d.balance = doc->num("SALDO");
        out.push_back(std::move(d));
    }
    for (auto& d : out) {
        const auto c = read_document_concept(db, business, d.concept_code);
        d.debit = !c || c->debit == 1;
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return std::tie(a.date, a.document) < std::tie(b.date, b.document);
    });
    return out;
}

Settlement::Settlement(data::Db& db, std::string business, const Date& date)
    : m_db(db),
      m_business(std::move(business)),
      m_accounting(read_ledger_settings(db, m_business).accounting_currency),
      m_date(date),
      m_rates(day_rates(db, m_business, m_accounting, date)) {}

void Settlement::set_register(std::optional<SettleRegister> reg) {
    if (reg && trim(reg->currency).empty()) reg->currency = m_accounting;
    m_register = std::move(reg);
}

std::string Settlement::total_caption() const {
    if (!m_register) return kClosedRegister;
    const auto c = read_currency(m_db, m_business, m_register->currency);
    return "Total Pagar: " + (c ? trim(c->symbol) : std::string());
}

void Settlement::set_customer(const std::string& code) {
    m_customer = trim(code);
    reload();
}

void Settlement::reload() {
    m_documents = m_customer.empty() ? std::vector<PendingDocument>{}
                                     : pending_documents(m_db, m_business, m_customer);
}

void Settlement::set_marked(size_t index, bool on) {
    if (index < m_documents.size()) m_documents[index].marked = on;
}

bool Settlement::any_marked() const {
    return std::any_of(m_documents.begin(), m_documents.end(),
                       [](const PendingDocument& d) { return d.marked; });
}

Decimal Settlement::rate_of(const std::string& currency) const {
    if (currency.empty() || currency == m_accounting) return Decimal(1);
    for (const auto& r : m_rates)
        if (r.currency == currency) return r.rate;
    return Decimal();
}

// One unit of the document's currency is rate(D) / rate(P) of the register's: the balance is
// carried from its own currency into the register's, never the other way round.
Decimal Settlement::in_register_currency(const PendingDocument& d) const {
    if (!m_register || d.currency == m_register->currency) return d.balance;
    const Decimal from = rate_of(d.currency), to = rate_of(m_register->currency);
    if (from.sign() <= 0 || to.sign() <= 0) return Decimal();
    return (d.balance * from / to).round(2);
}

Decimal Settlement::total() const {
    Decimal t;
    for (const auto& d : m_documents)
        if (d.marked) t += d.debit ? in_register_currency(d) : -in_register_currency(d);
    return t;
}

std::string Settlement::total_text() const { return pic_format(total(), kAmountPicture); }

bool Settlement::check(UserPort& port) const {
    const auto refuse = [&](const std::string& text) {
        port.message(MsgStyle::Atencion, "Atencion", text);
        return false;
    };
    if (!m_register) return refuse(kClosedRegister);
    if (!any_marked()) return refuse(kNothingMarked);
    for (const auto& d : m_documents)
        if (d.marked && rate_of(d.currency).sign() <= 0) return refuse(kMissingPaymentRate);
    if (rate_of(m_register->currency).sign() <= 0) return refuse(kMissingPaymentRate);
    if (total().sign() < 0) return refuse(kNegativeTotal);
    return true;
}

void prepare_tenders(data::Db& db, const Settlement& s, std::vector<TenderRow>& rows) {
    bool any_amount = false;
    for (auto& r : rows) {
        if (!r.used()) r.amount = Decimal();
        any_amount = any_amount || !r.amount.is_zero();
    }
    if (any_amount) return;
    const auto first = std::find_if(s.documents().begin(), s.documents().end(),
                                    [](const PendingDocument& d) { return d.marked; });
    if (first == s.documents().end()) return;
    const auto c = read_document_concept(db, s.business(), first->concept_code);
    if (!c || !c->flag("CANCELA")) return;
    if (rows.empty()) rows.emplace_back();
    rows.front().code = c->payment_method;
    const auto m = read_payment_method(db, s.business(), c->payment_method);
    rows.front().name = m ? m->name : "";
    rows.front().amount = s.total();
}

}  // namespace qz::domain::pos
