#pragma once
// The deposit screen's state and the rules it applies while the deposit is typed: the rates
// proposed from the day's exchange rates, the counterpart lines typed as a percentage of the
// deposit, and the reservation room lines with what is left of the deposit proposed for each.
// Saving is PROCESAR's (deposit_save.h); this only prepares the draft it is given.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/deposit_draft.h"
#include "domain/deposits/hotel_reservations.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

// A hotel reservation as the deposit screen offers it for choosing.
struct ReservationChoice {
    std::string code, name;  // ENC_RES.CODIGO, NOMBRE
};

// What the screen's lists offer, read once when it opens.
struct DepositFormLists {
    std::vector<CodeName> concepts;    // the visible CON_HLIB
    std::vector<CodeName> currencies;  // MONEDAS
    std::vector<CodeName> people;      // HECHOPOR
    std::vector<CodeName> accounts;    // CUENTAS that take postings
};

DepositFormLists read_deposit_form_lists(data::Db& db, const std::string& business);
std::vector<ReservationChoice> hotel_reservation_choices(data::Db& db, const std::string& business);
// The guest of a room line by name; the reservation's name while the line has no guest yet.
std::string room_line_guest_name(data::Db& db, const std::string& business, const RoomLine& line,
                                 const std::string& reservation_name);

// A share of the deposit typed as a percentage: amount × percent / 100, to the cent.
Decimal percent_of(const Decimal& amount, const Decimal& percent);

class DepositForm {
public:
    DepositForm(data::Db& db, std::string business);

    DepositDraft draft;

    const DepositSettings& settings() const { return m_settings; }
    // A new, empty deposit of the business date.
    void clear();
    // Nothing typed yet beyond what clear() proposes: closing loses nothing.
    bool empty() const;

    // The currency or the date changed: both rates are proposed again from the rates in force
    // on the deposit's date (0 when a pair has none, which the save refuses).
    void propose_rates();

    // The deposit's amount: the counterpart lines typed as a percentage of it follow it.
    void set_amount(const Decimal& amount);
    // A percentage typed on a counterpart line sets that side's amount from the deposit.
    void set_debit_percent(size_t line, const Decimal& percent);
    void set_credit_percent(size_t line, const Decimal& percent);

    // What the listed room lines leave of the deposit, in its own currency.
    Decimal left() const { return draft.amount - draft.applied(); }
    // The amount a new room line is proposed with, in the reservations' currency: all that is
    // left, never below zero; zero while the reservation rate is.
    Decimal proposed_line_amount() const;
    // Lists the room line; one already listed is refused with kGuestAlreadyIncluded.
    bool add_reservation(UserPort& port, const DepositReservationLine& line);

private:
    data::Db& m_db;
    std::string m_business;
    DepositSettings m_settings;
};

}  // namespace qz::domain
