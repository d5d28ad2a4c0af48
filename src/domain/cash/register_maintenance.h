#pragma once
// Defining registers and correcting their shifts by hand: the register screen's add, modify and
// delete of a register (with its shifts) and of single shift rows. Each write is one transaction
// and shows its own refusals through the port.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/cash/register_rows.h"

namespace qz::domain::cash {

inline constexpr const char* kRegisterTaken = "Código de Caja Ya definido...";
inline constexpr const char* kAskDeleteRegister = "Desea borrar la Caja?";
inline constexpr const char* kAskDeleteRegisterSure =
    "ESTÁ SEGURO DE BORRAR LA CAJA?  NORMALMENTE, NUNCA SE BORRA UNA CAJA, SOLAMENTE UN CIERRE";
inline constexpr const char* kAskDeleteShift = "Desea borrar el Cierre?";

// A new register; `password` is stored hashed (blank = none).
bool ADD_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const CashRegister& r, const std::string& password);
// Rewrites the register `r.code` (the code itself never changes: its shifts and sales keep it).
// A password is stored only when one is typed: the stored one is a hash nobody can show, so a
// blank field means "keep it".
bool MOD_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const CashRegister& r, const std::string& new_password);
// Asks both questions, then deletes the register and every shift of it together.
bool DEL_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const std::string& code);

// Shift rows typed by hand: the register must exist and the start date be given.
bool ADD_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
                 const CashShift& s);
// Rewrites the start, end and opening fund of the row `s.recno`.
bool MOD_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
                 const CashShift& s);
bool DEL_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, long recno);

}  // namespace qz::domain::cash
