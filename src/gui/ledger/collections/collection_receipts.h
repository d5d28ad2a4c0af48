#pragma once
// "Imprimir Recibos" of the automatic collections: every receipt a run wrote, as the payment
// window prints it, then the list of the run (number, document, customer, amount) for the clerk
// who reconciles it with the bank.
#include <vector>

#include "data/db.h"
#include "domain/ledger/auto_collection_payments.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

// Draws the list on an open job.
void draw_collection_receipts(services::PrinterFunction& job,
                              const std::vector<domain::CollectedRow>& receipts);

// Asks for the printer once and prints the receipts and the list.
void print_collection_receipts(QWidget* owner, data::Db& db, const std::string& business,
                               const std::vector<domain::CollectedRow>& receipts);

}  // namespace qz::gui
