#include "gui/cash/commands.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include "domain/cash/workstation_register.h"
#include "gui/cash/cash_screens.h"
#include "gui/cash/closing_report.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

// "Caja: <code> <description> / <operator>" for the workstation's open registers.
QString register_text(const domain::Session& s) {
    QString out;
    for (const auto* st : {&s.registers.XH_CAJAS, &s.registers.XH2_CAJAS})
        if (st->open == 1)
            out += QString::fromStdString((out.isEmpty() ? "Caja: " : "   Caja: ") + st->code +
                                          " " + st->description + " / " + st->operator_name);
    return out.isEmpty() ? QString("Caja: ") + domain::kNoRegister : out;
}

void show_register_in_status_bar(Principal& w, AppContext& ctx) {
    auto* label = new QLabel(register_text(ctx.session), &w);
    label->setObjectName("CAJA");
    w.statusBar()->addPermanentWidget(label);
    // The session outlives the window: a change told after the window is gone shows nowhere.
    ctx.session.registers.CHANGE_CAJA = [label = QPointer<QLabel>(label), &ctx](int) {
        if (label) label->setText(register_text(ctx.session));
    };
}

}  // namespace

void register_cash_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdRegisters,
                       [&w, &ctx] { open_register_screen(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdStationAuth, [&w, &ctx] {
        if (ctx.ini) open_station_authorisation(&w, *ctx.db, ctx.session.XU_COMP, *ctx.ini);
    });
    w.register_command(kCmdFrontDesk, [&w, &ctx] {
        open_front_desk_screen(&w, *ctx.db, ctx.session, ctx.ini.get());
    });
    w.register_command(kCmdWaiterShifts,
                       [&w, &ctx] { open_waiter_screen(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdClosing,
                       [&w, &ctx] { print_workstation_closing(&w, *ctx.db, ctx.session); });
    for (const char* op :
         {"ADD_CAJA", "MOD_CAJA", "DEL_CAJA", "ADD_DETALLE", "MOD_DETALLE", "DEL_DETALLE"})
        w.register_operation(op, [name = std::string(op)](QWidget* screen) {
            register_screen_operation(screen, name);
        });
    show_register_in_status_bar(w, ctx);
}

}  // namespace qz::gui
