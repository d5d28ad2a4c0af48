#pragma once
// A guarantee deposit while it is being typed: the screen's fields, the accounting counterpart
// typed with it and the reservation room lines it is to be applied to. Nothing here reads or
// writes a table; the checks before saving are in deposit_checks.h.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"

namespace qz::domain {

// One line of the accounting counterpart (the detail grid).
struct CounterpartLine {
    std::string account;            // CUENTA_CON
    Decimal debit, credit;          // DEBITO, CREDITO
    Decimal debit_pct, credit_pct;  // DEB_PORC, CRED_PORC
};

// One reservation room line the deposit is applied to.
struct DepositReservationLine {
    std::string reservation, room_type;  // COD_RES, COD_HAB
    long item = 0;                       // CODIGO: the room line (ITEM_HAB)
    Decimal amount;                      // MONTO, in the reservations' currency
};

struct DepositDraft {
    std::string concept_code, currency, made_by;  // CONCEPTO, MONEDA, HECHO_POR
    Decimal amount;                               // MONTO, in the deposit's currency
    Decimal reservation_rate;                     // CAMBIO_RES: to the reservations' currency
    Decimal accounting_rate;                      // CAMBIO_CON: to the accounting currency
    Date date;                                    // empty when what was typed is not a date
    std::string number;                           // NUM_DEP: the payer's deposit or voucher number
    std::string name, surname;                    // TXT_NOMBRE, TXT_APELL1
    Date arrival, departure;                      // ENTRADA, SALIDA
    std::string comment;                          // COMENTARIO
    std::vector<CounterpartLine> counterpart;
    std::vector<DepositReservationLine> reservations;

    // Lists a room line; a line already listed is refused (false) and the list is left alone,
    // so one guest never takes the same deposit twice.
    bool add_reservation(const DepositReservationLine& line);
    // What the reservation lines take of the deposit, in the deposit's currency: the sum of
    // each line's amount times the reservation rate. Lines without a reservation are never
    // applied, so they take nothing.
    Decimal applied() const;
};

inline constexpr const char* kGuestAlreadyIncluded = "Este huésped ya se encuentra incluido";

}  // namespace qz::domain
