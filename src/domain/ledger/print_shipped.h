#pragma once
// The print formats every installation starts with, so a document prints before anyone has
// designed one: an invoice and a receipt on a sheet, and a ticket for a roll printer.
#include <string>

#include "data/db.h"
#include "domain/ledger/print_formats.h"

namespace qz::domain {

inline constexpr const char* kInvoiceFormat = "01";
inline constexpr const char* kReceiptFormat = "02";
inline constexpr const char* kTicketFormat = "03";

PrintFormat shipped_invoice_format();
PrintFormat shipped_receipt_format();
// A ticket is laid out by its own rules; the format gives its width in characters (ANCHO).
PrintFormat shipped_ticket_format();

// Writes the shipped formats the business does not have yet (a format of the same code, even
// one the user changed, is left alone), in one transaction. Returns how many were written.
int install_shipped_formats(data::Db& db, const std::string& business);
// The same for every business of the installation (what `quartzen init` does each time it
// runs, so a business created since gets them too).
int install_shipped_formats_everywhere(data::Db& db);

}  // namespace qz::domain
