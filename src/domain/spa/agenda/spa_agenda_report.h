#pragma once
// What the reports "Agenda Spa" (by room) and "Agenda Spa por Encargado" (by person in charge)
// list: the reservations of a day or a range of days, each with its times, guest, persons,
// person in charge, services and state, grouped and ordered for the report.
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/session/master_rows.h"
#include "domain/spa/agenda/spa_day_reader.h"

namespace qz::domain::spa {

struct AgendaReportRequest {
    Date from, to;
    std::string room;   // "" = every room (the room report's filter)
    std::string agent;  // "" = every person in charge (the person report's filter)
    bool include_cancelled = false;
};

struct AgendaReportEntry {
    DayReservation reservation;
    std::string room_name;
    std::string agent_name;
    std::vector<SpaServiceLine> services;
};

struct AgendaReportGroup {
    std::string code;   // room or person in charge; "" for reservations without one
    std::string title;  // "Sala: ..." or "Encargado: ..."
    std::vector<AgendaReportEntry> entries;
    int persons = 0;
};

// Both expect a request check_report_request accepts.
// By room: one group per room in key order, reservations by date and start time.
std::vector<AgendaReportGroup> agenda_by_room(data::Db& db, const std::string& negocio,
                                              const AgendaReportRequest& req);
// By person in charge: one group per person (code order; those without one last), reservations
// by date, start time and room.
std::vector<AgendaReportGroup> agenda_by_agent(data::Db& db, const std::string& negocio,
                                               const AgendaReportRequest& req);

// Code and name of every room (SPA_SALA.DESCRIP) and every person in charge (AGENTES.NOMBRE) of
// the business in code order, for the reports' filters.
std::vector<CodeName> report_rooms(data::Db& db, const std::string& negocio);
std::vector<CodeName> report_agents(data::Db& db, const std::string& negocio);

// Checks a request as the parameter dialogs take it: "" when acceptable, else the message.
std::string check_report_request(const AgendaReportRequest& req);

}  // namespace qz::domain::spa
