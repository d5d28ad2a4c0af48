#include "domain/spa/reservations/form_lists.h"

#include "core/text.h"
#include "data/table_ops.h"

namespace qz::domain::spa {

namespace {

std::string biz(const std::string& business) { return pad_right(business, 15); }

// Walks the business's rows of a code table (NEGOCIO + CODIGO order).
template <typename Fn>
void walk_business(data::Db& db, const char* table, const std::string& business, Fn fn) {
    auto t = data::USE(db, table, table);
    t->SetScope(biz(business), biz(business));
    for (t->GoTop(); !t->Eof(); t->Skip()) fn(*t);
    data::KILLTABLA(db, t);
}

std::string lookup(data::Db& db, const char* table, const std::string& key, const char* field) {
    auto t = data::USE(db, table, table);
    std::string out = t->Seek(key) ? trim(t->str(field)) : "";
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

std::vector<RoomChoice> spa_rooms(data::Db& db, const std::string& business, bool with_blocked) {
    std::vector<RoomChoice> out;
    walk_business(db, "SPA_SALA", business, [&](data::WDBTable& t) {
        RoomChoice r{trim(t.str("CODIGO")), trim(t.str("DESCRIP")),
                     static_cast<int>(t.num("CAPAC_MAX").to_int()),
                     t.num("BLOQUEADO").to_int() == 1};
        if (with_blocked || !r.blocked) out.push_back(r);
    });
    return out;
}

std::vector<CodeName> spa_agents(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    walk_business(db, "AGENTES", business, [&](data::WDBTable& t) {
        if (trim(t.str("ACTIVO")) != "N")
            out.push_back({trim(t.str("CODIGO")), trim(t.str("NOMBRE"))});
    });
    return out;
}

std::vector<CodeName> price_types(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    walk_business(db, "ENC_PREC", business, [&](data::WDBTable& t) {
        out.push_back({trim(t.str("CODIGO")), trim(t.str("DESCRIP"))});
    });
    return out;
}

std::vector<std::string> in_house_rooms(data::Db& db, const std::string& business) {
    auto t = data::USE(db, "DET_RES2", "DET_RS30");
    const std::string key = biz(business) + "1";
    t->SetScope(key, key);
    std::vector<std::string> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        std::string room = trim(t->str("ROOM"));
        if (!room.empty() && (out.empty() || out.back() != room)) out.push_back(room);
    }
    data::KILLTABLA(db, t);
    return out;
}

std::optional<Guest> in_house_guest(data::Db& db, const std::string& business,
                                    const std::string& room) {
    if (trim(room).empty()) return std::nullopt;
    auto t = data::USE(db, "DET_RES2", "DET_RS30");
    std::optional<std::string> guest_code;
    if (t->Seek(biz(business) + "1" + pad_right(trim(room), 15)))
        guest_code = trim(t->str("COD_HUESP"));
    data::KILLTABLA(db, t);
    if (!guest_code) return std::nullopt;
    Guest g;
    auto h = data::USE(db, "HUESPEDES", "HUESPEDES");
    if (h->Seek(biz(business) + pad_right(*guest_code, 15))) {
        for (const char* f : {"NOMBRE", "APELLIDO1", "APELLIDO2"}) {
            std::string part = trim(h->str(f));
            if (!part.empty()) g.name += (g.name.empty() ? "" : " ") + part;
        }
        g.phone = trim(h->str("TELEFONO"));
        g.email = trim(h->str("EMAIL"));
    }
    data::KILLTABLA(db, h);
    return g;
}

std::string room_description(data::Db& db, const std::string& business, const std::string& room) {
    return lookup(db, "SPA_SALA", biz(business) + pad_right(room, 4), "DESCRIP");
}

std::string agent_name(data::Db& db, const std::string& business, const std::string& agent) {
    if (trim(agent).empty()) return "";
    return lookup(db, "AGENTES", biz(business) + pad_right(agent, 2), "NOMBRE");
}

}  // namespace qz::domain::spa
