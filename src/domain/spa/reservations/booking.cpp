#include "domain/spa/reservations/booking.h"

#include <optional>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "domain/session/master_rows.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/master/spa_rooms.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

namespace {

// A number the series gives that a reservation already has (typed by hand, or a series set
// back) is spent and the next one taken: a collision must not block every later booking.
constexpr int kMaxTakenNumbers = 100;

bool code_taken(data::Db& db, const std::string& business, const std::string& code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    bool taken = t->Seek(reservation_key(business, code));
    data::KILLTABLA(db, t);
    return taken;
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
            else
                put_line_row(*t, business, code, ++n, l);
            data::UNLOCK_FOR_MODIFY(*t);
        } else if (!drop) {
            data::ADD_NEW_REC(*t);
            put_line_row(*t, business, code, ++n, l);
            data::UNLOCK_NEW_REC(*t);
            l.recno = t->RecNo();
        }
        if (!drop) kept.push_back(l);
    }
    data::KILLTABLA(db, t);
    return kept;
}

// The row found by `key` in `table`, locked until the transaction ends and read as it is once
// locked; nullopt when it is gone or has another key by then.
template <class Row>
std::optional<Row> lock_row(data::Db& db, const char* table, const std::string& key,
                            Row (*read)(const data::WDBTable&)) {
    auto t = data::USE(db, table, table);
    std::optional<Row> row;
    if (lock_at_key(*t, key)) {
        row = read(*t);
        data::UNLOCK_FOR_MODIFY(*t);  // kept by the transaction until it ends
    }
    data::KILLTABLA(db, t);
    return row;
}

struct Refusal {
    BookingStatus status;
    std::string message;
};

// Refused before anything was written: ending the transaction only releases the locks.
BookingResult refuse_clean(data::Transaction& tx, Refusal refusal) {
    tx.commit();
    BookingResult r;
    r.status = refusal.status;
    r.message = std::move(refusal.message);
    return r;
}

std::string no_room_message(const std::string& room) {
    return trim(room).empty() ? "La sala es requerida..." : room_gone(trim(room));
}

// A change starts from the saved reservation as it is once locked and takes from the form only
// what the form edits; `moved` tells whether it leaves its room.
std::optional<Refusal> take_saved(data::Db& db, const BookingRequest& r, const SpaRoom& room,
                                  SpaHeader& h, bool& moved) {
    const auto saved =
        lock_row(db, "SPA_RESE", reservation_key(r.business, r.header.code), reservation_from_row);
    if (!saved) return Refusal{BookingStatus::Missing, kMissingMessage};
    if (saved->state == kCancelled) return Refusal{BookingStatus::Closed, kCancelledMeanwhile};
    if (saved->state != kActive) return Refusal{BookingStatus::Closed, kInvoicedMeanwhile};
    moved = saved->room != room.code;
    h = *saved;
    take_form_fields(h, r.header);
    return std::nullopt;
}

// A blocked room keeps what it holds but takes nothing new; no instant may overfill it.
std::optional<Refusal> weigh_room(data::Db& db, const BookingRequest& r, const SpaRoom& room,
                                  const SpaHeader& h, bool moved) {
    if (room.blocked && moved) return Refusal{BookingStatus::RoomBlocked, kRoomBlocked};
    const auto others = room_day_bookings(db, r.business, h.room, h.date, r.is_new ? "" : h.code);
    const Peak peak = peak_persons(others, h.start, h.end, h.persons);
    if (peak.persons <= room.capacity) return std::nullopt;
    return Refusal{BookingStatus::OverCapacity,
                   peak.holder ? capacity_refusal(*peak.holder) : kOverRoomCapacity};
}

// A new reservation takes the next free number of the business's series, state 1 and the
// registration stamp.
std::optional<Refusal> register_new(data::Db& db, const BookingRequest& r, SpaHeader& h) {
    const std::string series = read_spa_params(db, r.business, nullptr).serial;
    if (series.empty()) return Refusal{BookingStatus::NoSerial, kNoSerialMessage};
    for (int i = 0; i < kMaxTakenNumbers && h.code.empty(); ++i) {
        const std::string n = GET_NXSERIAL(db, r.business, series);
        if (is_no_serial(n)) return Refusal{BookingStatus::NoSerial, kNoSerialMessage};
        if (!code_taken(db, r.business, trim(n))) h.code = trim(n);
    }
    // The taken numbers stay spent, so the next booking starts past them.
    if (h.code.empty()) return Refusal{BookingStatus::CodeTaken, kCodeTakenMessage};
    const DateTime now = db.clock().now();
    h.state = kActive;
    h.user_reg = r.user;
    h.date_reg = now.date;
    h.time_reg = now.time;
    return std::nullopt;
}

void write_header(data::Db& db, const std::string& business, const SpaHeader& h, bool is_new) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    if (is_new) {
        data::ADD_NEW_REC(*t);
    } else {
        t->Seek(reservation_key(business, h.code));  // locked by this transaction already
        data::LOCK_FOR_MODIFY(*t);
    }
    put_reservation_row(*t, business, h);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

BookingResult book_reservation(data::Db& db, const BookingRequest& r) {
    data::Transaction tx(db);
    const auto room = lock_row(db, "SPA_SALA", room_key(r.business, r.header.room), room_from_row);
    if (!room) return refuse_clean(tx, {BookingStatus::NoRoom, no_room_message(r.header.room)});
    SpaHeader h;
    take_form_fields(h, r.header);
    bool moved = true;
    auto refused = r.is_new ? std::nullopt : take_saved(db, r, *room, h, moved);
    if (!refused) refused = weigh_room(db, r, *room, h, moved);
    if (!refused && r.is_new) refused = register_new(db, r, h);
    if (refused) return refuse_clean(tx, std::move(*refused));
    write_header(db, r.business, h, r.is_new);
    BookingResult out;
    out.code = h.code;
    out.lines = save_lines(db, r.business, h.code, r.lines);
    tx.commit();
    return out;
}

}  // namespace qz::domain::spa
