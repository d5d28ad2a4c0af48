#pragma once
// The mail settings record DEFMAIL as the "Parámetros Globales" dialog edits it.
#include <string>

#include "data/db.h"
#include "domain/session/settings.h"

namespace qz::services {

struct MailSettingsForm {
    std::string HOST;
    long SMTP_PORT = 0, POP3_PORT = 0;
    int POP3 = 0;
    std::string USERNAME, USERADDR, ID_NAME, DESTINO;
    int SENDMAIL = 0, AUTORIZA = 0;
    std::string AUTH_USER, AUTH_PASS, CC_CONF1, CC_CONF2;
    bool operator==(const MailSettingsForm&) const = default;
};

// The installation's record (the first one); blank when there is none.
MailSettingsForm read_mail_form(data::Db& db);
// Writes the first record, appending it when there is none.
void save_mail_form(data::Db& db, const MailSettingsForm& f);
// The form's first complaint: "" when it can be saved.
std::string check_mail_form(const MailSettingsForm& f);
// A port as typed into the form: blank is 0 (the protocol's standard port), 1 to 65535 that
// port, anything else (a typed 0, 70000, letters) -1, which check_mail_form refuses: no typed
// port is cut, clamped or taken for the standard one without a word.
long typed_port(const std::string& text);
// The session's mail variables with the form applied. The sender name and address the user's
// own record gave at login (they differ from the stored ones) are kept.
void apply_mail_form(domain::AppSettings& s, const MailSettingsForm& stored,
                     const MailSettingsForm& f);

}  // namespace qz::services
