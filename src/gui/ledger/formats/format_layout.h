#pragma once
// Lays a printable document out on a print job through a page format (FORM_DOC and its rows):
// every element at its cell of the format's grid, the lines block one row per line, the copies
// of COPIAS_H one below the other, and a new sheet when the lines do not fit in LINEAS.
#include <string>

#include "domain/ledger/print_formats.h"
#include "domain/ledger/printable_document.h"
#include "services/print/printer_function.h"

namespace qz::gui {

// The value as printed: a number through `picture` (the field's own when empty), a date as
// dd/mm/yy ("DD/MM/AAAA" gives four-digit years), a text as it is.
std::string print_value_text(const domain::PrintValue& v, const std::string& field,
                             const std::string& picture);

// Draws the document on the open job (opening a page when none is open) and leaves the last
// sheet open, so the caller ends it as it ends any page.
void draw_format(services::PrinterFunction& job, const domain::PrintFormat& f,
                 const domain::PrintableDocument& doc);

}  // namespace qz::gui
