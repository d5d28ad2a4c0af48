#pragma once
// The printed receipt of a payment: the business and "RECIBO DE DINERO" with its number and
// date, the customer's box with the amount in the payment currency, the documents the payment
// went to with the balance each had and the balance it left, the tenders and the clerk. The
// receipt is read from the posted rows (domain/ledger/printable_document.h), so a receipt printed
// again later reads the same as the first one.
#include <functional>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/ledger/printable_document.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

void receipt_titles(services::PrinterFunction& job, const domain::PrintableDocument& r);
void draw_receipt(services::PrinterFunction& job, const domain::PrintableDocument& r);

// Asks for the printer and prints receipt `number`; false when the user cancelled or there is
// no such receipt.
bool print_receipt(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& number);
// Prints the receipts `numbers` in one job, each on a page of its own, and `last_page` (when
// given) on a page after them; false when the user cancelled or none of them exists.
bool print_receipts(QWidget* owner, data::Db& db, const std::string& business,
                    const std::vector<std::string>& numbers,
                    const std::function<void(services::PrinterFunction&)>& last_page = {});

}  // namespace qz::gui
