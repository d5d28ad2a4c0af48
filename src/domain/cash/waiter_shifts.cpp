#include "domain/cash/waiter_shifts.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::cash {

namespace {

constexpr const char* kWaiters = "DEF_MESE";
constexpr const char* kShifts = "DET_MESE";

Waiter waiter_from_row(const data::WDBTable& t) {
    Waiter w;
    w.code = trim(t.str("CODIGO"));
    w.name = trim(t.str("NOMBRE"));
    w.active = trim(t.str("ACTIVO")) == "1";
    w.start_date = t.date("FECHA_INI");
    w.start_time = trim(t.str("HORA_INI"));
    w.end_date = t.date("FECHA_FIN");
    w.end_time = trim(t.str("HORA_FIN"));
    return w;
}

std::string waiter_key(const std::string& business, const std::string& code) {
    return data::order_key(kWaiters, kWaiters, {business, normal_code(code)});
}

bool say(UserPort& port, MsgStyle style, const char* text) {
    port.message(style, style == MsgStyle::Error ? "Error" : "Aviso", text);
    return false;
}

std::optional<Waiter> by_code(data::Db& db, UserPort& port, const std::string& business,
                              const WaiterId& id) {
    std::optional<Waiter> w;
    bool exists = false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, kWaiters, kWaiters);
    if (lock_at_key(*t, waiter_key(business, id.code))) {
        exists = true;
        if (check_pass_code_field(*t, "CLAVE", id.password)) w = waiter_from_row(*t);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    if (!exists)
        say(port, MsgStyle::Error, kUnknownWaiter);
    else if (!w)
        say(port, MsgStyle::Error, kBadWaiterCode);
    return w;
}

std::optional<Waiter> by_pass_code(data::Db& db, UserPort& port, const std::string& business,
                                   const std::string& typed) {
    std::vector<std::string> codes, stored;
    data::Table t = data::USE(db, kWaiters, kWaiters);
    const std::string scope = data::business_key(business);
    t->SetScope(scope, scope);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        codes.push_back(trim(t->str("CODIGO")));
        stored.push_back(rtrim(t->str("CLAVE")));
    }
    data::KILLTABLA(db, t);
    const PassCodeLookup found = find_by_pass_code(typed, stored);
    if (!found.found()) {
        // Two waiters sharing the code identify nobody.
        say(port, MsgStyle::Error, found.ambiguous() ? kBadWaiterCode : kUnknownWaiter);
        return std::nullopt;
    }
    // The same check again under the row's lock stores a legacy code hashed.
    return by_code(db, port, business, {codes[found.matches.front()], typed});
}

// The waiter row locked in the caller's transaction, or nothing when it is gone.
data::Table lock_waiter(data::Db& db, const std::string& business, const std::string& code) {
    data::Table t = data::USE(db, kWaiters, kWaiters);
    if (lock_at_key(*t, waiter_key(business, code))) return t;
    data::KILLTABLA(db, t);
    return nullptr;
}

}  // namespace

std::vector<Waiter> business_waiters(data::Db& db, const std::string& business) {
    return business_rows<Waiter>(db, kWaiters, business, waiter_from_row);
}

std::optional<Waiter> identify_waiter(data::Db& db, UserPort& port, const std::string& business,
                                      const WaiterId& id) {
    if (!normal_code(id.code).empty()) return by_code(db, port, business, id);
    if (trim(id.password).empty()) {
        say(port, MsgStyle::Error, kNoWaiter);
        return std::nullopt;
    }
    return by_pass_code(db, port, business, id.password);
}

bool open_waiter_shift(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& code) {
    const DateTime now = db.clock().now();
    const char* refusal = nullptr;
    {
        data::Transaction tx(db);
        data::Table t = lock_waiter(db, business, code);
        if (!t) {
            refusal = kUnknownWaiter;
        } else {
            if (trim(t->str("ACTIVO")) == "1") {
                refusal = kWaiterActive;
            } else {
                t->FieldPut("ACTIVO", std::string("1"));
                t->FieldPut("FECHA_INI", now.date);
                t->FieldPut("HORA_INI", now.time);
                t->FieldPut("FECHA_FIN", Date());
                t->FieldPut("HORA_FIN", std::string());
                data::Table s = data::USE(db, kShifts);
                data::ADD_NEW_REC(*s);
                s->FieldPut("NEGOCIO", business);
                s->FieldPut("MESERO", normal_code(code));
                s->FieldPut("FECHA_INI", now.date);
                s->FieldPut("HORA_INI", now.time);
                data::UNLOCK_NEW_REC(*s);
                data::KILLTABLA(db, s);
            }
            data::UNLOCK_FOR_MODIFY(*t);
            data::KILLTABLA(db, t);
        }
        tx.commit();
    }
    if (refusal) return say(port, MsgStyle::Error, refusal);
    port.message(MsgStyle::Aviso, "Aviso", kShiftOpened);
    return true;
}

bool close_waiter_shift(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code) {
    const DateTime now = db.clock().now();
    const char* refusal = nullptr;
    bool row_closed = false;
    {
        data::Transaction tx(db);
        data::Table t = lock_waiter(db, business, code);
        if (!t) {
            refusal = kUnknownWaiter;
        } else {
            if (trim(t->str("ACTIVO")) != "1") {
                refusal = kWaiterInactive;
            } else {
                t->FieldPut("ACTIVO", std::string("0"));
                t->FieldPut("FECHA_FIN", now.date);
                t->FieldPut("HORA_FIN", now.time);
                data::Table s = data::USE(db, kShifts, kShifts);
                if (lock_at_key(*s, data::order_key(kShifts, kShifts,
                                                    {business, normal_code(code), Date()}))) {
                    s->FieldPut("FECHA_FIN", now.date);
                    s->FieldPut("HORA_FIN", now.time);
                    data::UNLOCK_FOR_MODIFY(*s);
                    row_closed = true;
                }
                data::KILLTABLA(db, s);
            }
            data::UNLOCK_FOR_MODIFY(*t);
            data::KILLTABLA(db, t);
        }
        tx.commit();
    }
    if (refusal) return say(port, MsgStyle::Error, refusal);
    if (!row_closed) return say(port, MsgStyle::Error, kNoWaiterShift);
    port.message(MsgStyle::Aviso, "Aviso", kShiftClosed);
    return true;
}

bool waiter_on_shift(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    const auto w = read_code_row<Waiter>(db, kWaiters, business, code, waiter_from_row);
    if (w && w->active) return true;
    return say(port, MsgStyle::Error, kWaiterWithoutShift);
}

TurnReport IMP_TURN(data::Db& db, const Waiter& w, const WaiterSales& sales) {
    TurnReport r;
    r.waiter = w;
    r.from = {w.start_date, w.start_time};
    r.to = w.active ? db.clock().now() : DateTime{w.end_date, w.end_time};
    if (sales) r.sales = sales(w, r.from, r.to);
    for (const auto& s : r.sales) {
        r.total = r.total + s.total;
        r.collected = r.collected + s.collected;
    }
    return r;
}

}  // namespace qz::domain::cash
