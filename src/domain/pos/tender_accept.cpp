// Accepting the tenders: the checks run in the order the cashier meets them, and the first
// refusal keeps the dialog open with the rows as typed.
#include <map>

#include "core/picture.h"
#include "core/text.h"
#include "domain/ledger/rates.h"
#include "domain/pos/room_credit.h"
#include "domain/pos/tenders.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kTitle = "Atencion";
constexpr const char* kCashOnly = "Este Cliente es sólo de Contado.  Debe cancelar el documento";
const std::string kSumRefusal =
    std::string("El Detalle de Forma de Pago no suma el Monto Abonado.\r\r") +
    "Revise que los montos concuerden, y que cada monto tenga\r" +
    "un Concepto de Forma de Pago asociado.";

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Atencion, kTitle, text);
    return false;
}

}  // namespace

bool TenderSet::check_authorisations(UserPort& port) const {
    for (const auto& r : m_rows) {
        const PaymentMethod* t = r.used() ? type_of(r.code) : nullptr;
        if (!t || !t->needs_voucher) continue;
        if (static_cast<long>(utf8_length(trim(r.authorisation))) < t->voucher_min)
            return refuse(port, "Falta completar el #Autorización. Longitud mínima: " +
                                    pic_format(Decimal(t->voucher_min), "99") + " caracteres");
    }
    return true;
}

bool TenderSet::check_sum(UserPort& port) const {
    if (m_in.cash_only_customer && !same_cents(m_in.paid, m_in.amount_due))
        return refuse(port, kCashOnly);
    if (!same_cents(total(), m_in.paid)) return refuse(port, kSumRefusal);
    return true;
}

// Rows charging the same account add up against its credit: each alone may fit while together
// they do not.
bool TenderSet::check_rooms(data::Db& db, UserPort& port) {
    std::map<std::string, Decimal> charged;
    for (auto& r : m_rows) {
        const PaymentMethod* t = r.used() ? type_of(r.code) : nullptr;
        if (!t || !t->to_hotel) continue;
        const RoomAccountCheck check = find_room_account(db, m_in.business, r.room);
        if (!check.account) return refuse(port, check.problem);
        const RoomAccount& a = *check.account;
        const std::string key = (a.master ? "M" : "R") + a.code;
        // The credit and the folio are kept in the folio's currency: a tender in another one
        // is judged by what it will charge there.
        Decimal amount = r.amount;
        const std::string currency = folio_currency(db, m_in.business, a);
        if (!currency.empty() && normal_code(currency) != normal_code(m_in.currency)) {
            const RequiredRate rate =
                required_rate(db, m_in.business, currency, m_in.currency, db.clock().XDATE());
            if (!rate) return refuse(port, rate.problem);
            amount = (r.amount * rate.factor).round(2);
        }
        const Decimal balance = folio_balance(db, m_in.business, a) + charged[key];
        if (auto problem = credit_problem(a.limit, balance, amount); !problem.empty())
            return refuse(port, problem);
        charged[key] += amount;
        r.account = a.reservation;
        r.room_type = a.room_type;
        r.room_item = a.item;
        r.master = a.master;
    }
    return true;
}

AcceptOutcome TenderSet::Terminar(data::Db& db, UserPort& port) {
    AcceptOutcome out;
    TenderRow* only = nullptr;
    int used = 0;
    for (auto& r : m_rows)
        if (r.used()) {
            ++used;
            only = &r;
        }
    if (used == 1) only->amount = m_in.paid;
    if (!check_authorisations(port) || !check_sum(port) || !check_rooms(db, port)) return out;
    Decimal with_change;
    bool change = false;
    for (const auto& r : m_rows) {
        const PaymentMethod* t = r.used() ? type_of(r.code) : nullptr;
        if (t && t->reads_change) {
            change = true;
            with_change += r.amount;
        }
    }
    if (change && m_in.register_reads_change && m_in.from_save) out.change_for = with_change;
    out.accepted = true;
    return out;
}

}  // namespace qz::domain::pos
