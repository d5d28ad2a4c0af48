// The grid over key positions: counts, positions, scope, sorting, marks and seeks.
#include <QHeaderView>
#include <QLabel>

#include "gui/framework/dialog_frame.h"

#include "gui/browse/grid_fixture.h"

namespace qz::gui::test {
namespace {

using GridTest = GridFixture;

TEST_F(GridTest, NavigatesByKeyPositionWithinTheScopeAndKeepsItAcrossSorts) {
    auto& g = open_grid();
    EXPECT_EQ(g.nMaxRec(), 300);
    EXPECT_EQ(g.model()->rowCount(), 300);
    EXPECT_EQ(g.nCurRec(), 1);
    EXPECT_EQ(code(), "R0001");
    EXPECT_EQ(g.model()->index(0, 0).data().toString().trimmed(), "R0001");
    g.GOBOTTOM();
    EXPECT_EQ(g.nCurRec(), 300);
    EXPECT_EQ(code(), "R0300");  // the other business, sorting after, stays outside
    g.SKIP(-10);
    EXPECT_EQ(code(), "R0290");
    EXPECT_EQ(g.model()->index(150, 1).data().toString(), "31/05/26");
    EXPECT_EQ(code(), "R0290");  // reading other rows leaves the table on the current one

    ASSERT_TRUE(g.SEARCH("R0150"));
    EXPECT_EQ(g.nCurRec(), 150);
    EXPECT_EQ(g.rowPos(), 1);
    EXPECT_FALSE(g.SEARCH("R9"));
    EXPECT_EQ(code(), "R0150");

    const long recno = g.nCrecNo();
    g.sort_by_column(1);  // by date: one day per code, same position
    EXPECT_EQ(t->order(), "SPA_HTF");
    EXPECT_EQ(g.nMaxRec(), 300);
    EXPECT_EQ(g.nCrecNo(), recno);
    EXPECT_EQ(g.aDBFelder()[1].wbHeadColor, colorref(13750210));
    EXPECT_FALSE(g.aDBFelder()[0].wbHeadColor);
    g.sort_by_column(2);  // by name: "Ana Pérez" rows come first
    EXPECT_EQ(g.nCrecNo(), recno);
    EXPECT_EQ(g.nMaxRec(), 300);
    g.GOTOP();
    EXPECT_EQ(trim(t->str("A_NOMBRE")), "Ana Pérez");
    // A column without an order: its header does nothing.
    g.sort_by_column(3);
    EXPECT_EQ(t->order(), "SPA_HTN");

    g.SET_SCOPE(data::business_key("NADIE"));
    EXPECT_EQ(g.nMaxRec(), 0);
    EXPECT_EQ(g.model()->rowCount(), 0);
    EXPECT_FALSE(g.currentIndex().isValid());
    g.SET_SCOPE(data::business_key("OTRO"));
    EXPECT_EQ(g.nMaxRec(), 20);
}

// Digits are wider than the average character, so a date column measured by its eight
// characters showed "31/05/..." instead of the year; a short field under a longer heading showed
// a piece of the heading.
TEST_F(GridTest, AColumnIsWideEnoughForItsDateAndItsHeading) {
    auto& g = open_grid();
    const QString date = g.model()->index(0, 1).data().toString();
    ASSERT_EQ(date, "01/01/26");
    const QFontMetrics fm(g.font());
    EXPECT_GE(g.columnWidth(1), fm.horizontalAdvance("00/00/00") + 10);
    for (int i = 0; i < g.COLCOUNT(); ++i) {
        const std::string& heading = g.aDBFelder()[static_cast<size_t>(i)].wbHeading;
        EXPECT_GE(g.columnWidth(i), fm.horizontalAdvance(QString::fromStdString(heading)))
            << heading;
    }
}

TEST_F(GridTest, MarksAreASetCountedInTheRowHeader) {
    auto& g = open_grid();
    std::vector<std::pair<long, int>> told;
    g.on_mark = [&](long r, int on) { told.emplace_back(r, on); };
    EXPECT_TRUE(g.ADD_MARK());
    EXPECT_FALSE(g.ADD_MARK());
    g.DOWN();
    EXPECT_TRUE(g.TOGGLEMARK());
    EXPECT_EQ(g.nub_heading(), "  2");
    EXPECT_EQ(g.findChild<QLabel*>("nub_heading")->text(), "  2");
    EXPECT_EQ(told.size(), 2u);
    EXPECT_FALSE(g.model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString().isEmpty());
    EXPECT_TRUE(g.model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString().isEmpty());
    EXPECT_TRUE(ISOBMARK2(g, g.nCrecNo()));
    EXPECT_TRUE(g.TOGGLEMARK());
    EXPECT_EQ(GET_MARKS(g).size(), 1u);
    g.NUB_MARKALL();
    EXPECT_EQ(GET_MARKS(g).size(), 300u);  // the scope only
    EXPECT_EQ(g.nub_heading(), "300");
    g.NUB_CLEAR();
    EXPECT_EQ(g.nub_heading(), "  0");
}

TEST_F(GridTest, RememberedSearchesSeekWithinTheScope) {
    auto& g = open_grid();
    EXPECT_FALSE(g.SEARCH_DATO(0));
    EXPECT_EQ(boxes.last_text(), "Debe guardar primero un Dato por buscar...");
    g.SET_ORDER(2);
    XSEARCHOB() = {"15/01/26"};
    ASSERT_TRUE(g.SEARCH_DATO(0));
    EXPECT_EQ(t->date("FECHA"), Date(2026, 1, 15));
    EXPECT_EQ(g.rowPos(), 1);
    g.seek_nearest("202602", -1);  // end of January: the following month's key, one row back
    EXPECT_EQ(t->date("FECHA"), Date(2026, 1, 31));
    g.SET_ORDER(1);
    at_column(1);
    g.copy_cell();
    ASSERT_EQ(XSEARCHOB().size(), 2u);
    EXPECT_EQ(XSEARCHOB()[1], "R0031");
    at_column(2);
    g.copy_cell();
    EXPECT_EQ(boxes.last_text(), "El dato debe ser tipo Caracter");
}

TEST_F(GridTest, ThePeriodicRefreshNeverSelectsAndWaitsForAnEnabledActiveScreen) {
    auto& g = open_grid();
    ASSERT_TRUE(make_active(*host));
    int selected = 0;
    g.Sel_Block = [&] { ++selected; };
    g.SKIP(5);
    EXPECT_EQ(selected, 1);
    const long recno = g.nCrecNo();
    auto other = data::USE(*db, "SPA_RESE");
    auto add_row = [&](const char* code) {
        data::ADD_NEW_REC(*other);
        other->FieldPut("NEGOCIO", std::string("SPA"));
        other->FieldPut("CODIGO", std::string(code));
        data::UNLOCK_NEW_REC(*other);
    };
    add_row("R0000");  // sorts first: the current row moves one position down
    g.refresh_tick();
    EXPECT_EQ(g.nMaxRec(), 301);
    EXPECT_EQ(g.nCrecNo(), recno);
    EXPECT_EQ(g.nCurRec(), 7);
    EXPECT_EQ(selected, 1);
    host->setEnabled(false);
    add_row("R0999");
    g.refresh_tick();
    EXPECT_EQ(g.nMaxRec(), 301);
    host->setEnabled(true);
    set_XREFRESH_BROWSE(0);
    g.refresh_tick();
    EXPECT_EQ(g.nMaxRec(), 301);
    set_XREFRESH_BROWSE(1);
    g.refresh_tick();
    EXPECT_EQ(g.nMaxRec(), 302);
}

TEST_F(GridTest, MissingListControlIsFatal) {
    struct Frame : DialogFrame {
        using DialogFrame::DialogFrame;
        void finish(int) override {}
    };
    QWidget w;
    Frame f(w, "TEST");
    EXPECT_EQ(WBLISTBOX::Init(f, 700, *t, "X"), nullptr);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Browser Id 700 gibt es nicht!");
    EXPECT_EQ(boxes.shown()[0].title, "Fataler Fehler");
}

}  // namespace
}  // namespace qz::gui::test
