// Registers and their shifts: the pass codes compare as the operators always typed them, a
// refusal writes nothing, a cancelled closing leaves everything open, a register is deleted with
// its shifts, and two workstations opening one register at once cannot both have it.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <thread>

#include "cash_fixture.h"
#include "domain/cash/register_opening.h"
#include "domain/cash/register_settings.h"
#include "domain/session/register_state.h"

using namespace qz;
using namespace qz::domain::cash;
using qz::test::Engine;
using qz::test::kCashBiz;

namespace {

// Answers each question in turn and remembers what was asked.
class QuestionPort : public test::ScriptedPort {
public:
    std::deque<bool> answers;
    std::vector<std::string> asked;
    bool confirm(const std::string&, const std::string& text) override {
        asked.push_back(text);
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

bool says(const std::vector<std::string>& messages, const std::string& text) {
    for (const auto& m : messages)
        if (m.size() >= text.size() && m.compare(m.size() - text.size(), text.size(), text) == 0)
            return true;
    return false;
}

}  // namespace

class RegisterTest : public test::CashFixture {
protected:
    OpenRequest request(const std::string& reg_pass, const std::string& op_pass = "ana1") {
        return {kCashBiz, "C1", "01", reg_pass, op_pass, Decimal::parse("25000.50")};
    }
    std::vector<CashShift> shifts(const std::string& code = "C1") {
        return register_shifts(*db, kPosRegisters, kCashBiz, code);
    }
};

TEST_P(RegisterTest, PassCodesMatchOnTenPaddedCharactersAndRefusalsWriteNothing) {
    // Trailing blanks are the padding the comparison adds anyway.
    EXPECT_TRUE(ABRE_CAJA(*db, inst->port, kPosRegisters, request("caja1   ", "ana1  ")));
    // A code longer than 10 characters is its first 10.
    add_register(kPosRegisters, "C2", "ABCDEFGHIJKLMN");
    auto r = request("ABCDEFGHIJ-typed-on");
    r.register_code = "C2";
    EXPECT_TRUE(ABRE_CAJA(*db, inst->port, kPosRegisters, r));
    EXPECT_TRUE(reg(kPosRegisters, "C2").is_open());

    // Either code wrong: the same refusal, and the register stays closed without a shift.
    add_register(kPosRegisters, "C3", "caja3");
    inst->port.messages.clear();
    auto wrong_operator = request("caja3", "wrong"), wrong_register = request("caja1");
    wrong_operator.register_code = wrong_register.register_code = "C3";
    EXPECT_FALSE(ABRE_CAJA(*db, inst->port, kPosRegisters, wrong_operator));
    EXPECT_FALSE(ABRE_CAJA(*db, inst->port, kPosRegisters, wrong_register));
    EXPECT_EQ(inst->port.messages.size(), 2u);
    EXPECT_TRUE(says(inst->port.messages, kWrongPassCode));
    EXPECT_FALSE(reg(kPosRegisters, "C3").is_open());
    EXPECT_TRUE(shifts("C3").empty());

    // Nothing chosen.
    auto none = request("caja1");
    none.operator_code = "";
    EXPECT_FALSE(ABRE_CAJA(*db, inst->port, kPosRegisters, none));
    EXPECT_TRUE(says(inst->port.messages, kMissingBasics));
}

TEST_P(RegisterTest, ALegacyPlainCodeOpensOnceAndIsStoredHashed) {
    set_field("CAJA_ENC", "C1", "PASSWORD", std::string("VIEJA"));
    set_field("DIGITA", "01", "CLAVE", std::string("ANA1"));
    ASSERT_TRUE(ABRE_CAJA(*db, inst->port, kPosRegisters, request("vieja")));
    EXPECT_TRUE(domain::is_pass_code_hash(stored("CAJA_ENC", "C1", "PASSWORD")));
    EXPECT_TRUE(domain::is_pass_code_hash(stored("DIGITA", "01", "CLAVE")));
    EXPECT_TRUE(REABRE_CAJA(*db, inst->port, kPosRegisters, request("VIEJA")));
}

TEST_P(RegisterTest, OpeningStartsAShiftAndClosingEndsItUnlessCancelled) {
    inst->clock.freeze(DateTime{Date(2026, 5, 10), "08:15:00"});
    const auto taken = ABRE_CAJA(*db, inst->port, kPosRegisters, request("caja1"));
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->op.name, "ANA");
    ASSERT_EQ(shifts().size(), 1u);
    EXPECT_EQ(shifts()[0].opening_fund, Decimal::parse("25000.50"));
    EXPECT_EQ(shifts()[0].operator_code, "01");
    EXPECT_EQ(shifts()[0].start_time, "08:15:00");
    ASSERT_TRUE(running_shift(*db, kPosRegisters, kCashBiz, "C1"));

    // The screen holds it: a second opening is refused before any dialog.
    EXPECT_FALSE(screen_may_open(inst->port, "C1"));
    EXPECT_TRUE(says(inst->port.messages, kScreenHasRegister));
    EXPECT_TRUE(screen_may_open(inst->port, domain::kNoRegister));

    QuestionPort port;
    port.answers = {false};
    CloseRequest close{kCashBiz, "C1", Date(2026, 5, 10), {}, false};
    EXPECT_FALSE(CLOSE_CAJA(*db, port, kPosRegisters, close));
    EXPECT_EQ(port.asked, std::vector<std::string>{kAskClose});
    EXPECT_TRUE(says(port.messages, kNotClosed));
    EXPECT_TRUE(reg(kPosRegisters, "C1").is_open());
    EXPECT_TRUE(running_shift(*db, kPosRegisters, kCashBiz, "C1"));

    // With a closing report: it runs on the running shift first, then the review question.
    std::vector<std::string> reported;
    close.report = [&](const CashShift& s, const DateTime& end) {
        reported.push_back(s.register_code + " " + s.start_time + "-" + end.time);
    };
    inst->clock.freeze(DateTime{Date(2026, 5, 11), "18:00:00"});
    port.answers = {true};
    EXPECT_TRUE(CLOSE_CAJA(*db, port, kPosRegisters, close));
    EXPECT_EQ(reported, std::vector<std::string>{"C1 08:15:00-18:00:00"});
    EXPECT_EQ(port.asked.back(), kReviewClosing);
    EXPECT_TRUE(says(port.messages, kClosedOk));
    EXPECT_FALSE(reg(kPosRegisters, "C1").is_open());
    EXPECT_EQ(shifts()[0].end_date, Date(2026, 5, 10));  // the sale date
    EXPECT_EQ(shifts()[0].end_time, "18:00:00");

    // Nothing left to close.
    EXPECT_FALSE(CLOSE_CAJA(*db, port, kPosRegisters, close));
    EXPECT_TRUE(says(port.messages, kNoRunningShift));
    close.register_code = "";
    EXPECT_FALSE(CLOSE_CAJA(*db, port, kPosRegisters, close));
    EXPECT_TRUE(says(port.messages, kNoRegisterOnScreen));
}

TEST_P(RegisterTest, DeletingARegisterTakesItsShiftsOnlyAfterBothQuestions) {
    add_register(kPosRegisters, "C2", "x");
    for (int i = 0; i < 3; ++i) {
        CashShift s;
        s.register_code = "C1";
        s.start_date = Date(2026, 5, 1 + i);
        s.start_time = "08:00:00";
        s.end_date = s.start_date;
        ASSERT_TRUE(ADD_DETALLE(*db, inst->port, kPosRegisters, kCashBiz, s));
    }
    CashShift other;
    other.register_code = "C2";
    other.start_date = Date(2026, 5, 1);
    ASSERT_TRUE(ADD_DETALLE(*db, inst->port, kPosRegisters, kCashBiz, other));

    QuestionPort port;
    port.answers = {true, false};
    EXPECT_FALSE(DEL_Caja(*db, port, kPosRegisters, kCashBiz, "C1"));
    EXPECT_EQ(port.asked, (std::vector<std::string>{kAskDeleteRegister, kAskDeleteRegisterSure}));
    EXPECT_EQ(shifts().size(), 3u);

    port.answers = {true, true};
    EXPECT_TRUE(DEL_Caja(*db, port, kPosRegisters, kCashBiz, "C1"));
    EXPECT_FALSE(read_register(*db, kPosRegisters, kCashBiz, "C1"));
    EXPECT_TRUE(shifts().empty());
    EXPECT_EQ(shifts("C2").size(), 1u);

    // A single shift row goes on its own question.
    port.answers = {true};
    EXPECT_TRUE(DEL_DETALLE(*db, port, kPosRegisters, shifts("C2")[0].recno));
    EXPECT_EQ(port.asked.back(), kAskDeleteShift);
    EXPECT_TRUE(shifts("C2").empty());
}

TEST_P(RegisterTest, MaintenanceRefusesADuplicateCodeAndKeepsAnUntypedPassword) {
    CashRegister r;
    r.code = "c1";
    r.description = "Otra";
    EXPECT_FALSE(ADD_Caja(*db, inst->port, kPosRegisters, kCashBiz, r, "x"));
    EXPECT_TRUE(says(inst->port.messages, kRegisterTaken));

    r = reg(kPosRegisters, "C1");
    r.description = "Caja Principal";
    r.DEF_B[6] = "EF";
    r.ROTULO[5] = "Efectivo";
    r.BLOQUEO[9] = true;
    r.REQ_CAP_DA = true;
    ASSERT_TRUE(MOD_Caja(*db, inst->port, kPosRegisters, kCashBiz, r, ""));
    const CashRegister back = reg(kPosRegisters, "C1");
    EXPECT_EQ(back.description, "Caja Principal");
    EXPECT_EQ(back.DEF_B[6], "EF");
    EXPECT_EQ(back.ROTULO[5], "Efectivo");
    EXPECT_TRUE(back.BLOQUEO[9]);
    EXPECT_TRUE(back.REQ_CAP_DA);
    EXPECT_FALSE(REABRE_CAJA(*db, inst->port, kPosRegisters, request("caja1")));
    EXPECT_TRUE(says(inst->port.messages, kRegisterNotOpen));
}

TEST_P(RegisterTest, TheDialogOffersOnlyAuthorisedRegistersWhenTheBusinessChecks) {
    add_register(kPosRegisters, "C2", "x");
    IniFile ini(inst->home() + "/QUARTZEN.INI");
    set_authorised(ini, kPosAuthSection, kCashBiz, "C2", true);
    auto codes = [&](bool reopen) {
        std::vector<std::string> out;
        for (const auto& r : registers_to_open(*db, &ini, kCashBiz, reopen)) out.push_back(r.code);
        return out;
    };
    EXPECT_EQ(codes(false), (std::vector<std::string>{"C1", "C2"}));  // no F_FAC row: no check
    test::add_record(*db, "F_FAC", {{"NEGOCIO", kCashBiz}, {"AUT_CAJA", Decimal(1)}});
    EXPECT_EQ(codes(false), std::vector<std::string>{"C2"});
    auto r = request("x");
    r.register_code = "C2";
    ASSERT_TRUE(ABRE_CAJA(*db, inst->port, kPosRegisters, r));
    EXPECT_TRUE(codes(false).empty());
    EXPECT_EQ(codes(true), std::vector<std::string>{"C2"});
}

TEST_P(RegisterTest, TwoWorkstationsOpeningOneRegisterAtOnceCannotBothHaveIt) {
    auto other = inst->open();
    test::ScriptedPort port_a, port_b;
    std::optional<TakenRegister> a, b;
    std::thread ta([&] { a = ABRE_CAJA(*db, port_a, kPosRegisters, request("caja1")); });
    std::thread tb([&] { b = ABRE_CAJA(*other, port_b, kPosRegisters, request("caja1")); });
    ta.join();
    tb.join();
    EXPECT_NE(a.has_value(), b.has_value());
    EXPECT_TRUE(says(a ? port_b.messages : port_a.messages, kRegisterAlreadyOpen));
    EXPECT_EQ(shifts().size(), 1u);
}

TEST_P(RegisterTest, OfFourProcessesOpeningOneRegisterOnlyOneOpensIt) {
    std::vector<int> pids;
    for (int i = 0; i < 4; ++i) {
        auto args = inst->process_args();
        for (const char* a : {"HOTEL", "C1", "01", "ana1", "caja1"}) args.push_back(a);
        pids.push_back(test::spawn_tool("qz_register_opener", args));
    }
    std::ofstream(inst->home() + "/GO") << "go";
    int opened = 0, refused = 0;
    for (int pid : pids) {
        const int status = test::wait_tool(pid);
        opened += status == 0;
        refused += status == 1;
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(shifts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Engines, RegisterTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
