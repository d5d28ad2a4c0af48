#pragma once
// Runs a posting with a fault at its first statement, then its second, and so on until it runs
// through untouched. After every failure the database must be as it was (nothing of the posting
// committed), the session must hold no more locks than before, another session must be able to
// take the posting's tables whole, and the session must be able to post again (the next round
// is that proof; the last round must commit).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/schema.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/fault_connection.h"

namespace qz::test {

// Every row of the tables, as the engine stores them (deleted ones too).
inline std::string table_digest(data::Db& db, const std::vector<std::string>& tables) {
    std::string out;
    for (const auto& t : tables) {
        auto st = db.conn().prepare("SELECT * FROM " + data::quote_ident(t) +
                                    " ORDER BY " + data::quote_ident(data::kRecnoCol));
        out += t + "\n";
        while (st->step()) {
            for (int c = 0; c < st->columns(); ++c) out += st->text_at(c) + "|";
            out += "\n";
        }
    }
    return out;
}

struct FaultLoopResult {
    int failures = 0;  // rounds that failed on purpose
    bool committed = false;
};

// The statements to fail: every one of a short posting; of a long one (a user with a row per
// right) the first and last ones and an even spread between, counted in a rehearsal that an
// enclosing transaction undoes.
inline std::vector<long> fault_points(data::Db& db, FaultConnection& fault,
                                      const std::function<bool()>& post) {
    const long start = fault.statements;
    data::START_TRANSACTION(db);
    try {
        post();
    } catch (const std::exception&) {
    }
    data::ROLLBACK_TRANSACTION(db);
    const long total = fault.statements - start;
    std::vector<long> points;
    for (long n = 1; n <= total + 5; ++n)
        if (total <= 120 || n <= 50 || n >= total - 50 || n % (total / 40) == 0)
            points.push_back(n);
    return points;
}

// `post` runs the posting on `db`; it may report a refusal by returning false, or fail by
// throwing. `other` is a second session of the same installation.
inline FaultLoopResult run_fault_loop(data::Db& db, data::Db& other, FaultConnection& fault,
                                      FaultConnection::Mode mode,
                                      const std::vector<std::string>& tables,
                                      const std::function<bool()>& post) {
    FaultLoopResult r;
    const size_t locks_before = db.locks().held();
    std::vector<long> points = fault_points(db, fault, post);
    points.push_back(1L << 30);  // the round that must go through
    for (long n : points) {
        const std::string before = table_digest(other, tables);
        fault.arm(mode, n);
        bool ok = false;
        try {
            ok = post();
        } catch (const std::exception&) {
        }
        const bool fired = fault.fired;
        fault.disarm();
        // A posting that says it is done must be (a fault in what it only tidied up, such as a
        // lock it gave back, is absorbed); one that failed must have left nothing.
        if (ok) {
            r.committed = table_digest(other, tables) != before;
        } else if (fired) {
            ++r.failures;
            EXPECT_EQ(table_digest(other, tables), before)
                << "fault at statement " << n << ": " << fault.fired_at.substr(0, 300);
        }
        EXPECT_EQ(db.XADSTRANS, 0) << "fault at statement " << n;
        EXPECT_EQ(db.locks().held(), locks_before)
            << "fault at statement " << n << ": " << fault.fired_at.substr(0, 300);
        for (const auto& t : tables) {
            auto h = data::USE(other, t);
            EXPECT_TRUE(h->FLock()) << t << " still locked after a fault at statement " << n;
        }
        if (ok || !fired || ::testing::Test::HasFailure()) return r;
    }
    return r;
}

}  // namespace qz::test
