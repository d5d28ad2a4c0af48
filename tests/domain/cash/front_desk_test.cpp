// The workstation's register: the front desk opens one for this workstation, another workstation
// closing it is noticed at the next question, a supervisor closes it only with the right to, and
// a cash count replaces the previous one. Waiters open and close shifts by code or pass code.
#include "domain/cash/front_desk.h"

#include <gtest/gtest.h>

#include "cash_fixture.h"
#include "domain/cash/cash_count.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/waiter_shifts.h"
#include "domain/cash/workstation_register.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::cash;
using qz::test::Engine;
using qz::test::kCashBiz;

namespace {

bool says(const std::vector<std::string>& messages, const std::string& text) {
    for (const auto& m : messages)
        if (m.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

class FrontDeskTest : public test::CashFixture {
protected:
    void SetUp() override {
        test::CashFixture::SetUp();
        if (IsSkipped()) return;
        session.XU_COMP = kCashBiz;
        session.XUSER_ABREVIA = "SUP";
        session.registers.CHANGE_CAJA = [this](int what) { changes.push_back(what); };
    }
    bool open(Session& s, const IniFile* ini = nullptr) {
        OpenRequest r{kCashBiz, "H1", "01", "hcaja1", "ana1", Decimal(0)};
        return front_desk_may_open(*db, inst->port, s, ini, "H1", false) &&
               open_front_desk(*db, inst->port, s, r);
    }
    Session session;
    std::vector<int> changes;
};

TEST_P(FrontDeskTest, ARegisterClosedFromAnotherWorkstationLeavesThisOneWithout) {
    ASSERT_TRUE(open(session));
    EXPECT_EQ(changes, std::vector<int>{1});
    EXPECT_TRUE(CAJA_ABIERTA(*db, session));
    EXPECT_EQ(GET_CAJA_ABIERTA(session), "H1");
    EXPECT_EQ(GET_DIG_ABIERTO(session), "ANA");
    EXPECT_EQ(GET_COD_DIG_ABIERTO(session), "01");
    EXPECT_EQ(session.registers.XH_CAJAS.family, kFamilyFrontDesk);
    const auto shift = running_shift(*db, kFrontDesk, kCashBiz, "H1");
    ASSERT_TRUE(shift);
    EXPECT_EQ(shift->opening_fund, Decimal(0));

    // A supervisor elsewhere closes it: the other workstation's operator may not.
    auto other_db = inst->open();
    Session elsewhere = session;
    elsewhere.registers = {};
    EXPECT_FALSE(PASS_CAJA(*other_db, inst->port, elsewhere, "H1", {"01", "ana1"}, {}));
    EXPECT_TRUE(says(inst->port.messages, kWrongPassCode));
    std::vector<std::string> reported;
    EXPECT_TRUE(PASS_CAJA(*other_db, inst->port, elsewhere, "H1", {"02", "jefe2"},
                          [&](const CashShift& s) { reported.push_back(s.end_time); }));
    EXPECT_EQ(reported, std::vector<std::string>{"09:00:00"});
    const auto closed = register_shifts(*db, kFrontDesk, kCashBiz, "H1").at(0);
    EXPECT_FALSE(closed.running());
    EXPECT_EQ(closed.ctrl_user, "SUP");
    EXPECT_FALSE(closed.ctrl_computer.empty());

    EXPECT_FALSE(CAJA_ABIERTA(*db, session));
    EXPECT_EQ(GET_CAJA_ABIERTA(session), "????");
    EXPECT_EQ(session.registers.XH_CAJAS.family, 0);
    EXPECT_EQ(changes, (std::vector<int>{1, 0}));
    EXPECT_FALSE(shift_to_count(*db, inst->port, session));
    EXPECT_TRUE(says(inst->port.messages, kCountNeedsRegister));
}

TEST_P(FrontDeskTest, OpeningIsRefusedUnauthorisedOrOpenAndClosingCanBeDeclined) {
    test::add_record(*db, "F_HOTEL", {{"NEGOCIO", kCashBiz}, {"CHECK_CAJA", Decimal(1)}});
    IniFile ini(inst->home() + "/QUARTZEN.INI");
    EXPECT_FALSE(front_desk_may_open(*db, inst->port, session, &ini, "H1", false));
    EXPECT_TRUE(says(inst->port.messages, kStationNotAuthorised));
    set_authorised(ini, kFrontDeskAuthSection, kCashBiz, "H1", true);
    EXPECT_TRUE(front_desk_may_open(*db, inst->port, session, &ini, "H1", false));

    OpenRequest none{kCashBiz, "H1", "", "hcaja1", "", Decimal(0)};
    EXPECT_FALSE(open_front_desk(*db, inst->port, session, none));
    EXPECT_TRUE(says(inst->port.messages, kMissingOperator));
    ASSERT_TRUE(open(session, &ini));
    EXPECT_FALSE(front_desk_may_open(*db, inst->port, session, &ini, "H1", false));
    EXPECT_TRUE(says(inst->port.messages, kRegisterAlreadyOpen));

    inst->port.answer = false;
    EXPECT_FALSE(close_front_desk(*db, inst->port, session, {}));
    EXPECT_TRUE(reg(kFrontDesk, "H1").is_open());
    EXPECT_TRUE(CAJA_ABIERTA(*db, session));
    inst->port.answer = true;
    EXPECT_TRUE(close_front_desk(*db, inst->port, session, {}));
    EXPECT_FALSE(reg(kFrontDesk, "H1").is_open());
    EXPECT_EQ(GET_CAJA_ABIERTA(session), "????");
}

TEST_P(FrontDeskTest, ACashCountReplacesThePreviousOneOfItsShift) {
    for (const char* c : {"EF", "TC"})
        test::add_record(
            *db, "TIPO_MOV",
            {{"NEGOCIO", kCashBiz}, {"CODIGO", std::string(c)}, {"DESCRIP", std::string(c)}});
    ASSERT_TRUE(open(session));
    const auto shift = shift_to_count(*db, inst->port, session);
    ASSERT_TRUE(shift);
    auto lines = read_cash_count(*db, kCashBiz, *shift);
    ASSERT_EQ(lines.size(), 2u);
    lines[0].amount = Decimal::parse("1500.25");
    lines[1].amount = Decimal::parse("300");
    save_cash_count(*db, kCashBiz, *shift, lines, "SUP");
    lines[1].amount = Decimal(0);
    save_cash_count(*db, kCashBiz, *shift, lines, "SUP");
    const auto back = read_cash_count(*db, kCashBiz, *shift);
    EXPECT_EQ(back[0].amount, Decimal::parse("1500.25"));
    EXPECT_EQ(back[1].amount, Decimal(0));
    EXPECT_EQ(count_total(back), Decimal::parse("1500.25"));
}

class WaiterTest : public test::CashFixture {
protected:
    void add_waiter(const std::string& code, const std::string& password) {
        test::add_record(*db, "DEF_MESE",
                         {{"NEGOCIO", kCashBiz},
                          {"CODIGO", code},
                          {"NOMBRE", "Mesero " + code},
                          {"CLAVE", password},
                          {"ACTIVO", std::string("0")}});
    }
    size_t running_rows(const std::string& code) {
        data::Table t = data::USE(*db, "DET_MESE", "DET_MESE");
        const std::string key = data::order_key("DET_MESE", "DET_MESE", {kCashBiz, code, Date()});
        t->SetScope(key, key);
        const size_t n = static_cast<size_t>(t->KeyCount());
        data::KILLTABLA(*db, t);
        return n;
    }
};

TEST_P(WaiterTest, AWaiterFoundByHisPassCodeAloneOpensAndClosesOneShift) {
    add_waiter("M1", hash_pass_code("uno"));
    add_waiter("M2", "DOS");  // a legacy plain code
    add_waiter("M3", hash_pass_code("dos"));
    EXPECT_EQ(identify_waiter(*db, inst->port, kCashBiz, {"", "uno  "})->code, "M1");
    EXPECT_FALSE(identify_waiter(*db, inst->port, kCashBiz, {"", "dos"}));  // two match
    EXPECT_TRUE(says(inst->port.messages, kBadWaiterCode));
    EXPECT_FALSE(identify_waiter(*db, inst->port, kCashBiz, {"", "tres"}));
    EXPECT_TRUE(says(inst->port.messages, kUnknownWaiter));
    EXPECT_FALSE(identify_waiter(*db, inst->port, kCashBiz, {"", ""}));
    EXPECT_TRUE(says(inst->port.messages, kNoWaiter));
    EXPECT_FALSE(identify_waiter(*db, inst->port, kCashBiz, {"M1", "dos"}));
    // Chosen by name, the legacy code matches and is stored hashed.
    EXPECT_TRUE(identify_waiter(*db, inst->port, kCashBiz, {"M2", "dos"}));
    EXPECT_TRUE(is_pass_code_hash(stored("DEF_MESE", "M2", "CLAVE")));

    EXPECT_FALSE(waiter_on_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_TRUE(says(inst->port.messages, kWaiterWithoutShift));
    ASSERT_TRUE(open_waiter_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_FALSE(open_waiter_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_TRUE(says(inst->port.messages, kWaiterActive));
    EXPECT_EQ(running_rows("M1"), 1u);
    EXPECT_TRUE(waiter_on_shift(*db, inst->port, kCashBiz, "M1"));

    const auto w = identify_waiter(*db, inst->port, kCashBiz, {"M1", "uno"});
    const auto report = IMP_TURN(*db, *w, [](const Waiter&, const DateTime&, const DateTime&) {
        return std::vector<WaiterSale>{{"F1", {}, "", Decimal(100), Decimal(60)},
                                       {"F2", {}, "", Decimal(50), Decimal(50)}};
    });
    EXPECT_EQ(report.total, Decimal(150));
    EXPECT_EQ(report.collected, Decimal(110));

    ASSERT_TRUE(close_waiter_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_EQ(running_rows("M1"), 0u);
    EXPECT_FALSE(close_waiter_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_TRUE(says(inst->port.messages, kWaiterInactive));
}

TEST_P(WaiterTest, AnActiveWaiterWithoutHisShiftRowIsStillLetGo) {
    add_waiter("M1", hash_pass_code("uno"));
    set_field("DEF_MESE", "M1", "ACTIVO", std::string("1"));
    EXPECT_FALSE(close_waiter_shift(*db, inst->port, kCashBiz, "M1"));
    EXPECT_TRUE(says(inst->port.messages, kNoWaiterShift));
    EXPECT_TRUE(open_waiter_shift(*db, inst->port, kCashBiz, "M1"));
}

INSTANTIATE_TEST_SUITE_P(Engines, FrontDeskTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
INSTANTIATE_TEST_SUITE_P(Engines, WaiterTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
