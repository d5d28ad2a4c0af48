#include "domain/spa/agenda/spa_day_reader.h"

#include <algorithm>

#include "core/text.h"
#include "data/table_ops.h"

namespace qz::domain::spa {

namespace {

constexpr int kBizWidth = 15;
constexpr int kRoomWidth = 4;
constexpr int kResWidth = 15;
constexpr int kAgentWidth = 2;
constexpr int kArtWidth = 15;

data::Table open_read(data::Db& db, const char* table, const char* order) {
    data::UseOptions o;
    o.order = order;
    o.read_only = true;
    return data::USE(db, table, o);
}

}  // namespace

std::string reservation_state_name(int state) {
    switch (state) {
        case kResActive:
            return "Activa";
        case kResInvoiced:
            return "Facturada";
        case kResCancelled:
            return "Anulada";
        default:
            return {};
    }
}

std::string upper_text(std::string_view s) {
    std::string out = upper_ascii(s);
    // Latin-1 letters are two bytes 0xC3 xx: the lower-case ones (0xA0..0xBE, not the division
    // sign 0xB7) are their capitals plus 0x20.
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        auto lead = static_cast<unsigned char>(out[i]);
        auto next = static_cast<unsigned char>(out[i + 1]);
        if (lead == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return out;
}

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
    : m_db(db), m_negocio(pad_right(negocio, kBizWidth)) {
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
    const data::WDBTable& t = *m_rese;
    DayReservation r;
    r.code = trim(t.str("CODIGO"));
    r.state = static_cast<int>(t.num("ESTADO").to_int());
    r.date = t.date("FECHA");
    r.start = trim(t.str("HORA_INI"));
    r.end = trim(t.str("HORA_FIN"));
    r.room = trim(t.str("COD_SALA"));
    r.agent = trim(t.str("ENCARGADO"));
    r.hotel_room = trim(t.str("COD_ROOM"));
    r.name = trim(t.str("A_NOMBRE"));
    r.persons = static_cast<int>(t.num("NUM_PERSON").to_int());
    r.observation = trim(t.str("OBSERVAC"));
    return r;
}

std::vector<DayReservation> SpaDayReader::room_reservations(const std::string& room,
                                                            const Date& from, const Date& to,
                                                            const std::vector<int>& states) {
    std::vector<DayReservation> out;
    const std::string prefix = m_negocio + pad_right(room, kRoomWidth);
    const std::string last = prefix + to.dtos();
    data::WDBTable& t = *m_rese;
    for (t.Seek(prefix + from.dtos(), true); !t.Eof(); t.Skip()) {
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
    // A skip scan: one seek per room, past every date of the room before.
    for (t.Seek(m_negocio, true); !t.Eof() && starts_with(t.CurrentKey(), m_negocio);) {
        const std::string room = t.CurrentKey().substr(0, m_negocio.size() + kRoomWidth);
        rooms.push_back(trim(t.str("COD_SALA")));
        t.Seek(room + "~", true);
    }
    return rooms;
}

const std::string& SpaDayReader::agent_name(const std::string& code) {
    auto it = m_agent_names.find(code);
    if (it != m_agent_names.end()) return it->second;
    std::string name;
    if (!trim(code).empty() && m_agents->Seek(m_negocio + pad_right(code, kAgentWidth)))
        name = trim(m_agents->str("NOMBRE"));
    return m_agent_names.emplace(code, std::move(name)).first->second;
}

const std::string& SpaDayReader::article_name(const std::string& code) {
    auto it = m_article_names.find(code);
    if (it != m_article_names.end()) return it->second;
    std::string name;
    if (m_articles->Seek(m_negocio + pad_right(code, kArtWidth)))
        name = trim(m_articles->str("DESCRIP"));
    return m_article_names.emplace(code, std::move(name)).first->second;
}

const std::vector<SpaServiceLine>& SpaDayReader::services(const std::string& reservation) {
    auto it = m_services.find(reservation);
    if (it != m_services.end()) return it->second;
    std::vector<SpaServiceLine> lines;
    const std::string key = m_negocio + pad_right(reservation, kResWidth);
    data::WDBTable& t = *m_lines;
    for (t.Seek(key); !t.Eof() && t.CurrentKey() == key; t.Skip()) {
        SpaServiceLine l;
        l.article = trim(t.str("CODIGO"));
        l.quantity = t.num("CANTIDAD").to_string();
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
