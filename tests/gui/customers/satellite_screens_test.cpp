// The customer list's satellites as the desk meets them: referrals written by a clerk who proves
// his pass code, associates with their cards, the commission asked of a new customer and the
// tours refused while the reservations are not set up. Also: leaving the editor with "Cancelar"
// writes none of the branch changes made in it.
#include "gui/customers/satellite_screens.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "domain/customers/referrals.h"
#include "domain/customers/tour_commissions.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_editor.h"
#include "gui/customers/customer_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::customers;
constexpr int kCustomers = 2833, kAddCustomer = 2342, kModCustomer = 2343, kReferrals = 3624,
              kAssociates = 4365, kTours = 6602;

class SatelliteScreenTest : public test::MainWindowFixture {
protected:
    template <class W>
    static W* in(QWidget* form, int id) {
        return form->findChild<W*>(QString::number(id));
    }
    // The customer list on `code`.
    CustomerListScreen* list_on(const char* code) {
        auto* list = dynamic_cast<CustomerListScreen*>(choose(kCustomers));
        EXPECT_TRUE(list && list->grid()->SEARCH(code));
        settle();
        return list;
    }
    static void choose_data(QWidget* form, int id, const char* code) {
        auto* c = in<QComboBox>(form, id);
        c->setCurrentIndex(c->findData(code));
    }
    static void ok_then_cancel(QWidget* form) {
        QTest::mouseClick(in<QPushButton>(form, 1), Qt::LeftButton);
        if (QApplication::activeModalWidget() == form)
            QTest::mouseClick(in<QPushButton>(form, 2), Qt::LeftButton);
    }
    // Adds a referral in the open CLIENT_4 as `clerk` with `pass_code`.
    void add_referral(MasterListScreen* referrals, const char* code, const char* clerk,
                      const char* pass_code) {
        test::when_modal([=] {
            QWidget* form = QApplication::activeModalWidget();
            in<QLineEdit>(form, kSatCode)->setText(code);
            in<QLineEdit>(form, kSatName)->setText("Hotel Referido");
            choose_data(form, kSatClerk, clerk);
            in<QLineEdit>(form, kSatPassCode)->setText(pass_code);
            ok_then_cancel(form);
        });
        press(referrals, kListAdd);
    }
    long branch_rows(const char* customer) {
        return static_cast<long>(dc::customer_branches(*ctx.db, "HOTEL", customer).size());
    }
};

TEST_F(SatelliteScreenTest, ReferralsAreWrittenOnlyByAClerkWhoProvesHisPassCode) {
    ASSERT_TRUE(list_on("3101123456"));
    ASSERT_TRUE(edit(kReferrals));
    auto* referrals = screen_as<MasterListScreen>("CLIENT_4");
    ASSERT_TRUE(referrals);
    EXPECT_EQ(referrals->grid()->nMaxRec(), 1);  // the demonstration's R001
    add_referral(referrals, "R002", "0002", "9999");
    EXPECT_EQ(boxes.last_text(), dc::kWrongPassCode);
    add_referral(referrals, "R002", "0002", "2222");
    EXPECT_EQ(referrals->grid()->nMaxRec(), 2);
    // R001 belongs to clerk 0001: 0002 may not delete it.
    referrals->grid()->SEARCH("R001");
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        EXPECT_EQ(form->objectName(), "E_DIGITADOR");
        choose_data(form, kSatClerk, "0002");
        in<QLineEdit>(form, kSatPassCode)->setText("2222");
        ok_then_cancel(form);
    });
    press(referrals, kListDelete);
    EXPECT_EQ(boxes.last_text(), dc::kNotClerksToDelete);
    EXPECT_EQ(dc::customer_referrals(*ctx.db, "HOTEL", "3101123456").size(), 2u);
}

TEST_F(SatelliteScreenTest, ANewAssociateTakesTheNextCardOfTheSeries) {
    ASSERT_TRUE(list_on("114560789"));
    ASSERT_TRUE(edit(kAssociates));
    auto* associates = screen_as<MasterListScreen>("CLIENT_6");
    ASSERT_TRUE(associates);
    EXPECT_EQ(associates->grid()->nMaxRec(), 2);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        EXPECT_EQ(form->objectName(), "CLIENT_7");
        in<QLineEdit>(form, kSatCode)->setText("114560789-3");
        in<QLineEdit>(form, kSatName)->setText("Lucía Jiménez Vargas");
        in<QLineEdit>(form, kSatBirth)->setText("02/03/2015");
        choose_data(form, kSatRelation, "2");
        ok_then_cancel(form);
    });
    press(associates, kListAdd);
    EXPECT_EQ(associates->grid()->nMaxRec(), 3);
    data::Table t = data::USE(*ctx.db, "DET_CLI3", "DET_CLI3");
    ASSERT_TRUE(
        t->Seek(data::order_key("DET_CLI3", "DET_CLI3", {"HOTEL", "114560789", "114560789-3"})));
    EXPECT_EQ(t->str("CARNET").substr(0, 7), "C000103");
    data::KILLTABLA(*ctx.db, t);
}

TEST_F(SatelliteScreenTest, ToursAreShownWithTheCommissionAndRefusedWithoutReservations) {
    ASSERT_TRUE(list_on("3102654321"));
    int shown_rows = -1;
    test::when_modal([&] {
        QWidget* box = QApplication::activeModalWidget();
        shown_rows = in<QTableWidget>(box, kSatTours)->rowCount();
        QTest::mouseClick(in<QPushButton>(box, 2), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kTours));
    EXPECT_EQ(shown_rows, 2);
    data::Table t = data::USE(*ctx.db, "F_RESER", "F_RESER");
    ASSERT_TRUE(t->Seek(data::order_key("F_RESER", "F_RESER", {"HOTEL"})));
    data::LOCK_FOR_MODIFY(*t);
    t->Delete();
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(*ctx.db, t);
    ASSERT_TRUE(edit(kTours));
    EXPECT_EQ(boxes.last_text(), dc::kNoReservations);
}

TEST_F(SatelliteScreenTest, ANewCustomerIsAskedForItsCommissionOnTheTours) {
    ASSERT_TRUE(choose(kCustomers));
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        in<QLineEdit>(form, kEdCode)->setText("AGENCIA9");
        in<QLineEdit>(form, kEdName)->setText("Agencia Nueva");
        in<QLineEdit>(form, kEdBranchName)->setText("Casa Matriz");
        in<QLineEdit>(form, kEdClass)->setText("03");
        for (int id : {kEdCurrency, kEdPriceType, kEdAgent, kEdConcept})
            in<QComboBox>(form, id)->setCurrentIndex(1);
        test::when_modal([] {
            QWidget* dialog = QApplication::activeModalWidget();
            EXPECT_EQ(dialog->objectName(), "MODICOMIS4");
            in<QLineEdit>(dialog, kSatCommission)->setText("8.5");
            ok_then_cancel(dialog);
        });
        ok_then_cancel(form);
    });
    ASSERT_TRUE(edit(kAddCustomer));
    const auto tours = dc::customer_tour_commissions(*ctx.db, "HOTEL", "AGENCIA9");
    ASSERT_EQ(tours.size(), 2u);
    ASSERT_TRUE(tours[0].commission);
    EXPECT_EQ(*tours[0].commission, Decimal::parse("8.5"));
}

TEST_F(SatelliteScreenTest, CancellingTheEditorLeavesTheBranchesAsTheyWere) {
    ASSERT_TRUE(list_on("3101123456"));
    ASSERT_EQ(branch_rows("3101123456"), 3);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        in<QListWidget>(form, kEdBranches)->setCurrentRow(1);
        QTest::mouseClick(in<QPushButton>(form, kEdDeleteBranch), Qt::LeftButton);
        in<QLineEdit>(form, kEdBranchName)->setText("Cambiada");
        QTest::mouseClick(in<QPushButton>(form, 2), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kModCustomer));
    const auto branches = dc::customer_branches(*ctx.db, "HOTEL", "3101123456");
    ASSERT_EQ(branches.size(), 3u);
    for (const auto& b : branches) EXPECT_NE(b.branch.name, "Cambiada");
}

}  // namespace
}  // namespace qz::gui
