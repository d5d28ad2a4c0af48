// The cash closing on the screen: the register list prints the chosen shift's closing through
// P_CIERRE, and the point-of-sale close shows P_CIERRE for the shift before it asks whether the
// closing matched, over the demonstration's spa register.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/table_ops.h"
#include "domain/cash/register_rows.h"
#include "gui/browse/wblistbox.h"
#include "gui/cash/cash_screens.h"
#include "gui/cash/closing_report.h"
#include "gui/cash/commands.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/setup_printer.h"
#include "services/print/page.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::cash;

class ClosingDialogTest : public test::MainWindowFixture {
protected:
    static QString label(QWidget* dlg, const char* name) {
        return dlg->findChild<QLabel*>(name)->text();
    }
    static std::string printed_text(const test::Printed& p) {
        std::string all;
        for (const auto& page : p.pages) all += services::serialise(page);
        return all;
    }
};

TEST_F(ClosingDialogTest, TheRegisterListPrintsTheChosenShiftsClosingAndThenCloses) {
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    WDIAG* s = choose(kCmdRegisters);
    ASSERT_TRUE(s);
    auto* grid = s->findChild<WBLISTBOX*>(QString::number(kCajasGrid));
    data::Table t = data::USE(*ctx.db, "CAJA_ENC");
    for (int row = 0; row < grid->nMaxRec(); ++row) {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        t->GoTo(grid->nCrecNo());
        if (t->str("CODIGO").rfind("SPA1", 0) == 0) break;
    }
    data::KILLTABLA(*ctx.db, t);
    settle();
    auto* shifts = s->findChild<WBLISTBOX*>(QString::number(kCajasShifts));
    ASSERT_GE(shifts->nMaxRec(), 1);
    shifts->setCurrentIndex(shifts->model()->index(0, 0));

    bool seen = false;
    test::when_modal([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->objectName(), "P_CIERRE");
        EXPECT_EQ(dlg->windowTitle(), "Cierre de Caja");
        EXPECT_EQ(label(dlg, "CAJA"), "Caja: SPA1 Caja Spa");
        EXPECT_EQ(label(dlg, "PERIODO"), "Entre: 19/05/2026 08:00:00  y 19/05/2026 18:00:00");
        EXPECT_TRUE(label(dlg, "TOTALES").contains("Recaudado"));
        // A cancelled printer choice leaves the dialog open.
        test::when_modal([] {
            QWidget* p = QApplication::activeModalWidget();
            EXPECT_EQ(p->objectName(), "PSETGEN");
            QTest::mouseClick(p->findChild<QPushButton*>(QString::number(kCmdCancel)),
                              Qt::LeftButton);
        });
        QTest::mouseClick(dlg->findChild<QPushButton*>(QString::number(kClosingPrint)),
                          Qt::LeftButton);
        EXPECT_EQ(QApplication::activeModalWidget(), dlg);
        EXPECT_TRUE(printed.pages.empty());
        test::when_modal([] {
            QWidget* p = QApplication::activeModalWidget();
            QTest::mouseClick(p->findChild<QPushButton*>(QString::number(kCmdOk)), Qt::LeftButton);
        });
        QTest::mouseClick(dlg->findChild<QPushButton*>(QString::number(kClosingPrint)),
                          Qt::LeftButton);
        seen = true;
    });
    press(s, kPrintClosing);
    ASSERT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "printing closes the dialog";
    EXPECT_EQ(printed.doc, "Cierre de Caja");
    const std::string text = printed_text(printed);
    for (const char* expected :
         {"CIERRE DE CAJA", "Cajero: Laura Chaves Brenes", "Movimiento", "EF: Efectivo",
          "RCJ000003", "*FCJ000004", "***Total Vuelto en Efectivo", "-10,000.00",
          "***Gran Total Gravado:", "***Gran Total Recaudado", "Revisado por:"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("TE: Tarjeta"), std::string::npos) << "a type with nothing prints nothing";
}

TEST_F(ClosingDialogTest, ThePointOfSaleCloseShowsTheClosingBeforeItsQuestion) {
    // Without a register on this workstation there is no preliminary closing to show.
    choose(kCmdClosing);
    EXPECT_EQ(boxes.last_text(), dc::kNoRegisterOnScreen);

    test::when_modal([] {
        QWidget* dlg = QApplication::activeModalWidget();
        auto* r = dlg->findChild<QComboBox*>(QString::number(kDlgRegister));
        r->setCurrentIndex(r->findData("SPA1"));
        auto* o = dlg->findChild<QComboBox*>(QString::number(kDlgOperator));
        o->setCurrentIndex(o->findData("0002"));
        dlg->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText("2222");
        dlg->findChild<QLineEdit*>(QString::number(kDlgRegisterCode))->setText("spa1");
        QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(
        open_register_dialog(window.get(), *ctx.db, nullptr, "HOTEL", "????", &ctx.session));

    // The preliminary closing of the register now open, any number of times.
    for (int round = 0; round < 2; ++round) {
        bool shown = false;
        test::when_modal([&] {
            QWidget* dlg = QApplication::activeModalWidget();
            EXPECT_EQ(dlg->objectName(), "P_CIERRE");
            EXPECT_EQ(label(dlg, "CAJA"), "Caja: SPA1 Caja Spa");
            shown = true;
            QTest::mouseClick(dlg->findChild<QPushButton*>(QString::number(kCmdCancel)),
                              Qt::LeftButton);
        });
        choose(kCmdClosing);
        EXPECT_TRUE(shown);
    }
    EXPECT_TRUE(dc::read_register(*ctx.db, dc::kPosRegisters, "HOTEL", "SPA1")->is_open());

    size_t boxes_before = 0;
    bool seen = false;
    test::when_modal([&] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->objectName(), "P_CIERRE");
        EXPECT_TRUE(label(dlg, "CAJERO").endsWith("Diego Araya Monge"));
        EXPECT_TRUE(label(dlg, "PERIODO").endsWith("20/05/2026 09:30:00"));
        boxes_before = boxes.shown().size();
        seen = true;
        QTest::mouseClick(dlg->findChild<QPushButton*>(QString::number(kCmdCancel)),
                          Qt::LeftButton);
    });
    boxes.then(kIdOk);
    EXPECT_TRUE(close_register(window.get(), *ctx.db, "HOTEL", "SPA1",
                               closing_report_for(window.get(), *ctx.db, "HOTEL"), &ctx.session));
    ASSERT_TRUE(seen);
    EXPECT_EQ(boxes.shown().size(), boxes_before + 2) << "the question, then the closing done";
    EXPECT_EQ(boxes.last_text(), dc::kClosedOk);
    EXPECT_FALSE(dc::read_register(*ctx.db, dc::kPosRegisters, "HOTEL", "SPA1")->is_open());
}

}  // namespace
}  // namespace qz::gui
