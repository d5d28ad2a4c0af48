#include "domain/spa/reservations/reservation_actions.h"

#include <optional>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

namespace {

constexpr const char* kSelectOne = "Debe seleccionar una reserva";

std::optional<SpaHeader> read_reservation(data::Db& db, const std::string& business,
                                          const std::string& code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    std::optional<SpaHeader> h;
    if (t->Seek(reservation_key(business, code))) h = reservation_from_row(*t);
    data::KILLTABLA(db, t);
    return h;
}

bool has_lines(data::Db& db, const std::string& business, const std::string& code) {
    auto d = data::USE(db, "SPA_RESD", "SPA_RESD");
    const std::string key = reservation_lines_key(business, code);
    d->SetScope(key, key);
    bool any = false;
    for (d->GoTop(); !d->Eof() && !any; d->Skip()) any = line_from_row(*d).quantity > Decimal(0);
    data::KILLTABLA(db, d);
    return any;
}

bool error(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

// Why a reservation in `state` cannot be cancelled; false when it can.
bool refuse_cancel(UserPort& port, int state) {
    if (state == kInvoiced)
        port.message(MsgStyle::Error, "Error",
                     "No se puede anular una reserva que ya fue facturada.");
    else if (state == kCancelled)  // stamping again would overwrite who cancelled it and when
        port.message(MsgStyle::Aviso, "Aviso", "La reserva ya se encuentra anulada.");
    return state == kInvoiced || state == kCancelled;
}

}  // namespace

bool cancel_reservation(data::Db& db, UserPort& port, const CancelRequest& r) {
    const auto seen =
        trim(r.code).empty() ? std::nullopt : read_reservation(db, r.business, r.code);
    if (!seen) return error(port, kSelectOne);
    if (refuse_cancel(port, seen->state) || !port.confirm("Advertencia", r.question)) return false;
    data::Transaction tx(db);
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    std::optional<SpaHeader> h;
    if (lock_at_key(*t, reservation_key(r.business, r.code))) h = reservation_from_row(*t);
    // Invoiced or cancelled at another workstation while the question was open: the lock read
    // the row again.
    const bool refused = !h || refuse_cancel(port, h->state);
    if (!refused) {
        const DateTime now = db.clock().now();
        h->state = kCancelled;
        h->user_anul = r.user;
        h->date_anul = now.date;
        h->time_anul = now.time;
        h->info_anul = r.info;  // cut to the field's width, by characters, as it is stored
        put_reservation_row(*t, r.business, *h);
    }
    if (h) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    if (!h) return error(port, kSelectOne);
    return !refused;
}

bool check_invoicing(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    const auto h = trim(code).empty() ? std::nullopt : read_reservation(db, business, code);
    if (!h) return error(port, kSelectOne);
    if (h->state != kActive)
        return error(port, "No se puede facturar, el estado de la Reserva no permite esta acción.");
    if (h->agent.empty())
        return error(port,
                     "No se puede facturar, debe indicar primero el encargado de la Reserva.");
    if (h->price_type.empty())
        return error(port,
                     "No se puede facturar, debe indicar primero el tipo de precio de la Reserva.");
    if (!has_lines(db, business, code)) return error(port, "No hay nada que facturar...");
    return true;
}

std::optional<std::string> check_invoice_annulment(data::Db& db, UserPort& port,
                                                   const std::string& business,
                                                   const std::string& code) {
    const auto h = trim(code).empty() ? std::nullopt : read_reservation(db, business, code);
    if (!h) {
        error(port, kSelectOne);
        return std::nullopt;
    }
    if (h->mov_cxc.empty()) {
        error(port, "La reserva no tiene ninguna factura asociada");
        return std::nullopt;
    }
    return h->mov_cxc;
}

}  // namespace qz::domain::spa
