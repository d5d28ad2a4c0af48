#pragma once
// The payments of a customer as the inquiry shows them: "Pagos Registrados" (window "PAGOS_REG":
// the receipts newest first with receipt, date, amount, currency and the annulled mark, and the
// applications of the chosen one), and "Imprimir Hist. Pagos", the same through the print
// engine (printer, preview, PDF or workbook).
#include <string>

#include "core/date.h"
#include "data/db.h"
#include "domain/ledger/customer_inquiry.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

void open_registered_payments(QWidget* owner, data::Db& db, const std::string& business,
                              const std::string& customer, const std::string& name);

void payment_history_titles(services::PrinterFunction& job, const Date& today);
void draw_payment_history(services::PrinterFunction& job, const domain::PaymentHistory& h);
// Asks for the printer and prints; nothing when the user cancels.
void print_payment_history(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer, const Date& today);

namespace registered_payments {
enum : int { kPayments = 500, kApplications = 501 };
}

}  // namespace qz::gui
