// Caption translation and resize anchors: what a business renames on its screens, and where
// controls go when a screen is resized.
#include <QLabel>
#include <QPushButton>

#include "gui/framework/framework_test_util.h"
#include "gui/framework/resize_anchors.h"
#include "gui/framework/traduct.h"

namespace qz::gui {
namespace {

TEST(CaptionTranslation, ReplacesWholeWordsOrTheWholeCaptionOnce) {
    const std::vector<TraductRow> rows = {{"Cliente", "Huésped", 0}, {"Fac", "Doc", 1}};
    EXPECT_EQ(CHECK_TRADUCT("Cliente", rows), "Huésped");
    EXPECT_EQ(CHECK_TRADUCT("CLIENTE", rows), "Huésped") << "case does not matter";
    EXPECT_EQ(CHECK_TRADUCT("Nuevo cliente", rows), "Nuevo Huésped");
    EXPECT_EQ(CHECK_TRADUCT("Cliente nuevo", rows), "Huésped nuevo");
    EXPECT_EQ(CHECK_TRADUCT("Clientes", rows), "Clientes") << "not inside a longer word";
    EXPECT_EQ(CHECK_TRADUCT("Facturas", rows), "Docturas") << "mode 1 replaces anywhere";
    EXPECT_EQ(CHECK_TRADUCT("Cliente Fac", rows), "Huésped Fac") << "the first row ends it";
    EXPECT_EQ(CHECK_TRADUCT("Código", {{"", "x", 1}, {"código", "Clave", 0}}), "Clave");
}

TEST(CaptionTranslation, AppliesToTheCaptionsOfAScreen) {
    set_XTRADUCT({{"Cliente", "Huésped", 0}});
    QWidget w;
    auto* label = new QLabel("Cliente", &w);
    auto* button = new QPushButton("Buscar cliente", &w);
    translate_captions(w);
    EXPECT_EQ(label->text(), "Huésped");
    EXPECT_EQ(button->text(), "Buscar Huésped");
    set_XTRADUCT({});
}

TEST(ResizeAnchors, ControlsKeepTheirMarginsWhenTheScreenGrows) {
    QWidget screen;
    screen.resize(400, 300);
    auto place = [&](QRect r) {
        auto* w = new QWidget(&screen);
        w->setGeometry(r);
        return w;
    };
    QWidget* grid = place({10, 10, 380, 200});    // all margins: 10, 10, 10, 90
    QWidget* ok = place({10, 260, 80, 30});       // left and bottom
    QWidget* salir = place({310, 260, 80, 30});   // right and bottom
    QWidget* buscar = place({310, 220, 80, 30});  // right only
    QWidget* titulo = place({10, 215, 200, 20});  // width, bottom
    QWidget* copia = place({0, 0, 5, 5});         // size of ok
    ResizeAnchors anchors(screen);
    anchors.FIX_OBJ(grid, kAnchorAll);
    anchors.FIX_OBJ(ok, kAnchorLeftBottom);
    anchors.FIX_OBJ(salir, kAnchorRightBottom);
    anchors.FIX_OBJ(buscar, kAnchorRight);
    anchors.FIX_OBJ(titulo, kAnchorWidthBottom);
    anchors.FIX_OBJ(copia, kAnchorSizeOf, ok);

    screen.resize(600, 500);
    QCoreApplication::sendPostedEvents();
    anchors.apply();
    EXPECT_EQ(grid->geometry(), QRect(10, 10, 580, 400));
    EXPECT_EQ(ok->geometry(), QRect(10, 460, 80, 30));
    EXPECT_EQ(salir->geometry(), QRect(510, 460, 80, 30));
    EXPECT_EQ(buscar->geometry(), QRect(510, 220, 80, 30));
    EXPECT_EQ(titulo->geometry(), QRect(10, 415, 400, 20));
    EXPECT_EQ(copia->size(), QSize(80, 30));
}

}  // namespace
}  // namespace qz::gui
