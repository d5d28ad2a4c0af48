// The payment set-up as the accountant meets it in the main window: "Cuentas por Cobrar ›
// Pagos" lists the business's codes, the "Editar" operations add through the form (a duplicate
// refused while the form stays open, a negative length refused on its field) and the active
// month is kept from "Archivo › Mantenimientos".
#include "gui/ledger/setup/payment_setup_screens.h"

#include <QLineEdit>
#include <QPushButton>

#include "domain/ledger/active_month.h"
#include "domain/ledger/payment_setup.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/setup/active_month_dialog.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kMethods = 6503, kAddMethod = 6523, kBlocks = 6504, kActiveMonth = 2915;

class PaymentSetupScreenTest : public test::MainWindowFixture {
protected:
};

TEST_F(PaymentSetupScreenTest, MethodsAreAddedFromEditarAndADuplicateIsRefused) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kMethods));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "TIPO_MOV");
    const long before = list->grid()->nMaxRec();
    EXPECT_GE(before, 5);

    fill_form({{payment_form::kCode, "ef"}, {payment_form::kName, "Efectivo otra vez"}});
    ASSERT_TRUE(edit(kAddMethod));
    EXPECT_EQ(boxes.last_text(), domain::kMethodDuplicate);

    fill_form({{payment_form::kCode, "TR"},
               {payment_form::kName, "Transferencia"},
               {payment_form::kVoucherMin, "-3"}});
    ASSERT_TRUE(edit(kAddMethod));
    EXPECT_EQ(boxes.last_text(), "Long. Mínima: no se admiten valores negativos.");
    EXPECT_FALSE(domain::read_payment_method(*ctx.db, "HOTEL", "TR"));

    fill_form({{payment_form::kCode, "TR"}, {payment_form::kName, "Transferencia"}});
    ASSERT_TRUE(edit(kAddMethod));
    ASSERT_TRUE(domain::read_payment_method(*ctx.db, "HOTEL", "TR"));
    EXPECT_EQ(list->grid()->nMaxRec(), before + 1);
}

TEST_F(PaymentSetupScreenTest, BlocksListAndTheActiveMonthIsKept) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kBlocks));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->grid()->nMaxRec(), 2);

    fill_form({{active_month_form::kMonth, "13"}, {active_month_form::kYear, "2026"}});
    window->DO_ACTION(kActiveMonth);
    settle();
    EXPECT_EQ(boxes.last_text(), "El Mes debe estar entre 1 y 12.");
    fill_form({{active_month_form::kMonth, "6"}, {active_month_form::kYear, "2026"}});
    window->DO_ACTION(kActiveMonth);
    settle();
    EXPECT_EQ(domain::read_active_month(*ctx.db, "HOTEL").month, 6);
}

TEST_F(PaymentSetupScreenTest, CurrencyAndSeriesScreensOfferTheirEditarOperations) {
    const auto cancel_form = [] {
        test::when_modal([] {
            QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton*>("2"),
                              Qt::LeftButton);
        });
    };
    ASSERT_TRUE(choose(2783));
    cancel_form();
    EXPECT_TRUE(edit(6540));  // "Agregar Moneda" opens the currency form
    ASSERT_TRUE(choose(6506));
    cancel_form();
    EXPECT_TRUE(edit(6543));  // "Agregar Tipo de Diferencial"
    ASSERT_TRUE(choose(2841));
    cancel_form();
    EXPECT_TRUE(edit(6555));  // "Agregar Serial" on the series tree
    ASSERT_TRUE(choose(2901));
    cancel_form();
    EXPECT_TRUE(edit(6561));  // "Agregar Relación de Monedas" in the rates window
}

}  // namespace
}  // namespace qz::gui
