// The settling screen over the demonstration hotel, opened from the menu: closed until it holds
// a register, then a customer's pending documents marked into a running total, the tenders taken
// for it and the documents paid and gone from the list.
#include "gui/pos/settle/fac_canc.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/pos/tenders/tenders_dialog.h"
#include "gui/print/print_gui_fakes.h"
#include "services/print/print_ops.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

using namespace fac_canc;

QWidget* modal() { return QApplication::activeModalWidget(); }

class FacCancTest : public test::MainWindowFixture {
protected:
    void add_document(const char* number, const char* concept_code, const char* balance) {
        qz::test::add_record(*ctx.db, "DOCUMENT",
                             {{"NEGOCIO", std::string("HOTEL")},
                              {"DOCUMENTO", std::string(number)},
                              {"CONCEPTO", std::string(concept_code)},
                              {"CLIENTE", std::string("C-SETTLE")},
                              {"NOM_CLIENT", std::string("Cliente de Caja")},
                              {"MONEDA", std::string("CO")},
                              {"FECHA", Date(2026, 5, 10)},
                              {"MONTO", Decimal::parse(balance)},
                              {"SALDO", Decimal::parse(balance)}});
    }
    Decimal balance(const char* number) {
        auto t = data::USE(*ctx.db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", number})));
        const Decimal b = t->num("SALDO");
        data::KILLTABLA(*ctx.db, t);
        return b;
    }
    static QString label(QWidget* s, int id) {
        return s->findChild<QLabel*>(QString::number(id))->text();
    }
    static bool enabled(QWidget* s, int id) {
        return s->findChild<QWidget*>(QString::number(id))->isEnabled();
    }
    static QTableWidget* grid(QWidget* s) {
        return s->findChild<QTableWidget*>(QString::number(kGrid));
    }
};

TEST_F(FacCancTest, TwoMarkedDocumentsArePaidThroughTheTendersAndLeaveTheList) {
    add_document("F-G1", "FA", "100.00");
    add_document("N-G1", "NC", "30.00");
    add_document("F-G2", "FA", "45.00");
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    WDIAG* s = choose(kCmdSettle);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->objectName(), "FAC_CANC");
    EXPECT_EQ(label(s, kTotalCaption), "Caja Cerrada");
    for (int id : {kCustomer, kGrid, int(kCmdOk)}) EXPECT_FALSE(enabled(s, id)) << id;

    test::when_modal([] {
        auto* o = modal()->findChild<QComboBox*>(QString::number(kDlgOperator));
        o->setCurrentIndex(o->findData("0001"));
        modal()->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText("1111");
        modal()->findChild<QLineEdit*>(QString::number(kDlgRegisterCode))->setText("spa1");
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kOpenRegister);
    EXPECT_EQ(label(s, kTotalCaption), "Total Pagar: ₡");
    EXPECT_TRUE(enabled(s, kGrid));
    EXPECT_FALSE(enabled(s, kOpenRegister));

    auto* customer = s->findChild<QLineEdit*>(QString::number(kCustomer));
    customer->setText("C-SETTLE");
    emit customer->editingFinished();
    settle();
    ASSERT_EQ(grid(s)->rowCount(), 3);
    EXPECT_EQ(grid(s)->item(2, kColToPay)->text(), "-30.00") << "a credit note lowers the total";

    press(s, kCmdOk);
    EXPECT_EQ(boxes.last_text(), "Debe de Seleccionar al menos una Factura");
    for (int r : {0, 2}) grid(s)->item(r, kColMark)->setCheckState(Qt::Checked);
    EXPECT_EQ(label(s, kTotal), "70.00");

    test::when_modal([] {
        EXPECT_EQ(modal()->windowTitle(), kTendersCaption);
        QTest::mouseClick(
            modal()->findChild<QPushButton*>(QString::number(forma_pago::kQuick1 + 2)),
            Qt::LeftButton);   // F4: the whole amount by cheque
        test::when_modal([] {  // the receipt's printer
            QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kCmdOk);
    EXPECT_EQ(balance("F-G1"), Decimal()) << boxes.last_text();
    EXPECT_EQ(balance("N-G1"), Decimal());
    EXPECT_EQ(balance("F-G2"), Decimal::parse("45.00"));
    ASSERT_EQ(grid(s)->rowCount(), 1) << "only the document not paid stays";
    EXPECT_EQ(grid(s)->item(0, kColDocument)->text(), "F-G2");
    EXPECT_EQ(label(s, kTotal), "0.00");
    ASSERT_FALSE(printed.pages.empty()) << "the receipt is printed";
    const std::string page = services::serialise(printed.pages.front());
    EXPECT_NE(page.find("F-G1"), std::string::npos);
    EXPECT_NE(page.find("N-G1"), std::string::npos);
}

}  // namespace
}  // namespace qz::gui
