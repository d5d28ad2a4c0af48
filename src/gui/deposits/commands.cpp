#include "gui/deposits/commands.h"

#include "gui/deposits/deposit_concept_screens.h"
#include "gui/deposits/deposit_entry.h"
#include "gui/deposits/deposit_people_screen.h"
#include "gui/deposits/deposit_reports.h"
#include "gui/deposits/deposit_view_screen.h"
#include "gui/deposits/reservation_list.h"
#include "gui/ledger/setup/commands.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_deposit_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdDepositEntry, [&w, &ctx] { open_deposit_entry(&w, ctx); });
    w.register_command(kCmdDepositPeople,
                       [&w, &ctx] { open_deposit_people(&w, *ctx.db, ctx.session.XU_COMP); });
    register_list_operations(w, "HECHOPOR");
    w.register_command(kCmdDepositConcepts,
                       [&w, &ctx] { open_deposit_concepts(&w, *ctx.db, ctx.session.XU_COMP); });
    register_list_operations(w, "CON_HLIB");
    w.register_command(kCmdHotelReservations,
                       [&w, &ctx] { open_hotel_reservations(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdDepositView, [&w, &ctx] { open_deposit_view(&w, ctx); });
    w.register_command(kCmdDepositsByDate, [&w, &ctx] {
        open_deposits_by_date(&w, *ctx.db, ctx.session.XU_COMP, ctx.clock);
    });
    w.register_command(kCmdDepositsByReservation, [&w, &ctx] {
        open_deposits_by_reservation(&w, *ctx.db, ctx.session.XU_COMP);
    });
    w.register_command(kCmdPendingDeposits,
                       [&w, &ctx] { open_pending_deposits(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace qz::gui
