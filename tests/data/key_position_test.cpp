// Going to a key position and reading it back, from either end of a scope, with equal keys that
// only the record number tells apart.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

namespace {

class KeyPositionTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        t = USE(*db, "DOCUMENT", "DOCUMEN3");
        Transaction tx(*db);
        // Customers C0..C4, four documents each, all on the same day: within a customer the
        // keys are equal and the record number orders them.
        for (int i = 0; i < 20; ++i) add("HOTEL", "F-" + std::to_string(i), "C" + std::to_string(i % 5));
        add("OTRO", "X-1", "C0");
        add("AAA", "X-2", "C9");
        tx.commit();
    }
    void add(const std::string& neg, const std::string& doc, const std::string& cli) {
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", neg);
        t->FieldPut("DOCUMENTO", doc);
        t->FieldPut("CLIENTE", cli);
        t->FieldPut("FECHA", Date(2026, 3, 1));
        UNLOCK_NEW_REC(*t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
    Table t;
};

TEST_P(KeyPositionTest, EveryPositionOfAScopeReadsBackFromBothEnds) {
    std::string neg = pad_right("HOTEL", 15);
    t->SetScope(neg, neg);
    long count = t->KeyCount();
    ASSERT_EQ(count, 20);
    std::vector<long> walk;
    for (t->GoTop(); !t->Eof(); t->Skip()) walk.push_back(t->RecNo());
    for (long n = 1; n <= count; ++n) {
        ASSERT_TRUE(t->GoToKeyNo(n, count)) << n;
        EXPECT_EQ(t->RecNo(), walk[n - 1]) << n;
        EXPECT_EQ(t->KeyNo(count), n);
        EXPECT_EQ(t->KeyNo(), n);
        ASSERT_TRUE(t->GoToKeyNo(n)) << n;
        EXPECT_EQ(t->RecNo(), walk[n - 1]) << n;
    }
    EXPECT_FALSE(t->GoToKeyNo(21, count));
    EXPECT_TRUE(t->Eof());
    EXPECT_FALSE(t->GoToKeyNo(0, count));
    // A customer's scope is a sub-range: its positions start again at 1.
    t->SetScope(neg + pad_right("C3", 15), neg + pad_right("C3", 15));
    ASSERT_EQ(t->KeyCount(), 4);
    ASSERT_TRUE(t->GoToKeyNo(4, 4));
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-18");
    EXPECT_EQ(t->KeyNo(4), 4);
}

// With enough rows the position is counted from the end a sample says is nearer; whichever end
// that is, the answer is the same as counting from the start.
TEST_P(KeyPositionTest, SampledSideGivesTheSamePositionEverywhere) {
    {
        Transaction tx(*db);
        for (int i = 0; i < 160; ++i)
            add(i % 3 ? "HOTEL" : "OTRO", "G-" + std::to_string(i), "C" + std::to_string(i % 7));
        tx.commit();
    }
    std::string neg = pad_right("HOTEL", 15);
    t->SetScope(neg, neg);
    long count = t->KeyCount();
    long n = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        ++n;
        ASSERT_EQ(t->KeyNo(count), n);
    }
    EXPECT_EQ(n, count);
}

// A remembered count never outlives a change: this session's own writes, another session's
// commit, or a deletion all show at the next count.
TEST_P(KeyPositionTest, RememberedCountsFollowEveryChange) {
    std::string neg = pad_right("HOTEL", 15);
    t->SetScope(neg, neg);
    ASSERT_EQ(t->KeyCount(), 20);
    EXPECT_EQ(t->KeyCount(), 20);
    add("HOTEL", "F-20", "C1");
    EXPECT_EQ(t->KeyCount(), 21);
    {
        auto other = inst->open();
        auto o = USE(*other, "DOCUMENT", "DOCUMEN3");
        ADD_NEW_REC(*o);
        o->FieldPut("NEGOCIO", std::string("HOTEL"));
        o->FieldPut("DOCUMENTO", std::string("F-21"));
        UNLOCK_NEW_REC(*o);
    }
    EXPECT_EQ(t->KeyCount(), 22);
    t->GoTop();
    LOCK_FOR_MODIFY(*t);
    t->Delete();
    UNLOCK_FOR_MODIFY(*t);
    EXPECT_EQ(t->KeyCount(), 21);
    t->SetScope("OTRO", "OTRO");
    EXPECT_EQ(t->KeyCount(), 1);
    // A scope wide enough to hold every row counts them all, the deleted one still left out.
    t->SetScope("A", "Z");
    EXPECT_EQ(t->KeyCount(), 23);
}

INSTANTIATE_TEST_SUITE_P(Engines, KeyPositionTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::engine_name);

}  // namespace
