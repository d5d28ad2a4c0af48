// What a session lends the rest of the application once its user is known: the grids' shared
// settings, the navigation between screens (which the main window hands its screens and the
// framework's pieces), and the mailing of error reports.
#include "gui/browse/browse_settings.h"
#include "gui/main/app_navigation.h"
#include "gui/main/app_setup.h"
#include "gui/print/print_context.h"
#include "services/mail/mail_service.h"

namespace qz::gui {

void install_session_services(AppContext& ctx) {
    set_XREFRESH_BROWSE(ctx.settings.XREFRESH_BROWSE);
    set_browse_user(ctx.session.XU_COMP, static_cast<int>(ctx.session.XUSER_NUMBER.value_or(0)));
    if (!ctx.navigation) ctx.navigation = make_app_navigation(ctx);
    ctx.errors.set_mail_sender(
        services::make_error_mail_sender(ctx.settings, services::MailPaths{ctx.home}));
}

void remove_session_services() { print_context() = {}; }

}  // namespace qz::gui
