// The hooks through which framework pieces built apart (the grid, the export window, the
// calendar, the mailer) reach each other and the session.
#include "core/stamp.h"
#include "gui/browse/browse_settings.h"
#include "gui/framework/file_mailer.h"
#include "gui/framework/framework_settings.h"
#include "gui/lists/show_cal.h"
#include "gui/mail/session_file_mailer.h"
#include "gui/print/tree_report.h"
#include "gui/spa/agenda/agenda_hooks.h"
#include "gui/spa/reservations/reservation_screens.h"
#include "gui/main/app_context.h"
#include "gui/main/principal.h"
#include "gui/print/print_context.h"
#include "gui/session/session_context.h"
#include "gui/workbook/dbf_ob.h"
#include "services/mail/mail_service.h"

namespace qz::gui {

namespace {

services::PrintStamp stamp_now(const AppContext& ctx) {
    return {ctx.clock.now(), ctx.session.XUSER_ABREVIA, computer_name()};
}

void install_grid_hooks(AppContext& ctx) {
    set_XREFRESH_BROWSE(ctx.settings.XREFRESH_BROWSE);
    set_browse_user(ctx.session.XU_COMP, static_cast<int>(ctx.session.XUSER_NUMBER.value_or(0)));
    set_grid_date_chooser([](QWidget* owner, Date initial) -> std::optional<ChosenDate> {
        auto choice = show_cal(owner, initial);
        if (!choice) return std::nullopt;
        return ChosenDate{choice->first, choice->second};
    });
    set_grid_export_window([&ctx](QWidget* owner,
                                  std::unique_ptr<services::GridExportSource> source,
                                  const std::string& caption) {
        DbfObSettings s;
        s.temp_folder = ctx.temp_dir;
        s.bmp_folder = std::filesystem::path(ctx.home) / "BMP";
        s.logo = ctx.settings.XLOGOFILE;
        s.stamp = stamp_now(ctx);
        open_dbf_ob(owner, std::move(source), caption, s);
    });
}

// The agenda opens the reservation form on a free slot and the slot's list on a taken one.
void install_spa_hooks(AppContext& ctx) {
    set_agenda_new_reservation([&ctx](QWidget* owner, const std::string& room, Date day,
                                      const std::string& time) {
        open_new_reservation(owner, ctx, room, day, time);
    });
    set_agenda_slot_list([&ctx](QWidget* owner, const std::string& room, Date day,
                                const std::string& time) {
        open_slot_reservations(owner, ctx, room, day, time);
    });
}

}  // namespace

void install_session_services(AppContext& ctx) {
    install_grid_hooks(ctx);
    install_spa_hooks(ctx);
    set_tree_printer([&ctx](const std::string& title, const std::vector<TreePrintLine>& lines,
                            bool dotted) {
        print_tree_report(ctx.window, title, lines, dotted);
    });
    set_file_mailer(make_file_mailer(
        SessionContext{*ctx.db, ctx.port, ctx.session, ctx.settings, *ctx.ini}, ctx.home));
    ctx.errors.set_mail_sender(
        services::make_error_mail_sender(ctx.settings, services::MailPaths{ctx.home}));
}

void remove_session_services() {
    set_grid_export_window({});
    set_grid_date_chooser({});
    set_agenda_new_reservation({});
    set_agenda_slot_list({});
    set_tree_printer({});
    set_file_mailer({});
    print_context() = {};
    set_screen_host(nullptr);
    set_main_window(nullptr);
}

}  // namespace qz::gui
