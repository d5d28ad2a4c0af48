#include "core/text.h"
#include "domain/session/log_sessions.h"
#include "domain/spa/reservations/confirmation.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "gui/session/app_context.h"
#include "gui/spa/reservations/reservation_screens.h"
#include "services/mail/mail_queue.h"

namespace qz::gui {

namespace ds = domain::spa;

namespace {

std::optional<ds::Confirmation> send(AppContext& ctx, const ds::SpaHeader& h,
                                     const std::vector<ds::SpaLine>& lines, DateTime* queued) {
    if (!ds::ensure_spa_template(ctx.home)) {
        ctx.port.message(MsgStyle::Error, "Error",
                         "No se pudo escribir la plantilla de correo HTML/SPA.HTM");
        return std::nullopt;
    }
    const std::string& business = ctx.session.XU_COMP;
    ds::Confirmation c = ds::confirmation_of(*ctx.db, business, h, lines);
    services::ReglasArgs a;
    a.owner = "SPA_RESE";
    a.business = business;
    a.hotel = c.hotel;
    a.to = c.to;
    a.subject = ds::kConfirmSubject;
    a.user = c.to;
    a.fields = c.fields;
    a.template_file = ds::kConfirmTemplate;
    a.cod_res = c.code;
    const DateTime at = ctx.db->clock().now();
    if (!services::SEND_REGLAS(*ctx.db, ctx.settings, services::MailPaths{ctx.home}, ctx.port, a))
        return std::nullopt;
    if (queued) *queued = at;
    return c;
}

}  // namespace

bool queue_confirmation(AppContext& ctx, const ds::SpaHeader& h,
                        const std::vector<ds::SpaLine>& lines, DateTime* queued) {
    return send(ctx, h, lines, queued).has_value();
}

void resend_confirmation(AppContext& ctx, const std::string& code) {
    ds::SpaReservation r(*ctx.db, ctx.port, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    if (trim(code).empty() || !r.load(code, ds::FormMode::Consult)) {
        ctx.port.message(MsgStyle::Error, "Error", "Debe seleccionar una reserva");
        return;
    }
    if (r.header.email.empty()) {
        ctx.port.message(MsgStyle::Error, "Error", "La reserva no tiene correo electrónico.");
        return;
    }
    // An address stored before addresses were checked would only wait out the time-out.
    if (!valid_email(r.header.email)) {
        ctx.port.message(MsgStyle::Error, "Error", "email inválido: " + r.header.email);
        return;
    }
    DateTime queued;
    if (auto c = send(ctx, r.header, r.lines, &queued))
        ds::wait_confirmation_sent(*ctx.db, ctx.port, ctx.session.XU_COMP, *c, queued);
}

bool cancel_from_list(AppContext& ctx, const std::string& code, const std::string& question) {
    ds::CancelRequest c{ctx.session.XU_COMP, code, ctx.session.XUSER_ABREVIA,
                        domain::session_info_user(), question};
    return ds::cancel_reservation(*ctx.db, ctx.port, c);
}

}  // namespace qz::gui
