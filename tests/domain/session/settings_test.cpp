#include "domain/session/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "data/table_ops.h"
#include "domain/session/multitask.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

// A settings record made up in memory: a field not in the map is a field the table lacks.
class MapRecord : public RecordView {
public:
    MapRecord(std::initializer_list<std::pair<const std::string, data::Value>> fields)
        : m_fields(fields) {}
    bool has(const std::string& field) const override { return m_fields.count(field) > 0; }
    data::Value get(const std::string& field) const override { return m_fields.at(field); }
    void set(const std::string& field, data::Value v) { m_fields[field] = std::move(v); }

private:
    std::map<std::string, data::Value> m_fields;
};

data::Value N(long v) { return Decimal(v); }
data::Value C(const char* v) { return std::string(v); }

MapRecord colours(std::initializer_list<int> values) {
    MapRecord r{};
    int i = 1;
    for (int v : values) r.set("RGB" + std::to_string(i++), N(v));
    return r;
}

}  // namespace

TEST(FSysStartup, MissingFieldsKeepDefaultsExceptTheRulesForAbsence) {
    AppSettings s;
    s.data_font_size = Decimal(12);
    load_f_sys(s, MapRecord{}, ColourDisplay::Rich);
    // Two fields say what their absence means: no T_SIZE is size 8, no MAXTIMEOUT ten minutes.
    AppSettings expected;
    expected.XAPP_MAX_MESSAGETIME = 600000;
    EXPECT_EQ(s.data_font_size, Decimal(8));
    EXPECT_TRUE(s == expected);
}

TEST(FSysStartup, DgroupZeroMeansSixThousand) {
    AppSettings s;
    load_f_sys(s, MapRecord{{"DGROUP", N(0)}}, ColourDisplay::Rich);
    EXPECT_EQ(s.XDGROUPLIMIT, 6000);
    load_f_sys(s, MapRecord{{"DGROUP", N(2500)}}, ColourDisplay::Rich);
    EXPECT_EQ(s.XDGROUPLIMIT, 2500);
}

TEST(FSysStartup, IdleLimitZeroDiffersBetweenStartUpAndDialogSave) {
    AppSettings s;
    MapRecord r{{"MAXTIMEOUT", N(0)}, {"NO_TIMEOUT", N(1)}};
    load_f_sys(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XAPP_MAX_MESSAGETIME, 600000);
    EXPECT_EQ(s.XAPP_MESSAGE_NOCHECK, 1);
    apply_sys_db_save(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XAPP_MAX_MESSAGETIME, 300000);

    r.set("MAXTIMEOUT", N(15));
    r.set("NO_TIMEOUT", N(0));
    load_f_sys(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XAPP_MAX_MESSAGETIME, 900000);
    EXPECT_EQ(s.XAPP_MESSAGE_NOCHECK, 0);
    // The largest value the dialog accepts passes 32 bits once in milliseconds.
    r.set("MAXTIMEOUT", N(999999));
    apply_sys_db_save(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XAPP_MAX_MESSAGETIME, 59999940000LL);
}

TEST(FSysStartup, SwitchesAndCopiedValues) {
    AppSettings s;
    MapRecord r{{"NOFLATBUTT", N(0)}, {"NO_SIM_P", N(0)},  {"REFRESH_B", N(0)},   {"NO_DATE", N(0)},
                {"WS_SOCKET", N(0)},  {"MULTITASK", N(7)}, {"MAXCOMMIT", N(250)}, {"GRAYED", N(0)},
                {"DLGSIZE", N(120)},  {"FIESTA1", N(44)}};
    load_f_sys(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XFLAT_SHOW, 1);
    EXPECT_EQ(s.XSIM_PRINT, 1);
    EXPECT_EQ(s.XREFRESH_BROWSE, 1);
    EXPECT_EQ(s.XSEL_DATE, std::nullopt);
    EXPECT_EQ(s.XWS_SOCKET, 4129);  // 0 is "not set", not port 0
    EXPECT_EQ(s.XMULTITASK[0], 1);
    EXPECT_EQ(s.XMULTITASK[1], 7);
    EXPECT_EQ(s.XMAXCOMMIT, 250);
    EXPECT_EQ(s.XGRAYED, 0);
    EXPECT_EQ(s.XDLGSIZE, 120);
    EXPECT_EQ(s.XFIESTAHOUSECOUNT, 44);

    for (const char* f : {"NOFLATBUTT", "NO_SIM_P", "REFRESH_B", "NO_DATE"}) r.set(f, N(1));
    r.set("WS_SOCKET", N(5001));
    load_f_sys(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XFLAT_SHOW, 0);
    EXPECT_EQ(s.XSIM_PRINT, 0);
    EXPECT_EQ(s.XREFRESH_BROWSE, 0);
    EXPECT_EQ(s.XSEL_DATE, "NO");
    EXPECT_EQ(s.XWS_SOCKET, 5001);

    // The dialog can also clear the flat-buttons box and must bring the flat look back.
    r.set("NOFLATBUTT", N(0));
    apply_sys_db_save(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XFLAT_SHOW, 1);
}

TEST(FSysStartup, LogicalSwitchesOfOlderTablesCount) {
    AppSettings s;
    load_f_sys(s, MapRecord{{"NOFLATBUTT", true}, {"GRAYED", false}}, ColourDisplay::Rich);
    EXPECT_EQ(s.XFLAT_SHOW, 0);
    EXPECT_EQ(s.XGRAYED, 0);
}

TEST(FSysStartup, BlankFontsFallBackDifferentlyAtStartUpAndOnSave) {
    AppSettings s;
    MapRecord r{{"P_FONT", C("          ")},
                {"D_FONT", C("   ")},
                {"T_FONT", C("Tahoma   ")},
                {"T_SIZE", Decimal::parse("9.5")}};
    s.XGLOBAL_FONT_NAME = "Arial";
    load_f_sys(s, r, ColourDisplay::Rich);
    EXPECT_EQ(s.XPRINT_FONT, "Calibri");
    EXPECT_EQ(s.XGLOBAL_FONT_NAME, std::nullopt);
    EXPECT_EQ(s.data_font, "Tahoma");
    EXPECT_EQ(s.data_font_size, Decimal::parse("9.5"));
    apply_sys_font_save(s, r);
    EXPECT_EQ(s.XPRINT_FONT, "Times New Roman");

    r.set("P_FONT", C("  Cambria  "));
    r.set("D_FONT", C("Verdana     "));
    apply_sys_font_save(s, r);
    EXPECT_EQ(s.XPRINT_FONT, "Cambria");
    EXPECT_EQ(s.XGLOBAL_FONT_NAME, "Verdana");
}

TEST(FSysStartup, LocalTempPathIsTakenTrimmed) {
    AppSettings s;
    load_f_sys(s, MapRecord{{"LOCAL_TEMP", N(1)}, {"LOCAL_PATH", C("  D:\\QZTEMP   ")}},
               ColourDisplay::Rich);
    EXPECT_EQ(s.XTEMPPATH.local, 1);
    EXPECT_EQ(s.XTEMPPATH.path, "D:\\QZTEMP");
}

TEST(InterfaceColours, DisplayDepthChoosesTheTriples) {
    MapRecord r = colours({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    AppSettings few, rich;
    load_f_sys(few, r, ColourDisplay::UpTo20Colours);
    load_f_sys(rich, r, ColourDisplay::Rich);
    EXPECT_EQ(few.XO_COLOUR, (Rgb{1, 2, 3}));
    EXPECT_EQ(few.XH_COLOUR, (Rgb{4, 5, 6}));
    EXPECT_EQ(rich.XO_COLOUR, (Rgb{7, 8, 9}));
    EXPECT_EQ(rich.XH_COLOUR, (Rgb{10, 11, 12}));
}

TEST(InterfaceColours, AllZeroTripleKeepsTheColourAndOneValueIsEnough) {
    AppSettings s;
    load_f_sys(s, colours({9, 9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 5}), ColourDisplay::Rich);
    EXPECT_EQ(s.XO_COLOUR, (Rgb{192, 192, 192}));
    EXPECT_EQ(s.XH_COLOUR, (Rgb{0, 0, 5}));

    // Without RGB1 the table has no colour settings at all, whatever else it holds.
    MapRecord r{};
    for (int i = 2; i <= 12; ++i) r.set("RGB" + std::to_string(i), N(1));
    AppSettings t;
    load_f_sys(t, r, ColourDisplay::Rich);
    EXPECT_EQ(t.XO_COLOUR, (Rgb{192, 192, 192}));

    apply_sys_db_save(t, colours({0, 0, 0, 0, 0, 0, 10, 20, 30, 0, 0, 0}), ColourDisplay::Rich);
    EXPECT_EQ(t.XO_COLOUR, (Rgb{10, 20, 30}));
    EXPECT_EQ(t.XH_COLOUR, (Rgb{200, 0, 0}));
}

TEST(MailSettings, FieldsGoToTheMailVariablesAndMissingOnesAreBlank) {
    AppSettings s;
    load_defmail(s, MapRecord{{"HOST", C("smtp.quartzen.test   ")},
                              {"SMTP_PORT", N(587)},
                              {"USERNAME", C("Spa  ")},
                              {"USERADDR", C("spa@quartzen.test")},
                              {"SENDMAIL", N(1)},
                              {"AUTORIZA", N(1)},
                              {"AUTH_USER", C("spa")},
                              {"AUTH_PASS", C("s3cret   ")},
                              {"CC_CONF2", C("gerencia@quartzen.test")}});
    EXPECT_EQ(s.XEMAILHOST, "smtp.quartzen.test");
    EXPECT_EQ(s.XEMAIL_SMTP_PORT, 587);
    EXPECT_EQ(s.XEMAILNAME, "Spa");
    EXPECT_EQ(s.XEMAILADDR, "spa@quartzen.test");
    EXPECT_EQ(s.XEMAILSEND, 1);
    EXPECT_EQ(s.XEMAILAUTH, 1);
    EXPECT_EQ(s.XEMAIL_AU, "spa");
    EXPECT_EQ(s.XEMAIL_AP, "s3cret");
    EXPECT_EQ(s.XEMAIL_CC1, "");
    EXPECT_EQ(s.XEMAIL_CC2, "gerencia@quartzen.test");
    // Missing fields give blank values, not the built-in ones.
    EXPECT_EQ(s.XEMAIL_ID, "");
    EXPECT_EQ(s.XEMAIL_POP3_PORT, 0);
    EXPECT_EQ(s.XEMAILDEST, "");
}

class SettingsTables : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    void add(const std::string& table, const std::map<std::string, data::Value>& fields) {
        auto t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        for (const auto& [name, value] : fields) t->FieldPut(name, value);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(SettingsTables, StartUpReadsTheThreeTables) {
    add("F_SYS", {{"DGROUP", N(0)},
                  {"MAXTIMEOUT", N(0)},
                  {"P_FONT", C("Cambria")},
                  {"T_SIZE", Decimal::parse("10.5")},
                  {"WS_SOCKET", N(6000)},
                  {"RGB1", N(0)},
                  {"RGB7", N(30)},
                  {"RGB8", N(60)},
                  {"RGB9", N(90)}});
    add("DEFMAIL", {{"HOST", C("mail.quartzen.test")}, {"SMTP_PORT", N(25)}});
    AppSettings s;
    load_settings(s, *db, ColourDisplay::Rich);
    EXPECT_EQ(s.XDGROUPLIMIT, 6000);
    EXPECT_EQ(s.XAPP_MAX_MESSAGETIME, 600000);
    EXPECT_EQ(s.XPRINT_FONT, "Cambria");
    EXPECT_EQ(s.data_font_size, Decimal::parse("10.5"));
    EXPECT_EQ(s.XWS_SOCKET, 6000);
    EXPECT_EQ(s.XO_COLOUR, (Rgb{30, 60, 90}));
    EXPECT_EQ(s.XH_COLOUR, (Rgb{200, 0, 0}));
    EXPECT_EQ(s.XEMAILHOST, "mail.quartzen.test");
    EXPECT_EQ(s.XEMAIL_SMTP_PORT, 25);
    // An empty FONTS table leaves the built-in list.
    EXPECT_EQ(s.XAVAILABLE_FONTS.size(), 12u);
    EXPECT_EQ(s.XAVAILABLE_FONTS.front(), "Arial");
}

TEST_P(SettingsTables, FontsTableReplacesTheOfferedFonts) {
    add("FONTS", {{"T_FONT", C("Verdana")}});
    add("FONTS", {{"T_FONT", C("Bitstream Charter")}});
    AppSettings s;
    load_fonts(s, *db);
    EXPECT_EQ(s.XAVAILABLE_FONTS, (std::vector<std::string>{"Bitstream Charter", "Verdana"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, SettingsTables,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

namespace {

class BreathingPort : public test::ScriptedPort {
public:
    void breathe() override {
        ++breaths;
        if (on_breathe) on_breathe();
    }
    int breaths = 0;
    std::function<void()> on_breathe;
};

}  // namespace

TEST(Multitask, BreathesOnlyWhenTheCounterReachesThePeriod) {
    AppSettings s;  // period 3
    BreathingPort port;
    std::vector<int> breathed_on;
    for (int call = 1; call <= 9; ++call) {
        int before = port.breaths;
        MULTITASK(s, port);
        if (port.breaths != before) breathed_on.push_back(call);
    }
    EXPECT_EQ(breathed_on, (std::vector<int>{3, 6, 9}));
    EXPECT_EQ(s.XMULTITASK[0], 1);
}

TEST(Multitask, ForceOrPeriodZeroBreatheAtOnceForEveryRound) {
    AppSettings s;
    BreathingPort port;
    MULTITASK(s, port);
    ASSERT_EQ(s.XMULTITASK[0], 2);
    MULTITASK(s, port, 4, true);
    EXPECT_EQ(port.breaths, 4);
    EXPECT_EQ(s.XMULTITASK[0], 1);  // the count starts again after a forced breath

    s.XMULTITASK[1] = 0;
    for (int i = 0; i < 3; ++i) MULTITASK(s, port);
    EXPECT_EQ(port.breaths, 7);
}

TEST(Multitask, DoesNotNestAndReleasesItsGuard) {
    AppSettings s;
    BreathingPort port;
    // A handler dispatched while breathing runs its own long loop.
    port.on_breathe = [&] {
        s.XMULTITASK[0] = 2;
        MULTITASK(s, port, 1, true);
        EXPECT_EQ(s.XMULTITASK[0], 2);
    };
    MULTITASK(s, port, 1, true);
    EXPECT_EQ(port.breaths, 1);
    EXPECT_EQ(s.XINMULTITASK, 0);

    port.on_breathe = [] { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(MULTITASK(s, port, 1, true), std::runtime_error);
    EXPECT_EQ(s.XINMULTITASK, 0);
    port.on_breathe = nullptr;
    MULTITASK(s, port, 1, true);
    EXPECT_EQ(port.breaths, 3);
}
