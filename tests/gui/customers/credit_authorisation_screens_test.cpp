// The credit screens as the menu opens them on the demonstration business: pre-authorisations
// and blocks refused and saved through their editors, the approver answering requests (also one
// answered meanwhile elsewhere), the credit keys, and the figures of a dollar-limited customer
// with a document in colones.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "domain/customers/credit_authorisations.h"
#include "domain/customers/credit_blocks.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/credit_control.h"
#include "gui/customers/credit_screens.h"
#include "gui/customers/customer_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::customers;

class CreditAuthorisationScreenTest : public test::MainWindowFixture {
protected:
    static void choose_data(QWidget* form, int id, const QString& code) {
        auto* combo = form->findChild<QComboBox*>(QString::number(id));
        combo->setCurrentIndex(combo->findData(code));
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& b : boxes.shown()) out.push_back(b.text);
        return out;
    }
    long open_request(const char* user) {
        dc::RemoteAsk ask{"HOTEL", user};
        ask.excess = Decimal(1000);
        return dc::request_remote_authorisation(*ctx.db, ask, ctx.db->clock().now());
    }
};

TEST_F(CreditAuthorisationScreenTest, APreAuthorisationNeedsACustomerAndABranchAndIsStampedAndDeleted) {
    auto* list = as_master_list(choose(6588));
    ASSERT_TRUE(list);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        auto* ok = form->findChild<QPushButton*>("1");
        QTest::mouseClick(ok, Qt::LeftButton);
        choose_data(form, kAutCustomer, "3101123456");
        form->findChild<QComboBox*>(QString::number(kAutBranch))->setCurrentIndex(-1);
        QTest::mouseClick(ok, Qt::LeftButton);
        choose_data(form, kAutBranch, "02");
        form->findChild<QCheckBox*>(QString::number(kAutExcess))->setChecked(true);
        form->findChild<QLineEdit*>(QString::number(kAutMaxExcess))->setText("5,000.00");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    ASSERT_TRUE(edit(6592));
    EXPECT_EQ(texts(), (std::vector<std::string>{dc::kNoCustomer, dc::kNoBranch}));
    const auto saved = dc::pre_authorisations(*ctx.db, "HOTEL");
    ASSERT_EQ(saved.size(), 2u);
    const dc::PreAuthorisation& a = saved.front();  // Pura Vida comes before Arenal Tours
    EXPECT_EQ(a.branch, "02");
    EXPECT_EQ(a.max_excess, Decimal(5000));
    EXPECT_EQ(a.user, "SUP");
    EXPECT_EQ(a.date, kNow.date);
    EXPECT_TRUE(a.valid);

    ASSERT_TRUE(list->grid()->SEARCH("3101123456"));
    settle();
    boxes.then(kIdOk);
    ASSERT_TRUE(edit(6594));
    EXPECT_EQ(boxes.last_text(), dc::kDeletePreAuthorisation);
    ASSERT_EQ(dc::pre_authorisations(*ctx.db, "HOTEL").size(), 1u);
    EXPECT_EQ(dc::pre_authorisations(*ctx.db, "HOTEL").front().customer, "3102654321");
}

TEST_F(CreditAuthorisationScreenTest, ABlockNeedsAnAgentAndAFreePairAndOpensWithAGivenDocument) {
    ASSERT_TRUE(as_master_list(choose(6589)));
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        auto* ok = form->findChild<QPushButton*>("1");
        QTest::mouseClick(ok, Qt::LeftButton);
        choose_data(form, kBlqAgent, "10");
        choose_data(form, kBlqClass1, "GRUP");
        choose_data(form, kBlqClass2, "ALTA");
        QTest::mouseClick(ok, Qt::LeftButton);
        choose_data(form, kBlqClass2, "BAJA");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    ASSERT_TRUE(edit(6595));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, dc::kNoAgent);
    EXPECT_EQ(boxes.shown()[1].text,
              "Ya existe un bloqueo con la combinación de Clas#1 y Clas#2 seleccionados\r\n#Doc "
              ":F00000975\r\nObs:Congreso anual de Arenal Tours");
    ASSERT_EQ(dc::blocks(*ctx.db, "HOTEL").size(), 2u);
    EXPECT_EQ(dc::blocks(*ctx.db, "HOTEL").back().user, "SUP");

    std::string shown_document;
    test::when_modal([&] {
        QWidget* form = QApplication::activeModalWidget();
        shown_document =
            form->findChild<QLineEdit*>(QString::number(kBlqDocument))->text().toStdString();
        QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    EXPECT_FALSE(add_block(window.get(), *ctx.db, "HOTEL", "SUP", "F00001001"));
    EXPECT_EQ(shown_document, "F00001001");
}

TEST_F(CreditAuthorisationScreenTest, TheApproverAnswersOpenRequestsAndIsToldOfOnesAnsweredElsewhere) {
    auto* screen = as_remote_approvals(choose(6590));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->timer()->interval(), RemoteApprovalScreen::kRefreshMs);
    ASSERT_EQ(screen->grid()->rowCount(), 1) << "the demonstration's request";
    const long waiting = screen->grid()->item(0, 0)->text().trimmed().toLong();

    ASSERT_TRUE(dc::answer_remote_request(*ctx.db, "HOTEL", waiting, false, "OTRO"));
    screen->grid()->setCurrentCell(0, 0);
    press(screen, RemoteApprovalScreen::kApprove);
    EXPECT_EQ(boxes.last_text(), kAnsweredElsewhere);
    EXPECT_EQ(dc::read_remote_request(*ctx.db, "HOTEL", waiting)->state, dc::kRejected);
    EXPECT_EQ(screen->grid()->rowCount(), 0);

    const long first = open_request("CAJ"), second = open_request("CAJ");
    screen->timer()->start(0);  // the next refresh, without waiting for it
    settle();
    ASSERT_EQ(screen->grid()->rowCount(), 2);
    screen->grid()->setCurrentCell(1, 0);
    ASSERT_TRUE(edit(6599));
    screen->grid()->setCurrentCell(0, 0);
    ASSERT_TRUE(edit(6598));
    const auto answered_first = dc::read_remote_request(*ctx.db, "HOTEL", first);
    EXPECT_EQ(answered_first->state, dc::kApproved);
    EXPECT_EQ(answered_first->approver, "SUP");
    EXPECT_EQ(dc::read_remote_request(*ctx.db, "HOTEL", second)->state, dc::kRejected);
    EXPECT_EQ(screen->grid()->rowCount(), 0);
}

TEST_F(CreditAuthorisationScreenTest, CreditKeysAreTypedTwiceAndABlankOneStaysAsItWas) {
    fill_form({{kKeyOverdue, "nueva1"}, {kKeyOverdueAgain, "nueva2"}});
    choose(6591);
    EXPECT_EQ(boxes.last_text(), dc::kOverdueKeyWrong);
    fill_form({{kKeyExcess, "nueva1"}, {kKeyExcessAgain, "NUEVA1"}});
    choose(6591);
    dc::CreditFigures f;
    f.balance = Decimal(10);
    f.overdue = Decimal(10);
    EXPECT_FALSE(dc::check_credit_keys(*ctx.db, "HOTEL", f, "VENCE26", "nueva1"));
}

TEST_F(CreditAuthorisationScreenTest, ADollarLimitIsJudgedWithTheColonesInvoiceAtTodaysRate) {
    auto* list = dynamic_cast<CustomerListScreen*>(choose(2833));
    ASSERT_TRUE(list && list->grid()->SEARCH("3102654321"));
    settle();
    std::string balance, overdue, limit;
    test::when_modal([&] {
        QWidget* d = QApplication::activeModalWidget();
        auto text = [d](int id) {
            return d->findChild<QLineEdit*>(QString::number(id))->text().trimmed().toStdString();
        };
        balance = text(kCcBalance);
        overdue = text(kCcOverdue);
        limit = text(kCcLimit);
        QTest::mouseClick(d->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(6586));
    EXPECT_EQ(limit, "3,000.00");
    EXPECT_EQ(overdue, "2,400.00");
    EXPECT_EQ(balance, "3,585.42") << "2,400.00 dollars and 600,000.00 colones at 506.15";
}

}  // namespace
}  // namespace qz::gui
