#pragma once
// Waiters' shifts (DEF_MESE / DET_MESE), kept when the sales point works in shifts
// (F_VENTAS.TURNO_MESE): a waiter opens a shift, gets the shift's report and closes it.
//
// A waiter may name himself by his pass code alone. The codes are stored as salted hashes, which
// no key can find, so the business's waiters are verified one by one (one hash run each) and the
// one whose code matches is taken; two waiters with the same code identify nobody. Every waiter
// is a candidate, not only those with ACTIVO = "1": that flag says a shift is running, and a
// waiter must be found by his code to start one.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::cash {

inline constexpr const char* kNoWaiter = "Falta asignar el mesero";
inline constexpr const char* kUnknownWaiter = "Mesero no existe ";
inline constexpr const char* kBadWaiterCode = "Clave Inválida";
inline constexpr const char* kWaiterActive = "Mesero se encuentra activo";
inline constexpr const char* kWaiterInactive = "Mesero se encuentra inactivo";
inline constexpr const char* kShiftOpened = "Turno Abierto correctamente";
inline constexpr const char* kShiftClosed = "Turno cerrado con Éxito";
inline constexpr const char* kNoWaiterShift =
    "Error cerrando turno.\r\nNo hay registro de turno abierto";
inline constexpr const char* kWaiterWithoutShift = "El Mesero no tiene turno activo";

struct Waiter {
    std::string code, name;
    bool active = false;  // a shift runs
    Date start_date, end_date;
    std::string start_time, end_time;
};

std::vector<Waiter> business_waiters(data::Db& db, const std::string& business);

// Who the waiter is: the one chosen (code) with his pass code, or, with no code chosen, the one
// whose pass code was typed. A matching legacy plain code is stored hashed.
struct WaiterId {
    std::string code;
    std::string password;
};
std::optional<Waiter> identify_waiter(data::Db& db, UserPort& port, const std::string& business,
                                      const WaiterId& id);

// Starts the waiter's shift (flag, start, a DET_MESE row) in one transaction.
bool open_waiter_shift(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& code);
// Ends it (flag, end, the running DET_MESE row) in one transaction. A waiter whose running row
// is missing is still made inactive, or he could never start another shift; the error says so.
bool close_waiter_shift(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code);
// Where the sales point requires a running shift: false (after telling) when he has none.
bool waiter_on_shift(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);

// The shift report (IMP_TURN): the sales of the waiter's running shift, as the sales point
// records them (supplied by it), and their totals.
struct WaiterSale {
    std::string document;
    Date date;
    std::string time;
    Decimal total, collected;
};
using WaiterSales =
    std::function<std::vector<WaiterSale>(const Waiter&, const DateTime& from, const DateTime& to)>;
struct TurnReport {
    Waiter waiter;
    DateTime from, to;
    std::vector<WaiterSale> sales;
    Decimal total, collected;
};
TurnReport IMP_TURN(data::Db& db, const Waiter& w, const WaiterSales& sales);

}  // namespace qz::domain::cash
