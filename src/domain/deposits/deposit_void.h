#pragma once
// Voiding a guarantee deposit (ANUL_DEP): refused outside the module's active year and month or
// the open accounting period, and while a room it was applied to has its guest in house or gone
// or its master account is closed. Otherwise, after the user confirms, one transaction undoes
// the booking (a reversing bank-book movement or journal voucher "Anulación Dep.: " + number),
// removes its applications to the reservations and marks it voided. A deposit paid by card
// has the charge voided at the terminal once the void is written.
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/card_terminal.h"
#include "domain/session/session.h"

namespace qz::domain {

bool ANUL_DEP(data::Db& db, UserPort& port, Session& s, pos::CardTerminal& card,
              const std::string& movement);

inline constexpr const char* kOutsideActiveYear =
    "El movimiento a procesar se encuentra fuera del año activo del módulo";
inline constexpr const char* kOutsideActiveMonth =
    "El movimiento a procesar se encuentra fuera del mes activo del módulo";
inline constexpr const char* kOutsidePeriod =
    "El movimiento no se puede procesar pues se encuentra\nfuera del periódo contable";
inline constexpr const char* kTiedCheckedIn =
    "El déposito se encuentra asociado a una habitación Checked-In";
inline constexpr const char* kTiedCheckedOut =
    "El déposito se encuentra asociado a una habitación Checked-Out";
inline constexpr const char* kTiedClosedMaster =
    "El déposito se encuentra asociado a una Cuenta Maestra cerrada";
inline constexpr const char* kAlreadyVoided = "El depósito ya fue anulado";
inline constexpr const char* kDepositMissing = "El depósito no existe";

}  // namespace qz::domain
