// The customer list's printouts as the user reaches them: "Estado Histórico" on the
// demonstration agency and "Listados de Clientes" from the "Editar" menu, each through its
// dialog and the printer dialog into the preview.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/text.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_list.h"
#include "gui/customers/statement_screens.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/print/preview.h"
#include "gui/print/print_gui_fakes.h"

namespace qz::gui {
namespace {

constexpr int kCustomers = 2833, kListing = 2519;

class StatementScreenTest : public test::MainWindowFixture {
protected:
    CustomerListScreen* list_at(const char* code) {
        auto* list = dynamic_cast<CustomerListScreen*>(choose(kCustomers));
        if (!list || !list->grid()->SEARCH(code)) return nullptr;
        settle();
        return list;
    }
    // Answers the printer dialog that opens next with F2, the preview.
    static void preview_next() {
        test::when_modal([] { test::type_key(Qt::Key_F2); });
    }
    // The texts of every page of the preview that is open now.
    std::vector<std::string> previewed() {
        settle();
        std::vector<std::string> out;
        auto* preview = dynamic_cast<DISPMETA*>(active_screen());
        if (!preview) return out;
        for (int p = 1; p <= preview->page_count(); ++p)
            for (const auto& op : preview->page(p).ops)
                if (op.kind == services::DrawOp::Kind::Text) out.push_back(trim(op.text));
        return out;
    }
    static bool has(const std::vector<std::string>& texts, const std::string& t) {
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    }
};

TEST_F(StatementScreenTest, TheHistoricStatementPrintsTheChosenRangeAndRefusesAReversedOne) {
    test::PrintContextScope printing;
    auto* list = list_at("3101123456");
    ASSERT_TRUE(list);
    bool refused = false;
    test::when_modal([&] {
        QWidget* d = QApplication::activeModalWidget();
        EXPECT_EQ(d->objectName(), "CLIENT_3");
        d->findChild<QLineEdit*>(QString::number(kHisFrom))->setText("01/06/26");
        QTest::mouseClick(d->findChild<QPushButton*>(QString::number(kHisPrint)), Qt::LeftButton);
        refused = boxes.last_text() == kBadRange;
        d->findChild<QLineEdit*>(QString::number(kHisFrom))->setText("01/03/26");
        preview_next();
        QTest::mouseClick(d->findChild<QPushButton*>(QString::number(kHisPrint)), Qt::LeftButton);
    });
    press(list, kCliHistoric);
    EXPECT_TRUE(refused);
    const auto texts = previewed();
    EXPECT_TRUE(has(texts, "Estado de Cuenta Histórico"));
    EXPECT_TRUE(has(texts, "300,000.00")) << "the instalment invoice in the range";
    EXPECT_TRUE(has(texts, "25,000.00")) << "the credit note, as a credit";
}

TEST_F(StatementScreenTest, TheListingDialogChoosesOrderStateAndClassification) {
    test::PrintContextScope printing;
    ASSERT_TRUE(choose(kCustomers));
    test::when_modal([] {
        QWidget* d = QApplication::activeModalWidget();
        EXPECT_EQ(d->objectName(), "PRINT_CLIENTES");
        d->findChild<QRadioButton*>(QString::number(kLstByName))->setChecked(true);
        d->findChild<QComboBox*>(QString::number(kLstState))->setCurrentIndex(0);
        preview_next();
        QTest::mouseClick(d->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kListing)) << "the operation is registered, not greyed";
    const auto texts = previewed();
    EXPECT_TRUE(has(texts, "Turismo Pura Vida S.A."));
    EXPECT_TRUE(has(texts, "2,500,000.00")) << "its principal branch's limit";
    EXPECT_FALSE(has(texts, "Inactivo")) << "only the active customers";
}

// The two buttons that print at once: the printer dialog's preview button is pressed, not typed,
// since the dialog opened from a screen of the main window need not hold the keyboard.
TEST_F(StatementScreenTest, TheListsButtonsPrintTheOpenDocumentsAndTheCollectionPlan) {
    test::PrintContextScope printing;
    auto* list = list_at("3101123456");
    ASSERT_TRUE(list);
    const auto preview_button = [] {
        test::when_modal([] {
            for (auto* b : QApplication::activeModalWidget()->findChildren<QPushButton*>())
                if (b->text().startsWith("F2")) return QTest::mouseClick(b, Qt::LeftButton);
            QApplication::activeModalWidget()->close();  // fail, do not wait for ever
        });
    };
    preview_button();
    press(list, kCliPrint);
    auto texts = previewed();
    EXPECT_TRUE(has(texts, "ESTADO DE CUENTA"));
    EXPECT_TRUE(has(texts, "-150,000.00")) << "the payment under the instalment invoice";
    EXPECT_TRUE(has(texts, "-25,000.00")) << "the credit note, signed as a credit";

    preview_button();
    press(list, kCliPlan);
    texts = previewed();
    EXPECT_TRUE(has(texts, "60,000.00")) << "what is left of the part-paid instalment";
    EXPECT_FALSE(has(texts, "120,000.00")) << "the instalment paid in full is not collected";
}

}  // namespace
}  // namespace qz::gui
