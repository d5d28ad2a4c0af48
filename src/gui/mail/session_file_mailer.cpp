#include "gui/mail/session_file_mailer.h"

#include "core/text.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wait_window.h"
#include "gui/mail/lee_email.h"
#include "services/mail/mail_file_step.h"
#include "services/mail/mail_queue.h"
#include "services/mail/mail_service.h"

namespace qz::gui {

namespace {

namespace fs = std::filesystem;
constexpr int kErrorStyle = kMbOk | kMbIconStop;
constexpr int kConfirmStyle = kMbOk | kMbIconInformation;

void error(QWidget* owner, const std::string& text) {
    MESSAGE_BOX(owner, text, "Error", kErrorStyle);
}

// Sends queue record `recno` now under the WAIT window and says how it went.
bool send_now(QWidget* owner, SessionContext& ctx, const std::string& home, long recno,
              const std::string& to) {
    services::SendOutcome out;
    {
        WAIT wait(owner, "Un momento por favor...");
        wait.PUT_TEXT("Enviando email a: " + to);
        services::MailEngine engine(ctx.settings, {home}, nullptr);
        out = services::send_record_now(ctx.db, engine, recno);
        wait.STOP();
    }
    switch (out) {
        case services::SendOutcome::ConnectFailed:
            error(owner, "Error conectando SMTP");
            return false;
        case services::SendOutcome::SendFailed:
            error(owner, "Error enviando mail");
            return false;
        case services::SendOutcome::Sent:
            break;
    }
    MESSAGE_BOX(owner, "email enviado correctamente...", "Confirmación", kConfirmStyle);
    return true;
}

bool mail_one(QWidget* owner, SessionContext& ctx, const std::string& home,
              const FileMailRequest& r) {
    const auto unit = services::business_unit_name(ctx.db, ctx.session.XU_COMP);
    if (!unit) {
        error(owner, "Error en Código de Usuario utilizado");
        return false;
    }
    const std::string name = r.file.filename().string();
    if (r.file.parent_path().empty() || !fs::is_directory(r.file.parent_path())) {
        error(owner, "Error generando Archivo XLS.  Reporte posiblemente sin datos?");
        return false;
    }
    if (trim(name).empty()) {
        error(owner, std::string(r.grid ? "No se puede enviar archivo XLS. Nombre erróneo: "
                                        : "No se puede enviar archivo. Nombre erróneo: ") +
                         name);
        return false;
    }
    const long age = services::GET_HEARTBEAT(home);
    MailTarget proposed{
        r.file.parent_path().string(), name,
        services::user_email(ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_NUMBER)};
    const auto target = LEE_EMAIL(owner, proposed, age);
    if (!target) return false;
    fs::path file = fs::path(target->folder) / target->file;
    if (r.pdf) {
        const auto renamed = services::rename_pdf(file, r.document_name, services::tick_count());
        if (!renamed) {
            error(owner, "Error renombrando Attachment");
            return false;
        }
        file = *renamed;
    }
    services::NotificationArgs n;
    n.business = ctx.session.XU_COMP;
    n.unit_name = *unit;
    n.to = target->address;
    n.subject = services::kFileMailSubject;
    n.body = "Archivo " + file.filename().string();
    n.title = r.title;
    n.attachment = file.filename().string();
    n.attach_folder = file.parent_path().string();
    const auto recno = services::SEND_NOTIFICATION(ctx.db, ctx.settings, {home}, ctx.port, n);
    if (!recno) return false;
    if (services::mail_service_silent(age)) return send_now(owner, ctx, home, *recno, n.to);
    MESSAGE_BOX(owner,
                "Archivo guardado en Espera por enviar por MAILSERVER\r\nInfo: " + r.title +
                    "\r\nDestino: " + n.to,
                "Confirmación", kConfirmStyle);
    return true;
}

}  // namespace

FileMailer make_file_mailer(SessionContext ctx, std::string home) {
    return [ctx, home](QWidget* owner, const FileMailRequest& r) mutable {
        return mail_one(owner, ctx, home, r);
    };
}

}  // namespace qz::gui
