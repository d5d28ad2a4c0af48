#pragma once
// WDIAG: the base of every screen. A screen is a QWidget that lives as an MDI child of the main
// window; it opens its tables when it opens and closes them when it closes, tells the main window
// its context id whenever it becomes active (so "Editar" shows its operations), and follows the
// dialog protocol of DialogFrame.
//
// Lifecycle: construct → open() runs Init (tables, controls, Create, grid) → the user works →
// Terminar, Cancel or the close box → CLOSEIT → CerrarBases (or ENABLEPARENT) and HIDE_MENU →
// the widget deletes itself.
#include <QPointer>
#include <QWidget>
#include <string>
#include <utility>

#include "gui/framework/dialog_frame.h"

namespace qz::gui {

struct ScreenOptions {
    bool visible = true;   // false: created hidden until Show()
    bool sizable = false;  // false: the screen keeps the size its controls ask for
};

class WDIAG : public QWidget, public DialogFrame {
    Q_OBJECT
public:
    // `owner` is the screen or window that opened this one; `context_id` is the menu command id
    // that opened it (XID_MENU), which selects the "Editar" operations.
    WDIAG(QWidget* owner, const std::string& dlg_name, int context_id = 0,
          ScreenOptions options = {});
    ~WDIAG() override;

    // Runs Init. On failure the tables are closed, the widget is deleted and false returned.
    bool open();
    // Shows the screen as the active MDI child (Init calls it once its controls exist; open()
    // calls it when Init did not).
    void Create();
    void Show();

    int context_id() const { return m_context_id; }
    bool ISACTIVE() const { return m_active; }
    QWidget* owner() const { return m_owner; }

    // Ask the main window to show / drop this screen's menu.
    virtual void SHOW_MENU();
    virtual void HIDE_MENU();
    // For a screen that behaves modally over the screen that opened it: Init disables the owner,
    // and closing closes the tables, enables the owner again and asks it to refresh itself.
    void DISABLEPARENT();
    virtual void ENABLEPARENT();
    // The screen this one was modal over closed: re-read what it may have changed.
    virtual void refresh_after_child() {}

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void finish(int cmd) override;
    // The last step of a close: the tables (or ENABLEPARENT for a modal-over-parent screen).
    virtual void OnNCDESTROY();

private:
    void watch_subwindow();
    void set_active(bool active);

    QPointer<QWidget> m_owner;
    int m_context_id;
    ScreenOptions m_options;
    bool m_created = false;
    bool m_active = false;
    bool m_owner_disabled = false;
    bool m_in_close_event = false;
    QMetaObject::Connection m_subwindow_watch;
};

// The screen a control sits on: its nearest WDIAG, else (a control outside every screen) its
// window. Inside the main window a control's window() is the main window itself, which is not
// the screen to disable, to name or to take a caption from.
QWidget* screen_of(const QWidget* control);

// Creates and opens a screen: `new S(args...)` then open(); null when it could not open.
template <class S, class... A>
S* open_screen(A&&... args) {
    auto* screen = new S(std::forward<A>(args)...);
    return screen->open() ? screen : nullptr;
}

}  // namespace qz::gui
