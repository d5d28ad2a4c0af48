#include "domain/ledger/payment_draft.h"

#include <algorithm>
#include <utility>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/payment_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

PaymentDraft::PaymentDraft(data::Db& db, UserPort& port, std::string business)
    : m_db(db),
      m_port(port),
      m_business(std::move(business)),
      m_settings(read_ledger_settings(db, m_business)) {
    m_header.currency = m_settings.accounting_currency;
    m_header.date = db.clock().XDATE();
    m_rates = rates_for(m_header.date);
}

bool PaymentDraft::refuse(const std::string& text) { return domain::refuse(m_port, text); }

Decimal PaymentDraft::available() const {
    Decimal a = m_header.amount;
    for (const auto& l : m_lines) a -= l.consumes();
    if (m_note) a -= m_note->amount;
    return a;
}

Decimal PaymentDraft::rate_of(const std::string& currency) const {
    if (currency.empty() || currency == m_settings.accounting_currency) return Decimal(1);
    for (const auto& r : m_rates)
        if (r.currency == currency) return r.rate;
    return Decimal();
}

Decimal PaymentDraft::factor_to_payment(const std::string& currency) const {
    const Decimal from = rate_of(currency), to = rate_of(m_header.currency);
    if (from.sign() <= 0 || to.sign() <= 0) return Decimal();
    return currency == m_header.currency ? Decimal(1) : from / to;
}

Decimal PaymentDraft::to_currency(const std::string& currency, const Decimal& amount) const {
    if (currency == m_header.currency) return amount;
    return amount * rate_of(m_header.currency) / rate_of(currency);
}

// Every currency of the business other than the accounting one, at its rate for the day.
std::vector<PaymentRate> PaymentDraft::rates_for(const Date& d) const {
    return day_rates(m_db, m_business, m_settings.accounting_currency, d);
}

// The documents were figured with the customer, currency and rates there are: a change of any
// of them takes them away, after the question.
bool PaymentDraft::confirm_clearing() {
    if (m_lines.empty()) return true;
    if (!m_port.confirm("Advertencia", kRatesChangeQuestion)) return false;
    clear_lines();
    return true;
}

void PaymentDraft::clear_lines() {
    m_lines.clear();
    std::erase_if(m_tenders, [](const PaymentTender& t) { return !t.for_document.empty(); });
}

bool PaymentDraft::set_customer(const std::string& code) {
    const std::string c = trim(code);
    if (c != m_header.customer && !confirm_clearing()) return false;
    m_header.customer = c;
    const auto found = customers::read_customer(m_db, m_business, c);
    m_header.customer_name = found ? found->name : "";
    return true;
}

bool PaymentDraft::set_currency(const std::string& code) {
    const std::string c = trim(code);
    if (c != m_header.currency && !confirm_clearing()) return false;
    m_header.currency = c;
    return true;
}

bool PaymentDraft::set_date(const Date& d) {
    auto rates = rates_for(d);
    if (rates != m_rates && !confirm_clearing()) return false;
    m_header.date = d;
    m_rates = std::move(rates);
    return true;
}

bool PaymentDraft::set_rates(const std::vector<PaymentRate>& rates) {
    if (!rates_editable()) return false;
    if (rates != m_rates && !confirm_clearing()) return false;
    m_rates = rates;
    return true;
}

void PaymentDraft::adjust_amount() { m_header.amount = m_header.amount - available(); }

bool PaymentDraft::add_tender(const PaymentTender& t) {
    const auto m = read_payment_method(m_db, m_business, t.method);
    if (!m) return refuse("La Forma de Pago " + trim(t.method) + " no está definida");
    PaymentTender copy = t;
    copy.method = m->code;
    if (trim(copy.description).empty()) copy.description = m->name;
    m_tenders.push_back(copy);
    return true;
}

bool PaymentDraft::set_tender(size_t index, const PaymentTender& t) {
    if (index >= m_tenders.size()) return false;
    if (!read_payment_method(m_db, m_business, t.method))
        return refuse("La Forma de Pago " + trim(t.method) + " no está definida");
    m_tenders[index] = t;
    m_tenders[index].for_document.clear();  // edited by the clerk: no longer follows its line
    return true;
}

void PaymentDraft::remove_tender(size_t index) {
    if (index < m_tenders.size()) m_tenders.erase(m_tenders.begin() + index);
}

bool PaymentDraft::add_excess_note(const std::string& concept_code) {
    if (m_header.customer.empty()) return refuse("Falta seleccionar el cliente");
    const Decimal excess = available() + (m_note ? m_note->amount : Decimal());
    if (excess.round(2).sign() <= 0)
        return refuse("Debe haber monto disponible para poder crear el documento");
    if (m_header.currency.empty()) return refuse("Falta seleccionar la moneda");
    const auto c = read_document_concept(m_db, m_business, concept_code);
    if (!c) return refuse("El concepto " + trim(concept_code) + " no está definido");
    // An excess is money the business owes the customer: only a credit concept carries it.
    if (c->debit != 0) return refuse("El concepto " + c->code + " no es un concepto de crédito");
    m_note = ExcessNote{c->code, excess.round(2)};
    return true;
}

void PaymentDraft::clear_entry() {
    clear_lines();
    m_tenders.clear();
    m_note.reset();
    m_header.customer.clear();
    m_header.customer_name.clear();
    m_header.amount = Decimal();
    m_header.receipt.clear();
    m_header.deposit.clear();
    m_header.comment.clear();
    m_header.pending.clear();
}

void PaymentDraft::restore(const PaymentHeader& h, std::vector<AppliedLine> lines,
                           std::vector<PaymentTender> tenders, std::optional<ExcessNote> note) {
    m_header = h;
    m_rates = rates_for(h.date);
    m_lines = std::move(lines);
    for (auto& l : m_lines) {
        l.factor = factor_to_payment(l.currency);
        if (l.factor.sign() > 0) l.interest_doc = (l.interest / l.factor).round(2);
    }
    m_tenders = std::move(tenders);
    m_note = std::move(note);
}

}  // namespace qz::domain
