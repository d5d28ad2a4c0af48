#pragma once
// The reports "Agenda Spa" (6436, by room) and "Agenda Spa por Encargado" (6437, by person in
// charge): a small dialog for the days and the filter, then the print engine (preview, printer,
// workbook or mail).
#include <string>
#include <vector>

#include "core/clock.h"
#include "domain/spa/agenda/spa_agenda_report.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::data {
class Db;
}

namespace qz::gui {

enum class AgendaReportKind { ByRoom, ByAgent };

// Control ids of the parameters dialogs ("REP_AGSPA" by room, "REP_AGENC" by person).
inline constexpr int kRepFrom = 101, kRepTo = 102, kRepFilter = 103, kRepCancelled = 104;

// Asks for the parameters and prints; nothing when the user cancels.
void open_agenda_report(QWidget* owner, data::Db& db, const std::string& negocio,
                        const Clock& clock, AgendaReportKind kind);

// Draws the groups on an open job.
void draw_agenda_report(services::PrinterFunction& job,
                        const std::vector<domain::spa::AgendaReportGroup>& groups,
                        AgendaReportKind kind);

}  // namespace qz::gui
