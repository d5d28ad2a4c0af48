#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

class TableTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    void add_doc(WDBTable& t, const std::string& neg, const std::string& doc,
                 const std::string& cli, Date fecha) {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", neg);
        t.FieldPut("DOCUMENTO", doc);
        t.FieldPut("CLIENTE", cli);
        t.FieldPut("FECHA", fecha);
        UNLOCK_NEW_REC(t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(TableTest, SeekSkipAndScopesFollowTheOrderKeys) {
    auto t = USE(*db, "DOCUMENT", "DOCUMEN3");
    EXPECT_TRUE(t->Eof());
    EXPECT_TRUE(t->BOF());
    add_doc(*t, "HOTEL", "F-3", "C2", Date(2026, 3, 1));
    add_doc(*t, "HOTEL", "F-1", "C1", Date(2026, 2, 1));
    add_doc(*t, "HOTEL", "F-2", "C1", Date(2026, 1, 15));
    add_doc(*t, "OTRO", "F-9", "C1", Date(2026, 1, 1));
    // Two businesses with the same customer keep apart: every key starts with the business.
    std::string neg = pad_right("HOTEL", 15), c1 = pad_right("C1", 15);
    ASSERT_TRUE(t->Seek(neg + c1));
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-2");  // oldest date first within the customer
    t->Skip();
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-1");
    t->Skip();
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-3");
    // A code typed shorter than its field finds nothing until it is padded.
    EXPECT_FALSE(t->Seek("HOTEL" + std::string("C1")));
    EXPECT_TRUE(t->Eof());
    // Soft seek stops on the next key; a hard one leaves the table at its end.
    EXPECT_FALSE(t->Seek(neg + pad_right("C15", 15), true));
    EXPECT_FALSE(t->Eof());
    EXPECT_EQ(trim(t->str("CLIENTE")), "C2");
    EXPECT_TRUE(t->Seek(neg + c1 + "20260201"));
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-1");

    t->SetScope(neg, neg);
    EXPECT_EQ(t->KeyCount(), 3);
    t->GoBottom();
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-3");
    EXPECT_EQ(t->KeyNo(), 3);
    t->Skip();
    EXPECT_TRUE(t->Eof());
    t->Skip(-1);
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-3");
    t->GoTop();
    t->Skip(-1);
    EXPECT_TRUE(t->BOF());
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-2");
    t->Skip(2);
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-3");
    // Within a scope a seek never leaves it: below it lands on its first row, beyond it at EOF.
    EXPECT_FALSE(t->Seek(pad_right("A", 15), true));
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-2");
    EXPECT_FALSE(t->Seek(pad_right("OTRO", 15), true));
    EXPECT_TRUE(t->Eof());
    t->GoTo(4);  // the other business sorts after the scope: a step back enters it at its end
    t->Skip(-1);
    EXPECT_EQ(trim(t->str("DOCUMENTO")), "F-3");
    t->GoTo(4);
    t->Skip();
    EXPECT_TRUE(t->Eof());
}

TEST_P(TableTest, NewestFirstOrderAndSqlWritersKeepKeys) {
    auto t = USE(*db, "T_CAMBIO", "T_CAMB2");
    for (auto [d, rate] : {std::pair{Date(2026, 1, 1), "500"}, {Date(2026, 1, 10), "510"}}) {
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", std::string("HOTEL"));
        t->FieldPut("MONEDA1", std::string("US"));
        t->FieldPut("MONEDA2", std::string("CO"));
        t->FieldPut("FECHA", d);
        t->FieldPut("CAMBIO", Decimal::parse(rate));
        UNLOCK_NEW_REC(*t);
    }
    // A row written by plain SQL, as an import or an administrator would, is in every order.
    db->conn().exec(
        "INSERT INTO \"T_CAMBIO\" (\"NEGOCIO\", \"MONEDA1\", \"MONEDA2\", \"FECHA\") VALUES "
        "('HOTEL', 'US', 'CO', '20251201')");
    std::string pair = pad_right("HOTEL", 15) + "US" + "CO";
    ASSERT_TRUE(t->Seek(pair));
    EXPECT_EQ(t->date("FECHA"), Date(2026, 1, 10));
    EXPECT_EQ(t->num("CAMBIO"), Decimal(510));
    t->Skip();
    EXPECT_EQ(t->date("FECHA"), Date(2026, 1, 1));
    t->Skip();
    EXPECT_EQ(t->date("FECHA"), Date(2025, 12, 1));
    // The newest rate on or before the 9th is the one of the 1st.
    std::string days = std::to_string(days_to_2090(Date(2026, 1, 9)));
    t->Seek(pair + std::string(14 - days.size(), '0') + days, true);
    ASSERT_FALSE(t->Eof());
    EXPECT_EQ(t->date("FECHA"), Date(2026, 1, 1));
}

TEST_P(TableTest, WalkThatRewritesItsKeyVisitsEveryRowOnce) {
    auto t = USE(*db, "DOCUMENT", "DOCUMEN3");
    for (int i = 0; i < 20; ++i)
        add_doc(*t, "HOTEL", "D" + std::to_string(i), "A" + std::to_string(i % 5),
                Date(2026, 1, 1 + i));
    std::set<std::string> seen;
    int visits = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        ++visits;
        seen.insert(t->str("DOCUMENTO"));
        LOCK_FOR_MODIFY(*t);
        // Moves the row forward past rows not yet visited, and backward for odd ones.
        t->FieldPut("CLIENTE", std::string(visits % 2 ? "Z" : "0") + trim(t->str("CLIENTE")));
        UNLOCK_FOR_MODIFY(*t);
    }
    EXPECT_EQ(visits, 20);
    EXPECT_EQ(seen.size(), 20u);
}

TEST_P(TableTest, LongWalksSeeWritesMadeThroughOtherHandles) {
    auto t = USE(*db, "DOCUMENT", "DOCUMENT");
    for (int i = 0; i < 300; ++i)
        add_doc(*t, "HOTEL", "D" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") +
                                 std::to_string(i), "C", Date(2026, 1, 1));
    auto other = USE(*db, "DOCUMENT", "DOCUMENT");
    int n = 0;
    for (t->GoTop(); !t->Eof(); t->Skip(), ++n) {
        EXPECT_EQ(trim(t->str("CLIENTE")), n < 200 ? "C" : "X") << n;
        if (n == 150) {
            // Rows far ahead of the walk change through another handle of this session.
            ASSERT_TRUE(other->Seek(pad_right("HOTEL", 15) + pad_right("D200", 15)));
            for (int k = 0; k < 100; ++k, other->Skip()) {
                LOCK_FOR_MODIFY(*other);
                other->FieldPut("CLIENTE", std::string("X"));
                UNLOCK_FOR_MODIFY(*other);
            }
        }
    }
    EXPECT_EQ(n, 300);
}

TEST_P(TableTest, WritesNeedTheRecordLockAndValuesStayExact) {
    auto t = USE(*db, "DOCUMENT", "DOCUMENT");
    add_doc(*t, "HOTEL", "F-1", "C1", Date(2026, 5, 5));
    t->GoTop();
    EXPECT_THROW(t->FieldPut("MONTO", Decimal::parse("10.00")), DbError);
    LOCK_FOR_MODIFY(*t);
    t->FieldPut("MONTO", Decimal::parse("1234567.895"));  // rounds half away from zero to cents
    t->FieldPut("HORA", std::string("10:11:12"));
    EXPECT_THROW(t->FieldPut("MONTO", std::string("abc")), DbError);
    EXPECT_THROW(t->FieldPut("NO_EXISTE", std::string("x")), DbError);
    UNLOCK_FOR_MODIFY(*t);
    auto again = USE(*db, "DOCUMENT", "DOCUMENT");
    ASSERT_TRUE(again->Seek(pad_right("HOTEL", 15) + pad_right("F-1", 15)));
    EXPECT_EQ(again->num("MONTO"), Decimal::parse("1234567.90"));
    EXPECT_EQ(again->str("HORA"), "10:11:12");
    EXPECT_EQ(again->str("CLIENTE"), pad_right("C1", 15));
    // Two handles on one table have their own aliases and see the same rows.
    EXPECT_NE(t->Alias, again->Alias);
    EXPECT_EQ(t->Alias.substr(0, 7), "DOCUMEN");
    EXPECT_EQ(make_alias("F_SYS", 3), "F_SYS00003");
    // A deleted row disappears from every order.
    LOCK_FOR_MODIFY(*again);
    again->Delete();
    UNLOCK_FOR_MODIFY(*again);
    t->GoTop();
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(SAVE_PACK(*db, "MONEDAS"), 0);
}

TEST_P(TableTest, TemporaryTablesArePrivateAndGetDistinctNames) {
    auto a = USE(*db, "MONEDAS.DBF");
    auto b = USE(*db, "MONEDAS.DBF");
    EXPECT_NE(a->Name, b->Name);
    EXPECT_EQ(a->Cargo, "BORRAR");
    EXPECT_EQ(a->Name.substr(a->Name.size() - 4), ".SPA");
    ADD_NEW_REC(*a);
    a->FieldPut("CODIGO", std::string("X1"));
    UNLOCK_NEW_REC(*a);
    EXPECT_EQ(a->KeyCount(), 1);
    EXPECT_EQ(b->KeyCount(), 0);
    std::string name = a->Name;
    EXPECT_TRUE(IS_FILE(*db, name, "TEMP"));
    KILLTABLA(*db, a);
    EXPECT_FALSE(IS_FILE(*db, name, "TEMP"));
    EXPECT_FALSE(db->conn().table_exists("", name));
}

INSTANTIATE_TEST_SUITE_P(Engines, TableTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
