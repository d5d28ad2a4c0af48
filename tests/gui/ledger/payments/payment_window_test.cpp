// "Registro de Abonos" and "Anulación de Movimientos" in the main window, on the demonstration's
// invoice to the agency: a partial payment with two tenders moves "Disponible:", is processed,
// prints its receipt and lowers the balance, and its annulment gives the balance back; a wrong
// pass code is refused with nothing written, and a payment kept pending comes back whole.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/masked_edit.h"
#include "gui/ledger/payments/payment_dialogs.h"
#include "gui/ledger/payments/payment_screens.h"
#include "gui/main_window_fixture.h"
#include "gui/print/print_gui_fakes.h"
#include "services/print/print_ops.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

using namespace abonos1;

constexpr int kPayments = 6509, kAnnulment = 6517;
const std::string kInvoice = "F00001001";

QWidget* modal() { return QApplication::activeModalWidget(); }
void click(QWidget* w, int id) {
    QTest::mouseClick(w->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
}

// Takes the row whose first column reads `first` in the chooser that opens next.
void choose_when_asked(const QString& first) {
    test::when_modal([first] {
        auto* grid = modal()->findChild<WBLISTBOX*>();
        ASSERT_TRUE(grid);
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 0).data().toString().trimmed() == first) {
                grid->setCurrentIndex(grid->model()->index(r, 0));
                return click(modal(), kCmdOk);
            }
        ADD_FAILURE() << "not offered: " << first.toStdString();
        click(modal(), kCmdCancel);
    });
}

class PaymentWindowTest : public test::MainWindowFixture {
protected:
    WDIAG* open_window() {
        WDIAG* s = choose(kPayments);
        EXPECT_TRUE(s && s->objectName() == "ABONOS1");
        return s;
    }
    void type(WDIAG* s, int id, const QString& text) {
        auto* e = s->control_as<QLineEdit>(id);
        e->setText(text);
        emit e->editingFinished();
        settle();
    }
    void header(WDIAG* s, const char* pass_code, const char* amount) {
        type(s, kRegister, "CXC1");
        type(s, kPassCode, pass_code);
        type(s, kClerk, "0001");
        type(s, kBlock, "01");
        type(s, kCustomer, "3101123456");
        auto* a = s->control_as<LR_MASKED>(kAmount);
        a->setText(amount);
        ASSERT_TRUE(a->commit());
        settle();
    }
    void add_invoice(WDIAG* s) {
        choose_when_asked(QString::fromStdString(kInvoice));
        press(s, kAddDocument);
    }
    static QString available(WDIAG* s) { return s->control_as<QLabel>(kAvailable)->text(); }
    static QTableWidget* grid(WDIAG* s, int id) { return s->control_as<QTableWidget>(id); }
    static void edit_cell(WDIAG* s, int id, int row, int column, const QString& text) {
        grid(s, id)->item(row, column)->setText(text);
        settle();
    }
    Decimal balance() {
        auto t = data::USE(*ctx.db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", kInvoice})));
        const Decimal b = t->num("SALDO");
        data::KILLTABLA(*ctx.db, t);
        return b;
    }
    long receipts() { return data::USE(*ctx.db, "ENC_MOVE")->KeyCount(); }
};

TEST_F(PaymentWindowTest, APartialPaymentWithTwoTendersPrintsItsReceiptAndIsAnnulled) {
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    const Decimal before = balance();
    WDIAG* s = open_window();
    header(s, "cobros", "50000");
    EXPECT_EQ(available(s), "Disponible: 50,000.00");
    add_invoice(s);
    ASSERT_EQ(grid(s, kDocuments)->rowCount(), 1) << boxes.last_text();
    EXPECT_EQ(available(s), "Disponible: 0.00") << "the invoice takes what is available";
    ASSERT_EQ(grid(s, kTenders)->rowCount(), 1) << "the concept's default tender";

    edit_cell(s, kTenders, 0, kTenAmount, "30,000.00");
    EXPECT_EQ(grid(s, kTenders)->item(0, kTenAmount)->text(), "30,000.00");
    choose_when_asked("CH");
    press(s, kAddTender);
    ASSERT_EQ(grid(s, kTenders)->rowCount(), 2);
    EXPECT_EQ(grid(s, kTenders)->item(1, kTenAmount)->text(), "20,000.00") << "what is missing";

    test::when_modal([] { click(modal(), kCmdOk); });  // the printer dialog
    press(s, kProcess);
    ASSERT_EQ(grid(s, kDocuments)->rowCount(), 0) << boxes.last_text();
    EXPECT_EQ(balance(), before - Decimal(50000));
    EXPECT_TRUE(s->control_as<QLineEdit>(kCustomer)->text().isEmpty()) << "ready for the next";
    ASSERT_FALSE(printed.pages.empty());
    const std::string page = services::serialise(printed.pages.front());
    EXPECT_NE(page.find(kInvoice), std::string::npos);
    EXPECT_NE(page.find("30,000.00"), std::string::npos);
    const std::string number = printed.doc.substr(printed.doc.rfind(' ') + 1);

    WDIAG* a = choose(kAnnulment);
    ASSERT_TRUE(a && a->objectName() == "ANULA_MOVE");
    a->control_as<QLineEdit>(anula_move::kNumber)->setText(QString::fromStdString(number));
    press(a, anula_move::kAnnul);
    EXPECT_EQ(boxes.last_text(), "Movimiento anulado con Exito");
    EXPECT_EQ(balance(), before);
}

TEST_F(PaymentWindowTest, AWrongPassCodeWritesNothingAndAPendingPaymentComesBack) {
    WDIAG* s = open_window();
    header(s, "otra", "50000");
    add_invoice(s);
    const long before = receipts();
    press(s, kProcess);
    EXPECT_EQ(boxes.last_text(), "La Clave de la Caja está errada");
    EXPECT_EQ(receipts(), before);
    EXPECT_EQ(grid(s, kDocuments)->rowCount(), 1) << "the entry stays to be corrected";

    press(s, kPending);
    EXPECT_NE(boxes.last_text().find("Pendiente"), std::string::npos) << boxes.last_text();
    EXPECT_EQ(grid(s, kDocuments)->rowCount(), 0);
    test::when_modal([] {
        modal()->findChild<QTableWidget*>()->selectRow(0);
        click(modal(), kCmdOk);
    });
    press(s, kLoadPending);
    ASSERT_EQ(grid(s, kDocuments)->rowCount(), 1);
    EXPECT_EQ(grid(s, kDocuments)->item(0, kDocNumber)->text().toStdString(), kInvoice);
    EXPECT_EQ(s->control_as<QLineEdit>(kCustomer)->text(), "3101123456");
    EXPECT_EQ(available(s), "Disponible: 0.00");
    EXPECT_EQ(receipts(), before);
}

TEST_F(PaymentWindowTest,
       AnExcessBecomesACreditNoteAndTheReceiptIsPrintedAgainFromTheLastPayments) {
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    WDIAG* s = open_window();
    header(s, "COBROS", "200000");
    add_invoice(s);
    EXPECT_EQ(available(s), "Disponible: 16,940.00") << "the invoice's whole balance is 183,060";
    choose_when_asked("NC");
    press(s, kCreditNote);
    ASSERT_EQ(grid(s, kDocuments)->rowCount(), 2) << boxes.last_text();
    EXPECT_EQ(grid(s, kDocuments)->item(1, kDocTotal)->text(), "16,940.00");
    EXPECT_EQ(available(s), "Disponible: 0.00");
    choose_when_asked("EF");
    press(s, kAddTender);
    EXPECT_EQ(grid(s, kTenders)->item(1, kTenAmount)->text(), "16,940.00");

    test::when_modal([] { click(modal(), kCmdOk); });
    press(s, kProcess);
    ASSERT_EQ(grid(s, kDocuments)->rowCount(), 0) << boxes.last_text();
    EXPECT_EQ(balance(), Decimal());
    const std::string first = printed.doc;
    printed = {};

    type(s, kCustomer, "3101123456");
    test::when_modal([] {
        auto* list = modal()->findChild<QTableWidget*>();
        ASSERT_GT(list->rowCount(), 0);
        list->selectRow(0);
        test::when_modal([] { click(modal(), kCmdOk); });  // the printer dialog
        click(modal(), payment_dialogs::kReprint);
        click(modal(), kCmdCancel);
    });
    press(s, kLastPayments);
    EXPECT_EQ(printed.doc, first) << "the newest receipt, printed again";
    EXPECT_FALSE(printed.pages.empty());
}

TEST_F(PaymentWindowTest, NewRatesAfterDocumentsAreAskedAboutAndClearThemOnlyWhenAgreed) {
    qz::test::edit_record(*ctx.db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {"HOTEL"}),
                          [](data::WDBTable& t) { t.FieldPut("LEE_CAMBIO", Decimal(1)); });
    WDIAG* s = open_window();
    header(s, "COBROS", "50000");
    add_invoice(s);
    const auto type_rate = [] {
        test::when_modal([] {
            ASSERT_EQ(modal()->objectName(), "E_MONEDA");
            auto* rates = modal()->findChild<QTableWidget*>();
            ASSERT_GT(rates->rowCount(), 0);
            rates->item(0, 1)->setText("612.5");
            click(modal(), kCmdOk);
            if (modal() && modal()->objectName() == "E_MONEDA") click(modal(), kCmdCancel);
        });
    };
    boxes.then(kIdCancel);
    type_rate();
    press(s, kRates);
    EXPECT_EQ(boxes.last_text(), domain::kRatesChangeQuestion);
    EXPECT_EQ(grid(s, kDocuments)->rowCount(), 1) << "declined: the documents stay";

    type_rate();
    press(s, kRates);
    EXPECT_EQ(grid(s, kDocuments)->rowCount(), 0) << "agreed: the new rates clear them";
    EXPECT_EQ(available(s), "Disponible: 50,000.00");
}

}  // namespace
}  // namespace qz::gui
