// PASADOC and the editing of a payment's lines: how much of each document the payment applies
// and the balance it leaves, by the payment concept's sign and the document's nature.
#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/payment_draft.h"
#include "domain/ledger/statement_tables.h"

namespace qz::domain {

namespace {

constexpr const char* kDefaultMismatch =
    "Este documento no corresponde al Tipo de Transacción por Defecto";
constexpr const char* kChosenMismatch =
    "Este documento no corresponde al Tipo de Transacción Definido";
// A concept that raises a balance gives back what was paid of a credit document; on a debit
// document there is nothing it could give back, so the combination is not offered.
constexpr const char* kRaiseOnDebit =
    "Este Concepto de Abono aumenta el saldo: no se aplica a documentos de Débito";

// A credit document used as payment comes off the tenders; everything else is paid by them.
int tender_sign(const AppliedLine& l) { return l.lowers() && !l.debit ? -1 : 1; }

// The whole balance in the payment currency: paying exactly this settles the document, whatever
// the rounding of converting it back would say.
Decimal whole_balance(const AppliedLine& l) { return (l.balance_read * l.factor).round(2); }

}  // namespace

std::optional<AppliedLine> applied_document(data::Db& db, const std::string& business,
                                            const std::string& number) {
    AppliedLine l;
    {
        UsedTable t(db, "DOCUMENT", "DOCUMENT");
        if (!t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, trim(number)})))
            return std::nullopt;
        l.document = trim(t->str("DOCUMENTO"));
        l.doc_concept = trim(t->str("CONCEPTO"));
        l.currency = trim(t->str("MONEDA"));
        l.customer = trim(t->str("CLIENTE"));
        l.date = t->date("FECHA");
        l.doc_amount = t->num("MONTO");
        l.balance_read = t->num("SALDO");
    }
    const auto c = read_document_concept(db, business, l.doc_concept);
    if (!c) return std::nullopt;
    l.debit = c->debit == 1;
    l.instalments = c->flag("CUOTAS");
    l.complement = c->flag("COMPLEMENT");
    l.books = c->books;
    l.receivable_link = c->links[2];  // ASIENTO4
    l.interest_link = c->links[4];    // ASIENTO6
    l.complement_link = c->links[5];  // CXC_COMPL
    return l;
}

bool PaymentDraft::PASADOC(const std::string& document, const std::string& concept_code) {
    const std::string number = trim(document);
    if (m_header.currency.empty()) return refuse("Falta seleccionar la moneda");
    for (const auto& l : m_lines)
        if (l.document == number) return refuse("Documento YA está incluido");
    auto line = applied_document(m_db, m_business, number);
    if (!line) return refuse("El documento " + number + " no existe");
    if (line->customer != m_header.customer)
        return refuse("Este documento no corresponde al Cliente");
    if (line->balance_read.is_zero()) return refuse("Este documento no tiene Saldo Pendiente");
    line->factor = factor_to_payment(line->currency);
    if (line->factor.sign() <= 0) return refuse(kMissingPaymentRate);
    const auto dc = read_document_concept(m_db, m_business, line->doc_concept);
    if (!dc) return refuse("El concepto " + line->doc_concept + " no está definido");
    const bool chosen = !trim(concept_code).empty();
    const std::string code = chosen ? trim(concept_code) : dc->payment_concept;
    const auto pc = read_payment_concept(m_db, m_business, code);
    if (!pc) return refuse("El Concepto de Abono " + code + " no está definido");
    if (pc->applies_to != dc->stock_entry)
        return refuse(chosen ? kChosenMismatch : kDefaultMismatch);
    if (pc->balance_sign != 0 && line->debit) return refuse(kRaiseOnDebit);
    line->concept_def = *pc;
    line->description = pc->name;
    if (!figure_new_line(*line)) return false;
    m_lines.push_back(*line);
    add_default_tender(m_lines.back(), dc->payment_method);
    return true;
}

// What a document takes when added, with A the amount still available:
//  - lowering a debit document: its whole balance when that fits in A, else A;
//  - lowering a credit document (a credit note used as payment): its whole balance;
//  - raising a credit document: what was paid of it, at most A.
bool PaymentDraft::figure_new_line(AppliedLine& l) {
    const Decimal a = std::max(available(), Decimal());
    if (!l.lowers())
        return figure_line(l, std::min(((l.doc_amount - l.balance_read) * l.factor).round(2), a));
    if (!l.debit) return figure_line(l, whole_balance(l));
    if (l.instalments) return figure_line(l, a);
    return figure_line(l, std::min(whole_balance(l), a));
}

bool PaymentDraft::figure_line(AppliedLine& l, const Decimal& total) {
    if (total.sign() < 0) return refuse("El monto a aplicar no puede ser negativo");
    const Decimal r = l.factor;
    if (!l.instalments || !l.lowers() || !l.debit) {
        const Decimal amount = total - l.interest - l.late;
        if (amount.sign() < 0) return refuse("El monto a aplicar no puede ser negativo");
        l.amount = amount;
        if (!l.lowers())
            l.new_balance = (l.balance_read + to_currency(l.currency, amount)).round(2);
        else if (amount == whole_balance(l))
            l.new_balance = Decimal();
        else
            l.new_balance = (l.balance_read - to_currency(l.currency, amount)).round(2);
        return true;
    }
    // Instalment documents split the amount into principal and interest by the plan.
    auto doc = read_instalment_document(m_db, m_business, l.document);
    if (!doc) return refuse("El documento " + l.document + " no existe");
    doc->balance = l.balance_read;
    const AmountSplit s = split_amount(*doc, (total / r).trunc(2));
    if (s.refused()) return refuse(interest_refusal(s.needed));
    l.amount = (s.principal * r).round(2);
    l.interest = (s.interest * r).round(2);
    l.late = Decimal();
    l.interest_doc = s.interest;
    l.new_balance = l.balance_read - s.principal;
    return true;
}

void PaymentDraft::add_default_tender(const AppliedLine& l, const std::string& method) {
    const auto m = read_payment_method(m_db, m_business, method);
    if (!m) return;
    PaymentTender t;
    t.method = m->code;
    t.description = m->name;
    t.amount = l.total() * tender_sign(l);
    t.for_document = l.document;
    m_tenders.push_back(t);
}

void PaymentDraft::follow_default_tender(const AppliedLine& l) {
    for (auto& t : m_tenders)
        if (t.for_document == l.document) t.amount = l.total() * tender_sign(l);
}

void PaymentDraft::remove_line(size_t index) {
    if (index >= m_lines.size()) return;
    const std::string doc = m_lines[index].document;
    std::erase_if(m_tenders, [&](const PaymentTender& t) { return t.for_document == doc; });
    m_lines.erase(m_lines.begin() + index);
}

bool PaymentDraft::set_line_total(size_t index, const Decimal& total) {
    if (index >= m_lines.size()) return false;
    AppliedLine l = m_lines[index];
    if (!figure_line(l, total)) return false;
    m_lines[index] = l;
    follow_default_tender(l);
    return true;
}

bool PaymentDraft::set_line_amount(size_t index, const Decimal& amount) {
    if (index >= m_lines.size()) return false;
    const AppliedLine& l = m_lines[index];
    if (l.instalments) return refuse(kInstalmentColumns);
    return set_line_total(index, amount + l.interest + l.late);
}

bool PaymentDraft::set_line_interest(size_t index, const Decimal& interest) {
    if (index >= m_lines.size()) return false;
    AppliedLine& l = m_lines[index];
    if (l.instalments) return refuse(kInstalmentColumns);
    if (interest.sign() < 0) return refuse("El monto a aplicar no puede ser negativo");
    l.interest = interest;
    l.interest_doc = (interest / l.factor).round(2);
    follow_default_tender(l);
    return true;
}

bool PaymentDraft::apply_instalment_payment(size_t index, const InstalmentPayment& pay) {
    if (index >= m_lines.size()) return false;
    AppliedLine& l = m_lines[index];
    if (!l.lowers() || !l.debit) return refuse(kDefaultMismatch);
    const Decimal r = l.factor;
    l.amount = (pay.principal * r).round(2);
    l.interest = (pay.interest * r).round(2);
    l.late = (pay.late * r).round(2);
    l.interest_doc = pay.interest;
    l.new_balance = l.balance_read - pay.principal;
    follow_default_tender(l);
    return true;
}

}  // namespace qz::domain
