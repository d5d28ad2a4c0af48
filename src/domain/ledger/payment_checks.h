#pragma once
// CHECK_DATA: the checks of "F12: PROCESAR", in the system's order, each stopping the save with
// its message before anything is written.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/payment_draft.h"

namespace qz::domain {

// What the checks settle for the posting.
struct CheckedPayment {
    std::vector<Decimal> balances;  // each line's new balance, small residues written off
    int books = 0;                  // the documents' accounting mode (PROC_CONTA)
    bool complement = false;        // a document posts through complement accounts
    // The register's pass code hashed, when it was stored plain and matched: the posting
    // stores it in place of the plain one.
    std::string rehashed_pass_code;
};

// The date outside the range the business reads dates in: the payment window and the automatic
// collections word it differently, so the caller names its text.
inline constexpr const char* kDateOutOfRange = "La fecha digitada sobrepasa el rango definido";
inline constexpr const char* kCollectionDateOutOfRange =
    "La fecha digitada sobre pasa el rango definido";

std::optional<CheckedPayment> CHECK_DATA(data::Db& db, UserPort& port, const PaymentDraft& draft,
                                         const char* date_range_text = kDateOutOfRange);

// The balance left on a document once a residue within `margin` is written off; none when the
// payment goes beyond the balance by more than the margin.
std::optional<Decimal> settle_residue(const Decimal& balance, const Decimal& margin);

inline constexpr const char* kAboveAllowed =
    "Hay algún documento por procesar que se le aplica un monto mayor al permitido";

}  // namespace qz::domain
