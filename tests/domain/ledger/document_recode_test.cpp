// Documents moved to another customer and re-coded: what names a document (its lines,
// instalments, revaluations, payments) goes with it, and a refusal leaves everything as it was.
#include "domain/ledger/document_recode.h"

#include <gtest/gtest.h>

#include "domain/ledger/balance_invariant.h"
#include "domain/ledger/customer_statement.h"
#include "domain/ledger/document_edits.h"
#include "domain/ledger/document_moves.h"
#include "domain/ledger/viewer_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

class DocumentRecodeTest : public test::ViewerTest {
protected:
    // Rows of every referring table that name `number`.
    std::vector<long> references(const std::string& number) {
        std::vector<long> out;
        for (const auto& r : document_references())
            out.push_back(rows(r.table, r.order, {kBiz, number}));
        return out;
    }
    // A row in every table that names a document, beyond what the demonstration has.
    void refer_to(const std::string& number) {
        for (const char* table : {"DET_DOC2", "DET_DOC4", "DET_DOC5"})
            put(table, {{"DOCUMENTO", number}, {"CODIGO", std::string("MAS003")}});
        put("DET_DOC3", {{"DOCUMENTO", number},
                         {"MOVIMIENTO", std::string("R00000501")},
                         {"FECHA", Date(2026, 4, 10)}});
        put("ENC_DOC2", {{"DOCUMENTO", number}, {"ATENCION", std::string("Contabilidad")}});
        put("PDET_MOV", {{"MOVIMIENTO", std::string("P00000001")},
                         {"DOCUMENTO", number},
                         {"MONTO", Decimal(1000)}});
    }
};

TEST_P(DocumentRecodeTest, ARecodedDocumentKeepsEveryRowAndPaymentThatNamesIt) {
    refer_to(kInstalments);
    const auto before = references(kInstalments);
    EXPECT_EQ(before[6], 3);  // the three instalments
    EXPECT_EQ(before[7], 1);  // R00000501
    ASSERT_TRUE(recode_document(*db, inst->port, kBiz, {kInstalments, "F00009002", "fa"}));
    EXPECT_EQ(references("F00009002"), before);
    EXPECT_EQ(references(kInstalments), std::vector<long>(before.size(), 0));
    EXPECT_FALSE(read_viewed_document(*db, kBiz, kInstalments));
    EXPECT_EQ(doc("F00009002").concept_code, "FA");
    const auto check = expected_balance(*db, kBiz, "F00009002");
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->agrees()) << check->expected.to_string(2);

    // The payment that created a credit note, and the annulment references, follow too.
    put("ENC_MOVE",
        {{"MOVIMIENTO", std::string("R00000777")}, {"NOTA_CRED", std::string("NC00000001")}});
    ASSERT_TRUE(recode_document(*db, inst->port, kBiz, {"NC00000001", "NC00000901", ""}));
    EXPECT_EQ(text("ENC_MOVE", "ENC_MOVE", {kBiz, "R00000777"}, "NOTA_CRED"), "NC00000901");
    EXPECT_EQ(doc("NC00000901").concept_code, "NC");
    ASSERT_TRUE(recode_document(*db, inst->port, kBiz, {"F00000810-A", "NC00000810", ""}));
    EXPECT_EQ(doc("F00000810").annulled_by, "NC00000810");
    EXPECT_EQ(doc("NC00000810").annulled_by, "NC00000810");
}

TEST_P(DocumentRecodeTest, ABlankTakenOrTooLongNumberOrAnUnknownConceptIsRefused) {
    auto& port = inst->port;
    const struct {
        DocumentRecode r;
        std::string refusal;
    } cases[] = {
        {{kInstalments, "  ", ""}, kBlankNewNumber},
        {{kInstalments, kInvoice, ""}, kNewNumberTaken},
        {{kInstalments, "F0000900200000001", ""}, "El nuevo código admite 15 caracteres..."},
        {{kInstalments, "F00009002", "ZZ"}, std::string(kUnknownConcept) + "ZZ"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(recode_document(*db, port, kBiz, c.r)) << c.r.new_number;
        EXPECT_EQ(said(), c.refusal);
    }
    EXPECT_EQ(rows("DOC_PARC", "DOC_PARC", {kBiz, kInstalments}), 3);
    EXPECT_EQ(doc(kInstalments).concept_code, "FP");

    // Its own number is not another document's: only the concept changes.
    ASSERT_TRUE(recode_document(*db, port, kBiz, {kInstalments, kInstalments, "FA"}));
    EXPECT_EQ(doc(kInstalments).concept_code, "FA");
    EXPECT_EQ(rows("DOC_PARC", "DOC_PARC", {kBiz, kInstalments}), 3);
}

TEST_P(DocumentRecodeTest, MovedDocumentsTakeTheirLinesAndPaymentsToTheOtherCustomer) {
    auto& port = inst->port;
    const std::string person = "114560789";
    EXPECT_EQ(move_documents_to_customer(*db, port, kBiz, {{}, person, "01"}), -1);
    EXPECT_EQ(said(), kNoDocumentChosen);
    EXPECT_EQ(move_documents_to_customer(*db, port, kBiz, {{kInvoice}, "NADIE", "01"}), -1);
    EXPECT_EQ(said(), kNoCustomer);
    EXPECT_EQ(move_documents_to_customer(*db, port, kBiz, {{kInvoice}, person, "02"}), -1);
    EXPECT_EQ(said(), kNoBranch);
    EXPECT_EQ(doc(kInvoice).customer, "3101123456");

    ASSERT_EQ(move_documents_to_customer(*db, port, kBiz, {{kInvoice, kInstalments}, person, "01"}),
              2);
    const auto moved = doc(kInstalments);
    EXPECT_EQ(moved.customer + "/" + moved.branch, person + "/01");
    EXPECT_EQ(moved.name, "María José Vargas Solano");
    EXPECT_EQ(text("ENC_MOVE", "ENC_MOVE", {kBiz, "R00000501"}, "CLIENTE"), person);
    EXPECT_EQ(text("ENC_MOVE", "ENC_MOVE", {kBiz, "R00000501"}, "NOM_CLIENT"),
              "María José Vargas Solano");
    EXPECT_EQ(rows("DET_DOC", "DET_DOC8", {kBiz, person}), 2);
    // The agency owes only its credit note now; the payment shows on the new customer's.
    const auto agency = open_statement(*db, kBiz, "3101123456", Date(2026, 5, 20));
    ASSERT_EQ(agency.documents.size(), 1u);
    EXPECT_EQ(agency.documents[0].number, "NC00000001");
    const auto mine = open_statement(*db, kBiz, person, Date(2026, 5, 20));
    bool paid = false;
    for (const auto& d : mine.documents) paid = paid || d.payments.size() == 1;
    EXPECT_TRUE(paid);
}

INSTANTIATE_TEST_SUITE_P(Ledger, DocumentRecodeTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
