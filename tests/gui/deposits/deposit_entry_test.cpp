// "Registro de Depósitos" as the front desk types a deposit on the demonstration hotel
// (reservations in dollars, accounting in colones, 506.15 colones a dollar on the day): the
// rates follow the currency, a counterpart typed as a percentage follows the amount, room lines
// are proposed what is left of the deposit in the reservations' currency and a line listed twice
// is refused, a refused save leaves the cursor on the field to mend, and closing an empty screen
// asks nothing.
#include "gui/deposits/deposit_entry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "domain/cash/register_rows.h"
#include "domain/cash/register_settings.h"
#include "domain/deposits/deposit_checks.h"
#include "gui/deposits/deposit_entry_dialogs.h"
#include "gui/deposits/reservation_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/masked_edit.h"
#include "gui/main_window_fixture.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

using namespace deposit_entry;

const Decimal kDollarRate = Decimal::parse("506.15");

class DepositEntryTest : public test::MainWindowFixture {
protected:
    DepositEntryScreen* open() {
        choose(kCmdDepositEntry);
        return screen_as<DepositEntryScreen>("DEP_HOT");
    }
    static void type(QWidget* screen, int id, const QString& text) {
        auto* e = screen->findChild<QLineEdit*>(QString::number(id));
        e->setText(text);
        if (auto* masked = qobject_cast<LR_MASKED*>(e)) {
            ASSERT_TRUE(masked->commit());
        }
        emit e->editingFinished();
        settle();
    }
    static Decimal number(QWidget* screen, int id) {
        return screen->findChild<LR_MASKED*>(QString::number(id))->number();
    }
    static void choose_item(QWidget* w, int id, const QString& data) {
        auto* c = w->findChild<QComboBox*>(QString::number(id));
        const int i = c->findData(data);
        ASSERT_GE(i, 0) << data.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    static void click(QWidget* w, int id) {
        QTest::mouseClick(w->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
    }
    // The register REC1 open on this workstation and authorised for deposits.
    void open_register() {
        qz::test::edit_record(*ctx.db, "ENC_HCAJ", "ENC_HCAJ",
                              data::order_key("ENC_HCAJ", "ENC_HCAJ", {"HOTEL", "REC1"}),
                              [](data::WDBTable& t) { t.FieldPut("ESTADO", domain::cash::kOpen); });
        ctx.session.registers.XH_CAJAS =
            domain::RegisterState{"Caja Recepción", "", 1, "REC1", "", 2};
        domain::cash::set_authorised(*ctx.ini, domain::kDepositAuthSection, "HOTEL", "REC1", true);
    }
};

TEST_F(DepositEntryTest, RatesFollowTheCurrencyAndAPercentageLineFollowsTheAmount) {
    auto* s = open();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->form().draft.date, kNow.date);

    type(s, kCurrency, "co");
    EXPECT_EQ(number(s, kReservationRate), kDollarRate);  // a dollar of the reservation in colones
    EXPECT_EQ(number(s, kAccountingRate), Decimal(1));
    choose_item(s, kCurrencyList, "US");
    EXPECT_EQ(s->findChild<QLineEdit*>(QString::number(kCurrency))->text(), "US");
    EXPECT_EQ(number(s, kReservationRate), Decimal(1));
    EXPECT_EQ(number(s, kAccountingRate), kDollarRate);

    type(s, kAmount, "999.99");
    test::when_modal([] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->objectName(), "DEP_HOT2");
        choose_item(dlg, counterpart_dialog::kAccount, "2-01-10");
        click(dlg, counterpart_dialog::kAddLine);
        auto* grid = dlg->findChild<QTableWidget*>(QString::number(counterpart_dialog::kLines));
        ASSERT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(grid->item(0, counterpart_dialog::kNameCol)->text(),
                  "Depósitos de Garantía de Huéspedes");
        grid->item(0, counterpart_dialog::kDebitPctCol)->setText("33.33");
        EXPECT_EQ(grid->item(0, counterpart_dialog::kDebitCol)->text(), "333.30");
        grid->item(0, counterpart_dialog::kCreditCol)->setText("12.5");
        click(dlg, kCmdOk);
    });
    press(s, kDetail);
    ASSERT_EQ(s->form().draft.counterpart.size(), 1u);
    const auto& line = s->form().draft.counterpart[0];
    EXPECT_EQ(line.debit, Decimal::parse("333.30"));  // 999.99 x 33.33% to the cent
    EXPECT_EQ(line.credit, Decimal::parse("12.50"));
    EXPECT_TRUE(line.credit_pct.is_zero());

    type(s, kAmount, "1,500.00");
    s->read_fields();
    EXPECT_EQ(line.debit, Decimal::parse("499.95"));
    EXPECT_EQ(line.credit, Decimal::parse("12.50"));  // typed as an amount, it stays
}

TEST_F(DepositEntryTest, RoomLinesTakeWhatIsLeftAndAGuestListedTwiceIsRefused) {
    auto* s = open();
    ASSERT_TRUE(s);
    type(s, kCurrency, "CO");
    type(s, kAmount, "303,690.00");  // 600.00 dollars
    test::when_modal([this] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->objectName(), "DEP_HOT3");
        using namespace reservation_dialog;
        choose_item(dlg, kReservation, "RES-0007");
        auto* lines = dlg->findChild<QComboBox*>(QString::number(kRoomLine));
        ASSERT_EQ(lines->count(), 2);
        EXPECT_TRUE(lines->itemText(0).contains("En Casa"));
        EXPECT_EQ(number(dlg, kLineAmount), Decimal::parse("600.00"));

        lines->setCurrentIndex(1);
        type(dlg, kLineAmount, "250.00");
        click(dlg, kAddLine);
        EXPECT_EQ(number(dlg, kLineAmount), Decimal::parse("350.00"));
        lines->setCurrentIndex(0);  // in house: listed, the save leaves it for the folio
        click(dlg, kAddLine);
        EXPECT_TRUE(number(dlg, kLineAmount).is_zero());

        lines->setCurrentIndex(1);
        type(dlg, kLineAmount, "10.00");
        click(dlg, kAddLine);
        EXPECT_EQ(boxes.last_text(), domain::kGuestAlreadyIncluded);
        auto* grid = dlg->findChild<QTableWidget*>(QString::number(kLines));
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(grid->item(0, kGuestCol)->text(), "Grupo Familia Castro Jiménez");
        EXPECT_EQ(grid->item(1, kRoomCol)->text(), "203");
        EXPECT_EQ(grid->item(1, kGuestCol)->text(), "Mariana Castro");
        EXPECT_EQ(grid->item(1, kAmountCol)->text(), "350.00");

        grid->setCurrentCell(0, 0);
        click(dlg, kDeleteLine);
        EXPECT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(number(dlg, kLineAmount), Decimal::parse("250.00"));
        click(dlg, kCmdOk);
    });
    press(s, kReservations);
    ASSERT_EQ(s->form().draft.reservations.size(), 1u);
    EXPECT_EQ(s->form().draft.reservations[0].item, 1);
    EXPECT_EQ(s->form().left(), Decimal::parse("126537.50"));  // 303,690.00 - 350.00 x 506.15

    press(s, kViewReservations);
    EXPECT_TRUE(screen_as<ReservationListScreen>("DEP_HOT5"));
}

TEST_F(DepositEntryTest, ARefusedSaveLeavesTheCursorOnTheFieldToMend) {
    open_register();
    auto* s = open();
    ASSERT_TRUE(s);
    type(s, kCurrency, "US");
    type(s, kAmount, "100.00");
    press(s, kCmdOk);
    EXPECT_EQ(boxes.last_text(), domain::kNoMadeBy);
    EXPECT_EQ(s->focused_id(), kMadeBy);

    choose_item(s, kMadeBy, "AGEN");
    type(s, kConcept, "09");  // no such concept: not kept
    EXPECT_TRUE(s->findChild<QLineEdit*>(QString::number(kConcept))->text().isEmpty());
    type(s, kConcept, "02");
    EXPECT_EQ(s->findChild<QComboBox*>(QString::number(kConceptList))->currentData(), "02");
    type(s, kAccountingRate, "0");
    press(s, kCmdOk);
    EXPECT_EQ(boxes.last_text(), domain::kZeroAccountingRate);
    EXPECT_EQ(s->focused_id(), kAccountingRate);
    EXPECT_TRUE(screen("DEP_HOT"));
}

TEST_F(DepositEntryTest, ClosingAsksOnlyWhenSomethingWasTyped) {
    auto* s = open();
    ASSERT_TRUE(s);
    type(s, kName, "Elena");
    boxes.then(kIdNo);
    press(s, kCmdCancel);
    EXPECT_EQ(boxes.last_text(), kLeaveUnsavedDeposit);
    ASSERT_TRUE(screen("DEP_HOT"));

    press(s, kClear);
    const size_t asked = boxes.shown().size();
    press(s, kCmdCancel);
    EXPECT_EQ(boxes.shown().size(), asked);
    EXPECT_FALSE(screen("DEP_HOT"));
}

}  // namespace
}  // namespace qz::gui
