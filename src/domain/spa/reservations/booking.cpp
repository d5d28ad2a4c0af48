#include "domain/spa/reservations/booking.h"

#include <optional>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "domain/spa/reservations/capacity.h"

namespace qz::domain::spa {

namespace {

std::string biz_key(const std::string& business) { return pad_right(business, 15); }

std::string series_code(data::Db& db, const std::string& business) {
    auto f = data::USE(db, "F_FAC", "F_FAC");
    std::string code = f->Seek(biz_key(business)) ? trim(f->str("SPA_SERIAL")) : "";
    data::KILLTABLA(db, f);
    return code;
}

// A number the series gives that a reservation already has (typed by hand, or a series set
// back) is spent and the next one taken: a collision must not block every later booking.
constexpr int kMaxTakenNumbers = 100;

bool code_taken(data::Db& db, const std::string& business, const std::string& code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    bool taken = t->Seek(biz_key(business) + pad_right(code, 15));
    data::KILLTABLA(db, t);
    return taken;
}

void put_header(data::WDBTable& t, const std::string& business, const SpaHeader& h) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", h.code);
    t.FieldPut("ESTADO", Decimal(h.state));
    t.FieldPut("FECHA", h.date);
    t.FieldPut("HORA_INI", h.start);
    t.FieldPut("HORA_FIN", h.end);
    t.FieldPut("COD_SALA", h.room);
    t.FieldPut("ENCARGADO", h.agent);
    t.FieldPut("COD_ROOM", h.hotel_room);
    t.FieldPut("A_NOMBRE", h.name);
    t.FieldPut("NUM_PERSON", Decimal(h.persons));
    t.FieldPut("TELEFONOS", h.phones);
    t.FieldPut("EMAIL", h.email);
    t.FieldPut("OBSERVAC", h.notes);
    t.FieldPut("T_PRECIO", h.price_type);
}

void put_line(data::WDBTable& t, const std::string& business, const std::string& code, int n,
              const SpaLine& l) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("COD_RESER", code);
    t.FieldPut("CONSECU", Decimal(n));
    t.FieldPut("CODIGO", l.article);
    t.FieldPut("CANTIDAD", l.quantity);
    t.FieldPut("PRECIO", l.price);
    t.FieldPut("PREC_ESP", Decimal(l.price_origin));
    t.FieldPut("DESCUENTO", l.discount);
    t.FieldPut("IMPUESTO", l.tax);
}

// New reservations append every line with a quantity; a change deletes the lines removed on
// screen or brought to zero and rewrites or appends the others.
std::vector<SpaLine> save_lines(data::Db& db, const std::string& business, const std::string& code,
                                const std::vector<SpaLine>& lines) {
    auto t = data::USE(db, "SPA_RESD", "SPA_RESD");
    std::vector<SpaLine> kept;
    int n = 0;
    for (SpaLine l : lines) {
        const bool drop = l.deleted || l.quantity <= Decimal(0) || trim(l.article).empty();
        if (l.recno > 0) {
            t->GoTo(l.recno);
            data::LOCK_FOR_MODIFY(*t);
            if (drop) t->Delete();
            else put_line(*t, business, code, ++n, l);
            data::UNLOCK_FOR_MODIFY(*t);
        } else if (!drop) {
            data::ADD_NEW_REC(*t);
            put_line(*t, business, code, ++n, l);
            data::UNLOCK_NEW_REC(*t);
            l.recno = t->RecNo();
        }
        if (!drop) kept.push_back(l);
    }
    data::KILLTABLA(db, t);
    return kept;
}

BookingResult refuse(BookingStatus s, std::string message) {
    BookingResult r;
    r.status = s;
    r.message = std::move(message);
    return r;
}

// The room's capacity, with its row locked until the transaction ends; nullopt when missing.
std::optional<int> lock_room(data::Db& db, const std::string& business, const std::string& room) {
    auto t = data::USE(db, "SPA_SALA", "SPA_SALA");
    std::optional<int> capacity;
    if (t->Seek(biz_key(business) + pad_right(room, 4))) {
        data::LOCK_FOR_MODIFY(*t);
        capacity = static_cast<int>(t->num("CAPAC_MAX").to_int());
        data::UNLOCK_FOR_MODIFY(*t);  // kept by the transaction until it ends
    }
    data::KILLTABLA(db, t);
    return capacity;
}

// Refused before anything was written: ending the transaction only releases the room.
BookingResult refuse_clean(data::Transaction& tx, BookingStatus s, std::string message) {
    tx.commit();
    return refuse(s, std::move(message));
}

}  // namespace

BookingResult book_reservation(data::Db& db, const BookingRequest& r) {
    data::Transaction tx(db);
    SpaHeader h = r.header;
    const auto capacity = lock_room(db, r.business, h.room);
    if (!capacity) return refuse_clean(tx, BookingStatus::NoRoom, "La sala es requerida...");
    if (h.state != kCancelled) {
        const auto others =
            room_day_bookings(db, r.business, h.room, h.date, r.is_new ? "" : h.code);
        const Peak peak = peak_persons(others, h.start, h.end, h.persons);
        if (peak.persons > *capacity)
            return refuse_clean(tx, BookingStatus::OverCapacity,
                                peak.holder ? capacity_refusal(*peak.holder) : kOverRoomCapacity);
    }
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    if (r.is_new) {
        const std::string series = series_code(db, r.business);
        if (series.empty()) return refuse_clean(tx, BookingStatus::NoSerial, kNoSerialMessage);
        std::optional<std::string> code;
        for (int i = 0; i < kMaxTakenNumbers && !code; ++i) {
            const std::string number = GET_NXSERIAL(db, r.business, series);
            if (is_no_serial(number))
                return refuse_clean(tx, BookingStatus::NoSerial, kNoSerialMessage);
            if (!code_taken(db, r.business, trim(number))) code = trim(number);
        }
        // The taken numbers stay spent, so the next booking starts past them.
        if (!code) return refuse_clean(tx, BookingStatus::CodeTaken, kCodeTakenMessage);
        h.code = *code;
        h.state = kActive;
        const DateTime now = db.clock().now();
        data::ADD_NEW_REC(*t);
        t->FieldPut("USER_REG", r.user);
        t->FieldPut("FECHA_REG", now.date);
        t->FieldPut("HORA_REG", now.time);
    } else {
        if (!t->Seek(biz_key(r.business) + pad_right(h.code, 15)))
            return refuse_clean(tx, BookingStatus::Missing, kMissingMessage);
        data::LOCK_FOR_MODIFY(*t);
    }
    put_header(*t, r.business, h);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    BookingResult out;
    out.code = h.code;
    out.lines = save_lines(db, r.business, h.code, r.lines);
    tx.commit();
    return out;
}

}  // namespace qz::domain::spa
