// A right click on a grid's column headings opens the column layout dialog of that grid.
#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include "gui/browse/grid_fixture.h"

namespace qz::gui::test {
namespace {

using GridHeaderTest = GridFixture;

TEST_F(GridHeaderTest, RightClickOnTheHeadingsOpensSpaltenForThatGrid) {
    auto& g = open_grid();
    QString opened, title;
    when_modal([&] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog->objectName();
        title = dialog->windowTitle();
        QTest::mouseClick(dialog->findChild<QWidget*>("113"), Qt::LeftButton);
    });
    QHeaderView* header = g.horizontalHeader();
    emit header->customContextMenuRequested(QPoint(header->sectionPosition(1) + 2, 2));
    EXPECT_EQ(opened, "SPALTEN");
    EXPECT_EQ(title, "Spalten - SPA_GRID");
}

}  // namespace
}  // namespace qz::gui::test
