#pragma once
// The printed cash closing: the page layout (the company header, the register and the cashier,
// columns on every page) and the narrow ticket layout (the ticket logo and the period on every
// page), each in detail (one line per tender line) or summary (one line per payment type); and
// the second format, R_CICAJA, one page per payment type with its receipts.
#include <string>

#include "domain/cash/closing.h"
#include "services/print/printer_function.h"

namespace qz::gui {

struct ClosingLayout {
    bool detail = false;
    bool ticket = false;
    std::string logo;        // the ticket layout's picture ("" for none)
    std::string printed_at;  // "Fecha/Hora: " of the ticket layout
};

// Print_Listado: the listing on an open job.
void draw_closing(services::PrinterFunction& job, const domain::cash::Closing& c,
                  const ClosingLayout& layout);
// R_CICAJA on an open job.
void draw_closing_by_type(services::PrinterFunction& job, const domain::cash::Closing& c);

// The titles of the job (the company header prints them).
void closing_titles(services::PrinterFunction& job, const domain::cash::Closing& c);

}  // namespace qz::gui
