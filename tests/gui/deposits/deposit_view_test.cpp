// "Consulta de Depósitos" over deposits as the save leaves them: the grid opens on the latest
// deposit with its state, choosing another shows that one's header, accounting lines and
// applications, and a voided deposit can be printed but not voided again. The listings refuse
// a period that ends before it starts and say so when there is nothing to list.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "gui/browse/wblistbox.h"
#include "gui/deposits/deposit_reports.h"
#include "gui/deposits/deposit_view_screen.h"
#include "gui/main_window_fixture.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

using qz::test::add_record;

class DepositViewTest : public test::MainWindowFixture {
protected:
    void deposit(const std::string& movement, Date date, const char* balance, bool voided) {
        add_record(*ctx.db, "ENC_HLIB",
                   {{"NEGOCIO", std::string("HOTEL")},
                    {"MOVIMIENTO", movement},
                    {"CONCEPTO", std::string("01")},
                    {"MONEDA", std::string("CO")},
                    {"FECHA", date},
                    {"MONTO", Decimal(500)},
                    {"SALDO", Decimal::parse(balance)},
                    {"NOMBRE", "Mora Ana " + movement},
                    {"HECHO_POR", std::string("HUES")},
                    {"PE_TARJ", std::string("************1111")},
                    {"VER", Decimal(1)},
                    {"ANULADO", std::string(voided ? "SUP" : "")}});
    }
    static QString cell(WBLISTBOX* g, int row, const QString& heading) {
        auto* m = g->model();
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString().trimmed() == heading)
                return m->data(m->index(row, c)).toString().trimmed();
        ADD_FAILURE() << "no column " << heading.toStdString();
        return {};
    }
};

TEST_F(DepositViewTest, OpensOnTheLatestAndShowsTheChosenDepositWhole) {
    deposit("DG00000002", Date(2026, 5, 19), "0.00", false);
    deposit("DG00000001", Date(2026, 5, 18), "500.00", true);
    deposit("DG00000003", Date(2026, 5, 20), "200.00", false);
    add_record(*ctx.db, "DET_HLIB",
               {{"NEGOCIO", std::string("HOTEL")},
                {"MOVIMIENTO", std::string("DG00000001")},
                {"CUENTA_CON", std::string("1-01-03")},
                {"DEBITO", Decimal(500)}});
    add_record(*ctx.db, "DET_RES8",
               {{"NEGOCIO", std::string("HOTEL")},
                {"COD_RES", std::string("RES-0008")},
                {"COD_HAB", std::string("DBL")},
                {"ITEM_HAB", Decimal(1)},
                {"MOVIMIENTO", std::string("DG00000003")},
                {"MONTO_PAGO", Decimal(300)}});

    ASSERT_TRUE(choose(kCmdDepositView));
    auto* s = screen_as<DepositViewScreen>("VER_DEP");
    ASSERT_TRUE(s);
    WBLISTBOX* grid = s->deposits();
    ASSERT_EQ(grid->nMaxRec(), 3);
    EXPECT_EQ(s->chosen(), "DG00000003");
    EXPECT_EQ(cell(grid, 0, "Estado"), "Anulado");
    EXPECT_EQ(cell(grid, 1, "Estado"), "Aplicado");
    EXPECT_EQ(cell(grid, 2, "Estado"), "Pendiente");
    auto* apps = s->findChild<QTableWidget*>(QString::number(DepositViewScreen::kApplications));
    ASSERT_TRUE(apps);
    ASSERT_EQ(apps->rowCount(), 1);
    EXPECT_EQ(apps->item(0, 0)->text(), "RES-0008");
    EXPECT_EQ(apps->item(0, 5)->text(), "300.00");
    EXPECT_TRUE(s->control(DepositViewScreen::kVoid)->isEnabled());

    grid->setCurrentIndex(grid->model()->index(0, 0));
    settle();
    EXPECT_EQ(s->chosen(), "DG00000001");
    EXPECT_EQ(apps->rowCount(), 0);
    auto* lines = s->findChild<QTableWidget*>(QString::number(DepositViewScreen::kLines));
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->item(0, 1)->text(), "500.00");
    const QString header = s->control_as<QLabel>(DepositViewScreen::kHeader)->text();
    EXPECT_TRUE(header.contains("Estado: Anulado")) << header.toStdString();
    EXPECT_TRUE(header.contains("Tarjeta: ************1111"));
    EXPECT_TRUE(header.contains("Anulado por: SUP"));
    EXPECT_FALSE(s->control(DepositViewScreen::kVoid)->isEnabled());
    EXPECT_TRUE(s->control(DepositViewScreen::kPrint)->isEnabled());
}

TEST_F(DepositViewTest, ListingsRefuseAReversedPeriodAndSayWhenThereIsNothing) {
    fill_form({{kRepDepFrom, "20/05/2026"}, {kRepDepTo, "19/05/2026"}});
    choose(kCmdDepositsByDate);
    EXPECT_EQ(boxes.last_text(), "La fecha final no puede ser menor a la fecha inicial.");

    deposit("DG00000001", Date(2026, 5, 20), "0.00", false);
    add_record(*ctx.db, "DET_RES8",
               {{"NEGOCIO", std::string("HOTEL")},
                {"COD_RES", std::string("RES-0008")},
                {"MOVIMIENTO", std::string("DG00000001")},
                {"MONTO_PAGO", Decimal(500)}});
    fill_form({{kRepDepReservation, "RES-0005"}});
    choose(kCmdDepositsByReservation);
    EXPECT_EQ(boxes.last_text(), "No hay depósitos que listar.");
    // Its balance is used up, so nothing is pending.
    choose(kCmdPendingDeposits);
    EXPECT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.last_text(), "No hay depósitos que listar.");
}

}  // namespace
}  // namespace qz::gui
