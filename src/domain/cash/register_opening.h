#pragma once
// Opening, re-opening and closing a point-of-sale register (the sale screen's ABRE_CAJA,
// REABRE_CAJA and CLOSE_CAJA). The screen holds the register it took; these rules decide, write
// the register and its shift under their locks in one transaction, and tell the user.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/cash/register_rows.h"

namespace qz::domain::cash {

inline constexpr const char* kScreenHasRegister =
    "Actualmente, se encuentra abierta una caja.\r\nDebe cerrar primero la caja.";
inline constexpr const char* kMissingBasics =
    "Debe completar todos los datos básicos:\r\nCaja y Digitador";
inline constexpr const char* kWrongPassCode = "Clave de Paso Errada";
inline constexpr const char* kRegisterAlreadyOpen = "Actualmente, se encuentra abierta esta caja.";
inline constexpr const char* kRegisterNotOpen = "Actualmente no se encuentra abierta esta caja.";
inline constexpr const char* kNoRegisterOnScreen =
    "Actualmente, No se encuentra abierta ninguna caja.\r\nDebe abrir primero la caja.";
inline constexpr const char* kNoRunningShift =
    "Error cerrando la caja.\r\nNo hay registro de caja abierta!";
inline constexpr const char* kReviewClosing =
    "Revise que el Cierre de Caja dio bien.\r\nSi está seguro que el cierre cuadra, presione "
    "ACEPTAR.\r\nCaso contrario, presion CANCELAR.";
inline constexpr const char* kAskClose =
    "Está seguro de cerrar la Caja?\r\nSi está seguro que el cierre cuadra, presione "
    "ACEPTAR.\r\nCaso contrario, presion CANCELAR.";
inline constexpr const char* kNotClosed =
    "Ud. ha seleccionado NO CERRAR LA CAJA!.\r\nEsta caja seguirá abierta hasta que vuelva a "
    "ejecutar la opción\r\nde Cierre de Caja.";
inline constexpr const char* kClosedOk = "Caja cerrada con Éxito";

// What the open dialog offers: the business's registers that are closed (to open) or open (to
// re-open), among those the workstation may operate when the business checks it.
std::vector<CashRegister> registers_to_open(data::Db& db, const IniFile* ini,
                                            const std::string& business, bool reopen);

// Step 1 of opening: false (after telling why) while the screen holds a register.
bool screen_may_open(UserPort& port, const std::string& screen_register);

struct OpenRequest {
    std::string business;
    std::string register_code, operator_code;
    std::string register_password, operator_password;  // as typed
    Decimal opening_fund;
};

struct TakenRegister {
    CashRegister reg;
    Operator op;
};

// Taking a register row, shared by both families inside a transaction of its own: the row
// locked, both codes checked on it as it is once locked (both, so the answer tells nothing of
// which failed) and, when opening, the register marked open and its shift started at `now`.
// The families word two refusals differently.
struct TakeRefusals {
    const char* missing;   // the register is gone
    const char* not_open;  // re-opening one that is closed
};
struct TakeOutcome {
    std::optional<TakenRegister> taken;
    const char* refusal = nullptr;
};
TakeOutcome take_register_row(data::Db& db, const RegisterTables& f, const OpenRequest& r,
                              bool reopen, const TakeRefusals& words, const DateTime& now);

// Checks both codes and, unless re-opening, opens the register and starts its shift (the
// business date and time, the fund typed, the operator). Nothing is written on a refusal; two
// workstations opening the same register at once: the second finds it open and is refused.
std::optional<TakenRegister> ABRE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f,
                                       const OpenRequest& r);
// Takes over an open register (after the same checks) without writing anything; one closed
// meanwhile is refused.
std::optional<TakenRegister> REABRE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f,
                                         const OpenRequest& r);

// The closing report of a shift, from its start to the end about to be written; the closing
// waits until it returns.
using ClosingReport = std::function<void(const CashShift& shift, const DateTime& end)>;

struct CloseRequest {
    std::string business;
    std::string register_code;  // the screen's; blank when it holds none
    Date sale_date;             // the shift's end date; empty = the business date
    // The closing report; without one the register closes as when the business skips it.
    ClosingReport report;
    bool skip_report = false;  // F_FAC.NO_PCIERRE
};

// Asks, then closes the register and ends its running shift together. False when nothing was
// closed (refused or cancelled: the register and its shift stay open).
bool CLOSE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f, const CloseRequest& r);

}  // namespace qz::domain::cash
