#pragma once
// The front desk's registers (ENC_HCAJ / DET_HCAJ): the register screen opens one for this
// workstation, re-opens it, closes it (the operator, or a supervisor for someone else) and takes
// a cash count of the running shift. The register taken is the workstation's (its family 2
// state), which the toolbar shows.
#include <functional>
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/cash/register_opening.h"
#include "domain/session/session.h"

namespace qz::domain::cash {

inline constexpr const char* kStationNotAuthorised =
    "Esta estación no tiene autorizado la operación de esta caja";
inline constexpr const char* kMissingOperator =
    "Debe completar todos los datos básicos:\r\nDigitador";
inline constexpr const char* kFrontDeskNotOpen = kRegisterNotOpen;
inline constexpr const char* kAskFrontDeskClose =
    "Desea realizar el Cierre?\r\nSi tiene dudas, conteste que NO e imprima un Cierre Preliminar";
inline constexpr const char* kCountNeedsRegister = "Necesita primero abrir una caja";
inline constexpr const char* kCountNoShift = "El registro no corre";

// Before the open or re-open dialog: the workstation must be authorised when the hotel checks it,
// must not hold another front-desk register, and the register must be closed (open, to re-open).
bool front_desk_may_open(data::Db& db, UserPort& port, const Session& s, const IniFile* ini,
                         const std::string& code, bool reopen);

// Opens (or takes over) the register with the operator's and the register's codes; the
// workstation state takes it. Nothing is written on a refusal.
bool open_front_desk(data::Db& db, UserPort& port, Session& s, const OpenRequest& r);
bool reopen_front_desk(data::Db& db, UserPort& port, Session& s, const OpenRequest& r);

// The closing report of a front-desk shift (run once the shift is closed).
using FrontDeskReport = std::function<void(const CashShift& closed)>;

// Closes the register this workstation holds, after the operator's confirmation.
bool close_front_desk(data::Db& db, UserPort& port, Session& s, const FrontDeskReport& report);

struct Supervisor {
    std::string code, password;
};
// Closes any open front-desk register on the word of an operator allowed to close for others.
bool PASS_CAJA(data::Db& db, UserPort& port, Session& s, const std::string& code,
               const Supervisor& who, const FrontDeskReport& report);

// The running shift of the workstation's register, for the cash count; nothing (after telling
// why) without an open register or a running shift.
std::optional<CashShift> shift_to_count(data::Db& db, UserPort& port, Session& s);

}  // namespace qz::domain::cash
