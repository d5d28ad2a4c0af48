#pragma once
// Sending what waits in E_MSGS: one record at once (the e-mail step of reports) or every ready
// record (the mail service's pass), and the error handler's immediate mail.
#include <string>

#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/session/error_handler.h"
#include "services/mail/mail_engine.h"

namespace qz::services {

// A row is given up after this many failed sends.
inline constexpr int kMaxSendFailures = 5;

// The message a queue row describes.
MailMessage message_of(const data::WDBTable& q);
// Marks the row where `q` stands: sent (ENVIADO, F_ENVIO, H_ENVIO) or failed (ERR_COUNT + 1,
// ERR_TEXT = code and reason).
void mark_sent(data::Db& db, data::WDBTable& q);
void mark_failed(data::Db& db, data::WDBTable& q, int code, const std::string& reason);

enum class SendOutcome { Sent, ConnectFailed, SendFailed };

// Sends queue record `recno` at once: CONNECTSEE, SENDMAILQUARTZEN, DISCONNECTSEE, and marks
// the row. `code` receives the engine's code.
SendOutcome send_record_now(data::Db& db, MailEngine& engine, long recno, int* code = nullptr);

struct MailPassReport {
    int sent = 0, failed = 0;
    int connect_code = 1;  // negative when the server could not be reached
};

// One pass of the mail service: every row that is ready (LISTO), not sent and has failed fewer
// than kMaxSendFailures times, oldest first, walking the queue's order over the unsent rows.
MailPassReport run_mail_pass(data::Db& db, MailEngine& engine);

// The error handler's immediate mail through the engine, quietly; false when it did not go.
domain::ErrorMailSender make_error_mail_sender(const domain::AppSettings& settings,
                                               MailPaths paths);

}  // namespace qz::services
