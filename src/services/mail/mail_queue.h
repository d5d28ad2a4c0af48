#pragma once
// The mail queue E_MSGS: rule-based messages (SEND_REGLAS) and file notifications
// (SEND_NOTIFICATION) are appended here; the mail service sends them and stamps its sign of
// life in HBEAT/MAILSERV.HBT.
#include <ctime>
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/session/settings.h"
#include "services/mail/mail_engine.h"
#include "services/mail/mail_template.h"

namespace qz::services {

// The arguments of SEND_REGLAS, in its order.
struct ReglasArgs {
    std::string owner;  // who asks (kept for the log; the queue does not store it)
    std::string business, hotel, to, subject, user;
    std::string title1, title2, label1, label2;
    MailFields fields;  // plain text: the body gets them HTML-escaped, line breaks as "<br>"
    std::string template_file;
    std::string attachment, attach_folder;
    int number = 1;
    std::string picture = "NOTIFICA.JPG";
    std::string cod_res;
    int kind = 0;
    std::string cc1, cc2;
    std::string template_folder;  // empty = the HTML folder
};

// Writes the body from the template into MAIL/SEND and appends the message to E_MSGS, ready
// for the mail service. Returns the queue record; nullopt, after telling `port`, when the
// template cannot be read or the body cannot be written.
std::optional<long> SEND_REGLAS(data::Db& db, const domain::AppSettings& settings,
                                const MailPaths& paths, UserPort& port, const ReglasArgs& a);

// What SEND_NOTIFICATION is told about the file it announces.
struct NotificationArgs {
    std::string business, unit_name;  // sender company and business unit name
    std::string to, subject, body, title;
    std::string heading = "ENVIO AUTOMATICO", label = "Descripción:";
    std::string attachment, attach_folder;
};
// Queues a notification with the file attached; its body comes from the template NOTIFICA.HTM
// of the HTML folder, or a plain built-in page when the installation has none.
std::optional<long> SEND_NOTIFICATION(data::Db& db, const domain::AppSettings& settings,
                                      const MailPaths& paths, UserPort& port,
                                      const NotificationArgs& a);

// Makes MAIL with SEND and RECEIVE inside it (marker file "YES" in MAIL).
void ensure_mail_folders(const MailPaths& paths);
// "T" + the last 7 digits of the seconds since midnight with two decimals, point removed,
// + ".HTM"; the next free name when that one exists already in `folder`.
std::string body_file_name(const std::string& folder);

// Age in seconds of the mail service's last sign of life; -1 when it never wrote one.
long GET_HEARTBEAT(const std::string& home, std::time_t now = std::time(nullptr));
void write_heartbeat(const std::string& home, std::time_t at = std::time(nullptr));
// The mail service counts as silent after this many seconds; then mail is sent at once.
inline constexpr long kHeartbeatLimit = 300;
inline bool mail_service_silent(long age) { return age > kHeartbeatLimit; }

}  // namespace qz::services
