#pragma once
// "Imprimir Recibos" of the automatic collections: the receipts a run wrote (number, document,
// customer, amount), listed through the print engine.
#include <vector>

#include "domain/ledger/auto_collection_payments.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

// Draws the list on an open job.
void draw_collection_receipts(services::PrinterFunction& job,
                              const std::vector<domain::CollectedRow>& receipts);

// Asks for the printer and prints.
void print_collection_receipts(QWidget* owner, const std::vector<domain::CollectedRow>& receipts);

}  // namespace qz::gui
