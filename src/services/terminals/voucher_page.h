#pragma once
// The second network's voucher, "Comprobante CREDOMATIC": the workstation's header lines, the
// terminal, the masked card, date and time, authorisation and reference, purchase or void, the
// amount, the signature line and which copy it is. Drawn on an open print job (one page).
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "services/print/printer_function.h"
#include "services/terminals/card_service.h"

namespace qz::services::terminals {

inline constexpr const char* kVoucherName = "Comprobante CREDOMATIC";

// What the workstation's settings put on its vouchers.
struct VoucherHeading {
    std::vector<std::string> lines;  // sections ESTACION_CREDIT_H1..H4, blank ones left out
    std::string terminal_id;         // section ESTACION_CREDIT_ID
};

VoucherHeading voucher_heading(const IniFile& ini, const std::string& business);

enum class VoucherCopy { Original, Customer };

// Draws the voucher on the job's current page (opening one when none is open). The card shows
// only its last four digits, even when the voucher was handed a number not masked yet.
void draw_voucher(PrinterFunction& job, const Voucher& voucher, const VoucherHeading& heading,
                  VoucherCopy copy);

}  // namespace qz::services::terminals
