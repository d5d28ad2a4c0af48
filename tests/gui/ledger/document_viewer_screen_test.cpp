// "Consulta de Documentos" opened from its menu: the filters read the customer's documents of
// each state, and two of its Editar operations run on the row and on the marked documents.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "domain/ledger/document_viewer.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/viewer/document_viewer.h"
#include "gui/ledger/viewer/viewer_forms.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kViewer = 6505, kChangeAgent = 6614, kMoveToCustomer = 6611, kRepair = 6621;

class DocumentViewerScreenTest : public test::MainWindowFixture {
protected:
    DocumentViewer* open_viewer() {
        auto* v = dynamic_cast<DocumentViewer*>(choose(kViewer));
        EXPECT_TRUE(v);
        return v;
    }
    void type_customer(DocumentViewer* v, const QString& code) {
        auto* customer = v->findChild<QLineEdit*>(QString::number(kViewCustomer));
        customer->setText(code);
        emit customer->editingFinished();
        settle();
    }
    void choose_state(DocumentViewer* v, domain::DocumentState s) {
        auto* state = v->findChild<QComboBox*>(QString::number(kViewState));
        state->setCurrentIndex(state->findData(static_cast<int>(s)));
        settle();
    }
    domain::ViewedDocument doc(const std::string& number) {
        return domain::read_viewed_document(*ctx.db, "HOTEL", number).value();
    }
};

TEST_F(DocumentViewerScreenTest, TheFiltersShowEachStateOfTheChosenCustomer) {
    auto* v = open_viewer();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->grid()->nMaxRec(), 8);  // every open document of the business
    type_customer(v, "114560789");
    EXPECT_EQ(v->findChild<QComboBox*>(QString::number(kViewBranch))->count(), 2);
    EXPECT_EQ(v->grid()->nMaxRec(), 1);
    choose_state(v, domain::DocumentState::Settled);
    ASSERT_EQ(v->grid()->nMaxRec(), 1);
    EXPECT_EQ(v->chosen()->number, "F00000800");
    type_customer(v, "205430876");
    choose_state(v, domain::DocumentState::Annulled);
    EXPECT_EQ(v->grid()->nMaxRec(), 2);
    choose_state(v, domain::DocumentState::Open);
    EXPECT_EQ(v->grid()->nMaxRec(), 0);
    // The supervisor holds the repair's own right.
    type_customer(v, "");
    bool repair_opened = false;
    test::when_modal([&] {
        QWidget* dialog = QApplication::activeModalWidget();
        repair_opened = dialog->objectName() == "MOD_DOC";
        QTest::mouseClick(dialog->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kRepair));
    EXPECT_TRUE(repair_opened);
}

TEST_F(DocumentViewerScreenTest, AnAgentIsChangedOnTheRowAndMarkedDocumentsMoveToAnotherCustomer) {
    auto* v = open_viewer();
    ASSERT_TRUE(v);
    type_customer(v, "3101123456");
    ASSERT_EQ(v->grid()->nMaxRec(), 3);
    const std::string first = v->chosen()->number;
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        auto* agent = form->findChild<QComboBox*>(QString::number(kFormAgent));
        agent->setCurrentIndex(agent->findData("02"));
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kChangeAgent));
    EXPECT_EQ(doc(first).agent, "02");

    // Nothing marked: refused before any dialog opens.
    ASSERT_TRUE(edit(kMoveToCustomer));
    EXPECT_EQ(boxes.last_text(), domain::kNoDocumentChosen);
    v->grid()->GOTOP();
    v->grid()->ADD_MARK();
    v->grid()->DOWN();
    v->grid()->ADD_MARK();
    settle();
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* customer = dialog->findChild<QLineEdit*>(QString::number(kMoveCustomer));
        customer->setText("114560789");
        emit customer->editingFinished();
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kMoveToCustomer));
    EXPECT_EQ(v->grid()->nMaxRec(), 1);  // the agency keeps one open document
    EXPECT_TRUE(v->grid()->marks().empty());
    EXPECT_EQ(doc(first).customer, "114560789");
    EXPECT_EQ(doc(first).name, "María José Vargas Solano");
}

}  // namespace
}  // namespace qz::gui
