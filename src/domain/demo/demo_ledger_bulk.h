#pragma once
// A realistic receivables ledger of any size for the demonstration business, made through the
// services a user's actions go through (customer saves, the rates window's saves, the document
// service), so that benchmarks and demonstrations run on data shaped like a hotel's years of
// work: customers with branches and status changes, documents of debit and credit concepts in
// two currencies, instalment plans, annulments, a rate for every day, and the payments of about
// half the documents (demo_ledger_payments.h).
#include <functional>
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::demo {

struct LedgerRequest {
    long customers = 100;
    long documents = 1000;
    unsigned seed = 1;
    int years = 2;  // documents are dated over this many years up to today
};

struct LedgerMade {
    long customers = 0, branches = 0, status_changes = 0, rate_days = 0;
    long documents = 0, foreign = 0, instalment = 0, credit_notes = 0, annulled = 0;
    long payments = 0, partial = 0, foreign_payments = 0, excess_notes = 0;
    long split_tenders = 0, annulled_payments = 0;
    double seconds = 0, document_seconds = 0, payment_seconds = 0;
};

// Refuses (through `port`, nothing made) when the demonstration business is not installed or
// the counts are out of range. `progress` is told the documents made so far.
std::optional<LedgerMade> make_demo_ledger(data::Db& db, UserPort& port, const LedgerRequest& r,
                                           const std::function<void(long)>& progress = {});
// What was made, one line per kind, in Spanish like the rest of the demonstration's summary.
std::string describe(const LedgerMade& m);

}  // namespace qz::domain::demo
