// An alternate data set on SQLite: another file attached beside the main one.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

class AlternateSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst = std::make_unique<test::TestInstall>(Engine::SQLite);
        alt_file = inst->home() + "/BASES/PRUEBA/quartzen.db";
        std::filesystem::create_directories(inst->home() + "/BASES/PRUEBA");
        SqliteConnection c(alt_file);
        Catalogue cat;
        cat.add(Catalogue::instance().find("MONEDAS")->renamed("MONEDAS"));
        migrate(c, cat);
        c.exec("INSERT INTO \"MONEDAS\" (\"NEGOCIO\", \"CODIGO\") VALUES ('ALT', 'AL')");
        main_db = inst->open();
        auto t = USE(*main_db, "MONEDAS");
        add(*t, "MAIN");
        alt_db = inst->open();
        alt_db->set_alternate("PRUEBA");
    }
    static void add(WDBTable& t, const std::string& negocio) {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", negocio);
        UNLOCK_NEW_REC(t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::string alt_file;
    std::unique_ptr<Db> main_db, alt_db;
};

TEST_F(AlternateSetTest, AMissingFileIsNamedAndTheMainSetStaysInUse) {
    try {
        main_db->set_alternate("NOEXISTE");
        FAIL() << "a missing data set must be refused";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("No existe el conjunto de datos alterno NOEXISTE"),
                  std::string::npos);
    }
    EXPECT_TRUE(main_db->alternate().empty());
    EXPECT_EQ(trim(USE(*main_db, "MONEDAS")->str("NEGOCIO")), "MAIN");
    EXPECT_FALSE(std::filesystem::exists(inst->home() + "/BASES/NOEXISTE"));
}

TEST_F(AlternateSetTest, RecordsOfTheTwoFilesLockApartAndCountsFollowTheirCommits) {
    auto in_main = USE(*main_db, "MONEDAS");
    auto in_alt = USE(*alt_db, "MONEDAS");
    ASSERT_EQ(in_main->RecNo(), in_alt->RecNo()) << "the same record number in both files";
    EXPECT_TRUE(in_main->RLock());
    EXPECT_TRUE(in_alt->RLock()) << "different records must not share a lock";
    in_main->Unlock();
    in_alt->Unlock();

    EXPECT_EQ(in_alt->KeyCount(), 1);
    SqliteConnection writer(alt_file);
    writer.exec("INSERT INTO \"MONEDAS\" (\"NEGOCIO\", \"CODIGO\") VALUES ('ALT', 'A2')");
    EXPECT_EQ(in_alt->KeyCount(), 2) << "a commit to the attached file is seen";
}

TEST_F(AlternateSetTest, APostingThatWouldWriteBothFilesIsRefusedWhole) {
    auto in_alt = USE(*alt_db, "MONEDAS");
    auto in_main = USE(*alt_db, "T_CAMBIO");  // only the main file has it
    {
        Transaction tx(*alt_db, kTransPayment);
        add(*in_main, "HOTEL");
        EXPECT_THROW(add(*in_alt, "ALT"), DbError);
        EXPECT_THROW(tx.commit(), DbError);
    }
    EXPECT_EQ(USE(*main_db, "T_CAMBIO")->KeyCount(), 0);
    EXPECT_EQ(in_alt->KeyCount(), 1);
    Transaction tx(*alt_db, kTransPayment);
    add(*in_alt, "ALT");
    tx.commit();
    EXPECT_EQ(in_alt->KeyCount(), 2);
}
