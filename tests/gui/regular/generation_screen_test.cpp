// The generation of regular invoices as the supervisor meets it: the demonstration's sets from
// the menu, the register and operator checked before the process dialog, the dialog's count and
// total of the active customers' documents, a whole set generated with its cut-offs advanced;
// and the customer run, whose total follows the emissions as they are typed.
#include "gui/regular/generation_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "domain/regular/regular_rows.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/regular/commands.h"
#include "gui/regular/generation_dialog.h"

namespace qz::gui {
namespace {

namespace dr = qz::domain::regular;

class GenerationScreenTest : public test::MainWindowFixture {
protected:
    template <class W>
    static W* find(QWidget* w, int id) {
        return w->findChild<W*>(QString::number(id));
    }
    static QString label(QWidget* dlg, int id) { return find<QLabel>(dlg, id)->text(); }
    static void choose_operator(QWidget* s, const char* code) {
        auto* o = find<QComboBox>(s, kGenOperator);
        o->setCurrentIndex(o->findData(code));
    }
};

TEST_F(GenerationScreenTest, WholeSetIsGeneratedAfterTheRegisterCheckAndTheDialog) {
    auto* s = dynamic_cast<GenerationScreen*>(choose(kCmdRegularGeneration));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->objectName(), "GFAC_REG");
    EXPECT_EQ(find<QTreeWidget>(s, kGenSets)->topLevelItemCount(), 2);
    s->choose_set("MEMB");
    auto* docs = find<QTableWidget>(s, kGenDocuments);
    ASSERT_EQ(docs->rowCount(), 3);

    // No operator chosen: refused before the dialog.
    press(s, kGenWholeSet);
    EXPECT_EQ(boxes.last_text(), "Falta seleccionar el digitador");

    choose_operator(s, "0001");
    QString count, total;
    bool emissions_enabled = true;
    test::when_modal([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        count = label(dlg, kProCount);
        total = label(dlg, kProTotal);
        emissions_enabled = find<QLineEdit>(dlg, kProEmissions)->isEnabled();
        EXPECT_TRUE(find<QCheckBox>(dlg, kProValidate)->isChecked());
        EXPECT_EQ(find<QLineEdit>(dlg, kProMonths)->text(), "1");  // F_FAC SUMA_MES
        QTest::mouseClick(find<QPushButton>(dlg, kCmdOk), Qt::LeftButton);
    });
    press(s, kGenWholeSet);
    // Two of the three have an active customer: 4 and 2 sessions at 45,000 plus 13 % tax.
    EXPECT_EQ(count, "2");
    EXPECT_EQ(total, "305,100.00");
    EXPECT_FALSE(emissions_enabled);
    EXPECT_EQ(boxes.last_text(), "Documentos generados: 2");
    const auto d1 = dr::read_regular_document(*ctx.db, "HOTEL", 1);
    const auto d3 = dr::read_regular_document(*ctx.db, "HOTEL", 3);
    EXPECT_EQ(d1->cut_off, Date(2026, 6, 1));
    EXPECT_EQ(d3->cut_off, Date(2026, 5, 1));  // the inactive customer's stays
    EXPECT_EQ(docs->item(0, 5)->text(), "01/06/2026");
}

TEST_F(GenerationScreenTest, CustomerRunTotalFollowsTheEmissionsTyped) {
    GenerationSetup setup;
    setup.business = "HOTEL";
    setup.user = "SUP";
    setup.customer = "3101123456";
    auto* s = open_generation_screen(window.get(), *ctx.db, setup);
    ASSERT_TRUE(s);
    EXPECT_FALSE(find<QTreeWidget>(s, kGenSets)->isVisible());
    EXPECT_EQ(find<QTableWidget>(s, kGenDocuments)->rowCount(), 2);
    choose_operator(s, "0002");
    QString before, after;
    test::when_modal([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        before = label(dlg, kProTotal);
        find<QLineEdit>(dlg, kProEmissions)->setText("3");
        after = label(dlg, kProTotal);
        QTest::mouseClick(find<QPushButton>(dlg, kCmdCancel), Qt::LeftButton);
    });
    press(s, kGenCustomer);
    EXPECT_EQ(before, "254,250.00");
    EXPECT_EQ(after, "762,750.00");
    EXPECT_EQ(dr::read_regular_document(*ctx.db, "HOTEL", 1)->cut_off, Date(2026, 5, 1));
}

}  // namespace
}  // namespace qz::gui
