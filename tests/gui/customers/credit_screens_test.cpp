// The credit control reached from the customer list: information only for the chosen
// customer's principal branch, and as an invoice opens it, where the keys the figures ask for
// (here both: over the limit and an instalment overdue) can be typed and a standing
// pre-authorisation is taken by the poll.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "domain/customers/credit_authorisations.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/credit_control.h"
#include "gui/customers/customer_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::customers;
constexpr int kCustomers = 2833, kCreditControl = 6586, kCreditTrial = 6587;

class CreditScreenTest : public test::MainWindowFixture {
protected:
    CustomerListScreen* list_at(const char* code) {
        auto* list = dynamic_cast<CustomerListScreen*>(choose(kCustomers));
        if (!list || !list->grid()->SEARCH(code)) return nullptr;
        settle();
        return list;
    }
};

TEST_F(CreditScreenTest, InformationOnlyShowsTheFiguresAndAuthorisesNothing) {
    ASSERT_TRUE(list_at("3101123456"));
    bool info_only = false;
    std::string limit;
    test::when_modal([&] {
        auto* d = dynamic_cast<LIM_CREDITO*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        limit = d->findChild<QLineEdit*>(QString::number(kCcLimit))->text().trimmed().toStdString();
        info_only = !d->findChild<QPushButton*>("1")->isVisible() &&
                    d->findChild<QPushButton*>("2")->text() == "Salir" &&
                    !d->findChild<QLineEdit*>(QString::number(kCcExcessKey))->isEnabled() &&
                    !d->poll_timer()->isActive();
        QTest::mouseClick(d->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kCreditControl));
    EXPECT_TRUE(info_only);
    EXPECT_EQ(limit, "2,500,000.00");
}

TEST_F(CreditScreenTest, ATrialOverTheLimitAsksForItsKeysAndThePollTakesAPreAuthorisation) {
    ASSERT_TRUE(list_at("3101123456"));
    dc::PreAuthorisation a;
    a.customer = "3101123456";
    a.branch = "01";
    a.excess = true;
    a.max_excess = Decimal(1000000);
    a.overdue = true;  // the agency's instalment invoice has a part overdue
    a.max_overdue = Decimal(100000);
    ASSERT_FALSE(dc::save_pre_authorisation(*ctx.db, "HOTEL", a, "JEFE", ctx.db->clock().now()));
    bool both_keys = false, interval_ok = false;
    test::when_modal([&] {
        QWidget* form = QApplication::activeModalWidget();
        form->findChild<QLineEdit*>("601")->setText("3000000.00");
        test::when_modal([&] {
            auto* d = dynamic_cast<LIM_CREDITO*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            both_keys = d->findChild<QLineEdit*>(QString::number(kCcExcessKey))->isEnabled() &&
                        d->findChild<QLineEdit*>(QString::number(kCcOverdueKey))->isEnabled();
            interval_ok = d->poll_timer()->interval() == 5000 && d->poll_timer()->isActive();
            d->poll();
            // Not taken: close it, so the test fails instead of waiting for ever.
            if (QApplication::activeModalWidget() == d)
                QTest::mouseClick(d->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kCreditTrial));
    EXPECT_TRUE(both_keys);
    EXPECT_TRUE(interval_ok);
    ASSERT_GE(boxes.shown().size(), 2u);
    std::string confirmed = kAutoConfirmed;
    confirmed += "JEFE";
    EXPECT_EQ(boxes.shown()[0].text, confirmed);
    EXPECT_EQ(boxes.last_text(), "Crédito autorizado por JEFE");
    for (const auto& used : dc::pre_authorisations(*ctx.db, "HOTEL"))
        if (used.user == "JEFE") {
            EXPECT_FALSE(used.valid);
        }
}

}  // namespace
}  // namespace qz::gui
