#pragma once
// A report's print job on the screen: the job wired to Qt (printer or PDF device, text
// measurement, caption translation, messages, the WHILE_PRINT window), and its close, which
// opens the preview, opens the workbook or mails the file it made.
#include <string>

#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

// The session's environment on the job (print face, grey boxes, logo, temporary folder, stamp).
void prepare_job(services::PrinterFunction& job);
// Wires the job and opens it; `owner` is the report's screen, disabled while the job runs.
bool START_DOC(QWidget* owner, services::PrinterFunction& job, const std::string& name,
               bool show = true);
// Closes the job, then shows the preview, opens the workbook or mails the workbook or PDF.
void RESETPRINT(QWidget* owner, services::PrinterFunction& job, bool stamp = true);

// The installation's ticket logo (BMP/TICKET.BMP), "" when there is none.
std::string ticket_logo(const std::string& home);

}  // namespace qz::gui
