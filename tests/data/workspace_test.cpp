#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "core/text.h"
#include "data/install.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

class WorkspaceTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    void add_currency(WDBTable& t, const std::string& code, const std::string& name = "") {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", std::string("HOTEL"));
        t.FieldPut("CODIGO", code);
        t.FieldPut("DESCRIP", name);
        UNLOCK_NEW_REC(t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(WorkspaceTest, InitIsIdempotentAndRestoresWhatAnOlderSchemaLacks) {
    db.reset();
    // An older schema: a field and an order missing. The next init adds both back and the
    // rows written meanwhile appear in the rebuilt order.
    {
        auto c = inst->open();
        c->conn().exec("DROP INDEX IF EXISTS \"MONEDAS__MONEDAS\"");
        c->conn().exec("ALTER TABLE \"MONEDAS\" DROP COLUMN \"qz_k_MONEDAS\"");
        c->conn().exec("ALTER TABLE \"MONEDAS\" DROP COLUMN \"SIMBOLO\"");
        c->conn().exec("INSERT INTO \"MONEDAS\" (\"NEGOCIO\", \"CODIGO\") VALUES ('HOTEL', 'US')");
    }
    auto rep = init_installation(inst->home(), inst->schema());
    EXPECT_EQ(rep.tables_created, 0);
    EXPECT_EQ(rep.columns_added, 1);
    EXPECT_EQ(rep.orders_rebuilt, 1);
    auto second = init_installation(inst->home(), inst->schema());
    EXPECT_EQ(second.columns_added + second.orders_rebuilt + second.tables_created, 0);
    db = inst->open();
    auto t = USE(*db, "MONEDAS", "MONEDAS");
    EXPECT_TRUE(t->Seek(pad_right("HOTEL", 15) + "US"));
}

TEST_P(WorkspaceTest, ParkedTableIsReusedAtItsFirstRecordUntilTheTransactionEnds) {
    auto t = USE(*db, "MONEDAS", "MONEDAS");
    add_currency(*t, "US");
    add_currency(*t, "CO");
    START_TRANSACTION(*db, 2, 45);
    t->GoBottom();
    int area = t->Area;
    KILLTABLA(*db, t);
    EXPECT_FALSE(t);
    auto back = USE(*db, "MONEDAS", "MONEDAS");
    EXPECT_EQ(back->Area, area);
    EXPECT_EQ(trim(back->str("CODIGO")), "CO");  // first record of the order
    END_TRANSACTION(*db);
    KILLTABLA(*db, back);
    EXPECT_EQ(db->area(area), nullptr);
}

TEST_P(WorkspaceTest, FullTextHookSeesEveryChangedRecord) {
    struct Recorder : FullTextHook {
        void update(int mode, const std::string& neg, const std::string& doc,
                    const std::vector<std::string>& texts) override {
            std::string all;
            for (const auto& t : texts) all += "|" + t;
            calls.push_back(std::to_string(mode) + ":" + neg + ":" + doc + ":" + all);
        }
        std::vector<std::string> calls;
    } hook;
    db->full_text = &hook;
    db->XTXT_SRCH_FILES = {{"MONEDAS", "CODIGO"}};
    auto t = USE(*db, "MONEDAS", "MONEDAS");
    EXPECT_EQ(t->SEARCH_TXT, 1);
    add_currency(*t, "US", "Dolar");
    LOCK_FOR_MODIFY(*t);
    t->FieldPut("DESCRIP", std::string("Dolar americano"));
    UNLOCK_FOR_MODIFY(*t);
    ASSERT_EQ(hook.calls.size(), 3u);
    // Texts of ten characters or more go to the index: the business code and the name.
    EXPECT_EQ(hook.calls[0].rfind("2:HOTEL:US:|HOTEL|Dolar", 0), 0u) << hook.calls[0];
    EXPECT_EQ(hook.calls[1].rfind("1:HOTEL:US:|HOTEL|Dolar", 0), 0u) << hook.calls[1];
    EXPECT_NE(hook.calls[2].find("|Dolar americano"), std::string::npos);
    auto other = USE(*db, "T_CAMBIO");
    EXPECT_EQ(other->SEARCH_TXT, 0);
}

TEST_P(WorkspaceTest, CopiesOfStructureAndServerClock) {
    auto t = USE(*db, "MONEDAS", "MONEDAS");
    COPY_STRUC(*db, *t, "MON_COPY", "BASES");
    EXPECT_TRUE(IS_FILE(*db, "MON_COPY"));
    EXPECT_THROW(COPY_STRUC(*db, *t, "MON_COPY", "BASES"), DbError);
    DUP_FILE(*db, "MONEDAS.DBF", "MON_WORK", "TEMP");
    EXPECT_TRUE(IS_FILE(*db, "MON_WORK", "TEMP"));
    EXPECT_FALSE(IS_FILE(*db, "NO_EXISTE"));
    // The business date comes from the server when there is one.
    auto now = db->server_now();
    EXPECT_EQ(now.has_value(), GetParam() == Engine::PostgreSQL);
    if (now) {
        EXPECT_EQ(now->time.size(), 8u);
    }
}

TEST_P(WorkspaceTest, ExclusiveOpenWaitsForOtherSessionsAndSaysWhy) {
    auto other = inst->open();
    auto shared = USE(*other, "MONEDAS");
    add_currency(*shared, "US");
    LOCK_FOR_MODIFY(*shared);
    shared->Delete();
    UNLOCK_FOR_MODIFY(*shared);
    db->patience = std::chrono::milliseconds(300);
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
        KILLTABLA(*other, shared);
    });
    // Packing needs the table alone: it waits until the other session closes it.
    EXPECT_EQ(SAVE_PACK(*db, "MONEDAS"), GetParam() == Engine::SQLite ? 1 : 0);
    closer.join();
    ASSERT_FALSE(inst->port.messages.empty());
    EXPECT_EQ(inst->port.messages.front().rfind("Alerta: No se puede abrir archivo: ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Engines, WorkspaceTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

TEST(AlternateDataSet, TableOfTheSubdirectoryWinsWhereItExists) {
    test::TestInstall inst(Engine::SQLite);
    std::string alt = inst.home() + "/BASES/PRUEBA";
    std::filesystem::create_directories(alt);
    {
        SqliteConnection c(alt + "/quartzen.db");
        Catalogue cat;
        cat.add(Catalogue::instance().find("MONEDAS")->renamed("MONEDAS"));
        migrate(c, cat);
        c.exec("INSERT INTO \"MONEDAS\" (\"NEGOCIO\", \"CODIGO\") VALUES ('ALT', 'AL')");
    }
    auto db = inst.open();
    {
        auto t = USE(*db, "T_CAMBIO");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", std::string("MAIN"));
        UNLOCK_NEW_REC(*t);
    }
    db->set_alternate("PRUEBA");
    auto mon = USE(*db, "MONEDAS");
    EXPECT_EQ(trim(mon->str("NEGOCIO")), "ALT");
    auto rates = USE(*db, "T_CAMBIO");  // only in BASES
    EXPECT_EQ(trim(rates->str("NEGOCIO")), "MAIN");
}

TEST(SchemaMigration, ChangedDecimalsKeepTheAmounts) {
    for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
        if (!test::engine_available(e)) continue;
        test::TestInstall inst(e);
        {
            auto db = inst.open();
            auto t = USE(*db, "MONEDAS");
            for (auto [code, v] : {std::pair{"A", "512.34"}, {"B", "-2.5"}}) {
                ADD_NEW_REC(*t);
                t->FieldPut("CODIGO", std::string(code));
                t->FieldPut("CAMBIO_MIN", Decimal::parse(v));
                UNLOCK_NEW_REC(*t);
            }
        }
        // The same table declared with more, then fewer, decimals for the field.
        TableDef more("MONEDAS"), fewer("MONEDAS");
        for (const auto& f : Catalogue::instance().find("MONEDAS")->fields()) {
            bool target = f.name == "CAMBIO_MIN";
            if (f.kind == FieldKind::N) {
                more.N(f.name, target ? 18 : f.width, target ? 6 : f.decimals);
                fewer.N(f.name, target ? 16 : f.width, target ? 0 : f.decimals);
            } else {
                more.C(f.name, f.width > 0 ? f.width : 10);
                fewer.C(f.name, f.width > 0 ? f.width : 10);
            }
        }
        auto read = [&](Catalogue& cat) {
            auto db = inst.open();
            migrate(db->conn(), cat);
            auto st = db->conn().prepare(
                "SELECT \"CAMBIO_MIN\" FROM \"MONEDAS\" ORDER BY \"qz_recno\"");
            std::vector<std::string> v;
            while (st->step()) v.push_back(st->text_at(0));
            return v;
        };
        Catalogue c1, c2;
        c1.add(more);
        c2.add(fewer);
        auto a = read(c1), b = read(c2);
        ASSERT_EQ(a.size(), 2u);
        if (e == Engine::SQLite) {
            EXPECT_EQ(a, (std::vector<std::string>{"512340000", "-2500000"}));
            EXPECT_EQ(b, (std::vector<std::string>{"512", "-3"}));
        } else {
            EXPECT_EQ(a, (std::vector<std::string>{"512.340000", "-2.500000"}));
            EXPECT_EQ(b, (std::vector<std::string>{"512", "-3"}));
        }
    }
}
