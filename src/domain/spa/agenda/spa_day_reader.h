#pragma once
// Reading the spa's reservations for the agenda and its reports: the reservations of one room
// over a day or a range of days along SPA_RESE12 (business + room + date), and the names they
// point at (person in charge in AGENTES, services in SPA_RESD and DEF_ART). Each name is looked
// up once per reader, so filling a day costs one seek per room, one per reservation whose
// services are asked for, and one per distinct agent or article.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

// "HH:MM" (or "H:MM") as minutes after midnight; nullopt when it is not a time of day.
std::optional<int> minutes_of(std::string_view hhmm);
std::string hhmm(int minutes);

// A reservation as SPA_RESE holds it, with its times as minutes after midnight.
struct DayReservation : SpaHeader {
    int start_min = 0, end_min = 0;
};

struct SpaServiceLine {
    std::string article;
    std::string description;
    std::string quantity;  // as the report prints it, without trailing zeros
};

class SpaDayReader {
public:
    SpaDayReader(data::Db& db, std::string negocio);
    ~SpaDayReader();
    SpaDayReader(const SpaDayReader&) = delete;
    SpaDayReader& operator=(const SpaDayReader&) = delete;

    // Reservations of `room` dated from..to (both included), in the order of SPA_RESE12, of the
    // given states (empty = every state). Rows whose times do not read are left out: they
    // cannot be placed on a day.
    std::vector<DayReservation> room_reservations(const std::string& room, const Date& from,
                                                  const Date& to, const std::vector<int>& states);
    // The codes of the rooms that have any reservation in the business, in key order (a room
    // that was deleted from SPA_SALA still has its reservations reported).
    std::vector<std::string> reserved_rooms();

    // The person in charge's name as stored ("" for a blank or unknown code).
    const std::string& agent_name(const std::string& code);
    // The services of a reservation in the order of SPA_RESD.
    const std::vector<SpaServiceLine>& services(const std::string& reservation);
    // The description of the first service; "" when the reservation has none.
    std::string first_service(const std::string& reservation);

private:
    const std::string& article_name(const std::string& code);
    DayReservation read_current() const;

    data::Db& m_db;
    std::string m_negocio;
    data::Table m_rese, m_lines, m_agents, m_articles;
    std::map<std::string, std::string> m_agent_names, m_article_names;
    std::map<std::string, std::vector<SpaServiceLine>> m_services;
};

}  // namespace qz::domain::spa
