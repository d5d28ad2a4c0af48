#include "domain/deposits/deposit_application.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/hotel_reservations.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string skipped_message(const std::string& reservation) {
    return "No se puede aplicar a la Reservación: " + reservation +
           ", pues ya se encuentra Check-In esta Habitación\nEl Depósito se procesará, pero "
           "deberá incluirlo manualmente desde el Folio mediante una Forma de Pago";
}

// Locks the room line and tells whether a deposit may still be applied to it.
bool lock_bookable_line(data::Db& db, const std::string& business,
                        const DepositReservationLine& l) {
    data::Table t = data::USE(db, "DET_RES2", "DET_RES2");
    const std::string key = data::order_key("DET_RES2", "DET_RES2",
                                            {business, trim(l.reservation), l.room_type, l.item});
    const bool found = lock_at_key(*t, key);
    const bool bookable = found && !checked_in(static_cast<int>(t->num("ESTADO").to_int()));
    if (found) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    return bookable;
}

void change_reservation_type(data::Db& db, const std::string& business,
                             const std::string& reservation, const std::string& type) {
    data::Table t = data::USE(db, "ENC_RES", "ENC_RES");
    if (lock_at_key(*t, data::order_key("ENC_RES", "ENC_RES", {business, reservation}))) {
        t->FieldPut("TIPO", type);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

void add_application(data::Db& db, const std::string& business, const DepositStamp& stamp,
                     const DepositToApply& d, const DepositReservationLine& l,
                     const std::string& payment_type) {
    data::Table t = data::USE(db, "DET_RES8", "DET_RES8");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", business);
    t->FieldPut("COD_RES", trim(l.reservation));
    t->FieldPut("COD_HAB", l.room_type);
    t->FieldPut("ITEM_HAB", Decimal(static_cast<long long>(l.item)));
    t->FieldPut("DOC_PAGO", d.document);
    t->FieldPut("FECHA_CREA", d.date);
    t->FieldPut("MONTO_PAGO", l.amount);
    t->FieldPut("MOVIMIENTO", d.movement);
    t->FieldPut("TIP_PAGO", payment_type);
    t->FieldPut("USUARIO", stamp.user);
    t->FieldPut("INFO_USER", stamp.info_user);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

std::string deposit_payment_type(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "T_PAGO", "T_PAGO3");
    const std::string key = data::order_key("T_PAGO", "T_PAGO3", {business, 1LL});
    const std::string code = t->Seek(key) ? trim(t->str("CODIGO")) : "";
    data::KILLTABLA(db, t);
    return code;
}

DepositApplication APLICAR_DEPOSITO(data::Db& db, const std::string& business,
                                    const DepositStamp& stamp, const DepositToApply& d) {
    const Decimal tolerance = read_deposit_settings(db, business).tolerance;
    const std::string payment_type = deposit_payment_type(db, business);
    DepositApplication a;
    Decimal balance = d.amount;
    for (const DepositReservationLine& l : d.lines) {
        const std::string reservation = trim(l.reservation);
        if (reservation.empty()) continue;
        if (!lock_bookable_line(db, business, l)) {
            a.skipped.push_back(reservation);
            a.skipped_messages.push_back(skipped_message(reservation));
            continue;
        }
        if (d.deposit_concept.changes_type)
            change_reservation_type(db, business, reservation, d.deposit_concept.new_type);
        balance -= l.amount * d.reservation_rate;
        // What rounding leaves over is forgiven, so the deposit leaves the pending list.
        if (balance.abs() <= tolerance) balance = Decimal();
        a.last_reservation = reservation;
        add_application(db, business, stamp, d, l, payment_type);
    }
    a.balance = ROUND5(balance);
    return a;
}

}  // namespace qz::domain
