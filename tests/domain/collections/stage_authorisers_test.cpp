// Stage authorisers: their pass codes kept hashed and compared as the login compares, older plain
// codes hashed once they match, the stage lists they are offered by, and the refusals of their
// maintenance.
#include "domain/collections/stage_authorisers.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/session/pass_code.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

class StageAuthoriserTest : public qz::test::DemoLedgerTest {
protected:
    std::string stored(const StageWorkflow& w, const char* code) {
        data::Table t = data::USE(*db, w.authorisers, w.authorisers);
        EXPECT_TRUE(t->Seek(data::order_key(w.authorisers, w.authorisers, {"HOTEL", code})));
        const std::string out = trim(t->str("CLAVE"));
        data::KILLTABLA(*db, t);
        return out;
    }
    static StageAuthoriser person(const char* code, std::vector<std::string> stages) {
        StageAuthoriser a;
        a.code = code;
        a.name = std::string("Autoriza ") + code;
        a.stages_authorise = stage_list(stages);
        a.days_permitted = 30;
        a.credit_permitted = Decimal(250000);
        return a;
    }
};

TEST_P(StageAuthoriserTest, PassCodesAreHashedAndComparedAsTheLoginDoes) {
    ASSERT_TRUE(save_stage_authoriser(*db, inst->port, kOrderWorkflow, "HOTEL", "",
                                      person("JEF", {"P010"}), "Clave1"));
    EXPECT_TRUE(is_pass_code_hash(stored(kOrderWorkflow, "JEF")));
    EXPECT_TRUE(check_authoriser_code(*db, kOrderWorkflow, "HOTEL", "JEF", "CLAVE1   "));
    EXPECT_FALSE(check_authoriser_code(*db, kOrderWorkflow, "HOTEL", "JEF", "clave2"));
    EXPECT_FALSE(check_authoriser_code(*db, kOrderWorkflow, "HOTEL", "NADIE", "clave1"));
    // A change without a new code keeps the one stored, and the order permissions with it.
    auto changed = person("JEF", {"P010", "P020"});
    ASSERT_TRUE(
        save_stage_authoriser(*db, inst->port, kOrderWorkflow, "HOTEL", "JEF", changed, ""));
    EXPECT_TRUE(check_authoriser_code(*db, kOrderWorkflow, "HOTEL", "JEF", "clave1"));
    const auto listed = stage_authorisers(*db, kOrderWorkflow, "HOTEL", "P020");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].days_permitted, 30);
    EXPECT_EQ(listed[0].credit_permitted, Decimal(250000));
    EXPECT_TRUE(stage_authorisers(*db, kOrderWorkflow, "HOTEL", "P030").empty());
}

TEST_P(StageAuthoriserTest, APlainCodeFromAnOlderInstallationIsHashedOnceItMatches) {
    qz::test::add_record(*db, "AUTO_COB",
                         {{"NEGOCIO", std::string("HOTEL")},
                          {"CODIGO", std::string("VIE")},
                          {"NOMBRE", std::string("Cobros antiguos")},
                          {"CLAVE", std::string("SECRETO")}});
    EXPECT_FALSE(check_authoriser_code(*db, kCollectionWorkflow, "HOTEL", "VIE", "otro"));
    EXPECT_EQ(stored(kCollectionWorkflow, "VIE"), "SECRETO");
    EXPECT_TRUE(check_authoriser_code(*db, kCollectionWorkflow, "HOTEL", "VIE", "secreto"));
    EXPECT_TRUE(is_pass_code_hash(stored(kCollectionWorkflow, "VIE")));
    EXPECT_TRUE(check_authoriser_code(*db, kCollectionWorkflow, "HOTEL", "VIE", "secreto"));
}

TEST_P(StageAuthoriserTest, MaintenanceRefusesBlanksAndDuplicates) {
    auto refused = [&](const std::string& old_code, StageAuthoriser a, const char* code,
                       const char* why) {
        inst->port.messages.clear();
        EXPECT_FALSE(save_stage_authoriser(*db, inst->port, kCollectionWorkflow, "HOTEL", old_code,
                                           a, code));
        EXPECT_EQ(said(), why);
    };
    refused("", person("", {}), "x", "El código no puede definirse en blanco");
    auto nameless = person("A1", {});
    nameless.name = " ";
    refused("", nameless, "x", "El nombre no puede definirse en blanco");
    refused("", person("A1", {}), "", "La clave no puede definirse en blanco");
    ASSERT_TRUE(save_stage_authoriser(*db, inst->port, kCollectionWorkflow, "HOTEL", "",
                                      person("A1", {}), "uno"));
    ASSERT_TRUE(save_stage_authoriser(*db, inst->port, kCollectionWorkflow, "HOTEL", "",
                                      person("A2", {}), "dos"));
    refused("", person("A1", {}), "x", "Este código de autorizador ya existe...");
    refused("A2", person("A1", {}), "", "Este código de autorizador ya existe...");
}

TEST(StageListTest, StagesAreWrittenAndFoundInBrackets) {
    const std::string list = stage_list({"E010", "E020"});
    EXPECT_EQ(list, "[E010][E020]");
    EXPECT_TRUE(stage_listed(list, "E020 "));
    EXPECT_FALSE(stage_listed(list, "E01"));
    EXPECT_EQ(listed_stages(list), (std::vector<std::string>{"E010", "E020"}));
}

INSTANTIATE_TEST_SUITE_P(Collections, StageAuthoriserTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
