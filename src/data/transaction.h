#pragma once
// Server transactions bracketing multi-table postings. Every posting is atomic: a crash at any
// instant leaves all of it or none of it. Locks released inside a transaction are kept until it
// ends (kind 1 remembers each record, kind 2 each work area). A rollback writes LOG_ROLL.
#include <optional>

#include "data/db.h"

namespace qz::data {

// Posting ids that name what a transaction is for (LOG_ROLL.TRANS_ID).
enum TransId {
    kTransPosInvoice = 1,
    kTransPayment = 2,
    kTransBankEntry = 16,
    kTransDocCancel = 21,
    kTransPaymentCancel = 33,
    kTransGroupPaymentDocs = 36,
    kTransDeposit = 45,
};

void START_TRANSACTION(Db& db, int kind = 2, std::optional<int> id = std::nullopt);
void END_TRANSACTION(Db& db);
void ROLLBACK_TRANSACTION(Db& db);

// The guarded block: leaving it without commit() rolls the transaction back and logs it.
class Transaction {
public:
    explicit Transaction(Db& db, std::optional<int> id = std::nullopt, int kind = 2);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();

private:
    Db& m_db;
    bool m_done = false;
    int m_unwinding = 0;  // exceptions in flight when the block began
};

}  // namespace qz::data
