#pragma once
// Everything a running session of the spa application holds, handed to whoever needs it.
#include <filesystem>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/ini_file.h"
#include "data/db.h"
#include "domain/search/txt_srch.h"
#include "domain/session/error_handler.h"
#include "domain/session/forced_exit.h"
#include "domain/session/login.h"
#include "domain/session/run_marker.h"
#include "domain/session/session.h"
#include "domain/session/settings.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

class Principal;

struct AppContext {
    std::string home;
    std::filesystem::path temp_dir;  // this session's temporary files (TEMP or the local path)
    QtUserPort port;
    Clock clock;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<domain::TxtSrchHook> full_text;  // after db: it goes first
    std::unique_ptr<domain::RunMarker> running;       // removed on every ordinary way out
    domain::AppSettings settings;
    domain::Session session;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<domain::LoginService> login;
    domain::ErrorHandler errors;
    domain::ForcedExit forced_exit;
    Principal* window = nullptr;
    int IN_CH_STRUC = 0;
};

// After a login or a change of business: what grids, exports, mail and the error handler take
// from the session (session_services.cpp).
void install_session_services(AppContext& ctx);
// When the session ends: nothing shared by the framework (hooks, print context, main window)
// points into it any more.
void remove_session_services();

// The commands of the menu that have a screen: each opens it (see commands.cpp).
void register_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
