// A customer's or a branch's new code reaches every row that keeps it, in one transaction: all
// of them or, when a row is held by another workstation, none.
#include "domain/customers/customer_recode.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "domain/session/master_rows.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::branch_row;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class CustomerRecodeTest : public test::CustomerTest {
protected:
    // One row naming `customer` in every table that keeps a customer code, plus `documents`
    // documents of its branch 01.
    void fill(const std::string& customer, int documents) {
        for (const auto& f : customer_code_fields()) {
            if (std::string(f.table) == "DET_CLIE") continue;
            data::Table t = data::USE(*db, f.table);
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", kBiz);
            t->FieldPut(f.field, customer);
            // Numbers unique in the tables that have them.
            const std::string number = customer + "-" + f.table;
            for (const char* key : {"DOCUMENTO", "MOVIMIENTO"})
                if (t->FieldPos(key) > 0) t->FieldPut(key, number);
            if (std::string(f.table) == "FAC_REG") t->FieldPut("CODIGO", Decimal(++m_number));
            data::UNLOCK_NEW_REC(*t);
            data::KILLTABLA(*db, t);
        }
        for (int i = 0; i < documents; ++i)
            document(customer + "-" + std::to_string(i), customer, "01");
    }
    long rows_of(const std::string& customer) {
        long n = 0;
        for (const auto& f : customer_code_fields()) n += rows(f.table, f.order, {kBiz, customer});
        return n;
    }
    int m_number = 0;
};

TEST_P(CustomerRecodeTest, ANewCodeReachesEveryTableAndNoOtherCustomer) {
    store("C1", {"01", "02"});
    store("C2", {"01"});
    fill("C1", 120);
    fill("C2", 3);
    const long before = rows_of("C1");
    auto f = stored("C1");
    f.customer.code = "C9";
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(rows_of("C1"), 0);
    EXPECT_EQ(rows_of("C9"), before);
    for (const auto& t : customer_code_fields())
        EXPECT_EQ(rows(t.table, t.order, {kBiz, "C9"}), std::string(t.table) == "DET_CLIE"   ? 2
                                                        : std::string(t.table) == "DOCUMENT" ? 121
                                                                                             : 1)
            << t.table;
    EXPECT_EQ(rows_of("C2"), 3 + 16);
    EXPECT_FALSE(read_customer(*db, kBiz, "C1"));
    EXPECT_EQ(read_customer(*db, kBiz, "C9")->name, "Cliente C1");
}

TEST_P(CustomerRecodeTest, ARowHeldElsewhereLeavesTheOldCodeEverywhere) {
    store("C1", {"01"});
    fill("C1", 40);
    const long before = rows_of("C1");
    auto other = inst->open();
    data::Table held = data::USE(*other, "BITACORA", "BITACORA");
    ASSERT_TRUE(held->Seek(data::order_key("BITACORA", "BITACORA", {kBiz, "C1"})));
    ASSERT_TRUE(held->RLock());
    db->patience = std::chrono::milliseconds(50);
    db->poll_interval = std::chrono::milliseconds(10);
    auto f = stored("C1");
    f.customer.code = "C9";
    f.customer.name = "Nuevo";
    EXPECT_FALSE(save(f));
    EXPECT_EQ(said(), domain::kRecodeAborted);
    held->Unlock();
    EXPECT_EQ(rows_of("C1"), before);
    EXPECT_EQ(rows_of("C9"), 0);
    EXPECT_EQ(read_customer(*db, kBiz, "C1")->name, "Cliente C1");
    // Once the row is free the same save goes through.
    EXPECT_TRUE(save(f)) << said();
    EXPECT_EQ(rows_of("C9"), before);
}

TEST_P(CustomerRecodeTest, ADeletedBranchWithDocumentsMovesToThePrincipalOrStays) {
    store("C1", {"01", "02", "03"});
    document("F1", "C1", "02");
    document("P1", "C1", "02", "0", "PDOCUMEN");
    put("FAC_REG", {{"CODIGO", Decimal(1)}, {"CLIENTE", "C1"}, {"SUBCLIENTE", "02"}});
    auto f = stored("C1");
    f.branches[1].deleted = true;  // 02, with documents
    f.branches[2].deleted = true;  // 03, without: deleted at once
    inst->port.answer = false;
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE7", {kBiz, "C1"}), 2);
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE7", {kBiz, "C1", "02"}), 1);
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN15", {kBiz, "C1", "02"}), 1);

    f = stored("C1");
    f.branches[1].deleted = true;
    inst->port.answer = true;
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE7", {kBiz, "C1"}), 1);
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN15", {kBiz, "C1", "01"}), 1);
    EXPECT_EQ(rows("PDOCUMEN", "DOCUMEN15", {kBiz, "C1", "01"}), 1);
    EXPECT_EQ(rows("FAC_REG", "FAC_REG3", {kBiz, "C1", "01"}), 1);
}

TEST_P(CustomerRecodeTest, BranchCodeChangesCarryTheirDocumentsEvenWhenSwapped) {
    store("C1", {"01", "02"});
    document("F1", "C1", "01");
    document("F2", "C1", "02");
    document("F3", "C1", "02");
    auto f = stored("C1");
    f.branches[0].branch.code = "02";
    f.branches[1].branch.code = "01";
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F1"}, "SUBCLIENTE"), "02");
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "F2"}, "SUBCLIENTE"), "01");
    EXPECT_EQ(field("DET_CLIE", "DET_CLIE3", {kBiz, "C1", "S"}, "CODIGO"), "02");

    // A plain change, with a new branch taking the old code in the same save.
    f = stored("C1");
    f.branches[0].branch.code = "05";  // was 01 (F2, F3)
    f.branches.push_back(branch_row("01", false));
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN15", {kBiz, "C1", "05"}), 2);
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN15", {kBiz, "C1", "01"}), 0);
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE7", {kBiz, "C1"}), 3);
}

TEST_P(CustomerRecodeTest, AKeptBranchKeepsItsCodeFromANewOne) {
    store("C1", {"01", "02"});
    document("F1", "C1", "02");
    auto f = stored("C1");
    f.branches[1].deleted = true;
    f.branches.push_back(branch_row("02", false));
    inst->port.answer = false;
    const auto out = save_customer(*db, port(), kBiz, f, {});
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.refusal->branch, 2);
    EXPECT_EQ(rows("DET_CLIE", "DET_CLIE7", {kBiz, "C1"}), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerRecodeTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
