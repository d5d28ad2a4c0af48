#pragma once
// The payments of the demonstration ledger on demand: after its documents, customers pay about
// one in two of them through the payment engine a clerk's "F12: PROCESAR" runs (PROCESA_ABONO),
// never by writing rows of their own: whole and partial payments, some in the other currency,
// some split over two tenders, some paying more than is owed (the excess becomes a credit
// note), and a few annulled afterwards through ANULA_MOVE.
#include <random>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/demo/demo_ledger_bulk.h"

namespace qz::domain::demo {

// A debit document the run made that a payment may apply to.
struct PayableDocument {
    std::string number, customer, currency;
    Date date;
};

// Pays `count` times a document drawn from `documents` (one already settled is passed over),
// counting what it made into `made`. Payments are dated where the business still takes them:
// from the open accounting period (and within the active month when the business enforces it)
// up to today. False after a refusal told through `port`.
bool make_demo_payments(data::Db& db, UserPort& port, const std::vector<PayableDocument>& documents,
                        long count, std::mt19937& rng, LedgerMade& made);

}  // namespace qz::domain::demo
