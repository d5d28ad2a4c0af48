#include "domain/spa/reservations/reservation_actions.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

namespace {

constexpr const char* kSelectOne = "Debe seleccionar una reserva";

data::Table open_reservation(data::Db& db, const std::string& business, const std::string& code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    if (!t->Seek(pad_right(business, 15) + pad_right(code, 15))) data::KILLTABLA(db, t);
    return t;
}

bool has_lines(data::Db& db, const std::string& business, const std::string& code) {
    auto d = data::USE(db, "SPA_RESD", "SPA_RESD");
    const std::string key = pad_right(business, 15) + pad_right(code, 15);
    d->SetScope(key, key);
    bool any = false;
    for (d->GoTop(); !d->Eof() && !any; d->Skip()) any = d->num("CANTIDAD") > Decimal(0);
    data::KILLTABLA(db, d);
    return any;
}

bool error(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

}  // namespace

bool cancel_reservation(data::Db& db, UserPort& port, const CancelRequest& r) {
    if (trim(r.code).empty()) return error(port, kSelectOne);
    auto t = open_reservation(db, r.business, r.code);
    if (!t) return error(port, kSelectOne);
    const long state = t->num("ESTADO").to_int();
    bool done = false;
    if (state == kInvoiced) {
        error(port, "No se puede anular una reserva que ya fue facturada.");
    } else if (state == kCancelled) {
        // Stamping again would overwrite who cancelled it and when.
        port.message(MsgStyle::Aviso, "Aviso", "La reserva ya se encuentra anulada.");
    } else if (port.confirm("Advertencia", r.question)) {
        data::Transaction tx(db);
        data::LOCK_FOR_MODIFY(*t);
        // Invoiced meanwhile at another workstation: the lock re-read the row.
        if (t->num("ESTADO").to_int() == kInvoiced) {
            data::UNLOCK_FOR_MODIFY(*t);
            tx.commit();
            data::KILLTABLA(db, t);
            return error(port, "No se puede anular una reserva que ya fue facturada.");
        }
        const DateTime now = db.clock().now();
        t->FieldPut("ESTADO", Decimal(kCancelled));
        t->FieldPut("USER_ANUL", r.user);
        t->FieldPut("FECHA_ANUL", now.date);
        t->FieldPut("HORA_ANUL", now.time);
        t->FieldPut("INFO_ANUL", r.info.substr(0, 60));
        data::UNLOCK_FOR_MODIFY(*t);
        tx.commit();
        done = true;
    }
    data::KILLTABLA(db, t);
    return done;
}

bool check_invoicing(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    if (trim(code).empty()) return error(port, kSelectOne);
    auto t = open_reservation(db, business, code);
    if (!t) return error(port, kSelectOne);
    const long state = t->num("ESTADO").to_int();
    const bool agent = !trim(t->str("ENCARGADO")).empty();
    const bool price_type = !trim(t->str("T_PRECIO")).empty();
    data::KILLTABLA(db, t);
    if (state != kActive)
        return error(port, "No se puede facturar, el estado de la Reserva no permite esta acción.");
    if (!agent)
        return error(port,
                     "No se puede facturar, debe indicar primero el encargado de la Reserva.");
    if (!price_type)
        return error(port,
                     "No se puede facturar, debe indicar primero el tipo de precio de la Reserva.");
    if (!has_lines(db, business, code)) return error(port, "No hay nada que facturar...");
    return true;
}

bool check_invoice_annulment(data::Db& db, UserPort& port, const std::string& business,
                             const std::string& code) {
    if (trim(code).empty()) return error(port, kSelectOne);
    auto t = open_reservation(db, business, code);
    if (!t) return error(port, kSelectOne);
    const bool has_invoice = !trim(t->str("MOV_CXC")).empty();
    data::KILLTABLA(db, t);
    if (!has_invoice) return error(port, "La reserva no tiene ninguna factura asociada");
    return true;
}

}  // namespace qz::domain::spa
