#include "gui/print/commands.h"

#include "core/stamp.h"
#include "gui/print/predet_screen.h"
#include "gui/print/print_context.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "services/workbook/report_workbook.h"

namespace qz::gui {

namespace {

constexpr int kPrinterProfiles = 2782;

// The second logo is for displays of 20 colours or fewer, when one is set.
std::string logo_file(const AppContext& ctx) {
    const auto& s = ctx.settings;
    const std::string& name = s.XNUMCOLORS <= 20 && !s.XLOGO2.empty() ? s.XLOGO2 : s.XLOGOFILE;
    if (name.empty()) return {};
    return (std::filesystem::path(ctx.home) / "BMP" / name).string();
}

services::PrintEnvironment environment(AppContext& ctx) {
    services::PrintEnvironment env;
    env.print_font = ctx.settings.XPRINT_FONT.empty() ? "Calibri" : ctx.settings.XPRINT_FONT;
    env.XGRAYED = ctx.settings.XGRAYED;
    env.logo = logo_file(ctx);
    env.XLOGOFILE = ctx.settings.XLOGOFILE;
    env.temp_dir = ctx.temp_dir;
    env.stamp = services::PrintStamp{ctx.clock.now(), ctx.session.XUSER_ABREVIA, computer_name()};
    return env;
}

}  // namespace

void register_print_commands(Principal& w, AppContext& ctx) {
    PrintContext& print = print_context();
    print.environment = [&ctx] { return environment(ctx); };
    print.store_grayed = [&ctx](int grayed) { ctx.settings.XGRAYED = grayed; };
    print.port = &ctx.port;
    print.excel_factory = [&ctx](const std::filesystem::path& folder,
                                 const services::PrintStamp& stamp) {
        return services::make_report_workbook(folder, stamp,
                                              std::filesystem::path(ctx.home) / "BMP");
    };
    w.register_command(kPrinterProfiles, [&ctx, &w] {
        open_predet_screen(&w, *ctx.db, *ctx.ini, ctx.session.XU_COMP);
    });
}

}  // namespace qz::gui
