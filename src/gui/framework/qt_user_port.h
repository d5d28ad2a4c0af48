#pragma once
// How the business logic asks the person at the workstation, answered with Qt: message boxes with
// the system's titles and icons, the WAIT window, and breathing during long loops.
#include "core/user_port.h"

class QWidget;

namespace qz::gui {

// Lets pending events run once; a call made while they run returns at once, so a handler that
// starts another long loop does not nest the dispatch.
void breathe_events();

class QtUserPort : public UserPort {
public:
    // Boxes and wait windows are owned by `window` (the main window when null).
    explicit QtUserPort(QWidget* window = nullptr) : m_window(window) {}

    // A box of the style's icon; an empty title takes the style's own ("Error", "Atencion"...).
    void message(MsgStyle style, const std::string& title, const std::string& text) override;
    // OK/Cancel with the question icon; true for OK.
    bool confirm(const std::string& title, const std::string& text) override;
    std::unique_ptr<WaitWindow> wait(const std::string& title) override;
    void breathe() override { breathe_events(); }

private:
    QWidget* m_window;
};

}  // namespace qz::gui
