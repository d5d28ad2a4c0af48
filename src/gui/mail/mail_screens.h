#pragma once
// The mail screens of the "&Archivo" menu.
#include <string>

#include "core/user_port.h"
#include "domain/session/settings.h"

class QWidget;

namespace qz::data {
class Db;
}

namespace qz::gui {

class WDIAG;

// "Parámetros Globales" (command 2987): the mail settings of DEFMAIL, with a test send. Saving
// applies them to the running session at once. Returns whether the user saved.
bool open_mail_settings(QWidget* owner, data::Db& db, domain::AppSettings& settings,
                        const std::string& home);

// "Log Envío de emails" (command 6282): the mail queue newest first.
WDIAG* open_mail_log(QWidget* owner, data::Db& db);

// Ids of the settings dialog's controls.
enum MailSettingsId {
    kMsHost = 501,
    kMsSmtpPort,
    kMsPop3,
    kMsPop3Port,
    kMsName,
    kMsAddr,
    kMsIdName,
    kMsDest,
    kMsSendMail,
    kMsAuth,
    kMsAuthUser,
    kMsAuthPass,
    kMsCc1,
    kMsCc2,
    kMsTestAddr = 520,
    kMsTestButton = 201
};
inline constexpr int kMailLogGrid = 500;

}  // namespace qz::gui
