#pragma once
// Tab pages of a screen (MAINTABPAGE, ADDTABPAGE, ACTIVATEPAGE): the controls of each page live
// in the page's widget, so switching pages hides one set and shows the other; a screen that
// reacts to the switch registers a callback.
#include <QTabWidget>
#include <functional>
#include <string>

namespace qz::gui {

class TabPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TabPages(QWidget* parent);

    // A new page titled `title`; its controls are created with the page as parent.
    QWidget* ADDTABPAGE(const std::string& title);
    // Pages count from 1, as the screens number them.
    void ACTIVATEPAGE(int page);
    int GETACTIVEPAGE() const { return currentIndex() + 1; }
    void SETPAGECOLOR(int page, const QColor& colour);
    // Called with the new page number after each switch.
    std::function<void(int)> on_page_changed;
};

}  // namespace qz::gui
