// The register screens over the demonstration business, opened from the menu: a register is
// defined and deleted with its shifts only after both questions, the register dialog stays open
// after a wrong pass code, and a front-desk register opened here shows in the status bar until
// it is closed.
#include "gui/cash/cash_screens.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "data/table_ops.h"
#include "domain/cash/register_maintenance.h"
#include "domain/cash/register_opening.h"
#include "domain/cash/register_rows.h"
#include "gui/browse/wblistbox.h"
#include "gui/cash/commands.h"
#include "gui/cash/register_dialogs.h"
#include "gui/cash/register_form.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::cash;

class CashScreensTest : public test::MainWindowFixture {
protected:
    // Fills the register dialog that opens next: operator, both codes; then OK, and Cancel
    // when it stays open.
    static void fill_register_dialog(const QString& op, const QString& op_code,
                                     const QString& reg_code, const QString& reg = "") {
        test::when_modal([=] {
            QWidget* dlg = QApplication::activeModalWidget();
            if (!reg.isEmpty()) {
                auto* r = dlg->findChild<QComboBox*>(QString::number(kDlgRegister));
                r->setCurrentIndex(r->findData(reg));
            }
            auto* o = dlg->findChild<QComboBox*>(QString::number(kDlgOperator));
            o->setCurrentIndex(o->findData(op));
            dlg->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText(op_code);
            if (auto* c = dlg->findChild<QLineEdit*>(QString::number(kDlgRegisterCode)))
                c->setText(reg_code);
            QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (QApplication::activeModalWidget() == dlg)
                QTest::mouseClick(dlg->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    }
    QString status() const { return window->statusBar()->findChild<QLabel*>("CAJA")->text(); }
};

TEST_F(CashScreensTest, ARegisterIsDefinedAndDeletedWithItsShiftsAfterBothQuestions) {
    WDIAG* s = choose(kCmdRegisters);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->objectName(), "CAJAS");
    auto* grid = s->findChild<WBLISTBOX*>(QString::number(kCajasGrid));
    const long before = grid->nMaxRec();

    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        form->findChild<QLineEdit*>(QString::number(kRegCode))->setText("BAR1");
        form->findChild<QLineEdit*>(QString::number(kRegName))->setText("Caja Bar");
        form->findChild<QLineEdit*>(QString::number(kRegPassword))->setText("bar");
        auto* closing = form->findChild<QComboBox*>(QString::number(kRegClosingCurrency));
        EXPECT_EQ(closing->itemText(0), "***Según Moneda Contabilidad");
        auto* centre = form->findChild<QComboBox*>(QString::number(kRegCentre));
        EXPECT_EQ(centre->itemText(0), "Sin Centro de Ventas asociado");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kCajasAdd);
    const auto added = dc::read_register(*ctx.db, dc::kPosRegisters, "HOTEL", "BAR1");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->description, "Caja Bar");
    EXPECT_EQ(grid->nMaxRec(), before + 1);

    // A shift typed by hand on the new register.
    data::Table t = data::USE(*ctx.db, "CAJA_ENC");
    for (int row = 0; row < grid->nMaxRec(); ++row) {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        t->GoTo(grid->nCrecNo());
        if (t->str("CODIGO").rfind("BAR1", 0) == 0) break;
    }
    data::KILLTABLA(*ctx.db, t);
    fill_form({{kShiftStartDate, "01/05/2026"}, {kShiftStartTime, "08:00:00"}});
    press(s, kShiftAdd);
    ASSERT_EQ(dc::register_shifts(*ctx.db, dc::kPosRegisters, "HOTEL", "BAR1").size(), 1u);

    boxes.then(kIdOk).then(kIdCancel);
    EXPECT_TRUE(edit(2303));
    EXPECT_TRUE(dc::read_register(*ctx.db, dc::kPosRegisters, "HOTEL", "BAR1"));
    boxes.then(kIdOk).then(kIdOk);
    EXPECT_TRUE(edit(2303));
    EXPECT_EQ(boxes.last_text(), dc::kAskDeleteRegisterSure);
    EXPECT_FALSE(dc::read_register(*ctx.db, dc::kPosRegisters, "HOTEL", "BAR1"));
    EXPECT_TRUE(dc::register_shifts(*ctx.db, dc::kPosRegisters, "HOTEL", "BAR1").empty());
}

TEST_F(CashScreensTest, TheOpenDialogStaysOpenAfterAWrongCodeAndTheStatusBarShowsTheRegister) {
    EXPECT_TRUE(status().endsWith("????"));
    test::when_modal([] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->windowTitle(), "Abrir Caja");
        auto* r = dlg->findChild<QComboBox*>(QString::number(kDlgRegister));
        r->setCurrentIndex(r->findData("SPA1"));
        auto* o = dlg->findChild<QComboBox*>(QString::number(kDlgOperator));
        o->setCurrentIndex(o->findData("0001"));
        dlg->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText("1111");
        dlg->findChild<QLineEdit*>(QString::number(kDlgRegisterCode))->setText("mala");
        QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
        EXPECT_EQ(QApplication::activeModalWidget(), dlg);
        dlg->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText("1111");
        dlg->findChild<QLineEdit*>(QString::number(kDlgRegisterCode))->setText("spa1");
        QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    const auto taken =
        open_register_dialog(window.get(), *ctx.db, nullptr, "HOTEL", "????", &ctx.session);
    ASSERT_TRUE(taken);
    EXPECT_EQ(boxes.shown().front().text, dc::kWrongPassCode);
    EXPECT_EQ(taken->reg.code, "SPA1");
    EXPECT_TRUE(status().contains("SPA1"));

    boxes.then(kIdOk);
    EXPECT_TRUE(close_register(window.get(), *ctx.db, "HOTEL", "SPA1", {}, &ctx.session));
    EXPECT_EQ(boxes.last_text(), dc::kClosedOk);
    EXPECT_TRUE(status().endsWith("????"));
}

TEST_F(CashScreensTest, AFrontDeskRegisterOpensForThisWorkstationAndClosesOnTheQuestion) {
    WDIAG* s = choose(kCmdFrontDesk);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->objectName(), "HCAJAS2");
    EXPECT_TRUE(s->findChild<QPushButton*>(QString::number(kHPrint))->isEnabled());
    auto* grid = s->findChild<WBLISTBOX*>(QString::number(kHGrid));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    fill_register_dialog("0002", "2222", "REC1");
    press(s, kHOpen);
    EXPECT_TRUE(status().contains("REC1"));
    EXPECT_TRUE(dc::read_register(*ctx.db, dc::kFrontDesk, "HOTEL", "REC1")->is_open());

    boxes.then(kIdCancel);
    press(s, kHClose);
    EXPECT_TRUE(status().contains("REC1"));
    boxes.then(kIdOk);
    press(s, kHClose);
    EXPECT_EQ(boxes.last_text(), dc::kClosedOk);
    EXPECT_TRUE(status().endsWith("????"));
    EXPECT_FALSE(dc::read_register(*ctx.db, dc::kFrontDesk, "HOTEL", "REC1")->is_open());
}

}  // namespace
}  // namespace qz::gui
