#pragma once
// The steps of the spa application's start and of its running session, each small enough to
// read on its own. run_spa calls them in order.
#include <memory>
#include <string>

class QWidget;

#include "domain/session/error_handler.h"
#include "gui/session/app_context.h"

namespace qz::gui {

// Opens the installation's database; tells the user why when it cannot (false).
bool open_database(AppContext& ctx);
// F_SYS, DEFMAIL, FONTS, the local temporary path and the framework's switches.
void load_session_settings(AppContext& ctx);
// The login dialog; false when it was abandoned or refused. On success the installation's
// WAV/QUARTZEN.WAV is played when the workstation has a player.
bool run_login(AppContext& ctx);
// The splash window shown from the login until the main window is up (BMP/LOGO32.BMP, or the
// system's name drawn); the caller deletes it once the window shows.
QWidget* show_splash(const AppContext& ctx);
// The main window after a successful login: menus greyed by the user's rights, shown maximised,
// the after-login checks, the module's start commands posted and the session timers running.
std::unique_ptr<Principal> open_main_window(AppContext& ctx);
// After the window is up: caption translations, the stale-rate warning and the password age.
void after_login_checks(AppContext& ctx);
// The business selector of the toolbar asked for another business.
void change_business(AppContext& ctx, const std::string& code);
// The 60-second look at BLOQUEAD.!, with its alarm and countdown.
void check_quit(AppContext& ctx);
// An administrator asks a workstation's session to lock itself by sending its process SIGUSR1
// (the suite's session-lock request); the request is honoured at the next session tick.
void install_lock_request_signal();
// Every few seconds: the session log's sign of life, a lock request and the idle session lock.
void session_tick(AppContext& ctx, long long now_ms);
// Milliseconds since the application started (the timers' clock).
long long now_ms_since_start();
// The last key press or mouse click, for the idle session lock.
void note_input(long long now_ms);
long long last_input_ms();
// The forced password change when the password is older than allowed; ends the process when
// the user refuses it.
void force_password_change_if_due(AppContext& ctx);
// The error window; returns the user's answer.
domain::ErrorAnswer show_error_window(const domain::ErrorWindow& window);

}  // namespace qz::gui
