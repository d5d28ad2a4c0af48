// The sets of regular invoices from the menu over the demonstration hotel: a taken code is
// refused on the form and a new set is listed, "Documentos" lists the chosen set's regular
// documents, a regular document typed on its form is checked and saved, and its model typed on
// E_FACREG is saved with its totals.
#include "gui/regular/maintenance_screens.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "domain/regular/regular_maintenance.h"
#include "domain/regular/regular_maintenance_model.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dr = domain::regular;

class RegularMaintenanceScreensTest : public test::MainWindowFixture {
protected:
    MasterListScreen* sets() {
        choose(kCmdRegularSets);
        return screen_as<MasterListScreen>("C_FACREG");
    }
};

TEST_F(RegularMaintenanceScreensTest, ATakenSetCodeIsRefusedAndANewSetIsListed) {
    auto* list = sets();
    ASSERT_TRUE(list);
    const long before = list->grid()->nMaxRec();
    ASSERT_GE(before, 1);
    const std::string taken = dr::regular_sets(*ctx.db, "HOTEL").front().code;
    fill_form({{kRfCode, QString::fromStdString(taken)}, {kRfDescription, "Repetido"}});
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), dr::kSetTaken);
    fill_form({{kRfCode, "ALQ"}, {kRfDescription, "Alquiler de casilleros"}});
    press(list, kListAdd);
    EXPECT_EQ(list->grid()->nMaxRec(), before + 1);
    EXPECT_EQ(dr::read_regular_set(*ctx.db, "HOTEL", "ALQ")->description, "Alquiler de casilleros");
}

TEST_F(RegularMaintenanceScreensTest, TheSetsDocumentsAreListedAndANewOneIsCheckedThenSaved) {
    auto* list = sets();
    ASSERT_TRUE(list);
    list->grid()->GOTOP();
    settle();
    const std::string set = dr::regular_sets(*ctx.db, "HOTEL").front().code;
    press(list, kSetDocuments);
    auto* docs = screen_as<MasterListScreen>("DFAC_REG");
    ASSERT_TRUE(docs);
    const long before = docs->grid()->nMaxRec();
    EXPECT_EQ(before, static_cast<long>(dr::set_documents(*ctx.db, "HOTEL", set).size()));

    fill_form({{kRfCustomer, "NO-EXISTE"}, {kRfCutOff, "01/07/2026"}});
    press(docs, kListAdd);
    EXPECT_EQ(boxes.last_text().rfind(dr::kRegularCustomerMissing, 0), 0U) << boxes.last_text();
    fill_form({{kRfCustomer, "3101123456"},
               {kRfDescription, "Casillero mensual"},
               {kRfCutOff, "01/07/2026"}});
    press(docs, kListAdd);
    EXPECT_EQ(docs->grid()->nMaxRec(), before + 1);
}

TEST_F(RegularMaintenanceScreensTest, TheModelOfADocumentIsTypedAndSavedWithItsTotals) {
    const std::string set = dr::regular_sets(*ctx.db, "HOTEL").front().code;
    dr::RegularDocument d;
    d.set = set;
    d.customer = "3101123456";
    d.cut_off = Date(2026, 7, 1);
    ConsoleUserPort port;
    d.code = dr::save_regular_document(*ctx.db, port, "HOTEL", d);
    ASSERT_GT(d.code, 0);
    auto* list = sets();
    ASSERT_TRUE(list);
    list->grid()->GOTOP();
    press(list, kSetDocuments);
    auto* docs = screen_as<MasterListScreen>("DFAC_REG");
    ASSERT_TRUE(docs);
    docs->grid()->GOBOTTOM();
    settle();
    test::when_modal([] {
        QWidget* m = QApplication::activeModalWidget();
        ASSERT_EQ(m->objectName(), "E_FACREG");
        m->findChild<QLineEdit*>(QString::number(kModelConcept))->setText("FA");
        m->findChild<QPushButton*>(QString::number(kModelAddLine))->click();
        auto* lines = m->findChild<QTableWidget*>(QString::number(kModelLines));
        lines->item(0, 0)->setText("MAS003");
        lines->item(0, 1)->setText("2");
        lines->item(0, 2)->setText("100");
        m->findChild<QPushButton*>("1")->click();
        if (QApplication::activeModalWidget() == m) m->findChild<QPushButton*>("2")->click();
    });
    press(docs, kDocumentModel);
    const auto model = dr::read_model(*ctx.db, dr::kRegularModels, "HOTEL", d.model_number());
    ASSERT_TRUE(model) << boxes.last_text();
    ASSERT_EQ(model->lines.size(), 1U);
    EXPECT_EQ(model->header.amount, Decimal(200));
}

}  // namespace
}  // namespace qz::gui
