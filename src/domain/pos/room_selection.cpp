#include "domain/pos/room_selection.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

std::string guest_name(data::WDBTable& guests, const std::string& business,
                       const std::string& code) {
    if (!guests.Seek(data::order_key("HUESPEDES", "HUESPEDES", {business, code}))) return "";
    std::string name = trim(guests.str("NOMBRE")) + " " + trim(guests.str("APELLIDO1"));
    if (!trim(guests.str("APELLIDO2")).empty()) name += " " + trim(guests.str("APELLIDO2"));
    return name;
}

void add_in_house(data::Db& db, const std::string& business, std::vector<RoomChoice>& out) {
    data::Table lines = data::USE(db, "DET_RES2", "DET_RS30");
    data::Table guests = data::USE(db, "HUESPEDES", "HUESPEDES");
    const std::string key = data::order_key("DET_RES2", "DET_RS30", {business, 1LL});
    lines->SetScope(key, key);
    for (lines->GoTop(); !lines->Eof(); lines->Skip()) {
        RoomChoice c;
        c.code = trim(lines->str("ROOM"));
        c.reservation = trim(lines->str("COD_RES"));
        c.room_type = trim(lines->str("COD_HAB"));
        c.item = static_cast<long>(lines->num("ITEM_HAB").to_int());
        c.guest = guest_name(*guests, business, trim(lines->str("COD_HUESP")));
        out.push_back(c);
    }
    data::KILLTABLA(db, guests);
    data::KILLTABLA(db, lines);
}

void add_masters(data::Db& db, const std::string& business, std::vector<RoomChoice>& out) {
    for_business_rows(db, "MAESTRAS", business, [&](const data::WDBTable& m) {
        if (m.num("ESTADO") == 1) return;
        RoomChoice c;
        c.code = trim(m.str("CODIGO"));
        c.reservation = c.code;
        c.guest = trim(m.str("NOMBRE"));
        c.master = true;
        out.push_back(c);
    });
}

}  // namespace

std::vector<RoomChoice> SEL_ROOM(data::Db& db, const std::string& business) {
    std::vector<RoomChoice> out;
    add_in_house(db, business, out);
    add_masters(db, business, out);
    return out;
}

std::optional<std::string> store_signature(data::Db& db, const std::string& business,
                                           const std::string& reservation,
                                           const std::string& room_type, long item,
                                           const std::string& file) {
    std::optional<std::string> used;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "DET_RES2", "DET_RES2");
    const std::string key = data::order_key(
        "DET_RES2", "DET_RES2", {business, reservation, room_type, static_cast<long long>(item)});
    if (lock_at_key(*t, key)) {
        for (int i = 1; i <= kSignatureFields && !used; ++i) {
            const std::string field = "FIRMA" + std::to_string(i);
            if (!trim(t->str(field)).empty()) continue;
            t->FieldPut(field, file);
            used = field;
        }
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return used;
}

}  // namespace qz::domain::pos
