#include "domain/deposits/deposit_form.h"

#include "core/text.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_people.h"
#include "domain/ledger/accounting_setup.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rates.h"

namespace qz::domain {

DepositFormLists read_deposit_form_lists(data::Db& db, const std::string& business) {
    DepositFormLists out;
    for_business_rows(db, "CON_HLIB", business, [&](const data::WDBTable& t) {
        const auto c = deposit_concept_from_row(t);
        if (c.visible) out.concepts.push_back({c.code, c.name});
    });
    for (const auto& c : business_currencies(db, business))
        out.currencies.push_back({c.code, c.name});
    for (const auto& p : deposit_people(db, business)) out.people.push_back({p.code, p.name});
    // Heading accounts and blocked ones take no postings: offering them would only let the
    // journal voucher be refused after the deposit is typed.
    for_business_rows(db, "CUENTAS", business, [&](const data::WDBTable& t) {
        const auto a = ledger_account_from_row(t);
        if (!a.major && !a.blocked) out.accounts.push_back({a.code, a.name});
    });
    return out;
}

std::vector<ReservationChoice> hotel_reservation_choices(data::Db& db,
                                                         const std::string& business) {
    std::vector<ReservationChoice> out;
    for_business_rows(db, "ENC_RES", business, [&](const data::WDBTable& t) {
        out.push_back({trim(t.str("CODIGO")), trim(t.str("NOMBRE"))});
    });
    return out;
}

std::string room_line_guest_name(data::Db& db, const std::string& business, const RoomLine& line,
                                 const std::string& reservation_name) {
    std::string name;
    if (!trim(line.guest).empty())
        for_code_rows(db, "HUESPEDES", business, line.guest, [&](const data::WDBTable& t) {
            if (name.empty() && trim(t.str("CODIGO")) == trim(line.guest))
                name = trim(trim(t.str("NOMBRE")) + " " + trim(t.str("APELLIDO1")));
        });
    return name.empty() ? reservation_name : name;
}

Decimal percent_of(const Decimal& amount, const Decimal& percent) {
    return (amount * percent / 100).round(2);
}

DepositForm::DepositForm(data::Db& db, std::string business)
    : m_db(db), m_business(std::move(business)) {
    m_settings = read_deposit_settings(m_db, m_business);
    clear();
}

void DepositForm::clear() {
    draft = DepositDraft{};
    draft.date = m_db.clock().XDATE();
}

bool DepositForm::empty() const {
    const DepositDraft& d = draft;
    return trim(d.concept_code).empty() && trim(d.currency).empty() && trim(d.made_by).empty() &&
           d.amount.is_zero() && trim(d.number).empty() && trim(d.name).empty() &&
           trim(d.surname).empty() && d.arrival.empty() && d.departure.empty() &&
           trim(d.comment).empty() && d.counterpart.empty() && d.reservations.empty();
}

void DepositForm::propose_rates() {
    const std::string currency = trim(draft.currency);
    if (currency.empty() || draft.date.empty()) return;
    // A reservation line times the reservation rate is what it takes of the deposit, so the
    // rate converts the reservations' currency into the deposit's; the accounting rate turns
    // the deposit into the accounting currency.
    draft.reservation_rate =
        CAMBIO_SPEC(m_db, m_business, currency, m_settings.reservation_currency, draft.date);
    draft.accounting_rate =
        CAMBIO_SPEC(m_db, m_business, m_settings.accounting_currency, currency, draft.date);
}

void DepositForm::set_amount(const Decimal& amount) {
    draft.amount = amount;
    for (auto& l : draft.counterpart) {
        if (!l.debit_pct.is_zero()) l.debit = percent_of(amount, l.debit_pct);
        if (!l.credit_pct.is_zero()) l.credit = percent_of(amount, l.credit_pct);
    }
}

void DepositForm::set_debit_percent(size_t line, const Decimal& percent) {
    auto& l = draft.counterpart.at(line);
    l.debit_pct = percent;
    l.debit = percent_of(draft.amount, percent);
}

void DepositForm::set_credit_percent(size_t line, const Decimal& percent) {
    auto& l = draft.counterpart.at(line);
    l.credit_pct = percent;
    l.credit = percent_of(draft.amount, percent);
}

Decimal DepositForm::proposed_line_amount() const {
    const Decimal rest = left();
    if (draft.reservation_rate.is_zero() || rest <= 0) return Decimal();
    return (rest / draft.reservation_rate).round(2);
}

bool DepositForm::add_reservation(UserPort& port, const DepositReservationLine& line) {
    if (draft.add_reservation(line)) return true;
    port.message(MsgStyle::Error, "Error", kGuestAlreadyIncluded);
    return false;
}

}  // namespace qz::domain
