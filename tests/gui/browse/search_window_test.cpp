// Typing in a grid and the search window: opening rules, quick search, locate and continue.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/browse/editcell.h"
#include "gui/browse/grid_fixture.h"

namespace qz::gui::test {
namespace {

using SearchWindowTest = GridFixture;

void press(QWidget& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, QString text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&w, &e);
}

QLineEdit* field(int id) {
    return SEARCHOB::XSEARCH_WINDOW()->findChild<QLineEdit*>(QString::number(id));
}

TEST_F(SearchWindowTest, TypingOpensTheWindowOnTableColumnsOnly) {
    auto& g = open_grid();
    press(g, Qt::Key_5, Qt::KeypadModifier, "5");
    ASSERT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 1);
    EXPECT_EQ(field(500)->text(), "5");
    EXPECT_FALSE(field(501)->isEnabled());  // a text column has no range
    EXPECT_FALSE(host->isEnabled());
    SEARCHOB::XSEARCH_WINDOW()->Terminar();
    EXPECT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 0);
    EXPECT_TRUE(host->isEnabled());

    at_column(5);
    press(g, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 0);
    EXPECT_EQ(boxes.last_text(), "Debe posicionarse sobre una columna diferente");

    at_column(2);
    press(g, Qt::Key_1, Qt::NoModifier, "1");
    EXPECT_TRUE(field(501)->isEnabled());  // dates search a range
    field(500)->setText("R0042");
    at_column(1);
    SEARCHOB::XSEARCH_WINDOW()->DO_SEARCH();
    EXPECT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 0);
    EXPECT_EQ(code(), "R0042");
    EXPECT_EQ(g.rowPos(), 1);
}

// A chooser is a modal dialog: a search window under it took no click and no key, and stayed.
TEST_F(SearchWindowTest, OverAModalDialogTheWindowTakesItsTurnOnTop) {
    auto& g = open_grid();
    host->hide();
    host->setWindowModality(Qt::ApplicationModal);
    host->show();
    ASSERT_EQ(QApplication::activeModalWidget(), host);
    press(g, Qt::Key_R, Qt::NoModifier, "R");
    ASSERT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), SEARCHOB::XSEARCH_WINDOW());
    SEARCHOB::XSEARCH_WINDOW()->Terminar();
    EXPECT_EQ(QApplication::activeModalWidget(), host);
    host->hide();
}

TEST_F(SearchWindowTest, TypingSearchSwitchedOffDoesNothing) {
    auto o = default_options();
    o.no_search = true;
    auto& g = open_grid(o);
    press(g, Qt::Key_A, Qt::NoModifier, "a");
    press(g, Qt::Key_5, Qt::KeypadModifier, "5");
    EXPECT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 0);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(code(), "R0001");
}

TEST_F(SearchWindowTest, QuickSearchNeedsSortableColumns) {
    auto o = default_options();
    o.sortable.clear();
    auto& g = open_grid(o);
    press(g, Qt::Key_R, Qt::NoModifier, "r");
    SEARCHOB::XSEARCH_WINDOW()->DO_SEARCH();
    EXPECT_EQ(boxes.last_text(),
              "No se puede realizar la búsqueda rápida\npues esta ventana no permite "
              "ordenamientos sobre columnas");
    EXPECT_EQ(SEARCHOB::XSEARCH_ACTIVE(), 1);
}

TEST_F(SearchWindowTest, LocateAndContinueScanForwardsBackwardsAndInRanges) {
    auto& g = open_grid();
    at_column(3);
    press(g, Qt::Key_A, Qt::NoModifier, "a");
    auto* w = SEARCHOB::XSEARCH_WINDOW();
    field(500)->setText("ana pé");
    ASSERT_TRUE(w->DO_LOCATE());
    EXPECT_EQ(code(), "R0007");
    EXPECT_EQ(g.rowPos(), 1);
    ASSERT_TRUE(w->DO_LOCATE());  // the current row is tested first
    EXPECT_EQ(code(), "R0007");
    ASSERT_TRUE(w->DO_CONTINUE());
    EXPECT_EQ(code(), "R0057");
    EXPECT_EQ(w->findChild<QComboBox*>("601")->count(), 1);
    w->findChild<QRadioButton*>("203")->setChecked(true);
    ASSERT_TRUE(w->DO_CONTINUE());
    EXPECT_EQ(code(), "R0007");
    EXPECT_FALSE(w->DO_CONTINUE());  // nothing above: the grid stays
    EXPECT_EQ(code(), "R0007");
    w->Terminar();

    at_column(2);
    press(g, Qt::Key_1, Qt::NoModifier, "1");
    w->findChild<QRadioButton*>("202")->setChecked(true);
    field(500)->setText("10/01/26");
    field(501)->setText("12/01/26");
    ASSERT_TRUE(w->DO_LOCATE());
    EXPECT_EQ(code(), "R0010");
    ASSERT_TRUE(w->DO_CONTINUE());
    EXPECT_EQ(code(), "R0011");
    field(501)->clear();  // a date range without its upper bound finds nothing
    EXPECT_FALSE(w->DO_LOCATE());
    EXPECT_EQ(code(), "R0011");
    EXPECT_EQ(w->findChild<QComboBox*>("601")->count(), 3);
}

TEST_F(SearchWindowTest, EditcellWritesTheFieldUnderALock) {
    auto& g = open_grid();
    g.SKIP(2);
    at_column(3);
    when_modal([] {
        auto* edit = QApplication::focusWidget();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(qobject_cast<QLineEdit*>(edit)->text().left(1), "M");
        qobject_cast<QLineEdit*>(edit)->setText("Marta Solís");
        type_key(Qt::Key_Return);
    });
    ASSERT_TRUE(Editcell::Editar(*t, g, Qt::Key_M, "M"));
    auto check = data::USE(*db, "SPA_RESE", "SPA_HTC");
    ASSERT_TRUE(check->Seek(data::order_key("SPA_RESE", "SPA_HTC", {"SPA", "R0003"})));
    EXPECT_EQ(trim(check->str("A_NOMBRE")), "Marta Solís");
    EXPECT_EQ(g.model()->index(2, 2).data().toString().trimmed(), "Marta Solís");
    EXPECT_FALSE(Editcell::Editar(*t, g, Qt::Key_F5));
}

}  // namespace
}  // namespace qz::gui::test
