#pragma once
// The second network's voucher on paper: both copies ("***ORIGINAL***" and "***COPIA
// CLIENTE***"), one page each, in one job on the printer the workstation names for vouchers —
// section PREDET_P_CREDOMATIC, key business code, names a printer entry, and section PREDET_P,
// key business code + that entry, the printer (which may be the PDF file printer).
#include "core/ini_file.h"
#include "core/user_port.h"
#include "services/terminals/card_service.h"

class QWidget;

namespace qz::gui {

inline constexpr const char* kVoucherPrinterUndefined = "Impresora de Comprobante mal definida";
inline constexpr const char* kVoucherPrintFailed = "Error imprimiendo Comprobante";

// Printers and the job's environment come from the print context (print_context.h).
class CredomaticVoucherPrinter : public services::terminals::VoucherPrinter {
public:
    CredomaticVoucherPrinter(QWidget* owner, const IniFile& ini, UserPort& port);
    void print_voucher(const services::terminals::Voucher& voucher) override;

private:
    bool print_both(const services::terminals::Voucher& voucher, const std::string& printer);

    QWidget* m_owner;
    const IniFile& m_ini;
    UserPort& m_port;
};

}  // namespace qz::gui
