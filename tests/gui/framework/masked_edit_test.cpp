// Masked edits: numbers read exactly through their picture, dates and times typed the quick
// ways, the date keys and the calendar, and text that does not read keeping the focus.
#include "gui/framework/masked_edit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/framework/amount_edit.h"
#include "gui/framework/date_keys.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"

namespace qz::gui {
namespace {

using test::make_active;
using test::type_key;

class MaskedEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        amount = new LR_MASKED(&window, 500, Decimal(0), "999,999,999.99");
        fecha = new LR_MASKED(&window, 501, Date(2014, 1, 31));
        hora = new LR_MASKED(&window, 502, std::string(), "99:99");
        next = new QLineEdit(&window);
        for (QWidget* w : {static_cast<QWidget*>(amount), static_cast<QWidget*>(fecha),
                           static_cast<QWidget*>(hora), static_cast<QWidget*>(next)})
            layout->addWidget(w);
        ASSERT_TRUE(make_active(window));
    }
    void TearDown() override { set_XSEL_DATE(std::nullopt); }

    // Types `text` into the field and leaves it with Tab, as a user does.
    void enter(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        field->clear();
        QTest::keyClicks(field, text);
        next->setFocus(Qt::TabFocusReason);
    }

    QWidget window;
    LR_MASKED* amount;
    LR_MASKED* fecha;
    LR_MASKED* hora;
    QLineEdit* next;
    MessageBoxScript boxes;
};

TEST_F(MaskedEditTest, AmountsRoundTripExactlyThroughThePicture) {
    enter(amount, "1,234.50");
    EXPECT_EQ(amount->number(), Decimal::parse("1234.50"));
    EXPECT_EQ(amount->text(), "1,234.50");
    enter(amount, "1234.5");
    EXPECT_EQ(amount->text(), "1,234.50");
    enter(amount, "-0.05");
    EXPECT_EQ(amount->number(), Decimal::parse("-0.05"));
    enter(amount, "999999999.994");
    EXPECT_EQ(amount->number(), Decimal::parse("999999999.99"));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(amount->GetType(), 'N');

    amount->SetPicture("@E 999,999.99");
    enter(amount, "1.234,5");
    EXPECT_EQ(amount->number(), Decimal::parse("1234.5"));
    EXPECT_EQ(amount->text(), "1.234,50");
}

TEST_F(MaskedEditTest, ANumberThatDoesNotReadKeepsTheFocusAfterTheMessage) {
    enter(amount, "25.00");
    for (const char* bad : {"1,23.4", "1.2.3", "9999999999"}) {
        enter(amount, bad);
        EXPECT_EQ(QApplication::focusWidget(), amount) << bad;
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_EQ(boxes.shown().back().title, "Atencion");
        EXPECT_EQ(boxes.shown().back().text, "Número inválido");
        EXPECT_EQ(amount->value(), LR_MASKED::Value(Decimal(25))) << "the last good value stays";
    }
    // Letters are never typed into a number.
    amount->clear();
    QTest::keyClicks(amount, "1a2");
    EXPECT_EQ(amount->text(), "12");
}

TEST_F(MaskedEditTest, AnAmountFieldRefusesWhatItCannotHoldWithItsOwnMessage) {
    auto* q = amount_edit(&window, 503, AmountField{"Cantidad", 12, 3}, Decimal(2));
    window.layout()->addWidget(q);
    q->show();
    EXPECT_EQ(q->text(), "2.000");
    enter(q, "1,234.5");
    EXPECT_EQ(q->text(), "1,234.500");
    enter(q, "-3");
    EXPECT_EQ(QApplication::focusWidget(), q);
    EXPECT_EQ(q->number(), Decimal::parse("1234.5"));
    EXPECT_EQ(boxes.last_text(), "Cantidad: no se admiten valores negativos.");
}

TEST_F(MaskedEditTest, TheValidBlockCanRefuseAnAcceptedValue) {
    amount->valid = [](LR_MASKED& f) { return f.number() <= Decimal(100); };
    enter(amount, "150");
    EXPECT_EQ(QApplication::focusWidget(), amount);
    enter(amount, "99");
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(amount->number(), Decimal(99));
}

TEST_F(MaskedEditTest, DatesAndTimesTypedTheQuickWays) {
    enter(fecha, "050914");
    EXPECT_EQ(fecha->date(), Date(2014, 9, 5));
    EXPECT_EQ(fecha->text(), "05/09/14");
    enter(fecha, "05.09.2014");
    EXPECT_EQ(fecha->date(), Date(2014, 9, 5));
    enter(fecha, "");
    EXPECT_TRUE(fecha->date().empty());
    EXPECT_TRUE(boxes.shown().empty());

    enter(fecha, "31/02/14");
    EXPECT_EQ(boxes.last_text(), "Fecha inválida");
    EXPECT_EQ(QApplication::focusWidget(), fecha);
    enter(fecha, "28/02/14");

    enter(hora, "930");
    EXPECT_EQ(hora->text_value(), "09:30");
    enter(hora, "23:59");
    EXPECT_EQ(hora->text(), "23:59");
    enter(hora, "2460");
    EXPECT_EQ(boxes.last_text(), "Hora inválida");
}

TEST_F(MaskedEditTest, DateKeysStepByDayAcrossMonthsAndYears) {
    fecha->setFocus(Qt::TabFocusReason);
    type_key(Qt::Key_Plus, "+");
    EXPECT_EQ(fecha->text(), "01/02/14");
    type_key(Qt::Key_Minus, "-");
    type_key(Qt::Key_Apostrophe, "'");
    EXPECT_EQ(fecha->text(), "30/01/14");
    type_key(0, QString(QChar(0xA1)));
    EXPECT_EQ(fecha->date(), Date(2014, 1, 31));

    fecha->set_value(Date(2013, 12, 31));
    type_key(Qt::Key_Plus, "+");
    EXPECT_EQ(fecha->date(), Date(2014, 1, 1));
}

TEST_F(MaskedEditTest, DateKeysTypeNormallyWhenSwitchedOffOrNotOnADate) {
    attach_date_keys(next);
    next->setText("15/03/14");
    next->setFocus(Qt::OtherFocusReason);
    next->deselect();
    set_XSEL_DATE("NO");
    type_key(Qt::Key_Plus, "+");
    EXPECT_EQ(next->text(), "15/03/14+");

    set_XSEL_DATE(std::nullopt);
    next->setText("15/03/14");
    next->selectAll();
    type_key(Qt::Key_Minus, "-");
    EXPECT_EQ(next->text(), "-") << "a selection is replaced, not stepped";

    next->setText("12-5");
    type_key(Qt::Key_Plus, "+");
    EXPECT_EQ(next->text(), "12-5+");
}

TEST_F(MaskedEditTest, RightClickOpensTheCalendarAndTheChosenDayIsWritten) {
    fecha->setFocus(Qt::OtherFocusReason);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                            fecha->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(fecha, &click);
    auto* popup = fecha->findChild<QWidget*>("SHOW_CAL");
    ASSERT_NE(popup, nullptr);
    auto* calendar = popup->findChild<QCalendarWidget*>();
    EXPECT_EQ(calendar->selectedDate(), QDate(2014, 1, 31));
    emit calendar->clicked(QDate(2014, 2, 14));
    EXPECT_EQ(fecha->date(), Date(2014, 2, 14));

    set_XSEL_DATE("NO");
    QApplication::sendEvent(fecha, &click);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fecha->findChild<QWidget*>("SHOW_CAL"), nullptr);
}

TEST_F(MaskedEditTest, AFieldWhoseWhenRefusesPassesTheFocusOn) {
    hora->when = [] { return false; };
    amount->setFocus(Qt::TabFocusReason);
    next->setFocus(Qt::OtherFocusReason);
    fecha->setFocus(Qt::TabFocusReason);
    type_key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
}

}  // namespace
}  // namespace qz::gui
