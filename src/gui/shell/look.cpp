#include "gui/shell/look.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>
#include <QTranslator>

namespace qz::gui {

namespace {
QColor rgb(const std::array<int, 3>& c) { return QColor(c[0], c[1], c[2]); }

// The suite's mark, drawn: a "Q" on the highlight colour, for every window of the application.
QIcon suite_icon(const QColor& colour) {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 60, 60, 12, 12);
    QFont f;
    f.setPixelSize(42);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, "Q");
    return QIcon(pm);
}
}  // namespace

void apply_look(QApplication& app, const std::array<int, 3>& window_rgb,
                const std::array<int, 3>& highlight_rgb) {
    app.setStyle(QStyleFactory::create("Fusion"));
    // The window colour of the settings is a frame colour; fields stay white and text dark so
    // a receptionist reads them from across the desk.
    QColor window = rgb(window_rgb).lighter(115);
    QColor highlight = rgb(highlight_rgb);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, QColor(20, 20, 20));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, window.lighter(112));
    p.setColor(QPalette::Text, QColor(20, 20, 20));
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, QColor(20, 20, 20));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText,
               highlight.lightness() > 140 ? QColor(20, 20, 20) : QColor(Qt::white));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, QColor(20, 20, 20));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    app.setPalette(p);
    app.setWindowIcon(suite_icon(highlight));
}

bool load_spanish(QApplication& app) {
    auto* t = new QTranslator(&app);
    if (!t->load("qtbase_es", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    app.installTranslator(t);
    return true;
}

}  // namespace qz::gui
