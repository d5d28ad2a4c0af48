#pragma once
// ANULA_MOVE ("Anulación de Movimientos"): a payment is never edited or deleted; it is annulled
// by a mirror payment numbered with "-A" that gives every document back the balance the payment
// took, reverses its tenders with each method's reversal method and reverses its postings, all in
// one database transaction. The credit note the payment's excess created is annulled with it
// (the note's own balance becomes 0: it is annulled). Each touched foreign-currency document is
// revalued again at the rate of the annulment date.
#include <string>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

// Annuls payment `number` on `date` after the user confirms. True when annulled (and told so);
// false after a refusal, a declined question or a failure, with nothing written.
bool ANULA_MOVE(data::Db& db, UserPort& port, const std::string& business,
                const std::string& number, const Date& date);

inline constexpr const char* kPaymentAnnulled = "Movimiento anulado con Exito";
inline constexpr const char* kPaymentAnnulFailed =
    "No se pudo procesar la Anulación del Abono.  Por favor vuelva a intentar...";

}  // namespace qz::domain
