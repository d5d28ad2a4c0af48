#include "domain/session/settings_store.h"

#include <gtest/gtest.h>

#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

data::Value N(long v) { return Decimal(v); }
data::Value C(const char* v) { return std::string(v); }

}  // namespace

class SettingsStoreTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    long records() { return data::USE(*db, "F_SYS", "")->KeyCount(); }
    // The stored record as the start-up of the next session reads it.
    AppSettings next_start() {
        AppSettings s;
        load_f_sys(s, *db);
        return s;
    }
    data::Value stored(const std::string& field) {
        data::Table t = data::USE(*db, "F_SYS");
        return t->FieldGet(field);
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
    AppSettings settings;
};

TEST_P(SettingsStoreTest, SysDbStoresWhatWasTypedAndAppliesTheDialogRules) {
    install_demo_data(*db);
    save_sys_db(*db, settings,
                {{"DGROUP", N(0)},
                 {"MAXTIMEOUT", N(0)},
                 {"GARBAGE", C("12,345,678")},
                 {"WS_SOCKET", C("4,200")},
                 {"LOCAL_PATH", C("C:\\QZTEMP\\")},
                 {"NOFLATBUTT", true},
                 {"RGB7", N(10)},
                 {"RGB8", N(20)},
                 {"RGB9", N(30)}},
                ColourDisplay::Rich);

    EXPECT_EQ(records(), 1);
    EXPECT_EQ(stored("DGROUP"), N(0)) << "0 is stored as typed; it reads as 6000";
    EXPECT_EQ(stored("GARBAGE"), N(12345678));
    EXPECT_EQ(stored("WS_SOCKET"), N(4200));
    EXPECT_EQ(std::get<std::string>(stored("LOCAL_PATH")).substr(0, 10), "C:\\QZTEMP ");
    EXPECT_EQ(stored("NOFLATBUTT"), N(1));
    EXPECT_EQ(std::get<std::string>(stored("T_FONT")).substr(0, 8), "Calibri ")
        << "fields the dialog did not give keep their values";

    EXPECT_EQ(settings.XAPP_MAX_MESSAGETIME, 300000);
    EXPECT_EQ(settings.XWS_SOCKET, 4200);
    EXPECT_EQ(settings.XFLAT_SHOW, 0);
    EXPECT_EQ(settings.XO_COLOUR, (Rgb{10, 20, 30}));
    // DGROUP is not among what the dialog applies at once; the next start-up reads 0 as 6000.
    EXPECT_EQ(settings.XDGROUPLIMIT, 10000);
    AppSettings next = next_start();
    EXPECT_EQ(next.XDGROUPLIMIT, 6000);
    EXPECT_EQ(next.XAPP_MAX_MESSAGETIME, 600000);
    EXPECT_EQ(next.XTEMPPATH.path, "C:\\QZTEMP");
}

TEST_P(SettingsStoreTest, AnEmptyTableGetsItsOneRecordAndKeepsIt) {
    ASSERT_EQ(records(), 0);
    FSysValues blank = read_f_sys(*db, sys_db_fields());
    EXPECT_EQ(blank.at("DGROUP"), N(0));
    EXPECT_EQ(blank.at("GRAYED"), data::Value(false));
    EXPECT_EQ(blank.at("LOCAL_PATH"), C(""));

    save_sys_db(*db, settings, {{"DLGSIZE", N(120)}}, ColourDisplay::Rich);
    save_sys_font(*db, settings, {{"T_SIZE", data::Value(Decimal::parse("9.5"))}});
    EXPECT_EQ(records(), 1);
    FSysValues now = read_f_sys(*db, sys_db_fields());
    EXPECT_EQ(now.at("DLGSIZE"), N(120));
    EXPECT_EQ(read_f_sys(*db, sys_font_fields()).at("T_SIZE"), data::Value(Decimal::parse("9.5")));
    EXPECT_EQ(settings.XDLGSIZE, 120);
}

TEST_P(SettingsStoreTest, AValueThatDoesNotFitStoresNothing) {
    install_demo_data(*db);
    EXPECT_ANY_THROW(save_sys_db(*db, settings, {{"DLGSIZE", N(5)}, {"DGROUP", C("12,x")}},
                                 ColourDisplay::Rich));
    EXPECT_ANY_THROW(
        save_sys_db(*db, settings, {{"DLGSIZE", N(5)}, {"RGB1", N(1000)}}, ColourDisplay::Rich));
    EXPECT_EQ(stored("DLGSIZE"), N(0));
    EXPECT_EQ(settings.XDLGSIZE, 0);
}

TEST_P(SettingsStoreTest, FontSaveFallsBackToTheBuiltInPrintingFont) {
    install_demo_data(*db);
    save_sys_font(*db, settings, {{"P_FONT", C("  ")}, {"D_FONT", C("Tahoma")}});
    EXPECT_EQ(settings.XPRINT_FONT, "Times New Roman");
    EXPECT_EQ(settings.XGLOBAL_FONT_NAME, "Tahoma");
    // The same blank reads as Calibri at the next start-up.
    EXPECT_EQ(next_start().XPRINT_FONT, "Calibri");

    save_sys_font(*db, settings, {{"D_FONT", C("")}});
    EXPECT_EQ(settings.XGLOBAL_FONT_NAME, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(SettingsStore, SettingsStoreTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
