// Deleting a customer, the names carried into its history and the customer master's code tables.
#include "domain/customers/customer_ops.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "domain/customers/customer_codes.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class CustomerOpsTest : public test::CustomerTest {
protected:
    void satellites(const std::string& customer) {
        put("DET_CLI2", {{"CLIENTE", customer}, {"CODIGO", "R1"}});
        put("DET_CLI4", {{"CLIENTE", customer}, {"CODIGO", "X1"}});
        put("DET_CLI3", {{"CLIENTE", customer}, {"CODIGO", "A1"}});
        put("DET_ART6", {{"COD_COMI", customer}, {"ARTICULO", "TOUR01"}});
    }
    // What a new customer of the same code would inherit.
    int leftovers(const std::string& customer) {
        int n = 0;
        for (const char* t : {"DET_CLIE", "DET_CLI2", "DET_CLI3", "DET_CLI4", "DET_ART6"})
            n += rows(t, t, {kBiz, customer});
        return n;
    }
};

TEST_P(CustomerOpsTest, ACustomerOwingMoneyIsNotDeleted) {
    store("C1", {"01", "02"});
    satellites("C1");
    document("F1", "C1", "02", "25.50");
    EXPECT_FALSE(delete_customer(*db, port(), kBiz, "C1"));
    EXPECT_EQ(said(), kOpenDocumentsRefusal);
    EXPECT_TRUE(read_customer(*db, kBiz, "C1"));
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE", {kBiz, "C1"}), 2);
}

TEST_P(CustomerOpsTest, DeletingTakesTheSatellitesOfACustomerWithSettledDocuments) {
    store("C1", {"01", "02"});
    satellites("C1");
    document("F1", "C1", "01", "0");
    inst->port.answer = false;
    EXPECT_FALSE(delete_customer(*db, port(), kBiz, "C1"));
    EXPECT_TRUE(read_customer(*db, kBiz, "C1"));
    inst->port.answer = true;
    EXPECT_TRUE(delete_customer(*db, port(), kBiz, "C1"));
    EXPECT_FALSE(read_customer(*db, kBiz, "C1"));
    EXPECT_EQ(leftovers("C1"), 0);
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN3", {kBiz, "C1"}), 1);  // the documents stay

    // Without documents as well: nothing is left for a new customer given the code.
    store("C2", {"01"});
    satellites("C2");
    EXPECT_TRUE(delete_customer(*db, port(), kBiz, "C2"));
    EXPECT_EQ(leftovers("C2"), 0);
}

TEST_P(CustomerOpsTest, EachDocumentTakesTheNameOfItsOwnBranch) {
    store("C1", {"01", "02"});
    document("F1", "C1", "01");
    document("F2", "C1", "02");
    put("ENC_MOVE", {{"MOVIMIENTO", "R1"}, {"CLIENTE", "C1"}});
    ASSERT_TRUE(update_history_names(*db, port(), kBiz, "C1"));
    EXPECT_EQ(said(), kNamesDone);
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F1"}, "NOM_CLIENT"), "Sucursal 01");
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F2"}, "NOM_CLIENT"), "Sucursal 02");
    EXPECT_EQ(field("ENC_MOVE", "ENC_MOVE", {kBiz, "R1"}, "NOM_CLIENT"), "Cliente C1");
}

TEST_P(CustomerOpsTest, AssociatesFlagFollowsTheAssociates) {
    store("C1", {"01"});
    store("C2", {"01"});
    put("DET_CLI3", {{"CLIENTE", "C2"}, {"CODIGO", "A1"}});
    EXPECT_EQ(recalc_associates(*db, port(), kBiz), 1);
    EXPECT_EQ(said(), "Fin de Proceso");
    EXPECT_FALSE(read_customer(*db, kBiz, "C1")->associates);
    EXPECT_TRUE(read_customer(*db, kBiz, "C2")->associates);
    EXPECT_EQ(recalc_associates(*db, port(), kBiz), 0);
}

TEST_P(CustomerOpsTest, CodeTablesRefuseDuplicatesAndCarryANewCodeToTheirUsers) {
    using K = CodeKind;
    ASSERT_TRUE(add_code(*db, port(), K::Classification, kBiz, {"01", "Personas"}));
    ASSERT_TRUE(add_code(*db, port(), K::Category, kBiz, {"A", "Oro"}));
    ASSERT_TRUE(add_code(*db, port(), K::BranchClassification, kBiz, {"B1", "Hoteles"}));
    ASSERT_TRUE(add_code(*db, port(), K::Zone, kBiz, {"Z1", "Centro"}));
    EXPECT_FALSE(add_code(*db, port(), K::Classification, kBiz, {"01", "Otra"}));
    EXPECT_EQ(said(), "Código de clasificación ya definido...");
    EXPECT_FALSE(add_code(*db, port(), K::Category, kBiz, {"a", "Otra"}));
    EXPECT_EQ(said(), "Código de categoría ya definido...");
    EXPECT_FALSE(add_code(*db, port(), K::Zone, kBiz, {"Z12345", "Larga"}));

    auto f = new_form("C1", "Ana");
    f.customer.category = "A";
    f.branches[0].branch.classification = "B1";
    f.branches[0].branch.zone = "Z1";
    ASSERT_TRUE(save(f));
    // A code in use is not deleted.
    EXPECT_FALSE(delete_code(*db, port(), K::Zone, kBiz, "Z1"));
    EXPECT_EQ(code_users(*db, K::Zone, kBiz, "Z1"), 1);

    ASSERT_TRUE(modify_code(*db, port(), K::Classification, kBiz, "01", {"09", "Personas"}));
    ASSERT_TRUE(modify_code(*db, port(), K::Category, kBiz, "A", {"B", "Oro"}));
    ASSERT_TRUE(modify_code(*db, port(), K::BranchClassification, kBiz, "B1", {"B2", "Hotel"}));
    ASSERT_TRUE(modify_code(*db, port(), K::Zone, kBiz, "Z1", {"Z2", "Centro"}));
    auto c = read_customer(*db, kBiz, "C1");
    EXPECT_EQ(c->clas1, "09");
    EXPECT_EQ(c->category, "B");
    auto b = stored("C1").branches[0].branch;
    EXPECT_EQ(b.classification, "B2");
    EXPECT_EQ(b.zone, "Z2");
    EXPECT_EQ(code_entries(*db, K::Classification, kBiz)[0].code, "09");
    // A new code already taken changes nothing.
    ASSERT_TRUE(add_code(*db, port(), K::Category, kBiz, {"C", "Plata"}));
    EXPECT_FALSE(modify_code(*db, port(), K::Category, kBiz, "B", {"C", "Oro"}));
    EXPECT_EQ(read_customer(*db, kBiz, "C1")->category, "B");

    EXPECT_TRUE(delete_code(*db, port(), K::Category, kBiz, "C"));
    EXPECT_EQ(code_entries(*db, K::Category, kBiz).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerOpsTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
