// The accountant's "Contabilidad" screens in the main window: a link's distribution typed in
// its grid (a cell that is no number refused on its line, the rows kept once accepted) and the
// accounting period moved forward, never back.
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "domain/ledger/accounting_period.h"
#include "domain/ledger/accounting_setup.h"
#include "domain/session/master_rows.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/setup/accounting_screens.h"
#include "gui/ledger/setup/period_dialog.h"
#include "gui/lists/rows_form.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kLinks = 6511, kDistributionOp = 6539, kPeriod = 6516;

class AccountingScreensTest : public test::MainWindowFixture {
protected:
    static void click(QWidget* form, int id) {
        QTest::mouseClick(form->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
    }
    // Adds the rows to the next grid form and presses OK, then fixes the percentage of the
    // last row to `fixed` and presses OK again when the form is still open.
    static void fill_rows(std::vector<QStringList> rows, QString fixed) {
        test::when_modal([rows, fixed] {
            QWidget* form = QApplication::activeModalWidget();
            auto* grid = form->findChild<QTableWidget*>(QString::number(kRowsGrid));
            for (const auto& row : rows) {
                click(form, kRowsAdd);
                for (int c = 0; c < row.size(); ++c)
                    grid->item(grid->rowCount() - 1, c)->setText(row[c]);
            }
            click(form, kCmdOk);
            if (QApplication::activeModalWidget() != form) return;
            grid->item(grid->rowCount() - 1, 2)->setText(fixed);
            click(form, kCmdOk);
            if (QApplication::activeModalWidget() == form) click(form, kCmdCancel);
        });
    }
};

TEST_F(AccountingScreensTest, ALinksDistributionIsTypedInItsGrid) {
    ASSERT_TRUE(choose(kLinks));
    // The list opens on its first link.
    const auto links = domain::business_rows<domain::LedgerLink>(*ctx.db, "LIGAS", "HOTEL",
                                                                 domain::ledger_link_from_row);
    ASSERT_FALSE(links.empty());
    fill_rows({{"CC", "SPA", "60"}, {"CC", "REST", "cuarenta"}}, "40");
    ASSERT_TRUE(edit(kDistributionOp));
    EXPECT_EQ(boxes.shown().at(0).text.rfind("Línea 2: ", 0), 0u) << boxes.shown().at(0).text;
    const auto kept = domain::read_link_distribution(*ctx.db, "HOTEL", links.front().code);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].percent, Decimal(40));
}

TEST_F(AccountingScreensTest, ThePeriodMovesForwardOnly) {
    const auto fill = [](int month) {
        test::when_modal([month] {
            QWidget* form = QApplication::activeModalWidget();
            form->findChild<QLineEdit*>(QString::number(period_form::kMonth))
                ->setText(QString::number(month));
            click(form, kCmdOk);
            if (QApplication::activeModalWidget() == form) click(form, kCmdCancel);
        });
    };
    const auto before = domain::current_period(*ctx.db, "HOTEL");
    ASSERT_TRUE(before);
    fill(1);
    window->DO_ACTION(kPeriod);
    settle();
    EXPECT_EQ(boxes.last_text().rfind("El período contable sólo avanza", 0), 0u);
    EXPECT_EQ(domain::current_period(*ctx.db, "HOTEL"), before);

    boxes.then(kIdOk);  // "Desea abrir el período contable …?"
    fill(before->month % 12 + 1);
    window->DO_ACTION(kPeriod);
    settle();
    EXPECT_NE(domain::current_period(*ctx.db, "HOTEL"), before) << boxes.last_text();
}

}  // namespace
}  // namespace qz::gui
