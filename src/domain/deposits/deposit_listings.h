#pragma once
// The listings of guarantee deposits: by date, by reservation and those still to be applied,
// each with its totals per currency. Every listing reads one scope of an order of its own, so a
// hotel with years of deposits lists a week without reading the rest.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/deposits/deposit_record.h"
#include "domain/deposits/hotel_reservations.h"

namespace qz::domain {

// "Anulado", "Aplicado" (nothing left to apply) or "Pendiente".
std::string deposit_state_name(const DepositHeader& h);

// The deposits of one currency: how many, their amounts and what is left of them to apply.
struct DepositCurrencyTotal {
    std::string currency;
    int count = 0;
    Decimal amount, balance;
};

struct DepositListing {
    std::vector<DepositHeader> deposits;
    // Per currency, in currency order. A voided deposit is listed but not added: its money was
    // given back.
    std::vector<DepositCurrencyTotal> totals;
};

// What is wrong with a period asked for; "" when nothing.
std::string check_deposit_period(const Date& from, const Date& to);

// The deposits of the business dated `from` to `to`, by date and number (ENC_HLIB4); nothing
// for a period check_deposit_period refuses.
DepositListing deposits_by_date(data::Db& db, const std::string& business, const Date& from,
                                const Date& to);

// The deposits still to be applied: visible, not voided and with a balance (ENC_HLIB2), by
// date. The totals are of the balances.
DepositListing pending_deposits(data::Db& db, const std::string& business);

// One application of a deposit to a reservation room line, with the deposit it came from.
struct ReservationDepositLine {
    AppliedDeposit applied;  // the amount is in the reservations' currency
    std::string payer, deposit_currency;
    Decimal deposit_amount;
};

struct ReservationDepositListing {
    std::vector<ReservationDepositLine> lines;  // by reservation, room type and line
    // What each reservation received, in reservation order, and the total of all of them, in
    // the reservations' currency.
    std::vector<std::pair<std::string, Decimal>> per_reservation;
    std::string currency;
    Decimal total;
};

// The deposits applied to reservation `reservation`, or to every reservation of the business
// when it is empty (DET_RES8).
ReservationDepositListing deposits_by_reservation(data::Db& db, const std::string& business,
                                                  const std::string& reservation);

}  // namespace qz::domain
