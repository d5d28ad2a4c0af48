#pragma once
// The main window: the frame in which every screen opens as an MDI child. It builds the module's
// menu bar (greying what the rights deny), rebuilds "Editar" for the active screen, keeps the
// toolbar and status bar, watches for administrative exit requests and closes the session.
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/framework/workspace.h"
#include "gui/shell/menu_def.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QComboBox;
class QLineEdit;
class QLabel;
class QTimer;

namespace qz::gui {

// What the main window needs from the session, as plain functions so it stays testable.
struct PrincipalHooks {
    std::function<bool(int)> greyed;            // GET_RIGHTS: true = command denied
    std::function<bool(int)> checked;           // GET_CHECKS
    std::function<std::string()> user_abrevia;  // shown in the toolbar (control 999)
    // Businesses for the selector: {code, name}; and the current one.
    std::function<std::vector<std::pair<std::string, std::string>>()> businesses;
    std::function<std::string()> current_business;
    std::function<void(const std::string&)> change_business;  // re-login in another business
    std::function<void()> check_quit;                         // the 60-second forced-exit check
    std::function<void()> logout;                             // LOGOUT_USER before leaving
    std::function<bool(const std::string&, const std::string&)> confirm;  // title, text
    std::function<void()> ads_config;  // "ADS Config.": the database server in use
    std::function<void()> about;       // "Acerca de"
    std::function<void(const std::string&)> screen_opened;  // screen-usage log of a screen
    std::function<void(int)> usage_viewer;  // a supervisor's right click on a command
    std::function<bool()> supervisor;       // the session is a supervisor's
};

class Principal : public QMainWindow, public Workspace {
    Q_OBJECT
public:
    Principal(const std::string& title, bool with_login, PrincipalHooks hooks,
              QWidget* parent = nullptr);
    ~Principal() override;

    // A command of the menu: what choosing it does. Commands without one stay greyed.
    void register_command(int id, std::function<void()> action);
    // Rebuilds the menu bar; `context_id` is the active screen's (0 = none).
    void MenuSet(int context_id, QWidget* screen = nullptr);
    // Runs a command as the menu does (XID_MENU := id); false when greyed or unknown.
    bool DO_ACTION(int id);
    int XID_MENU() const { return m_xid_menu; }
    // Runs a screen operation of the "Editar" menu on the active screen; every action registered
    // under the name is given the screen.
    void register_operation(const std::string& operation,
                            std::function<void(QWidget* screen)> action);

    // The screens tell the window when they become active, lose activation or open.
    void screen_activated(WDIAG* screen, int context_id) override;
    void screen_deactivated(WDIAG* screen) override;
    void screen_opened(const std::string& dialog_name) override;
    void adopt_screen(WDIAG& screen) override;
    // Workspace: the session's links reach the screens and pieces inside this window.
    QWidget* workspace_window() override { return this; }
    FrameworkLinks* links() override { return m_links; }
    void set_links(FrameworkLinks* links) { m_links = links; }
    int active_context() const { return m_context; }
    PrincipalHooks& hooks() { return m_hooks; }
    // After a change of business: the selector and the user's short code show the new session.
    void refresh_business();

    QMdiArea* mdi() const { return m_mdi; }
    // Adds a screen as an MDI child and shows it.
    void open_child(QWidget* screen);
    void keep_inside(QMdiSubWindow* sub);
    // Posts the module's start command once the window is up.
    void post_start_command(int id);

    // Rights designed on the menu itself (the users screen). While set, every command of the
    // menu shows the mark `checked(id)` and is enabled whatever the session's rights, so the
    // whole menu can be read; choosing a command still obeys the rights. With `toggle` (capture
    // mode) a right click on a command calls toggle(id) instead of running it, and the menu
    // stays open for the next one. clear_capture() gives the menu back to the session.
    void set_capture(std::function<bool(int)> checked, std::function<void(int)> toggle);
    void clear_capture();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void build_menu(QMenu* parent, const std::vector<MenuItem>& items);
    void build_editar(QMenu* menu);
    void build_toolbar();
    void build_status_bar();
    void window_command(int id);
    void refresh_keyboard_state();

    std::string m_title;
    bool m_login;
    PrincipalHooks m_hooks;
    FrameworkLinks* m_links = nullptr;  // the session's, which outlives the window
    QMdiArea* m_mdi = nullptr;
    QComboBox* m_business = nullptr;
    QLineEdit* m_user = nullptr;
    QLabel* m_ins = nullptr;
    QLabel* m_num = nullptr;
    QLabel* m_caps = nullptr;
    QTimer* m_quit_timer = nullptr;
    std::map<int, std::function<void()>> m_commands;
    // Several screens may name an operation alike ("ADD_ITEM"); each action checks the screen it
    // is given and leaves the others' alone.
    std::map<std::string, std::vector<std::function<void(QWidget*)>>> m_operations;
    int m_context = 0;
    QWidget* m_screen = nullptr;
    int m_xid_menu = 0;
    bool m_in_action = false;
    bool m_overwrite = false;

    void apply_capture(QMenu* menu);
    bool capture_click(QObject* obj, QEvent* e);
    bool usage_click(QObject* obj, QEvent* e);
    std::function<bool(int)> m_capture_checked;
    std::function<void(int)> m_capture_toggle;
};

}  // namespace qz::gui
