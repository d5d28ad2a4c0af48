#pragma once
// The waiter's shift report (IMP_TURN): the shift, its sales and the two grand totals.
#include "domain/cash/waiter_shifts.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

void draw_turn_report(services::PrinterFunction& job, const domain::cash::TurnReport& report);
// Asks for the printer (with preview) and prints it.
void print_turn_report(QWidget* owner, const domain::cash::TurnReport& report);

}  // namespace qz::gui
