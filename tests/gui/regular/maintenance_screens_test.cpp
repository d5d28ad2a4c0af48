// The sets of regular invoices from the menu over the demonstration hotel: a taken code is
// refused on the form and a new set is listed, "Documentos" lists the chosen set's regular
// documents, and a regular document typed on its form is checked and saved.
#include "gui/regular/maintenance_screens.h"

#include <QLineEdit>

#include "domain/regular/regular_maintenance.h"
#include "gui/browse/wblistbox.h"
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

}  // namespace
}  // namespace qz::gui
