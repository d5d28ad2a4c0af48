#include "gui/regular/commands.h"

#include <filesystem>

#include "gui/customers/customer_list.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/formats/screen_printer.h"
#include "gui/regular/generation_screen.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "services/regular/regular_mail.h"

namespace qz::gui {

namespace {

using Documents = std::vector<domain::regular::GeneratedDocument>;

// Mailing through the session's mail settings, printing on the session's printers.
GenerationAfterRun after_run(AppContext& ctx) {
    GenerationAfterRun a;
    a.mail = [&ctx](QWidget* owner, const Documents& docs) {
        QtUserPort port(owner);
        services::queue_regular_mail(*ctx.db, ctx.settings, {ctx.home}, port, ctx.session.XU_COMP,
                                     docs);
    };
    a.print = [&ctx](QWidget* owner, const Documents& docs) {
        static const IniFile no_settings{std::filesystem::path{}};
        DocumentPrinter p = screen_printer(owner, *ctx.db, ctx.ini ? *ctx.ini : no_settings);
        for (const auto& d : docs) {
            DocumentPrintRequest r;
            r.business = ctx.session.XU_COMP;
            r.number = d.number;
            xPRINT_DOC(p, r);
        }
    };
    return a;
}

GenerationSetup setup(AppContext& ctx) {
    GenerationSetup s;
    s.business = ctx.session.XU_COMP;
    s.user = ctx.session.XUSER_ABREVIA;
    s.after = after_run(ctx);
    return s;
}

}  // namespace

void register_regular_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdRegularGeneration,
                       [&w, &ctx] { open_generation_screen(&w, *ctx.db, setup(ctx)); });
    on_customer(w, "CREA_DOCS", [&ctx](CustomerListScreen& list, const std::string& code) {
        GenerationSetup s = setup(ctx);
        s.customer = code;
        s.branch = list.current_branch();
        open_generation_screen(&list, *ctx.db, std::move(s));
    });
}

}  // namespace qz::gui
