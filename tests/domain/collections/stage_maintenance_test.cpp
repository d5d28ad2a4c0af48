// Keeping stages and collectors on the demonstration business: a stage's new code reaches the
// authorisers' lists and the documents standing in it in one write, a deleted stage leaves no
// tag behind, and neither a stage holding documents nor a collector named by one can go.
#include "domain/collections/stage_maintenance.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_authorisers.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

StageRecord stage(const char* code, const char* name) {
    StageRecord r;
    r.stage.code = code;
    r.stage.name = name;
    return r;
}

}  // namespace

class StageMaintenanceTest : public qz::test::DemoLedgerTest {
protected:
    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(
            save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "", stage("x1", "Uno")));
        ASSERT_TRUE(
            save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "", stage("X2", "Dos")));
        StageAuthoriser a;
        a.code = "ANA";
        a.name = "Ana";
        a.stages_modify = stage_list({"X1"});
        a.stages_authorise = stage_list({"X1", "X2"});
        ASSERT_TRUE(
            save_stage_authoriser(*db, inst->port, kCollectionWorkflow, kHotel, "", a, "SECRETO"));
    }

    void add_document(const char* number, const char* stage, const char* collector = "",
                      const char* annulled = "") {
        qz::test::add_record(*db, "DOCUMENT",
                             {{"NEGOCIO", kHotel},
                              {"DOCUMENTO", std::string(number)},
                              {"ANULADO", std::string(annulled)},
                              {"ETAPA_COB", std::string(stage)},
                              {"COBRADOR", std::string(collector)}});
    }
    std::string stage_of(const char* number) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kHotel, number})));
        const std::string s = trim(t->str("ETAPA_COB"));
        data::KILLTABLA(*db, t);
        return s;
    }
    StageAuthoriser authoriser(const std::string& code) {
        for (auto& a : stage_authorisers(*db, kCollectionWorkflow, kHotel))
            if (a.code == code) return a;
        ADD_FAILURE() << code;
        return {};
    }
};

TEST_P(StageMaintenanceTest, ANewCodeReachesTheAuthorisersAndTheDocumentsStandingInIt) {
    ASSERT_TRUE(read_stage(*db, kCollectionWorkflow, kHotel, "X1"));  // stored upper case
    add_document("MT-001", "X1");
    add_document("MT-002", "X1");
    add_document("MT-003", "X2");
    auto renamed = stage("X9", "Nueve");
    renamed.stage.alert = true;
    ASSERT_TRUE(save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X1", renamed));
    EXPECT_FALSE(read_stage(*db, kCollectionWorkflow, kHotel, "X1"));
    EXPECT_TRUE(read_stage(*db, kCollectionWorkflow, kHotel, "X9")->stage.alert);
    const StageAuthoriser a = authoriser("ANA");
    EXPECT_EQ(a.stages_modify, "[X9]");
    EXPECT_EQ(a.stages_authorise, "[X9][X2]");
    EXPECT_EQ(stage_of("MT-001"), "X9");
    EXPECT_EQ(stage_of("MT-002"), "X9");
    EXPECT_EQ(stage_of("MT-003"), "X2");
    // A change that keeps the code touches nothing else.
    ASSERT_TRUE(save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X2", stage("X2", "D")));
    EXPECT_EQ(authoriser("ANA").stages_authorise, "[X9][X2]");
}

TEST_P(StageMaintenanceTest, StageRefusalsWriteNothing) {
    EXPECT_FALSE(save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "", stage(" ", "Z")));
    EXPECT_EQ(said(), kBlankCode);
    EXPECT_FALSE(save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "", stage("X3", " ")));
    EXPECT_EQ(said(), kBlankName);
    EXPECT_FALSE(save_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X1", stage("X2", "Z")));
    EXPECT_EQ(said(), kStageDuplicate);
    EXPECT_EQ(authoriser("ANA").stages_authorise, "[X1][X2]");
    add_document("MT-001", "X2");
    EXPECT_FALSE(delete_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X2"));
    EXPECT_TRUE(read_stage(*db, kCollectionWorkflow, kHotel, "X2"));
    EXPECT_EQ(authoriser("ANA").stages_authorise, "[X1][X2]");
}

TEST_P(StageMaintenanceTest, DeletingAStageTakesItsTagOutOfEveryList) {
    add_document("MT-001", "X1", "", "MT-001-A");  // annulled: no longer moves
    ASSERT_TRUE(delete_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X1"));
    EXPECT_FALSE(read_stage(*db, kCollectionWorkflow, kHotel, "X1"));
    const StageAuthoriser a = authoriser("ANA");
    EXPECT_EQ(a.stages_modify, "");
    EXPECT_EQ(a.stages_authorise, "[X2]");
    inst->port.answer = false;  // the question answered no
    EXPECT_FALSE(delete_stage(*db, inst->port, kCollectionWorkflow, kHotel, "X2"));
    EXPECT_TRUE(read_stage(*db, kCollectionWorkflow, kHotel, "X2"));
}

TEST_P(StageMaintenanceTest, CollectorsNeedCodeAndNameAndStayWhileADocumentNamesThem) {
    Collector c;
    c.name = "Luis";
    EXPECT_FALSE(save_collector(*db, inst->port, kHotel, "", c));
    EXPECT_EQ(said(), kBlankCode);
    c.code = "lu";
    c.name = "";
    EXPECT_FALSE(save_collector(*db, inst->port, kHotel, "", c));
    EXPECT_EQ(said(), kBlankName);
    c.name = "Luis";
    c.discount = Decimal::parse("2.5");
    ASSERT_TRUE(save_collector(*db, inst->port, kHotel, "", c));
    EXPECT_EQ(read_collector(*db, kHotel, "LU")->discount, Decimal::parse("2.5"));
    add_document("MT-001", "X2", "LU");
    EXPECT_FALSE(delete_collector(*db, inst->port, kHotel, "LU"));
    EXPECT_TRUE(read_collector(*db, kHotel, "LU"));
    c.active = false;
    ASSERT_TRUE(save_collector(*db, inst->port, kHotel, "LU", c));
    for (const auto& a : active_collectors(*db, kHotel)) EXPECT_NE(a.code, "LU");
}

INSTANTIATE_TEST_SUITE_P(Collections, StageMaintenanceTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
