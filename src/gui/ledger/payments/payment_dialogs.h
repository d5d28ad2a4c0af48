#pragma once
// The small windows of "Registro de Abonos": the rates of the payment ("Cambios Monetarios",
// E_MONEDA), the pending payments to finish, and the customer's last payments ("Últimos
// Abonos") with the reprint of a receipt.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/ledger/payment_draft.h"
#include "domain/ledger/payment_pending.h"

class QWidget;

namespace qz::gui {

// The rates of the draft, typed only when the business reads rates; true when the draft took
// new ones (after its own question when documents were added).
bool edit_payment_rates(QWidget* owner, domain::PaymentDraft& draft);

// The number of the pending payment chosen; none when the user left.
std::optional<std::string> choose_pending_payment(
    QWidget* owner, const std::vector<domain::PendingPayment>& pending);

// "Últimos Abonos" of `customer`; "Reimprimir" prints the chosen receipt again.
void show_last_payments(QWidget* owner, data::Db& db, const std::string& business,
                        const std::string& customer);

namespace payment_dialogs {
enum : int { kGrid = 500, kReprint = 201 };
}  // namespace payment_dialogs

}  // namespace qz::gui
