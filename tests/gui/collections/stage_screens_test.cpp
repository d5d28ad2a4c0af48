// The maintenance lists of the collections: an authoriser typed with two different pass codes is
// refused, then saved hashed with the stages chosen in the two lists; an empty list of
// collectors says so instead of opening a form.
#include "gui/collections/stage_screens.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "domain/collections/stage_authorisers.h"
#include "domain/collections/stage_maintenance.h"
#include "gui/collections/stage_authoriser_form.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_form.h"
#include "gui/main_window_fixture.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

namespace dl = qz::domain;
using namespace authoriser_form;

class StageScreensTest : public test::MainWindowFixture {};

void choose_stages(QWidget* form, int id, const QStringList& codes) {
    auto* l = form->findChild<QListWidget*>(QString::number(id));
    for (int i = 0; i < l->count(); ++i)
        l->item(i)->setSelected(codes.contains(l->item(i)->data(Qt::UserRole).toString()));
}

TEST_F(StageScreensTest, AnAuthoriserNeedsThePassCodeTwiceAndKeepsTheStagesChosen) {
    choose(kCmdCollectionAuthorisers);
    auto* list = screen_as<MasterListScreen>("AUTO_COB");
    ASSERT_NE(list, nullptr);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_EQ(form->objectName(), "MNT_AU_C");
        const auto type = [form](int id, const char* text) {
            form->findChild<QLineEdit*>(QString::number(id))->setText(text);
        };
        type(kCode, "ROS");
        type(kName, "Rosa Mena");
        type(kPassCode, "uno");
        type(kPassCodeAgain, "dos");
        choose_stages(form, kStagesModify, {"C020"});
        choose_stages(form, kStagesAuthorise, {"C010", "C030"});
        auto* ok = form->findChild<QPushButton*>(QString::number(kFormOk));
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_EQ(QApplication::activeModalWidget(), form) << "refused, still open";
        type(kPassCodeAgain, "uno");
        QTest::mouseClick(ok, Qt::LeftButton);
        if (QApplication::activeModalWidget() == form)  // refused: nothing more to type
            QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kFormCancel)),
                              Qt::LeftButton);
    });
    ASSERT_TRUE(edit(6727));
    settle();
    ASSERT_EQ(boxes.shown().size(), 1u) << boxes.last_text();
    EXPECT_EQ(boxes.shown().at(0).text, kPassCodesDiffer);
    const auto people = dl::stage_authorisers(*ctx.db, dl::kCollectionWorkflow, "HOTEL", "C030");
    const auto ros = std::find_if(people.begin(), people.end(),
                                  [](const dl::StageAuthoriser& a) { return a.code == "ROS"; });
    ASSERT_NE(ros, people.end());
    EXPECT_EQ(ros->stages_modify, "[C020]");
    EXPECT_EQ(ros->stages_authorise, "[C010][C030]");
    EXPECT_TRUE(dl::check_authoriser_code(*ctx.db, dl::kCollectionWorkflow, "HOTEL", "ROS", "UNO"));
}

TEST_F(StageScreensTest, AnOrderAuthoriserKeepsHowFarOverdueACustomerMayBe) {
    choose(kCmdOrderAuthorisers);
    ASSERT_NE(screen_as<MasterListScreen>("AUTO_PED"), nullptr);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_EQ(form->objectName(), "MNT_AU_P");
        const auto type = [form](int id, const char* text) {
            form->findChild<QLineEdit*>(QString::number(id))->setText(text);
        };
        type(kCode, "GER");
        type(kName, "Gerencia");
        type(kPassCode, "pedidos");
        type(kPassCodeAgain, "pedidos");
        type(kDaysPermitted, "15");
        type(kCreditPermitted, "250,000.00");
        QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kFormOk)), Qt::LeftButton);
        if (QApplication::activeModalWidget() == form)
            QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kFormCancel)),
                              Qt::LeftButton);
    });
    ASSERT_TRUE(edit(6748));
    settle();
    const auto people = dl::stage_authorisers(*ctx.db, dl::kOrderWorkflow, "HOTEL");
    ASSERT_EQ(people.size(), 1u) << boxes.last_text();
    EXPECT_EQ(people[0].days_permitted, 15);
    EXPECT_EQ(people[0].credit_permitted, Decimal(250000));
    EXPECT_TRUE(dl::check_authoriser_code(*ctx.db, dl::kOrderWorkflow, "HOTEL", "GER", "PEDIDOS"));
}

TEST_F(StageScreensTest, AnEmptyListOfCollectorsSaysThereIsNothingToChange) {
    for (const char* code : {"LM", "AV"}) {
        // The demonstration's collectors have no documents yet.
        ASSERT_TRUE(dl::delete_collector(*ctx.db, install.port, "HOTEL", code));
    }
    choose(kCmdCollectors);
    ASSERT_NE(screen_as<MasterListScreen>("DEF_COB"), nullptr);
    ASSERT_TRUE(edit(6731));
    EXPECT_EQ(boxes.last_text(), "No hay cobradores a modificar");
}

}  // namespace
}  // namespace qz::gui
