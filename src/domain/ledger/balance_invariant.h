#pragma once
// The balance a document should have by its payments: SALDO = MONTO − the applications of
// payment concepts that lower a balance (CONCEPT2 TIPO 0) + those of concepts that raise it
// (TIPO 1), each converted from the payment's currency into the document's; an annulled document
// owes nothing. A payment may also settle a document leaving a residue within the margin written
// off, and one in another currency is recorded to the cent of its own currency: within those,
// the balance the application line records moving is the one that counts. Only posted payments
// count (DET_MOVE): pending ones (PDET_MOV) have touched no balance yet. An annulled payment counts
// with its mirror, whose reversing lines cancel it.
//
// Over a whole business the documents are walked once in DOCUMENT order beside their
// applications walked once in DET_MOV2 order (business + document + movement), so the check
// costs two passes over the ledger, not one query per document.
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct BalanceCheck {
    std::string document, concept_code, customer, name, currency;
    Date date;
    Decimal amount;    // MONTO
    Decimal recorded;  // SALDO
    Decimal expected;  // by the invariant
    bool annulled = false;
    // A payment in another currency whose rate was found neither with the payment (DET_MOV3) nor
    // among the dated rates: `expected` leaves that application out and is not to be trusted.
    bool unconverted = false;
    bool agrees() const { return !unconverted && expected == recorded; }
};

// Calls `fn` for every document of the business, in document-number order.
void expected_balance(data::Db& db, const std::string& business,
                      const std::function<void(const BalanceCheck&)>& fn);
// The check of one document; nothing when the business has no such document.
std::optional<BalanceCheck> expected_balance(data::Db& db, const std::string& business,
                                             const std::string& document);

}  // namespace qz::domain
