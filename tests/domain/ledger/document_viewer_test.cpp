// The document viewer's filters and its edits of one document's own fields, on the
// demonstration ledger: each state of a customer or branch is read through its own order, and
// each edit checks what it is given before it writes.
#include <gtest/gtest.h>

#include <algorithm>

#include "domain/ledger/document_delivery.h"
#include "domain/ledger/document_edits.h"
#include "domain/ledger/statement_tables.h"
#include "domain/ledger/viewer_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

using State = DocumentState;

class DocumentViewerTest : public test::ViewerTest {
protected:
    // The numbers a filter shows, sorted.
    std::vector<std::string> listed(const std::string& customer, const std::string& branch,
                                    State state) {
        const ViewerScope s = viewer_scope(kBiz, {customer, branch, state});
        UsedTable t(*db, "DOCUMENT", s.order);
        t->SetScope(s.key, s.key);
        std::vector<std::string> out;
        for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(trim(t->str("DOCUMENTO")));
        std::sort(out.begin(), out.end());
        return out;
    }
    using Numbers = std::vector<std::string>;
};

TEST_P(DocumentViewerTest, EachStateOfACustomerOrBranchListsItsOwnDocuments) {
    EXPECT_EQ(listed("205430876", "", State::Annulled), (Numbers{"F00000810", "F00000810-A"}));
    EXPECT_EQ(listed("205430876", "", State::Open), Numbers{});
    EXPECT_EQ(listed("205430876", "", State::Settled), Numbers{});
    EXPECT_EQ(listed("114560789", "", State::Settled), Numbers{"F00000800"});
    EXPECT_EQ(listed("114560789", "01", State::Open), Numbers{"ND00000001"});
    EXPECT_EQ(listed("114560789", "02", State::Open), Numbers{});
    EXPECT_EQ(listed("3101123456", "01", State::Open),
              (Numbers{"F00001001", "F00001002", "NC00000001"}));
    EXPECT_EQ(listed("114560789", "", State::All), (Numbers{"F00000800", "ND00000001"}));
    EXPECT_EQ(listed("", "", State::Annulled), (Numbers{"F00000810", "F00000810-A"}));
    // With the two instalment invoices of the gym on standing order.
    EXPECT_EQ(listed("", "", State::Open).size(), 8u);

    // A document paid off moves from the open documents to the settled ones.
    change("DOCUMENT", "DOCUMENT", {kBiz, "ND00000001"}, {{"SALDO", Decimal()}});
    EXPECT_EQ(listed("114560789", "", State::Settled), (Numbers{"F00000800", "ND00000001"}));
    EXPECT_EQ(doc("ND00000001").state(), State::Settled);
}

TEST_P(DocumentViewerTest, BranchDiffTypeAgentAndLabelsAreCheckedBeforeTheyAreWritten) {
    auto& port = inst->port;
    EXPECT_FALSE(change_document_branch(*db, port, kBiz, kInvoice, "09"));
    EXPECT_EQ(said(), kNoBranch);
    ASSERT_TRUE(change_document_branch(*db, port, kBiz, kInvoice, "02"));
    EXPECT_EQ(doc(kInvoice).branch, "02");
    EXPECT_EQ(doc(kInvoice).name, "Turismo Pura Vida - Sucursal Liberia");

    EXPECT_FALSE(change_document_diff_type(*db, port, kBiz, kInvoice, "99"));
    EXPECT_EQ(said(), kNoDiffType);
    ASSERT_TRUE(change_document_diff_type(*db, port, kBiz, kInvoice, "02"));
    EXPECT_EQ(doc(kInvoice).diff_type, "02");

    EXPECT_FALSE(change_document_agent(*db, port, kBiz, kInvoice, "77"));
    EXPECT_EQ(said(), kNoAgentDoc);
    ASSERT_TRUE(change_document_agent(*db, port, kBiz, kInvoice, "03"));
    EXPECT_EQ(doc(kInvoice).agent, "03");

    EXPECT_FALSE(edit_document_labels(*db, port, kBiz, kInvoice, {"Otra", "XXXX", "", ""}));
    EXPECT_EQ(said(), kNoClass1Doc);
    EXPECT_EQ(doc(kInvoice).description, "Paquete de bienestar para clientes de la agencia");
    // A concept that asks for classification #2 refuses a document without one.
    change("CONCEPT1", "CONCEPT1", {kBiz, "FA"}, {{"CLAS2", Decimal(1)}});
    EXPECT_FALSE(edit_document_labels(*db, port, kBiz, kInvoice, {"Otra", "GRUP", "", "Z1"}));
    EXPECT_EQ(said(), kNoClass2Doc);
    ASSERT_TRUE(edit_document_labels(*db, port, kBiz, kInvoice, {"Otra", "grup", "BAJA", "z1"}));
    const auto d = doc(kInvoice);
    EXPECT_EQ(d.description, "Otra");
    EXPECT_EQ(d.clas1 + d.clas2 + d.clas3, "GRUPBAJAZ1");
}

TEST_P(DocumentViewerTest, RecalculatingTheAmountKeepsThePartAlreadyPaid) {
    auto& port = inst->port;
    // 85,000 less 10 % and 2 × 38,500, both taxed 13 % after the discount; 50,000 paid.
    change("DET_DOC", "DET_DOC", {kBiz, kInvoice}, {{"DESCUENTO", Decimal(10)}});
    change("DOCUMENT", "DOCUMENT", {kBiz, kInvoice},
           {{"BRUTO", Decimal(162000)}, {"SALDO", Decimal(183060 - 50000)}});
    const LineTotals totals = document_line_totals(*db, kBiz, kInvoice);
    EXPECT_EQ(totals.discount, Decimal(8500));
    EXPECT_EQ(totals.tax, Decimal(19955));

    port.answer = false;
    EXPECT_FALSE(recalculate_document_amount(*db, port, kBiz, kInvoice));
    EXPECT_EQ(doc(kInvoice).amount, Decimal(183060));
    port.answer = true;
    ASSERT_TRUE(recalculate_document_amount(*db, port, kBiz, kInvoice));
    EXPECT_EQ(doc(kInvoice).amount, Decimal(173455));
    EXPECT_EQ(doc(kInvoice).balance, Decimal(123455));
    EXPECT_EQ(text("DOC_PARC", "DOC_PARC", {kBiz, kInvoice}, "MONTO"), "173455.00");

    // An annulled document keeps its balance of 0.
    EXPECT_FALSE(recalculate_document_amount(*db, port, kBiz, "F00000810"));
    EXPECT_EQ(said(), kAlreadyAnnulled);
    EXPECT_EQ(doc("F00000810").balance, Decimal());
}

TEST_P(DocumentViewerTest, DeliveredMarksAndTheirListings) {
    auto& port = inst->port;
    EXPECT_EQ(mark_documents_delivered(*db, port, kBiz, {}, true, Date(2026, 5, 20)), -1);
    EXPECT_EQ(said(), kNoDocumentChosen);
    ASSERT_EQ(mark_documents_delivered(*db, port, kBiz, {kInvoice, kInstalments}, true,
                                       Date(2026, 5, 19)),
              2);
    EXPECT_TRUE(doc(kInvoice).delivered);
    EXPECT_EQ(doc(kInvoice).delivered_on, Date(2026, 5, 19));

    const ViewerFilter agency{"3101123456", "", State::All};
    const auto delivered = delivery_listing(*db, kBiz, agency, true);
    ASSERT_EQ(delivered.lines.size(), 2u);
    ASSERT_EQ(delivered.totals.size(), 1u);
    EXPECT_EQ(delivered.totals[0].amount, Decimal(483060));
    EXPECT_EQ(delivery_listing(*db, kBiz, agency, false).lines.size(), 1u);  // the credit note

    ASSERT_EQ(mark_documents_delivered(*db, port, kBiz, {kInvoice}, false, Date(2026, 5, 20)), 1);
    EXPECT_FALSE(doc(kInvoice).delivered);
    EXPECT_TRUE(doc(kInvoice).delivered_on.empty());
    EXPECT_EQ(delivery_listing(*db, kBiz, agency, true).lines.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Ledger, DocumentViewerTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
