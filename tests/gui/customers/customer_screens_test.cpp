// The customer master as the desk meets it in the main window: "Definición de Clientes" lists the
// customers beside the chosen one's branches, the editor opened from "Editar" refuses an
// incomplete customer with the focus on the failing field and saves a complete one, and the code
// tables keep their codes unique.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "domain/customers/customer_codes.h"
#include "domain/customers/customer_rows.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_editor.h"
#include "gui/customers/customer_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::customers;
constexpr int kCustomers = 2833, kAddCustomer = 2342, kCategories = 6572, kAddCategory = 6580;

class CustomerScreenTest : public test::MainWindowFixture {
protected:
    template <class W>
    static W* in(QWidget* form, int id) {
        return form->findChild<W*>(QString::number(id));
    }
};

TEST_F(CustomerScreenTest, TheListShowsTheChosenCustomersBranchesPrincipalFirst) {
    auto* list = dynamic_cast<CustomerListScreen*>(choose(kCustomers));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "CLIENTES");
    EXPECT_GE(list->grid()->nMaxRec(), 6);
    ASSERT_TRUE(list->grid()->SEARCH("3101123456"));
    settle();
    ASSERT_EQ(list->current_code(), "3101123456");
    auto* branches = list->findChild<QListWidget*>("510");
    ASSERT_EQ(branches->count(), 3);
    EXPECT_EQ(branches->item(0)->text(), "Turismo Pura Vida - Oficinas Centrales *");
    EXPECT_FALSE(branches->item(1)->text().endsWith(" *"));
    EXPECT_EQ(list->findChild<QLineEdit*>("511")->text(), "2290-1010");
    branches->setCurrentRow(1);
    EXPECT_EQ(list->findChild<QLineEdit*>("511")->text(), "2666-2020");
    // "Generar Documentos" opens the regular-invoice generation for that customer and branch.
    ASSERT_TRUE(edit(2725));
    ASSERT_TRUE(active_screen());
    EXPECT_EQ(active_screen()->objectName(), "GFAC_REG");
    EXPECT_EQ(active_screen()->findChild<QTableWidget*>("501")->rowCount(), 1);
}

TEST_F(CustomerScreenTest, TheEditorRefusesWithTheFocusOnTheFieldAndThenSaves) {
    ASSERT_TRUE(choose(kCustomers));
    bool refused_on_class = false;
    test::when_modal([&] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_EQ(form->objectName(), "MODICLIENTS");
        in<QLineEdit>(form, kEdCode)->setText("NUEVO1");
        in<QLineEdit>(form, kEdName)->setText("Cliente Nuevo");
        in<QLineEdit>(form, kEdBranchName)->setText("Casa Matriz");
        for (int id : {kEdCurrency, kEdPriceType, kEdAgent, kEdConcept})
            in<QComboBox>(form, id)->setCurrentIndex(1);
        QTest::mouseClick(in<QPushButton>(form, 1), Qt::LeftButton);
        refused_on_class = QApplication::focusWidget() == in<QPushButton>(form, kEdClassButton);
        in<QLineEdit>(form, kEdClass)->setText("02");
        // The business asks a new customer for its commission on tours: none here.
        test::when_modal([] {
            QWidget* commission = QApplication::activeModalWidget();
            QTest::mouseClick(in<QPushButton>(commission, 2), Qt::LeftButton);
        });
        QTest::mouseClick(in<QPushButton>(form, 1), Qt::LeftButton);
        if (QApplication::activeModalWidget() == form)
            QTest::mouseClick(in<QPushButton>(form, 2), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kAddCustomer));
    EXPECT_TRUE(refused_on_class);
    EXPECT_EQ(boxes.shown().front().text, "Falta definir la clasificación");
    auto saved = dc::read_customer(*ctx.db, "HOTEL", "NUEVO1");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->clas1, "02");
    const auto branches = dc::customer_branches(*ctx.db, "HOTEL", "NUEVO1");
    ASSERT_EQ(branches.size(), 1u);
    EXPECT_TRUE(branches[0].branch.principal);
    EXPECT_EQ(branches[0].branch.code, "01");  // the business's default branch code
}

TEST_F(CustomerScreenTest, CategoriesAreAddedFromEditarAndADuplicateIsRefused) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCategories));
    ASSERT_TRUE(list);
    const long before = list->grid()->nMaxRec();
    const auto fill = [](const char* code, const char* name) {
        test::when_modal([code, name] {
            QWidget* form = QApplication::activeModalWidget();
            form->findChild<QLineEdit*>("501")->setText(code);
            form->findChild<QLineEdit*>("502")->setText(name);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (QApplication::activeModalWidget() == form)
                QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    };
    fill("re", "Otra");
    ASSERT_TRUE(edit(kAddCategory));
    EXPECT_EQ(boxes.last_text(), "Código de categoría ya definido...");
    fill("VI", "VIP");
    ASSERT_TRUE(edit(kAddCategory));
    EXPECT_EQ(list->grid()->nMaxRec(), before + 1);
    EXPECT_EQ(dc::code_entries(*ctx.db, dc::CodeKind::Category, "HOTEL").size(),
              static_cast<size_t>(before + 1));
}

}  // namespace
}  // namespace qz::gui
