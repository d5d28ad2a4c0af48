// A customer's change of state moves the open balances of documents whose concept keeps a
// complementary account to the transfer account, in the save's transaction; deactivation and
// activation post the same lines on opposite sides.
#include "domain/ledger/customer_reclassification.h"

#include <gtest/gtest.h>

#include "domain/customers/customer_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class ReclassificationTest : public test::CustomerTest {
protected:
    void SetUp() override {
        test::CustomerTest::SetUp();
        if (IsSkipped()) return;
        put("SERIALES", {{"CODIGO", "AS03"}});
        data::Table n = data::USE(*db, "NEGOCIOS");
        data::ADD_NEW_REC(*n);
        n->FieldPut("CODIGO", kBiz);
        n->FieldPut("DIARIO3", std::string("AS03"));
        n->FieldPut("MONEDA_CON", std::string("CR"));
        data::UNLOCK_NEW_REC(*n);
        data::KILLTABLA(*db, n);
        put("F_FAC", {{"AFECTA_CON", Decimal(1)}, {"ACT_INACT", Decimal(1)}, {"LIGA_AI", "TRN"}});
        put("CONCEPT1", {{"CONCEPTO", "FA"},
                         {"COMPLEMENT", Decimal(1)},
                         {"ASIENTO4", "CXC"},
                         {"CXC_COMPL", "CMP"}});
        put("CONCEPT1", {{"CONCEPTO", "NC"}});
        for (const auto& [code, side] : {std::pair{"CXC", 1}, {"CMP", 1}, {"TRN", 1}})
            put("LIGAS",
                {{"CODIGO", code}, {"CUENTA", std::string("A-") + code}, {"TIPO", Decimal(side)}});
        store("C1", {"01"});
        for (const auto& [doc, concept_code, balance] :
             {std::tuple{"F1", "FA", "150.25"}, {"F2", "NC", "80.00"}, {"F3", "FA", "0"}})
            put("DOCUMENT", {{"DOCUMENTO", doc},
                             {"CLIENTE", "C1"},
                             {"SUBCLIENTE", "01"},
                             {"CONCEPTO", concept_code},
                             {"MONEDA", "CR"},
                             {"SALDO", Decimal::parse(balance)}});
    }
    bool change_state(bool active) {
        auto f = stored("C1");
        f.customer.active = active;
        f.customer.reason = active ? 0 : domain::customers::kMorosos;
        domain::customers::SaveContext ctx{
            "SUP", [](data::Db& d, const auto& change) {
                post_customer_reclassification(d, kBiz, change, {"SUP", "test"});
            }};
        return domain::customers::save_customer(*db, port(), kBiz, f, ctx).saved;
    }
    // "account D/C amount description" of every voucher line, in writing order.
    std::vector<std::string> posted() {
        std::vector<std::string> out;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS1");
        t->SetScope(data::business_key(kBiz), data::business_key(kBiz));
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            const bool debit = t->num("DEBITO").sign() != 0;
            out.push_back(trim(t->str("CUENTA")) + (debit ? " D " : " C ") +
                          (debit ? t->num("DEBITO") : t->num("CREDITO")).to_string(2) + " " +
                          trim(t->str("DESCRIP")));
        }
        return out;
    }
};

TEST_P(ReclassificationTest, OpenBalancesMoveToTheTransferAccountAndBack) {
    ASSERT_TRUE(change_state(false)) << said();
    auto lines = posted();
    // Only the open document of a concept with a complementary account; in the accounting
    // currency the complementary difference is nil and writes no line.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "A-CXC C 150.25 ACF1 Cliente C1");
    EXPECT_EQ(lines[1], "A-TRN D 150.25 ACF1 TRNS: Cliente C1");
    ASSERT_TRUE(change_state(true)) << said();
    lines = posted();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "A-CXC D 150.25 IAF1 Cliente C1");
    EXPECT_EQ(lines[3], "A-TRN C 150.25 IAF1 TRNS: Cliente C1");
}

INSTANTIATE_TEST_SUITE_P(Engines, ReclassificationTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
