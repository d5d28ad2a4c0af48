#pragma once
// Pending payments ("Pendiente"): a payment kept in PENC_MOV, PDET_MOV and PDET_MV2 under a
// number of its block's pending series (SERIAL2), to be finished later. Nothing else is touched:
// documents keep their balances until the payment is processed, which deletes the pending copy in
// its own transaction. Each line keeps the balance it was figured on (SALDO_ANT), so a document
// paid meanwhile is caught when the payment is processed. The credit note of an excess is kept as
// a line without document whose concept is the note's.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/payment_draft.h"

namespace qz::domain {

// Keeps the draft (again under its own number when it was pending already). The pending number,
// or none after telling the user why.
std::optional<std::string> save_pending_payment(data::Db& db, UserPort& port, PaymentDraft& draft);

// Reads pending payment `number` into `draft`, replacing what it held. False (told) when there
// is no such pending payment or one of its documents is gone.
bool load_pending_payment(data::Db& db, UserPort& port, const std::string& number,
                          PaymentDraft& draft);

// The pending payments of the business, for the window to choose one.
struct PendingPayment {
    std::string number, customer, customer_name, currency;
    Date date;
    Decimal amount;
};
std::vector<PendingPayment> pending_payments(data::Db& db, const std::string& business);

}  // namespace qz::domain
