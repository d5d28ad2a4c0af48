#pragma once
// The printouts of guarantee deposits through the print engine: the deposit's voucher
// (IMP_DEP, also printed on saving when the concept asks for it).
#include <string>

#include "data/db.h"
#include "domain/deposits/deposit_view.h"
#include "domain/session/session.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

inline constexpr const char* kDepositVoucherTitle = "Comprobante de Depósito de Garantía";

void deposit_voucher_titles(services::PrinterFunction& job, const domain::DepositView& v);
// Draws the voucher on an open job: the deposit, who made and who paid it, the amount, the
// stay, the reservations it was applied to, the card (masked) when paid by card, "ANULADO"
// when voided, and the line to sign.
void draw_deposit_voucher(services::PrinterFunction& job, const domain::DepositView& v);

// Asks for the printer and prints the voucher of deposit `movement`; tells the user when there
// is no such deposit.
void print_deposit_voucher(QWidget* owner, data::Db& db, const domain::Session& s,
                           const std::string& movement);

}  // namespace qz::gui
