#pragma once
// Mailing the documents a regular-invoice run generated: each customer branch with a valid
// e-mail address gets a notification of its document (number, date, period and amount) queued
// on E_MSGS, which the mail service sends.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/regular/regular_generation.h"
#include "domain/session/settings.h"
#include "services/mail/mail_engine.h"

namespace qz::services {

// The documents queued; documents of branches without a valid address are passed over. A
// document whose mail could not be queued is told through `port` and the others still go.
long queue_regular_mail(data::Db& db, const domain::AppSettings& settings, const MailPaths& paths,
                        UserPort& port, const std::string& business,
                        const std::vector<domain::regular::GeneratedDocument>& documents);

}  // namespace qz::services
