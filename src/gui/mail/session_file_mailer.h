#pragma once
// The e-mail step of reports and grid exports for a running session: the sender's business
// unit, the recipient through LEE_EMAIL, the PDF renamed after the document, the message queued
// in E_MSGS and, when the mail service has been silent for more than 300 seconds, sent at once
// under the WAIT window.
#include <functional>
#include <string>

#include "gui/framework/workspace.h"
#include "gui/session/session_context.h"

namespace qz::gui {

using FileMailer = std::function<bool(QWidget* owner, const FileMailRequest&)>;

// `home` is the installation directory (HTML, MAIL/SEND and HBEAT live there).
FileMailer make_file_mailer(SessionContext ctx, std::string home);

}  // namespace qz::gui
