#include "gui/framework/tab_pages.h"

namespace qz::gui {

TabPages::TabPages(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (on_page_changed) on_page_changed(index + 1);
    });
}

QWidget* TabPages::ADDTABPAGE(const std::string& title) {
    auto* page = new QWidget(this);
    addTab(page, QString::fromStdString(title));
    return page;
}

void TabPages::ACTIVATEPAGE(int page) { setCurrentIndex(page - 1); }

void TabPages::SETPAGECOLOR(int page, const QColor& colour) {
    QWidget* w = widget(page - 1);
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace qz::gui
