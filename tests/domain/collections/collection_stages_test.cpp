// The collection stages on the demonstration business: the tree and its counts, handing
// documents forward to a collector and back, the refusals in the order the screen weighs them,
// the history of every move, and moves that change every marked document or none.
#include "domain/collections/collection_stages.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_moves.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

struct StageRow {
    const char* code;
    const char* name;
    int hidden, uncounted, credit;  // NO_MOSTRAR, NO_CONTAR, CTRL_CRED
};

}  // namespace

class CollectionStagesTest : public qz::test::DemoLedgerTest {
protected:
    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (IsSkipped()) return;
        drop_demo_stages();
        const StageRow stages[] = {{"E010", "Emitidas", 0, 0, 1},
                                   {"E020", "Con Cobrador", 0, 0, 0},
                                   {"E030", "Revisión", 1, 0, 1},
                                   {"E040", "Donde el Cliente", 0, 1, 1}};
        for (const auto& st : stages)
            qz::test::add_record(*db, "ETAPAS_B",
                                 {{"NEGOCIO", kHotel},
                                  {"CODIGO", std::string(st.code)},
                                  {"DESCRIP", std::string(st.name)},
                                  {"NO_MOSTRAR", Decimal(st.hidden)},
                                  {"NO_CONTAR", Decimal(st.uncounted)},
                                  {"CTRL_CRED", Decimal(st.credit)}});
        for (const char* n : {"CB-001", "CB-002", "CB-003"}) add_document(n, "E010");
        add_document("CB-004", "E020", "C1");
        boss.code = "JEF";
        boss.name = "Jefa de Cobros";
        boss.stages_authorise = stage_list({"E010", "E020", "E030"});
    }

    // The demonstration's own chain would stand around these tests' stages.
    void drop_demo_stages() {
        data::Table t = data::USE(*db, "ETAPAS_B", "ETAPAS_B1");
        const std::string key = data::business_key(kHotel);
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->GoTop()) {
            data::LOCK_FOR_MODIFY(*t);
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(*db, t);
    }

    void add_document(const char* number, const char* stage, const char* collector = "") {
        qz::test::add_record(*db, "DOCUMENT",
                             {{"NEGOCIO", kHotel},
                              {"DOCUMENTO", std::string(number)},
                              {"CLIENTE", std::string("3101123456")},
                              {"NOM_CLIENT", std::string("Agencia Tropical")},
                              {"MONTO", Decimal(1500)},
                              {"FECHA", Date(2026, 5, 2)},
                              {"ETAPA_COB", std::string(stage)},
                              {"COBRADOR", std::string(collector)}});
        qz::test::add_record(*db, "ENC_DOC2",
                             {{"NEGOCIO", kHotel}, {"DOCUMENTO", std::string(number)}});
    }

    CollectionMoveRequest request(const char* stage, std::vector<std::string> documents) {
        CollectionMoveRequest r;
        r.business = kHotel;
        r.stage = stage;
        r.collector = "C1";
        r.documents = std::move(documents);
        r.authoriser = boss;
        r.user = "SUP";
        r.date = Date(2026, 5, 20);
        r.time = "10:00:00";
        return r;
    }

    struct Where {
        std::string stage, collector;
        int approved = -1;
    };
    Where where(const std::string& number) {
        Where w;
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kHotel, number})));
        w.stage = trim(t->str("ETAPA_COB"));
        w.collector = trim(t->str("COBRADOR"));
        data::KILLTABLA(*db, t);
        t = data::USE(*db, "ENC_DOC2", "ENC_DOC2");
        if (t->Seek(data::order_key("ENC_DOC2", "ENC_DOC2", {kHotel, number})))
            w.approved = static_cast<int>(t->num("APROB_CRED").to_int());
        data::KILLTABLA(*db, t);
        return w;
    }

    StageAuthoriser boss;
};

TEST_P(CollectionStagesTest, TheTreeCountsValidDocumentsAndLeavesHiddenStagesOut) {
    qz::test::edit_record(
        *db, "DOCUMENT", "DOCUMENT", data::order_key("DOCUMENT", "DOCUMENT", {kHotel, "CB-003"}),
        [](data::WDBTable& t) { t.FieldPut("ANULADO", std::string("CB-003-A")); });
    const auto tree = collection_tree(*db, kHotel);
    ASSERT_EQ(tree.size(), 3u);  // E030 is hidden
    EXPECT_EQ(tree[0].caption, "Emitidas (2)");
    EXPECT_EQ(tree[1].caption, "Con Cobrador (1)");
    EXPECT_EQ(tree[2].caption, "Donde el Cliente       ");  // not counted
    // The entry stage lists all its documents; another only a chosen collector's.
    EXPECT_FALSE(collection_scope(kHotel, "E010", "E010", "", true).empty);
    EXPECT_TRUE(collection_scope(kHotel, "E010", "E020", "", true).empty);
    EXPECT_FALSE(collection_scope(kHotel, "E010", "E020", "C1", true).empty);
}

TEST_P(CollectionStagesTest, RefusalsComeInOrderAndChangeNothing) {
    auto refused = [&](CollectionMoveRequest r, const char* why, bool forward = true) {
        const auto out = forward ? move_collection_forward(*db, r) : move_collection_back(*db, r);
        EXPECT_FALSE(out.moved);
        EXPECT_EQ(out.message, why);
    };
    refused(request("", {"CB-001"}), kNoStageChosen);
    refused(request("E999", {"CB-001"}), kNoStageChosen);
    auto r = request("E010", {"CB-001"});
    r.collector = "";
    refused(r, kNoCollectorChosen);
    refused(request("E010", {}), kNoDocumentsMarked);
    refused(request("E040", {"CB-001"}), kNoLaterStage);
    refused(request("E010", {"CB-001"}), kNoEarlierStage, false);
    r = request("E010", {"CB-001"});
    r.authoriser.stages_authorise = stage_list({"E020"});
    refused(r, kNoRightsForStage);
    EXPECT_EQ(where("CB-001").stage, "E010");
    EXPECT_TRUE(stage_history(*db, kCollectionWorkflow, kHotel, "CB-001").empty());
}

TEST_P(CollectionStagesTest, ForwardHandsToTheCollectorAndBackToTheFirstStageClearsHim) {
    auto out = move_collection_forward(*db, request("E010", {"CB-001", "CB-002"}));
    ASSERT_TRUE(out.moved) << out.message;
    ASSERT_EQ(out.handed.size(), 2u);
    EXPECT_EQ(out.handed[0].name, "Agencia Tropical");
    EXPECT_EQ(out.handed[0].amount, Decimal(1500));
    const Where w = where("CB-001");
    EXPECT_EQ(w.stage, "E020");
    EXPECT_EQ(w.collector, "C1");
    EXPECT_EQ(w.approved, 1);  // E020 is a credit-control stage

    // On into the hidden stage, which takes documents though it has no node.
    out = move_collection_forward(*db, request("E020", {"CB-002"}));
    ASSERT_TRUE(out.moved) << out.message;
    EXPECT_EQ(where("CB-002").stage, "E030");
    EXPECT_EQ(where("CB-002").approved, 0);

    auto back = request("E020", {"CB-001"});
    back.reason = "Cliente cambió de dirección";
    ASSERT_TRUE(move_collection_back(*db, back).moved);
    EXPECT_EQ(where("CB-001").stage, "E010");
    EXPECT_EQ(where("CB-001").collector, "");

    const auto history = stage_history(*db, kCollectionWorkflow, kHotel, "CB-001");
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].kind, MoveKind::Forward);
    EXPECT_EQ(history[0].from_stage, "E010");
    EXPECT_EQ(history[0].to_stage, "E020");
    EXPECT_EQ(history[0].authoriser_name, "Jefa de Cobros");
    EXPECT_EQ(history[1].kind, MoveKind::Back);
    EXPECT_EQ(history[1].reason, "Cliente cambió de dirección");
}

TEST_P(CollectionStagesTest, AMoveChangesEveryMarkedDocumentOrNone) {
    // Another workstation moved the second document since this screen listed it.
    qz::test::edit_record(*db, "DOCUMENT", "DOCUMENT",
                          data::order_key("DOCUMENT", "DOCUMENT", {kHotel, "CB-002"}),
                          [](data::WDBTable& t) { t.FieldPut("ETAPA_COB", std::string("E020")); });
    auto out = move_collection_forward(*db, request("E010", {"CB-001", "CB-002", "CB-003"}));
    EXPECT_FALSE(out.moved);
    EXPECT_EQ(out.message, moved_meanwhile("CB-002"));
    EXPECT_EQ(where("CB-001").stage, "E010");
    EXPECT_EQ(where("CB-003").stage, "E010");
    EXPECT_TRUE(stage_history(*db, kCollectionWorkflow, kHotel, "CB-001").empty());

    // A document held by another workstation stops the move whole as well.
    auto other = inst->open();
    data::Table held = data::USE(*other, "DOCUMENT", "DOCUMENT");
    ASSERT_TRUE(held->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kHotel, "CB-003"})));
    data::LOCK_FOR_MODIFY(*held);
    db->patience = std::chrono::milliseconds(300);
    out = move_collection_forward(*db, request("E010", {"CB-001", "CB-003"}));
    EXPECT_FALSE(out.moved);
    EXPECT_EQ(out.message, locked_elsewhere("CB-003"));
    data::UNLOCK_FOR_MODIFY(*held);
    data::KILLTABLA(*other, held);
    EXPECT_EQ(where("CB-001").stage, "E010");
    EXPECT_TRUE(move_collection_forward(*db, request("E010", {"CB-001", "CB-003"})).moved);
}

INSTANTIATE_TEST_SUITE_P(Collections, CollectionStagesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
