#pragma once
// Applying a saved deposit to reservation room lines (APLICAR_DEPOSITO), inside the save's
// transaction. A line whose guest has arrived (or that is gone) is left out: its money stays in
// the deposit's unapplied balance, so the deposit stays on the pending list until the front
// desk takes it into the folio. Each room line taken is locked until the transaction ends, so
// a check-in on another workstation waits for the deposit or is seen by it.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_draft.h"

namespace qz::domain {

struct DepositStamp {
    std::string user, info_user;
};

struct DepositToApply {
    std::string movement, document;  // the deposit's number and the payer's NUM_DEP
    Date date;
    Decimal amount, reservation_rate;
    DepositConcept deposit_concept;
    std::vector<DepositReservationLine> lines;
};

struct DepositApplication {
    Decimal balance;                            // what is left unapplied (SALDO)
    std::string last_reservation;               // COD_RES: the last reservation applied to
    std::vector<std::string> skipped;           // reservations of the lines left out
    std::vector<std::string> skipped_messages;  // what to tell the user about them
};

DepositApplication APLICAR_DEPOSITO(data::Db& db, const std::string& business,
                                    const DepositStamp& stamp, const DepositToApply& d);

// The first hotel payment type marked for deposits (T_PAGO by T_PAGO3); "" when none is.
std::string deposit_payment_type(data::Db& db, const std::string& business);

}  // namespace qz::domain
