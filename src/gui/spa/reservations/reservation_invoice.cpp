// "Facturar" on a reservation: the point-of-sale screen opens as a spa sale (kind 6) with the
// reservation's services, and the invoice it saves is linked to the reservation in the same
// transaction, so a reservation is never invoiced twice nor left without its invoice.
#include "domain/spa/reservations/reservation_actions.h"
#include "domain/spa/reservations/reservation_sale.h"
#include "gui/framework/qt_user_port.h"
#include "gui/pos/sale/fac_pos.h"
#include "gui/session/app_context.h"
#include "gui/spa/reservations/reservation_screens.h"

namespace qz::gui {

void invoice_reservation(QWidget* owner, AppContext& ctx, const std::string& code,
                         std::function<void()> refresh) {
    QtUserPort port(owner);
    const std::string business = ctx.session.XU_COMP;
    if (!domain::spa::check_invoicing(*ctx.db, port, business, code)) return;
    FacPosSource src;
    src.spa_service = true;
    src.fill = [db = ctx.db.get(), business, code](domain::pos::SaleDraft& d, UserPort& p) {
        return domain::spa::load_reservation_sale(*db, p, business, code, d);
    };
    src.on_written = [business, code](data::Db& db, const std::vector<std::string>& documents) {
        domain::spa::link_reservation_invoice(db, business, code, documents.front());
    };
    src.refresh_parent = std::move(refresh);
    open_fac_pos(owner, *ctx.db, ctx.session, ctx.ini.get(),
                 domain::pos::SaleMode{domain::pos::SaleKind::Spa, 0, code}, std::move(src));
}

}  // namespace qz::gui
