// A deposit's save and its void under a connection that fails each statement in turn, or
// answers the commit with a rollback: every round leaves the deposit, the bank book, the
// journal, the reservations and the series as they were, holds no lock, and the last round
// goes through.
#include <gtest/gtest.h>

#include "data/order_key.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "domain/demo/demo_data.h"
#include "domain/deposits/deposit_save.h"
#include "domain/deposits/deposit_void.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using Mode = qz::test::FaultConnection::Mode;

namespace {

const std::vector<std::string> kTables = {
    "ENC_HLIB", "DET_HLIB", "DET_RES8", "ENC_RES",  "CUEN_LIB", "ENC_LIB", "DET_LIB",
    "DET_LIB3", "DET_LIB4", "MES_LIB4", "SERIALES", "ENC_AS",   "DET_AS"};

struct YesPort : qz::test::ScriptedPort {
    bool confirm(const std::string&, const std::string&) override { return true; }
};

class DepositFaultTest : public ::testing::TestWithParam<std::tuple<Engine, Mode>> {
protected:
    void SetUp() override {
        if (!test::engine_available(std::get<0>(GetParam())))
            GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(std::get<0>(GetParam()));
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<test::FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        other = inst->open();
        install_demo_data(*db);
        test::edit_record(*db, "ENC_HCAJ", "ENC_HCAJ",
                          data::order_key("ENC_HCAJ", "ENC_HCAJ", {"HOTEL", "REC1"}),
                          [](data::WDBTable& t) { t.FieldPut("ESTADO", cash::kOpen); });
        s.XU_COMP = "HOTEL";
        s.XUSER_ABREVIA = "SUP";
        s.registers.XH_CAJAS = RegisterState{"Caja Recepción", "", 1, "REC1", "", 2};
        ini = std::make_unique<IniFile>(inst->home() + "/QUARTZEN.INI");
        cash::set_authorised(*ini, kDepositAuthSection, "HOTEL", "REC1", true);
    }

    DepositDraft deposit() const {
        DepositDraft d;
        d.made_by = "HUES";
        d.concept_code = "01";
        d.currency = "CO";
        d.reservation_rate = Decimal(500);
        d.accounting_rate = Decimal(1);
        d.amount = Decimal(180000);
        d.date = Date(2026, 5, 20);
        d.add_reservation({"RES-0008", "STD", 1, Decimal(360)});
        return d;
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    test::FaultConnection* fault = nullptr;
    Session s;
    std::unique_ptr<IniFile> ini;
    YesPort port;
    pos::UnconfiguredCardTerminal terminal{port};
};

}  // namespace

TEST_P(DepositFaultTest, ASaveAndAVoidAreWrittenWholeOrNotAtAll) {
    std::string movement;
    auto r = test::run_fault_loop(*db, *other, *fault, std::get<1>(GetParam()), kTables, [&] {
        const auto saved = PROCESAR(*db, port, *ini, s, terminal, deposit());
        movement = saved.movement;
        return saved.saved;
    });
    EXPECT_GE(r.failures, 1);
    ASSERT_TRUE(r.committed);
    r = test::run_fault_loop(*db, *other, *fault, std::get<1>(GetParam()), kTables,
                             [&] { return ANUL_DEP(*db, port, s, terminal, movement); });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
}

INSTANTIATE_TEST_SUITE_P(
    Deposits, DepositFaultTest,
    ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                       ::testing::Values(Mode::FailNth, Mode::CommitAsRollback)),
    [](const ::testing::TestParamInfo<std::tuple<Engine, Mode>>& info) {
        const std::string e = std::get<0>(info.param) == Engine::SQLite ? "SQLite" : "PostgreSQL";
        return e + (std::get<1>(info.param) == Mode::FailNth ? "_FailingStatement"
                                                             : "_CommitAnsweredWithRollback");
    });
