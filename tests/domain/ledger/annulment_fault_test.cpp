// An annulment failed at each of its statements in turn: nothing of it is left (no mirror, no
// half-reversed voucher, no payment mirrored without its document), no lock stays behind, the
// user is told it could not be done, and the next try goes through.
#include <gtest/gtest.h>

#include <algorithm>

#include "domain/demo/demo_data.h"
#include "domain/ledger/annulment_fixture.h"
#include "support/fault_loop.h"

using namespace qz;
using qz::test::Engine;
using Mode = qz::test::FaultConnection::Mode;

namespace {

class AnnulmentFaultTest : public ::testing::TestWithParam<std::tuple<Engine, Mode>> {
protected:
    void SetUp() override {
        if (!test::engine_available(std::get<0>(GetParam())))
            GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(std::get<0>(GetParam()));
        inst->clock.freeze(DateTime{test::kToday, "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<test::FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        other = inst->open();
        domain::install_demo_data(*db);
        test::make_cash_sale(*db);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    test::FaultConnection* fault = nullptr;
};

TEST_P(AnnulmentFaultTest, ACashSaleIsAnnulledWholeOrNotAtAll) {
    const std::vector<std::string> tables = {"DOCUMENT", "DET_DOC",  "DET_DOC5", "DOC_PARC",
                                             "ENC_AS",   "DET_AS",   "DET_AS2",  "ENC_MOVE",
                                             "DET_MOVE", "DET_MOV2", "DET_MOV3", "ARTICULO",
                                             "ENC_INV",  "DET_INV",  "ENC_WO",   "SERIALES"};
    // Decided once: the checks only read, and closing the tables they read may fail without
    // harm (the fault loop would stop there, the annulment going through).
    const domain::AnnulmentRequest request{test::kHotel, test::kCashSale, "SUP", test::kToday};
    const auto decided = domain::decide_annulment(
        *db, inst->port, request, [](const domain::AnnulmentPreview&) { return true; });
    ASSERT_TRUE(std::holds_alternative<domain::AnnulmentDecision>(decided));
    const auto& decision = std::get<domain::AnnulmentDecision>(decided);
    const auto r = test::run_fault_loop(*db, *other, *fault, std::get<1>(GetParam()), tables, [&] {
        return domain::write_annulment(*db, inst->port, request, decision).status ==
               domain::AnnulmentStatus::Annulled;
    });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
    const auto& said = inst->port.messages;
    EXPECT_NE(
        std::find(said.begin(), said.end(), std::string("Error: ") + domain::kAnnulmentFailed),
        said.end());
}

std::string loop_name(const ::testing::TestParamInfo<std::tuple<Engine, Mode>>& info) {
    const std::string e = std::get<0>(info.param) == Engine::SQLite ? "SQLite" : "PostgreSQL";
    return e + (std::get<1>(info.param) == Mode::FailNth ? "_FailingStatement"
                                                         : "_CommitAnsweredWithRollback");
}

INSTANTIATE_TEST_SUITE_P(Postings, AnnulmentFaultTest,
                         ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                                            ::testing::Values(Mode::FailNth,
                                                              Mode::CommitAsRollback)),
                         loop_name);

}  // namespace
