#include "domain/spa/reservations/form_lists.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/master/services.h"

namespace qz::domain::spa {

namespace {

// DET_RS30 = business + state of the room line + hotel room; state 1 is in house.
constexpr long long kInHouse = 1;

}  // namespace

std::vector<SpaRoom> spa_rooms(data::Db& db, const std::string& business, bool with_blocked) {
    std::vector<SpaRoom> out;
    for (auto& r : business_rooms(db, business))
        if (with_blocked || !r.blocked) out.push_back(std::move(r));
    return out;
}

std::vector<Agent> spa_agents(data::Db& db, const std::string& business) {
    std::vector<Agent> out;
    for (auto& a : business_agents(db, business))
        if (a.active && a.spa) out.push_back(std::move(a));
    return out;
}

std::vector<CodeName> price_types(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    for_business_rows(db, "ENC_PREC", business, [&](const data::WDBTable& t) {
        const PriceType p = pos::price_type_from_row(t);
        out.push_back({p.code, p.name});
    });
    return out;
}

std::vector<std::string> in_house_rooms(data::Db& db, const std::string& business) {
    auto t = data::USE(db, "DET_RES2", "DET_RS30");
    const std::string key = data::order_key("DET_RES2", "DET_RS30", {business, kInHouse});
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
    if (t->Seek(data::order_key("DET_RES2", "DET_RS30", {business, kInHouse, trim(room)})))
        guest_code = trim(t->str("COD_HUESP"));
    data::KILLTABLA(db, t);
    if (!guest_code) return std::nullopt;
    Guest g;
    auto h = data::USE(db, "HUESPEDES", "HUESPEDES");
    if (h->Seek(data::order_key("HUESPEDES", "HUESPEDES", {business, *guest_code}))) {
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
    const auto r = trim(room).empty() ? std::nullopt : read_room(db, business, room);
    return r ? r->name : "";
}

std::string agent_name(data::Db& db, const std::string& business, const std::string& agent) {
    const auto a = trim(agent).empty() ? std::nullopt : read_agent(db, business, agent);
    return a ? a->name : "";
}

}  // namespace qz::domain::spa
