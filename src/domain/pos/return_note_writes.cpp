// The writes of a return note, each one transaction: the header is locked first and read again
// under the lock, so two workstations never both write one note, and a note applied or deleted
// meanwhile elsewhere is refused before anything of it is written.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "domain/pos/return_notes.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

// A number the series gives that a note already has (a series set back) is spent and the next
// one taken, up to this many: a collision must not block every later note.
constexpr int kMaxTakenNumbers = 100;

ReturnWrite refused(data::Transaction& tx, std::string why) {
    tx.commit();  // nothing was written: ending only gives the locks back
    ReturnWrite w;
    w.refusal = std::move(why);
    return w;
}

std::string next_free_number(data::Db& db, const std::string& business, const std::string& series) {
    for (int i = 0; i < kMaxTakenNumbers; ++i) {
        const std::string n = GET_NXSERIAL(db, business, series);
        if (is_no_serial(n)) return kNoSerial;
        if (!read_return_note(db, business, trim(n))) return trim(n);
    }
    return "";
}

// The line's own DET_DEV row, locked; false when the row is gone or belongs to another note
// (the line is then written as a new one).
bool lock_own_line(data::WDBTable& t, const std::string& business, const std::string& number,
                   long recno) {
    if (recno <= 0) return false;
    t.GoTo(recno);
    if (t.Eof() || t.Deleted()) return false;
    data::LOCK_FOR_MODIFY(t);
    if (!t.Deleted() && trim(t.str("NEGOCIO")) == business && trim(t.str("DOCUMENTO")) == number)
        return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

std::vector<ReturnLine> write_lines(data::Db& db, const std::string& business,
                                    const std::string& number,
                                    const std::vector<ReturnLine>& lines) {
    data::Table t = data::USE(db, "DET_DEV", "DET_DEV");
    std::vector<ReturnLine> kept;
    for (ReturnLine l : lines) {
        if (lock_own_line(*t, business, number, l.recno)) {
            if (l.blank())
                t->Delete();
            else
                put_return_line_row(*t, business, number, l);
            data::UNLOCK_FOR_MODIFY(*t);
        } else if (!l.blank()) {
            data::ADD_NEW_REC(*t);
            put_return_line_row(*t, business, number, l);
            data::UNLOCK_NEW_REC(*t);
            l.recno = t->RecNo();
        }
        if (!l.blank()) kept.push_back(std::move(l));
    }
    data::KILLTABLA(db, t);
    return kept;
}

void delete_lines(data::Db& db, const std::string& business, const std::string& number) {
    data::Table t = data::USE(db, "DET_DEV", "DET_DEV");
    const std::string key = data::order_key("DET_DEV", "DET_DEV", {business, number});
    std::vector<long> rows;
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) rows.push_back(t->RecNo());
    t->ClearScope();
    for (long recno : rows)
        if (lock_own_line(*t, business, number, recno)) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
    data::KILLTABLA(db, t);
}

}  // namespace

ReturnWrite create_return_note(data::Db& db, const std::string& business, const std::string& series,
                               const ReturnHeader& header, const std::vector<ReturnLine>& lines) {
    data::Transaction tx(db);
    if (trim(series).empty()) return refused(tx, kReturnNoSeries);
    ReturnWrite w;
    w.header = header;
    w.header.number = next_free_number(db, business, series);
    if (w.header.number == kNoSerial) return refused(tx, kReturnNoSeries);
    if (w.header.number.empty()) return refused(tx, kReturnNumberTaken);
    const DateTime now = db.clock().now(true);
    w.header.date = now.date;
    w.header.time = now.time;
    w.header.applied = false;
    data::Table t = data::USE(db, "ENC_DEV", "ENC_DEV");
    data::ADD_NEW_REC(*t);
    put_return_header_row(*t, business, w.header);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    w.lines = write_lines(db, business, w.header.number, lines);
    tx.commit();
    return w;
}

ReturnWrite save_return_note(data::Db& db, const std::string& business, const ReturnHeader& header,
                             const std::vector<ReturnLine>& lines) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "ENC_DEV", "ENC_DEV");
    if (!lock_at_key(*t, return_note_key(business, header.number))) {
        data::KILLTABLA(db, t);
        return refused(tx, kReturnGone + header.number);
    }
    ReturnWrite w;
    w.header = return_header_from_row(*t);
    if (w.header.applied) {
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        return refused(tx, kReturnAppliedMeanwhile);
    }
    w.header.price_type = header.price_type;
    w.header.currency = header.currency;
    put_return_header_row(*t, business, w.header);
    data::UNLOCK_FOR_MODIFY(*t);  // kept by the transaction until it ends
    data::KILLTABLA(db, t);
    w.lines = write_lines(db, business, w.header.number, lines);
    tx.commit();
    return w;
}

std::string delete_return_note(data::Db& db, const std::string& business,
                               const std::string& number) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "ENC_DEV", "ENC_DEV");
    std::string why;
    if (!lock_at_key(*t, return_note_key(business, number))) {
        why = kReturnGone + number;
    } else {
        if (return_header_from_row(*t).applied)
            why = kReturnApplied;
        else
            t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    if (why.empty()) delete_lines(db, business, number);
    tx.commit();
    return why;
}

}  // namespace qz::domain::pos
