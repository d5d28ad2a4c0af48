#pragma once
// What the login, lock, change-of-business and password dialogs work on: the session's database,
// the port that shows the domain's messages, the session itself, the application settings and
// the workstation's settings file. The application builds it once and hands it to each dialog.
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/login.h"
#include "domain/session/session.h"
#include "domain/session/settings.h"

namespace qz::gui {

struct SessionContext {
    data::Db& db;
    UserPort& port;
    domain::Session& session;
    domain::AppSettings& settings;
    IniFile& ini;

    // A service of its own for each dialog: it counts the failed attempts of that dialog only,
    // so three wrong passwords spread over three session locks do not block an account.
    domain::LoginService login() const {
        return domain::LoginService(db, port, session, settings, ini);
    }
};

}  // namespace qz::gui
