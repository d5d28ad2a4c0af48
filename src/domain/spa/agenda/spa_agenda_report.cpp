#include "domain/spa/agenda/spa_agenda_report.h"

#include <algorithm>
#include <map>

#include "core/picture.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "domain/spa/master/agents.h"
#include "domain/spa/master/spa_rooms.h"

namespace qz::domain::spa {

namespace {

// Room descriptions, looked up once each.
class RoomNames {
public:
    RoomNames(data::Db& db, const std::string& negocio) : m_db(db), m_negocio(negocio) {
        data::UseOptions o;
        o.order = "SPA_SALA";
        o.read_only = true;
        m_rooms = data::USE(db, "SPA_SALA", o);
    }
    ~RoomNames() { data::KILLTABLA(m_db, m_rooms); }
    const std::string& operator()(const std::string& code) {
        auto it = m_names.find(code);
        if (it != m_names.end()) return it->second;
        std::string name;
        if (m_rooms->Seek(room_key(m_negocio, code))) name = room_from_row(*m_rooms).name;
        return m_names.emplace(code, std::move(name)).first->second;
    }

private:
    data::Db& m_db;
    std::string m_negocio;
    data::Table m_rooms;
    std::map<std::string, std::string> m_names;
};

std::vector<int> states_of(const AgendaReportRequest& req) {
    if (req.include_cancelled) return {};
    return {kActive, kInvoiced};
}

bool earlier(const AgendaReportEntry& a, const AgendaReportEntry& b) {
    const auto& x = a.reservation;
    const auto& y = b.reservation;
    if (x.date != y.date) return x.date < y.date;
    if (x.start_min != y.start_min) return x.start_min < y.start_min;
    if (x.room != y.room) return x.room < y.room;
    return x.code < y.code;
}

// Every reservation of the request, room by room, with its names and services.
template <class Fn>
void each_entry(data::Db& db, const std::string& negocio, const AgendaReportRequest& req, Fn&& fn) {
    SpaDayReader reader(db, negocio);
    RoomNames rooms(db, negocio);
    std::vector<std::string> codes =
        req.room.empty() ? reader.reserved_rooms() : std::vector<std::string>{req.room};
    for (const auto& room : codes)
        for (auto& r : reader.room_reservations(room, req.from, req.to, states_of(req))) {
            if (!req.agent.empty() && r.agent != req.agent) continue;
            AgendaReportEntry e;
            e.room_name = rooms(r.room);
            e.agent_name = reader.agent_name(r.agent);
            e.services = reader.services(r.code);
            e.reservation = std::move(r);
            fn(std::move(e));
        }
}

}  // namespace

std::vector<AgendaReportGroup> agenda_by_room(data::Db& db, const std::string& negocio,
                                              const AgendaReportRequest& req) {
    std::vector<AgendaReportGroup> groups;
    each_entry(db, negocio, req, [&](AgendaReportEntry e) {
        if (groups.empty() || groups.back().code != e.reservation.room) {
            AgendaReportGroup g;
            g.code = e.reservation.room;
            g.title = "Sala: " + g.code + (e.room_name.empty() ? "" : " - " + e.room_name);
            groups.push_back(std::move(g));
        }
        groups.back().persons += e.reservation.persons;
        groups.back().entries.push_back(std::move(e));
    });
    for (auto& g : groups) std::stable_sort(g.entries.begin(), g.entries.end(), earlier);
    return groups;
}

std::vector<AgendaReportGroup> agenda_by_agent(data::Db& db, const std::string& negocio,
                                               const AgendaReportRequest& req) {
    std::map<std::string, AgendaReportGroup> by_code;
    each_entry(db, negocio, req, [&](AgendaReportEntry e) {
        AgendaReportGroup& g = by_code[e.reservation.agent];
        if (g.title.empty()) {
            g.code = e.reservation.agent;
            g.title = g.code.empty() ? "Sin encargado asignado"
                                     : "Encargado: " + g.code + " - " + upper_latin(e.agent_name);
        }
        g.persons += e.reservation.persons;
        g.entries.push_back(std::move(e));
    });
    std::vector<AgendaReportGroup> groups;
    for (auto& [code, g] : by_code) {
        std::stable_sort(g.entries.begin(), g.entries.end(), earlier);
        if (!code.empty()) groups.push_back(std::move(g));
    }
    if (auto it = by_code.find(""); it != by_code.end()) groups.push_back(std::move(it->second));
    return groups;
}

std::vector<CodeName> report_rooms(data::Db& db, const std::string& negocio) {
    std::vector<CodeName> out;
    for (const auto& r : business_rooms(db, negocio)) out.push_back({r.code, r.name});
    return out;
}

std::vector<CodeName> report_agents(data::Db& db, const std::string& negocio) {
    std::vector<CodeName> out;
    for (const auto& a : business_agents(db, negocio)) out.push_back({a.code, a.name});
    return out;
}

std::string check_report_request(const AgendaReportRequest& req) {
    if (req.from.empty()) return "La fecha inicial es requerida...";
    if (req.to.empty()) return "La fecha final es requerida...";
    if (req.to < req.from) return "La fecha final no puede ser menor a la fecha inicial.";
    return {};
}

}  // namespace qz::domain::spa
