#pragma once
// What a screen needs from the window it lives in. The main window implements it; the framework
// only talks to this interface, so screens can be opened and tested without a main window.
#include <string>

namespace qz::gui {

class WDIAG;

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // The screen became the active one: the host rebuilds its "Editar" menu for `context_id`.
    virtual void screen_activated(WDIAG* screen, int context_id) = 0;
    // The screen lost activation or is closing. Activation of the next screen may arrive before
    // this, so a host drops the menu only when it still belongs to `screen`.
    virtual void screen_deactivated(WDIAG* screen) = 0;
    // A screen or modal dialog is being opened: the host writes the screen-usage record.
    virtual void screen_opened(const std::string& dialog_name) = 0;
    // Makes the screen a child of the MDI client and shows it. Without a main window it is shown
    // as a window of its own.
    virtual void adopt_screen(WDIAG& screen);
};

}  // namespace qz::gui
