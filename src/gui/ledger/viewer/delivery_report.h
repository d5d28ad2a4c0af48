#pragma once
// "Documentos Entregados" / "Documentos No Entregados": the documents of the viewer's filter
// with their delivery date, through the print engine (preview, printer, PDF, workbook).
#include "domain/ledger/document_delivery.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

// Draws the listing on an open job.
void draw_delivery_listing(services::PrinterFunction& job, const domain::DeliveryListing& listing);

// The title of a listing.
const char* delivery_title(bool delivered);

// Asks for the printer and prints; tells the user when there is nothing to list.
void print_delivery_listing(QWidget* owner, const domain::DeliveryListing& listing,
                            const std::string& subtitle);

}  // namespace qz::gui
