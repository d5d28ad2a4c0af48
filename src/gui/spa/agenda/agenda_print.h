#pragma once
// The printed agenda of a day: landscape, the hours down the left, a column per room with the
// cells' texts cut to the column.
#include "domain/spa/agenda/spa_agenda.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

// Draws the agenda on an open job.
void draw_agenda(services::PrinterFunction& job, const domain::spa::AgendaDay& agenda);
// Asks for printer and output and prints the agenda.
void print_agenda(QWidget* owner, const domain::spa::AgendaDay& agenda);

}  // namespace qz::gui
