#pragma once
// The ticket of a document for a roll printer: the concept's heading titles and texts, the
// document's data and lines, its totals and amount in words, and the concept's closing lines,
// `columns` characters wide on a strip at most 72 mm wide (so a preview on a sheet looks like
// the ticket the roll printer gives).
#include <string>

#include "domain/ledger/print_bindings.h"
#include "domain/ledger/printable_document.h"
#include "services/print/printer_function.h"

namespace qz::gui {

inline constexpr double kTicketMillimetres = 72;

void draw_ticket(services::PrinterFunction& job, const domain::ConceptPrintTexts& texts,
                 const domain::PrintableDocument& doc, int columns = 40);

}  // namespace qz::gui
