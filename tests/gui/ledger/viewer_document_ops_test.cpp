// The viewer's operations on a whole document, reached from its "Editar" menu over the agency's
// credit invoice: "Anular Documento" annuls it through ANUL_DOC and CHECK_ANULA and it leaves
// the open documents; "Duplicar Documento" adds its copy to them; "Plan de Pagos" opens
// ED2_DOC over it; its data, its payments and its customer's last payments open their windows.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "domain/ledger/document_duplicate.h"
#include "domain/ledger/document_viewer.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/documents/annulment_screens.h"
#include "gui/ledger/documents/instalment_plan_dialog.h"
#include "gui/ledger/viewer/document_viewer.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kViewer = 6505, kAnnul = 6625, kDuplicate = 6626, kPlan = 6627;
constexpr int kData = 6628, kPayments = 6629, kLastPayments = 6630;
const std::string kInvoice = "F00001001";

void click(QWidget* dialog, int id) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
}

class ViewerDocumentOpsTest : public test::MainWindowFixture {
protected:
    // The viewer over the agency's open documents, standing on its credit invoice.
    DocumentViewer* open_on_invoice() {
        auto* v = dynamic_cast<DocumentViewer*>(choose(kViewer));
        if (!v) return nullptr;
        auto* customer = v->findChild<QLineEdit*>(QString::number(kViewCustomer));
        customer->setText("3101123456");
        emit customer->editingFinished();
        settle();
        v->grid()->GOTOP();
        for (long i = 0; i < v->grid()->nMaxRec() && v->chosen()->number != kInvoice; ++i)
            v->grid()->DOWN();
        settle();
        return v->chosen()->number == kInvoice ? v : nullptr;
    }
    domain::ViewedDocument doc(const std::string& number) {
        return domain::read_viewed_document(*ctx.db, "HOTEL", number).value();
    }
};

TEST_F(ViewerDocumentOpsTest, AnnulmentRunsItsDialogOnTheRowAndTheRowLeavesTheOpenDocuments) {
    auto* v = open_on_invoice();
    ASSERT_TRUE(v);
    const long open = v->grid()->nMaxRec();
    QString typed;
    test::when_modal([&] {
        QWidget* by_number = QApplication::activeModalWidget();
        ASSERT_EQ(by_number->objectName(), "ANUL_DOC");
        typed = by_number->findChild<QLineEdit*>(QString::number(annul_ids::kNumber))->text();
        test::when_modal([] {
            QWidget* check = QApplication::activeModalWidget();
            ASSERT_EQ(check->objectName(), "CHECK_ANULA");
            click(check, kCmdOk);
        });
        click(by_number, kCmdOk);
    });
    ASSERT_TRUE(edit(kAnnul));
    settle();
    EXPECT_EQ(typed, QString::fromStdString(kInvoice));
    EXPECT_EQ(doc(kInvoice).annulled_by, kInvoice + "-A");
    EXPECT_EQ(v->grid()->nMaxRec(), open - 1);
}

TEST_F(ViewerDocumentOpsTest, DuplicatingAddsTheCopyToTheOpenDocuments) {
    auto* v = open_on_invoice();
    ASSERT_TRUE(v);
    const long open = v->grid()->nMaxRec();
    ASSERT_TRUE(edit(kDuplicate));  // the question is answered yes by the script
    settle();
    EXPECT_EQ(boxes.last_text(), domain::kDuplicated);
    EXPECT_EQ(v->grid()->nMaxRec(), open + 1);
}

TEST_F(ViewerDocumentOpsTest, ThePlanOfTheRowOpensInItsEditor) {
    auto* v = open_on_invoice();
    ASSERT_TRUE(v);
    QString shown;
    test::when_modal([&] {
        QWidget* plan = QApplication::activeModalWidget();
        ASSERT_EQ(plan->objectName(), "ED2_DOC");
        shown = plan->findChild<QLabel*>(QString::number(ed2_doc::kDocument))->text();
        plan->close();
    });
    ASSERT_TRUE(edit(kPlan));
    settle();
    EXPECT_TRUE(shown.startsWith(QString::fromStdString("Documento: " + kInvoice)))
        << shown.toStdString();
}

TEST_F(ViewerDocumentOpsTest, DataPaymentsAndLastPaymentsOpenOverTheRow) {
    auto* v = open_on_invoice();
    ASSERT_TRUE(v);
    for (const auto& [op, name] :
         {std::pair{kData, "DATOS_DOC"}, std::pair{kLastPayments, "ULT_ABONOS"}}) {
        QString opened;
        test::when_modal([&] {
            QWidget* w = QApplication::activeModalWidget();
            opened = w->objectName();
            w->close();
        });
        ASSERT_TRUE(edit(op)) << name;
        settle();
        EXPECT_EQ(opened.toStdString(), name);
    }
    // The payments of the document open as a screen of their own beside the viewer.
    ASSERT_TRUE(edit(kPayments));
    EXPECT_TRUE(screen("V_AB_FAC"));
}

}  // namespace
}  // namespace qz::gui
