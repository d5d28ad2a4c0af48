#pragma once
// The exchange-difference adjustment of a foreign-currency document at a payment (and at the
// annulment of one, with the rate of the annulment date). The whole open balance moves from the
// rate it was last valued at to the payment's rate; DET_DOC3 keeps each step so the next payment
// starts from the balance and rate this one left.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct ExchangeDifferenceRequest {
    std::string business;
    std::string document;  // the document the payment touches
    std::string movement;  // the payment, or its annulment
    Date fecha;
    std::string hora;       // "HH:MM:SS"
    Decimal amount;         // what the payment applied to the document
    Decimal balance_after;  // the document's balance once the payment is applied
    // One unit of the document's currency in the accounting currency on `fecha`: the rate the
    // payment holds for that currency (it may have been edited in the payment).
    Decimal current_rate;
};

// One side of the adjustment entry, in the accounting currency at rate 1.
struct AdjustmentLine {
    std::string link;  // ledger link (LIGAS)
    Decimal debit, credit;
    std::string description;  // "A/Diff: " + document + "/" + payment
};

struct ExchangeDifference {
    bool foreign = false;  // false: the document is in the accounting currency, nothing to do
    int factor = 1;        // +1 debit concept, -1 credit concept
    Decimal base_rate, base_balance;
    Decimal adjustment;  // in the accounting currency
    // Why the adjustment is not made although it is not zero (the payment goes on without it).
    std::string problem;
    bool posts = false;  // a DET_DOC3 row and the two lines are written
    std::vector<AdjustmentLine> lines;
};

// The decision alone: reads the document, its concept, its type and its last revaluation.
// A document that cannot be read is reported in `problem` with nothing to post.
ExchangeDifference exchange_difference(data::Db& db, const ExchangeDifferenceRequest& r);

// The decision and, when it posts, the DET_DOC3 row, written in the caller's transaction (the
// payment's), which also posts `lines` through its journal voucher.
ExchangeDifference apply_exchange_difference(data::Db& db, const ExchangeDifferenceRequest& r);

// The rate a document was last valued at: TC_NUEVO of its newest revaluation, else its issue
// rate TC_DIFF (`issue_rate`). `balance` gets that revaluation's SALDO when there is one.
Decimal last_valued_rate(data::Db& db, const std::string& business, const std::string& document,
                         const Decimal& issue_rate, Decimal* balance = nullptr);

inline constexpr const char* kMissingPaymentRate =
    "Falta por definir el tipo de cambio.\rNo se puede pasar el documento.";

// HORA_INV of a time: the seconds left in the day, so that ascending keys run newest first.
std::string inverted_time(const std::string& hora);

}  // namespace qz::domain
