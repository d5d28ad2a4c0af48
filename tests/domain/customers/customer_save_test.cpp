// Saving a customer from its editor: the refusals come in the editor's order and write nothing;
// a save writes the header, the branches and, on a change of state, one history row per date.
#include "domain/customers/customer_save.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::branch_row;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class CustomerSaveTest : public test::CustomerTest {};

TEST(CustomerBranchCheck, StopsAtTheFirstFailureInTheEditorsOrder) {
    std::vector<BranchRow> rows = {branch_row("01", true), branch_row("02", false)};
    auto text_of = [&](int i) {
        auto r = check_branch(rows, i);
        return r ? r->text : std::string();
    };
    EXPECT_EQ(text_of(1), "");
    Branch& b = rows[1].branch;
    // Each failure hides the ones after it until it is put right.
    b = Branch{};
    b.principal = true;
    EXPECT_EQ(text_of(1), "Falta el código de la sucursal");
    b.code = "01";
    EXPECT_EQ(text_of(1), "Falta el nombre de la sucursal");
    b.name = "Otra";
    EXPECT_EQ(text_of(1), "Código de Sucursal ya definido... ");
    b.code = " 02";
    EXPECT_EQ(text_of(1), "Ya existe una sucursal principal");
    b.principal = false;
    EXPECT_EQ(text_of(1), "Debe seleccionar el tipo de moneda");
    b.limit_currency = "US";
    EXPECT_EQ(text_of(1), "Debe seleccionar el tipo de precio");
    b.price_type = "01";
    EXPECT_EQ(text_of(1), "Debe seleccionar algún agente");
    b.agent = "";  // "Ninguno" is a choice
    EXPECT_EQ(text_of(1), "Debe seleccionar algún concepto");
    b.doc_concept = "FC";
    EXPECT_EQ(text_of(1), "");
    EXPECT_EQ(check_branch(rows, 1).value_or(Refusal{}).focus, Focus::None);
    // A deleted row neither collides nor competes for principal.
    rows[0].deleted = true;
    b.code = "01";
    b.principal = true;
    EXPECT_EQ(text_of(1), "");
}

TEST_P(CustomerSaveTest, RefusalsFollowTheEditorsOrderAndWriteNothing) {
    auto f = new_form("C1", "Ana");
    f.customer.active = false;
    f.customer.clas1.clear();
    f.branches[0].branch.name.clear();
    const auto focus = [&] {
        return save_customer(*db, port(), kBiz, f, {}).refusal.value_or(Refusal{}).focus;
    };
    EXPECT_EQ(focus(), Focus::Reason);
    EXPECT_EQ(said(), kReasonBlank);
    f.customer.reason = kUpGrade;
    // New: the branches come before the classification.
    EXPECT_EQ(focus(), Focus::BranchCode);
    EXPECT_EQ(said(), "Falta el nombre de la sucursal");
    f.branches[0].branch.name = "Casa";
    EXPECT_EQ(focus(), Focus::Classification);
    EXPECT_EQ(said(), "Falta definir la clasificación");
    f.customer.clas1 = "01";
    f.branches[0].branch.principal = false;
    EXPECT_EQ(focus(), Focus::Branches);
    EXPECT_EQ(said(), kNoPrincipal);
    f.branches[0].deleted = true;
    EXPECT_EQ(focus(), Focus::Branches);
    EXPECT_EQ(said(), "Debe tener asociado una sucursal...");
    f.branches = {branch_row("01", true), branch_row("02", false)};
    f.branches[1].branch.principal = true;
    f.current_branch = -1;
    EXPECT_EQ(focus(), Focus::BranchCode);  // caught by the branch check itself
    EXPECT_EQ(rows("CLIENTES", "CLIENTES", {kBiz}), 0);

    store("C2", {"01"});
    f = new_form("c2", "Otro");
    EXPECT_EQ(focus(), Focus::Code);
    EXPECT_EQ(said(), "Código de CLIENTES ya definido...");
    // Modify: the classification before the branches; a code of another customer is refused.
    store("C3", {"01"});
    f = stored("C3");
    f.customer.clas1.clear();
    f.branches[0].branch.name.clear();
    EXPECT_EQ(focus(), Focus::Classification);
    f.customer.clas1 = "02";
    f.branches[0].branch.name = "Casa";
    f.customer.code = "C2";
    EXPECT_EQ(focus(), Focus::Code);
    EXPECT_EQ(said(), "Código de cliente ya definido...");
    f.customer.code = "C3";
    f.branches[0].branch.principal = false;
    EXPECT_EQ(focus(), Focus::Branches);
    EXPECT_EQ(said(), kNoPrincipal);
    EXPECT_EQ(field("CLIENTES", "CLIENTES", {kBiz, "C3"}, "CLAS_1"), "01");
}

TEST_P(CustomerSaveTest, SavesHeaderAndBranchesAndDatesEachChangeOfState) {
    auto f = new_form("c1 ", "Ana Mora");
    f.branches.push_back(branch_row("02", false));
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE", {kBiz, "C1"}), 2);
    EXPECT_EQ(field("DET_CLIE", "DET_CLIE3", {kBiz, "C1", "S"}, "CODIGO"), "01");
    EXPECT_EQ(rows("EST_CLIE", "EST_CLIE", {kBiz, "C1"}), 0);

    // Deactivated as an upgrade: the reason goes to the customer and to its history row.
    f = stored("C1");
    f.customer.active = false;
    f.customer.reason = kUpGrade;
    ASSERT_TRUE(save(f)) << said();
    auto c = read_customer(*db, kBiz, "C1");
    EXPECT_EQ(c->reason, 4);
    EXPECT_EQ(c->withdrawn, Date(2026, 5, 20));
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "TIPO_ANU"), "4");
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "ESTADO_INI"), "1");
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "ESTADO_FIN"), "0");
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "USUARIO"), "ADM");
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "LIMITE"), "2090-01-01");

    // Reactivated the same day: that day's row is rewritten, the reason and withdrawal cleared.
    f = stored("C1");
    f.customer.active = true;
    f.customer.admitted = Date(2026, 5, 20);
    ASSERT_TRUE(save(f)) << said();
    c = read_customer(*db, kBiz, "C1");
    EXPECT_EQ(c->reason, 0);
    EXPECT_TRUE(c->withdrawn.empty());
    EXPECT_EQ(rows("EST_CLIE", "EST_CLIE", {kBiz, "C1"}), 1);
    EXPECT_EQ(field("EST_CLIE", "EST_CLIE", {kBiz, "C1"}, "ESTADO_FIN"), "1");
    // A save without a change of state adds nothing.
    ASSERT_TRUE(save(stored("C1")));
    EXPECT_EQ(rows("EST_CLIE", "EST_CLIE", {kBiz, "C1"}), 1);
}

TEST_P(CustomerSaveTest, TheStatusHookRunsInsideTheSave) {
    store("C1", {"01"});
    auto f = stored("C1");
    f.customer.active = false;
    f.customer.reason = kMorosos;
    std::vector<StatusChange> seen;
    SaveContext ctx{"ADM", [&](data::Db&, const StatusChange& s) {
                        seen.push_back(s);
                        throw std::runtime_error("posting failed");
                    }};
    // A posting that fails takes the whole save back with it.
    EXPECT_THROW(save_customer(*db, port(), kBiz, f, ctx), std::runtime_error);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].was_active);
    EXPECT_FALSE(seen[0].active);
    EXPECT_TRUE(read_customer(*db, kBiz, "C1")->active);
    EXPECT_EQ(rows("EST_CLIE", "EST_CLIE", {kBiz, "C1"}), 0);
}

TEST_P(CustomerSaveTest, ANewNameReachesTheHistoryOnlyWhenTheUserSaysSo) {
    store("C1", {"01"});
    document("F1", "C1", "01");
    put("ENC_MOVE", {{"MOVIMIENTO", "R1"}, {"CLIENTE", "C1"}, {"NOM_CLIENT", "Cliente C1"}});
    auto f = stored("C1");
    f.customer.name = "Ana Mora";
    inst->port.answer = false;
    ASSERT_TRUE(save(f));
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F1"}, "NOM_CLIENT"), "");
    f = stored("C1");
    f.original_name = "Otro nombre";
    inst->port.answer = true;
    ASSERT_TRUE(save(f));
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F1"}, "NOM_CLIENT"), "Ana Mora");
    EXPECT_EQ(field("ENC_MOVE", "ENC_MOVE", {kBiz, "R1"}, "NOM_CLIENT"), "Ana Mora");
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerSaveTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
