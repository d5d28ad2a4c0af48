// The ordered reader gives a scope's rows in the order and with the values a table handle's walk
// gives them, deleted rows left out, on both engines.
#include "data/ordered_reader.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

namespace {

class OrderedReaderTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        Table t = USE(*db, "DOCUMENT", "DOCUMEN3");
        Transaction tx(*db);
        // Equal keys within a customer (same day), told apart by the record number; other
        // businesses on both sides of the scope.
        for (int i = 0; i < 12; ++i) {
            add(*t, "HOTEL", "F-" + std::to_string(i), "C" + std::to_string(i % 3), i);
            if (i != 7) continue;
            LOCK_FOR_MODIFY(*t);
            t->Delete();
            UNLOCK_FOR_MODIFY(*t);
        }
        add(*t, "AAA", "X-1", "C0", 1);
        add(*t, "OTRO", "X-2", "C0", 2);
        tx.commit();
        KILLTABLA(*db, t);
    }
    static void add(WDBTable& t, const std::string& neg, const std::string& doc,
                    const std::string& cli, int amount) {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", neg);
        t.FieldPut("DOCUMENTO", doc);
        t.FieldPut("CLIENTE", cli);
        t.FieldPut("FECHA", Date(2026, 3, 1));
        t.FieldPut("MONTO", Decimal(amount) + Decimal::parse("0.25"));
        UNLOCK_NEW_REC(t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

}  // namespace

TEST_P(OrderedReaderTest, ReadsAScopeAsATableHandleWalksIt) {
    const std::string scope = pad_right("HOTEL", 15);
    std::vector<std::string> walked;
    Table t = USE(*db, "DOCUMENT", "DOCUMEN3");
    t->SetScope(scope, scope);
    for (t->GoTop(); !t->Eof(); t->Skip())
        walked.push_back(t->CurrentKey() + "|" + t->str("DOCUMENTO") + "|" +
                         t->num("MONTO").to_string(2) + "|" + t->date("FECHA").dtos());
    KILLTABLA(*db, t);
    ASSERT_EQ(walked.size(), 11u) << "the deleted row is left out";

    OrderedReader r(*db, "DOCUMENT", "DOCUMEN3", scope, {"DOCUMENTO", "MONTO", "FECHA"});
    std::vector<std::string> read;
    while (r.next())
        read.push_back(r.key() + "|" + r.str("DOCUMENTO") + "|" + r.num("MONTO").to_string(2) +
                       "|" + r.date("FECHA").dtos());
    EXPECT_EQ(read, walked);
    EXPECT_THROW(r.get("CLIENTE"), DbError) << "a field not asked for";
    EXPECT_THROW(OrderedReader(*db, "DOCUMENT", "NO_TAG", scope, {}), DbError);
}

// One statement walks scope after scope, and a range of keys, as a report reading the lines of
// many headers does.
TEST_P(OrderedReaderTest, StartsAgainOverAnotherScopeOrARange) {
    OrderedReader r(*db, "DOCUMENT", "DOCUMEN3", pad_right("AAA", 15), {"DOCUMENTO"});
    auto read = [&r] {
        std::vector<std::string> out;
        while (r.next()) out.push_back(rtrim(r.str("DOCUMENTO")));
        return out;
    };
    EXPECT_EQ(read(), std::vector<std::string>{"X-1"});
    r.rescope(pad_right("OTRO", 15));
    EXPECT_EQ(read(), std::vector<std::string>{"X-2"});
    const std::string hotel = pad_right("HOTEL", 15);
    r.range(hotel + pad_right("C1", 15), hotel + pad_right("C2", 15));
    const auto both = read();
    ASSERT_EQ(both.size(), 7u)
        << "customers C1 and C2 (the last included whole), less the deleted row";
    for (const auto& d : both) EXPECT_NE(std::stoi(d.substr(2)) % 3, 0) << d;
    r.rescope(pad_right("NADIE", 15));
    EXPECT_TRUE(read().empty());
}

INSTANTIATE_TEST_SUITE_P(OrderedReader, OrderedReaderTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
