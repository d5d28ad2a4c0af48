#pragma once
// MOD_DOC: the supervisor's repair of a document's figures. Balance, instalment amount and
// interest are taken as typed (thousands separators dropped) and written without any rule of
// the ledger behind them, which is why the operation has a right of its own and every change
// leaves a note in the customer's log (BITACORA) with the old and the new value, the user and
// the time.
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_log.h"
#include "domain/session/rights.h"

namespace qz::domain {

// The operation's own right ("Modificar Saldo/Cuota/Interés" of the viewer's Editar menu); the
// manual receipt of MOD_DOC2 is reached from it and asks the same right.
inline constexpr int kModDocRight = 6621;

// What the user typed, "1,234.50" or "1234.5".
struct TypedFigures {
    std::string balance;     // SALDO
    std::string instalment;  // CUOTA
    std::string interest;    // INTERES
};

// Refuses a user without the right and a figure the field cannot hold (the field's message);
// writes the figures that changed and the log note in one transaction. True once written, or
// when nothing changed.
bool MOD_DOC(data::Db& db, UserPort& port, const std::string& business, const std::string& number,
             const TypedFigures& typed, const Rights& rights, const customers::LogWriter& who);

// The refusal of a user whose rights do not hold kModDocRight. False when refused.
bool check_repair_right(UserPort& port, const Rights& rights);

inline constexpr const char* kNoRepairRight =
    "No tiene acceso a la modificación directa de documentos";

}  // namespace qz::domain
