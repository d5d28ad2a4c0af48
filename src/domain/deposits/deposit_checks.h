#pragma once
// Whether a typed guarantee deposit may be saved: the open register and its authorisation, the
// choices, the rates, the amount and date, what the reservation lines take of it and the
// accounting counterpart, in the order the screen walks them. The first refusal is shown and
// names the field to focus; nothing is written.
#include <string>

#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/deposits/deposit_draft.h"
#include "domain/session/session.h"

namespace qz::domain {

// The hotel's settings the checks weigh. A business without a settings row has no tolerance,
// no margin and compares with the reservation's TOTAL.
struct DepositSettings {
    std::string reservation_currency;  // F_HOTEL.MONEDA_RES
    std::string accounting_currency;   // NEGOCIOS.MONEDA_CON
    Decimal tolerance;                 // F_HOTEL.DIF_PREPAG: rounding left over is forgiven
    Decimal margin;                    // F_HOTEL3.MARGEN_DEP: allowed over a reservation's total
    bool compare_total4 = false;       // F_HOTEL4.M_PREPA: compare with TOTAL4 instead of TOTAL
};

DepositSettings read_deposit_settings(data::Db& db, const std::string& business);

enum class DepositField {
    None,
    MadeBy,
    Concept,
    Currency,
    ReservationRate,
    AccountingRate,
    Amount,
    Date,
    Reservations,
    Counterpart,
};

struct DepositCheck {
    bool ok = false;
    DepositField focus = DepositField::None;  // where the screen puts the cursor on a refusal
};

// The register is asked of the session (re-reading its row); the workstation's authorisation of
// that register for deposits of the session's business is read from `ini`. The warning about
// reservations that already have deposits is a question: No refuses.
DepositCheck check_deposit(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                           const DepositDraft& d);

inline constexpr const char* kDepositAuthSection = "AUT_HCAJA";

inline constexpr const char* kNoOpenRegister = "No hay Caja Abierta...";
inline constexpr const char* kDepositsNotAuthorised =
    "Esta estación no está autorizada para registrar Pre-Pagos";
inline constexpr const char* kNoMadeBy = "Falta seleccionar el Encargado de hacer el depósito";
inline constexpr const char* kNoDepositConcept = "Falta seleccionar el Concepto";
inline constexpr const char* kBadDepositCurrency = "Moneda inválida";
inline constexpr const char* kZeroReservationRate =
    "El tipo de cambio registrado para la reservación no debe ser igual a cero";
inline constexpr const char* kZeroAccountingRate =
    "El tipo de cambio registrado para la contabilidad no debe ser igual a cero";
inline constexpr const char* kAccountingRateBelow =
    "El Tipo de Cambio registrado para Contabilidad debe ser mayor a: ";
inline constexpr const char* kReservationRateBelow =
    "El Tipo de Cambio registrado para Reservaciones debe ser mayor a: ";
inline constexpr const char* kNoDepositAmount = "Debe definir un Monto mayor a Cero";
inline constexpr const char* kBadDepositDate = "Fecha inválida";
inline constexpr const char* kNegativeBalance = "El saldo no puede quedar en negativo";
inline constexpr const char* kApplicationErrorsTitle = "Errores de Aplicación de Depósito";
inline constexpr const char* kAppliedNotEqual =
    "Los montos aplicados a las reservas no concuerdan con el monto del Depósito";
inline constexpr const char* kCounterpartNotDebit =
    "La Contrapartida Contable no suma el monto (D)";
inline constexpr const char* kCounterpartNotCredit =
    "La Contrapartida Contable no suma el monto (C)";
inline constexpr const char* kCounterpartUnbalanced = "La Contrapartida Contable no cierra!";

}  // namespace qz::domain
