// The currency set-up over the demonstration business, opened from the main window's menu:
// a currency's new code carries its rates along, the rates window lists the chosen pair's rates
// through the rate picture and refuses a zero rate, a difference type in use stays, the
// stale-rate check is saved, and the revaluation listing asks for its currency first.
#include "gui/ledger/currencies/currency_screens.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "domain/ledger/currencies.h"
#include "domain/ledger/diff_types.h"
#include "domain/ledger/rate_rows.h"
#include "domain/ledger/rates.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/currencies/rates_window.h"
#include "gui/ledger/currencies/revaluation_report.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

const std::string kHotel = "HOTEL";

class CurrencyScreenTest : public test::MainWindowFixture {
protected:
    static void choose_row(WBLISTBOX* g, int row) { g->setCurrentIndex(g->model()->index(row, 0)); }
    static QString cell(WBLISTBOX* g, int row, int column) {
        return g->model()->data(g->model()->index(row, column)).toString().trimmed();
    }
};

TEST_F(CurrencyScreenTest, NewCurrencyCodeCarriesItsRatesAndDuplicatesAreRefused) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCmdCurrencies));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "MONEDAS");
    const Decimal before = domain::CAMBIO_ACT(*ctx.db, kHotel, "CO", "US");
    ASSERT_TRUE(before > 0);

    fill_form({{kCurCode, "us"}, {kCurName, "Otra"}});
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), domain::kCurrencyDuplicate);
    fill_form({{kCurCode, "EU"}, {kCurName, "Euros"}, {kCurMinRate, "abc"}});
    press(list, kListAdd);
    EXPECT_FALSE(domain::read_currency(*ctx.db, kHotel, "EU"));

    choose_row(list->grid(), 1);  // US
    fill_form({{kCurCode, "DL"}});
    press(list, kListModify);
    EXPECT_FALSE(domain::read_currency(*ctx.db, kHotel, "US"));
    EXPECT_EQ(domain::CAMBIO_ACT(*ctx.db, kHotel, "CO", "DL"), before);
    EXPECT_EQ(list->grid()->nMaxRec(), 2);
}

TEST_F(CurrencyScreenTest, RatesWindowListsThePairAndRefusesAZeroRate) {
    auto* w = as_rates_window(choose(kCmdRates));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->objectName(), "T_CAMBIO");
    EXPECT_EQ(w->grid()->nMaxRec(), 0);  // nothing until a pair is chosen
    ASSERT_TRUE(w->select_pair("US", "CO"));
    settle();
    const long rates = w->grid()->nMaxRec();
    ASSERT_EQ(rates, 4);
    EXPECT_EQ(cell(w->grid(), 0, 1), "506.15000");  // newest first, through the rate picture

    fill_form({{kRate1, "0"}});
    press(w, kRateAdd);
    EXPECT_EQ(boxes.last_text(), domain::kZeroFirstRate);
    fill_form({{kRateDate, "21/05/2026"}, {kRate1, "1,234.5"}});
    press(w, kRateAdd);
    EXPECT_EQ(w->grid()->nMaxRec(), rates + 1);
    EXPECT_EQ(cell(w->grid(), 0, 1), "1,234.50000");
    // Today's lookup still uses today's rate: the new one starts tomorrow.
    EXPECT_EQ(domain::CAMBIO_ACT(*ctx.db, kHotel, "CO", "US"), Decimal::parse("506.15"));
}

TEST_F(CurrencyScreenTest, DifferenceTypesStayWhileAConceptNamesThem) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCmdDiffTypes));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "DIFERENC");
    EXPECT_EQ(list->grid()->nMaxRec(), 2);
    choose_row(list->grid(), 0);
    press(list, kListDelete);
    EXPECT_TRUE(domain::read_diff_type(*ctx.db, kHotel, "01"));
    choose_row(list->grid(), 1);
    boxes.then(kIdOk);
    press(list, kListDelete);
    EXPECT_EQ(boxes.last_text(), domain::kDiffTypeDeleteAsk);
    EXPECT_FALSE(domain::read_diff_type(*ctx.db, kHotel, "02"));
}

TEST_F(CurrencyScreenTest, StaleRateCheckIsSavedInMonths) {
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        EXPECT_EQ(form->objectName(), "NEG_CAMB");
        auto* mode = form->findChild<QComboBox*>(QString::number(kCheckMode));
        mode->setCurrentIndex(mode->findData("0"));
        form->findChild<QLineEdit*>(QString::number(kCheckAmount))->setText("2");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    choose(kCmdRateCheck);
    const auto s = domain::read_rate_check(*ctx.db, kHotel);
    EXPECT_FALSE(s.by_days);
    EXPECT_EQ(s.amount, 2);
}

TEST_F(CurrencyScreenTest, RevaluationListingAsksForTheCurrency) {
    test::when_modal([this] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_EQ(dialog->objectName(), "DIFE_CAM");
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
        EXPECT_EQ(boxes.last_text(), "Falta seleccionar la Moneda");
        auto* currency = dialog->findChild<QComboBox*>(QString::number(kRevCurrency));
        currency->setCurrentIndex(currency->findData("US"));
        // The rate in force is offered.
        EXPECT_EQ(dialog->findChild<QLineEdit*>(QString::number(kRevRate))->text().trimmed(),
                  "506.15000");
        QTest::mouseClick(dialog->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    choose(kCmdRevaluation);
}

}  // namespace
}  // namespace qz::gui
