#include "domain/ledger/serials.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"

namespace qz::domain {

namespace {

constexpr size_t kSerialWidth = 15;

// Seeks the series; leaves the handle on it when found.
bool seek_series(data::WDBTable& t, const std::string& business, const std::string& code,
                 const std::string& user = "") {
    t.SetOrder("SERIALES");
    return t.Seek(series_key(business, code, user));
}

long long last_issued(const data::WDBTable& t) { return t.num("NUMERO").to_int(); }

// Cut by characters: a byte cut could split an accented letter of the prefix.
std::string fit(const std::string& s) { return pad_right(s, kSerialWidth); }

// Locks the series row found at `key` and reads it again under the lock; false (unlocked) when
// it is gone meanwhile.
bool lock_series(data::WDBTable& t, const std::string& key) {
    if (!t.Seek(key)) return false;
    data::LOCK_FOR_MODIFY(t);
    if (!t.Eof() && !t.Deleted() && starts_with(t.CurrentKey(), key)) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

}  // namespace

std::string series_key(const std::string& business, const std::string& code,
                       const std::string& user) {
    return data::order_key("SERIALES", "SERIALES", {business, user, code});
}

std::string format_serial(const data::WDBTable& t, long long number) {
    std::string n = std::to_string(number);
    const long indent = t.num("INDENT").to_int();
    if (t.num("JUSTIFICA").to_int() == 0)
        while (static_cast<long>(n.size()) < indent) n.insert(n.begin(), '0');
    return trim(t.str("PREFIJO")) + n + trim(t.str("POSFIJO"));
}

std::string GET_NXSERIAL(data::Db& db, const std::string& business, const std::string& code,
                         data::WDBTable* series) {
    data::Table own;
    if (!series) {
        own = data::USE(db, "SERIALES", "SERIALES");
        series = own.get();
    }
    std::string result = kNoSerial;
    series->SetOrder("SERIALES");
    // Read again once locked: another workstation may have moved NUMERO while this one waited.
    if (lock_series(*series, series_key(business, code))) {
        result = format_serial(*series, last_issued(*series) + 1);
        series->FieldPut("NUMERO", series->num("NUMERO") + Decimal(1));
        series->FieldPut("CURRENT_N", result);
        // Inside a transaction the engine keeps the lock until the transaction ends.
        data::UNLOCK_FOR_MODIFY(*series);
    }
    if (own) data::KILLTABLA(db, own);
    return fit(result);
}

std::string GET_CURRENTSERIAL(data::Db& db, const std::string& business, const std::string& code) {
    auto t = data::USE(db, "SERIALES", "SERIALES");
    std::string result =
        seek_series(*t, business, code) ? format_serial(*t, last_issued(*t) + 1) : kNoSerial;
    data::KILLTABLA(db, t);
    return fit(result);
}

namespace {

void record_bad_serial(data::Db& db, const std::string& user, const std::string& code,
                       const std::string& number) {
    auto bad = data::USE(db, "BAD_SRLS", "BAD_SRLS");
    data::ADD_NEW_REC(*bad);
    bad->FieldPut("USUARIO", user);
    bad->FieldPut("CODIGO", code);
    bad->FieldPut("SERIAL", number);
    data::UNLOCK_NEW_REC(*bad);
    data::KILLTABLA(db, bad);
}

// Moves the locked series back when `number` is the last it issued.
bool step_back(data::WDBTable& t, const std::string& number) {
    const long long last = last_issued(t);
    if (last < 1 || format_serial(t, last) != number) return false;
    t.FieldPut("NUMERO", Decimal(last - 1));
    t.FieldPut("CURRENT_N", last > 1 ? format_serial(t, last - 1) : std::string());
    return true;
}

}  // namespace

GiveBack CANCEL_SERIAL(data::Db& db, const std::string& user, const std::string& business,
                       const std::string& code, const std::string& number) {
    const std::string n = trim(number);
    if (n.empty() || is_no_serial(n)) return GiveBack::Ignored;
    data::Transaction tx(db);
    auto t = data::USE(db, "SERIALES", "SERIALES");
    bool found = !trim(user).empty() && lock_series(*t, series_key(business, code, user));
    if (!found) found = lock_series(*t, series_key(business, code));
    const bool returned = found && step_back(*t, n);
    if (found) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    if (!returned) record_bad_serial(db, user, trim(code), n);
    tx.commit();
    return returned ? GiveBack::Returned : GiveBack::Recorded;
}

}  // namespace qz::domain
