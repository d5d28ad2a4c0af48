// The calendar pop-up gives the chosen date with its kind while its owner is held off, and the
// alarm window shows its lines at once.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/lists/alarm.h"
#include "gui/lists/show_cal.h"

namespace qz::gui {
namespace {

void press(int id) {
    QWidget* cal = QApplication::activeModalWidget();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal->objectName(), "SHOW_CAL");
    auto* b = cal->findChild<QPushButton*>(QString::number(id));
    ASSERT_NE(b, nullptr) << id;
    b->click();
}

struct Owner {
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    Owner() {
        (new QVBoxLayout(&window))->addWidget(field);
        window.show();
    }
};

TEST(ShowCal, EndOfFebruaryInALeapYearIsThe29thForTheReceiver) {
    Owner o;
    bool owner_held = false;
    test::when_modal([&] {
        owner_held = !o.field->isEnabled();
        press(202 + 2 * 2);  // end of February of the year shown
    });
    auto choice = show_cal(o.field, Date(2024, 7, 10));
    ASSERT_TRUE(choice);
    EXPECT_EQ(*choice, std::make_pair(Date(2024, 3, 1), int(kCalMonthEnd)));
    EXPECT_EQ(received_date(*choice), Date(2024, 2, 29));
    EXPECT_TRUE(owner_held);
    EXPECT_TRUE(o.field->isEnabled());

    test::when_modal([] { press(SHOW_CAL::kMonthEnd); });
    choice = show_cal(o.field, Date(2023, 12, 5));
    EXPECT_EQ(*choice, std::make_pair(Date(2024, 1, 1), int(kCalMonthEnd)));
    EXPECT_EQ(received_date(*choice), Date(2023, 12, 31));
}

TEST(ShowCal, MonthStartDaysAndSteps) {
    Owner o;
    test::when_modal([] {
        press(SHOW_CAL::kNextYear);
        press(SHOW_CAL::kMonthStart);
    });
    EXPECT_EQ(*show_cal(o.field, Date(2024, 2, 10)),
              std::make_pair(Date(2025, 2, 1), int(kCalMonthStart)));

    // February 2024 begins on a Thursday: the grid starts on Sunday 28 January.
    test::when_modal([] { press(SHOW_CAL::kFirstDay); });
    EXPECT_EQ(*show_cal(o.field, Date(2024, 2, 10)),
              std::make_pair(Date(2024, 1, 28), int(kCalDay)));

    test::when_modal([] { press(201 + 2 * 11); });  // start of November
    EXPECT_EQ(*show_cal(&o.window, Date(2024, 2, 10)),
              std::make_pair(Date(2024, 11, 1), int(kCalMonthStart)));
}

TEST(ShowCal, OkTakesTheTypedDateAndRefusesABadOne) {
    Owner o;
    MessageBoxScript script;
    test::when_modal([] {
        auto* edit = QApplication::activeModalWidget()->findChild<QLineEdit*>("501");
        EXPECT_EQ(edit->text(), "10/02/2024");
        edit->setText("31/02/2024");
        press(kCmdOk);
        EXPECT_NE(QApplication::activeModalWidget(), nullptr) << "still open";
        edit->setText("15/03/2024");
        press(kCmdOk);
    });
    EXPECT_EQ(*show_cal(o.field, Date(2024, 2, 10)),
              std::make_pair(Date(2024, 3, 15), int(kCalDay)));
    EXPECT_EQ(script.shown().size(), 1u);

    test::when_modal([] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(show_cal(o.field, Date(2024, 2, 10)));
}

TEST(Alarm, PutTextFillsTheFourLines) {
    ALARM alarm;
    alarm.PUT_TEXT({"Procesando", "Documento 15"});
    EXPECT_TRUE(alarm.isVisible());
    EXPECT_EQ(alarm.findChild<QLabel*>("-2")->text(), "Documento 15");
    alarm.PUT_TEXT({"a", "b", "c", "d", "e"});
    EXPECT_EQ(alarm.line(4), "d");
    alarm.PUT_TEXT({"Listo"});
    EXPECT_EQ(alarm.line(2), "");
    alarm.ONTOP();
    EXPECT_TRUE(alarm.windowFlags() & Qt::WindowStaysOnTopHint);
}

}  // namespace
}  // namespace qz::gui
