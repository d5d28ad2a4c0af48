// The report pages: a heading row of columns, a shaded bar per room or person, a line per
// reservation and the persons of each group.
#include <algorithm>

#include "core/text.h"
#include "gui/spa/agenda/agenda_reports.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using domain::spa::AgendaReportEntry;
using domain::spa::AgendaReportGroup;

struct Column {
    const char* title;
    double at;  // on a 132-character line
    double width;
};

// The sixth column is the room in the report by person and the person in the report by room.
constexpr Column kColumns[] = {{"Fecha", 0, 10},    {"Hora I.", 11, 7},    {"Hora F.", 18, 7},
                               {"Reserva", 25, 10}, {"Nombre", 36, 28},    {"", 65, 20},
                               {"# Pax", 86, 5},    {"Servicios", 92, 30}, {"Estado", 123, 9}};
constexpr double kBasis = 132;

std::string services_text(const AgendaReportEntry& e) {
    std::string out;
    for (const auto& s : e.services) {
        if (!out.empty()) out += ", ";
        out += (s.quantity == "1" ? "" : s.quantity + " x ") + s.description;
    }
    return out;
}

std::vector<std::string> cells(const AgendaReportEntry& e, AgendaReportKind kind) {
    const auto& r = e.reservation;
    const std::string sixth = kind == AgendaReportKind::ByAgent
                                  ? r.room + (e.room_name.empty() ? "" : " " + e.room_name)
                                  : e.agent_name;
    return {r.date.dtoc4(),
            r.start,
            r.end,
            r.code,
            r.name,
            sixth,
            std::to_string(r.persons),
            services_text(e),
            domain::spa::state_name(r.state)};
}

class ReportPage {
public:
    ReportPage(services::PrinterFunction& job, AgendaReportKind kind) : m_job(job), m_kind(kind) {}

    void header() {
        m_row = services::HEADER(m_job);
        services::LETRAPP(m_job);
        m_scale = m_job.Chars_per_Line / kBasis;
        m_job.BEGIN_HEADER();
        for (const auto& c : kColumns) {
            const char* title = c.title[0]                            ? c.title
                                : m_kind == AgendaReportKind::ByAgent ? "Sala"
                                                                      : "Encargado";
            services::PRINTOUT(m_job, m_row, c.at * m_scale, title);
        }
        m_job.END_HEADER();
        m_row += 1;
        services::SUBRAYA(m_job, m_row, 0, m_job.Chars_per_Line);
        m_row += 0.3;
    }
    void group(const AgendaReportGroup& g) {
        services::TCUADRO(m_job, m_row, 0, 1, m_job.Chars_per_Line);
        services::PRINTOUT(m_job, m_row, 0.5, g.title);
        next_line();
        for (const auto& e : g.entries) {
            if (!services::CANPRINT(m_job)) return;
            const auto texts = cells(e, m_kind);
            for (size_t i = 0; i < texts.size(); ++i) {
                const Column& c = kColumns[i];
                services::PRINTOUT(m_job, m_row, c.at * m_scale,
                                   services::CUT(m_job, texts[i], c.width * m_scale));
            }
            next_line();
        }
        services::PRINTOUT(m_job, m_row, kColumns[4].at * m_scale,
                           "Total personas: " + std::to_string(g.persons));
        m_row += 0.5;
        next_line();
    }

private:
    void next_line() {
        m_row += 1;
        services::NEXT_PAGE(m_job, [this] { header(); });
    }

    services::PrinterFunction& m_job;
    AgendaReportKind m_kind;
    double m_row = 0, m_scale = 1;
};

}  // namespace

void draw_agenda_report(services::PrinterFunction& job,
                        const std::vector<AgendaReportGroup>& groups, AgendaReportKind kind) {
    ReportPage page(job, kind);
    page.header();
    for (const auto& g : groups) {
        if (!services::CANPRINT(job)) break;
        page.group(g);
    }
}

}  // namespace qz::gui
