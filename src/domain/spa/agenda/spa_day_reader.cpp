#include "domain/spa/agenda/spa_day_reader.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/pos/articles.h"
#include "domain/spa/master/agents.h"
#include "domain/spa/master/services.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

namespace {

// The reservations are read along business + room + date.
std::string by_room(std::initializer_list<data::KeyValue> parts) {
    return data::order_key("SPA_RESE", "SPA_RESE12", parts);
}

data::Table open_read(data::Db& db, const char* table, const char* order) {
    data::UseOptions o;
    o.order = order;
    o.read_only = true;
    return data::USE(db, table, o);
}

}  // namespace

std::optional<int> minutes_of(std::string_view text) {
    const std::string t = trim(text);
    const auto colon = t.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || t.size() != colon + 3)
        return std::nullopt;
    int h = 0, m = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (i == colon) continue;
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        (i < colon ? h : m) = (i < colon ? h : m) * 10 + (t[i] - '0');
    }
    if (h > 23 || m > 59) return std::nullopt;
    return h * 60 + m;
}

std::string hhmm(int minutes) {
    return pad_left(std::to_string(minutes / 60), 2, '0') + ":" +
           pad_left(std::to_string(minutes % 60), 2, '0');
}

SpaDayReader::SpaDayReader(data::Db& db, std::string negocio)
    : m_db(db), m_negocio(std::move(negocio)) {
    m_rese = open_read(db, "SPA_RESE", "SPA_RESE12");
    m_lines = open_read(db, "SPA_RESD", "SPA_RESD");
    m_agents = open_read(db, "AGENTES", "AGENTES");
    m_articles = open_read(db, "DEF_ART", "DEF_ART");
}

SpaDayReader::~SpaDayReader() {
    for (data::Table* t : {&m_rese, &m_lines, &m_agents, &m_articles})
        if (*t) data::KILLTABLA(m_db, *t);
}

DayReservation SpaDayReader::read_current() const {
    DayReservation r;
    static_cast<SpaHeader&>(r) = reservation_from_row(*m_rese);
    return r;
}

std::vector<DayReservation> SpaDayReader::room_reservations(const std::string& room,
                                                            const Date& from, const Date& to,
                                                            const std::vector<int>& states) {
    std::vector<DayReservation> out;
    const std::string prefix = by_room({m_negocio, room});
    const std::string last = by_room({m_negocio, room, to});
    data::WDBTable& t = *m_rese;
    for (t.Seek(by_room({m_negocio, room, from}), true); !t.Eof(); t.Skip()) {
        const std::string& key = t.CurrentKey();
        if (!starts_with(key, prefix) || key.compare(0, last.size(), last) > 0) break;
        DayReservation r = read_current();
        if (!states.empty() && std::find(states.begin(), states.end(), r.state) == states.end())
            continue;
        auto start = minutes_of(r.start), end = minutes_of(r.end);
        if (!start || !end) continue;
        r.start_min = *start;
        r.end_min = *end;
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<std::string> SpaDayReader::reserved_rooms() {
    std::vector<std::string> rooms;
    data::WDBTable& t = *m_rese;
    const std::string business = by_room({m_negocio});
    // A skip scan: one seek per room, past every date of the room before (a date part is digits
    // or blanks, all below "~"). The room's part is built from the field as stored.
    for (t.Seek(business, true); !t.Eof() && starts_with(t.CurrentKey(), business);) {
        rooms.push_back(reservation_from_row(t).room);
        t.Seek(by_room({m_negocio, t.str("COD_SALA")}) + "~", true);
    }
    return rooms;
}

const std::string& SpaDayReader::agent_name(const std::string& code) {
    auto it = m_agent_names.find(code);
    if (it != m_agent_names.end()) return it->second;
    std::string name;
    if (!trim(code).empty() &&
        m_agents->Seek(data::order_key("AGENTES", "AGENTES", {m_negocio, code})))
        name = agent_from_row(*m_agents).name;
    return m_agent_names.emplace(code, std::move(name)).first->second;
}

const std::string& SpaDayReader::article_name(const std::string& code) {
    auto it = m_article_names.find(code);
    if (it != m_article_names.end()) return it->second;
    std::string name;
    if (m_articles->Seek(data::order_key("DEF_ART", "DEF_ART", {m_negocio, code})))
        name = pos::article_from_row(*m_articles).name;
    return m_article_names.emplace(code, std::move(name)).first->second;
}

const std::vector<SpaServiceLine>& SpaDayReader::services(const std::string& reservation) {
    auto it = m_services.find(reservation);
    if (it != m_services.end()) return it->second;
    std::vector<SpaServiceLine> lines;
    const std::string key = reservation_lines_key(m_negocio, reservation);
    data::WDBTable& t = *m_lines;
    for (t.Seek(key); !t.Eof() && t.CurrentKey() == key; t.Skip()) {
        const SpaLine line = line_from_row(t);
        SpaServiceLine l;
        l.article = line.article;
        l.quantity = line.quantity.to_string();
        l.description = article_name(l.article);
        lines.push_back(std::move(l));
    }
    return m_services.emplace(reservation, std::move(lines)).first->second;
}

std::string SpaDayReader::first_service(const std::string& reservation) {
    const auto& lines = services(reservation);
    return lines.empty() ? std::string() : lines.front().description;
}

}  // namespace qz::domain::spa
