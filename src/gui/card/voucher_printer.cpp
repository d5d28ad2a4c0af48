#include "gui/card/voucher_printer.h"

#include "core/text.h"
#include "gui/print/print_context.h"
#include "gui/print/print_job.h"
#include "services/print/printer_profiles.h"
#include "services/terminals/voucher_page.h"

namespace qz::gui {

namespace terminals = services::terminals;

CredomaticVoucherPrinter::CredomaticVoucherPrinter(QWidget* owner, const IniFile& ini,
                                                   UserPort& port)
    : m_owner(owner), m_ini(ini), m_port(port) {}

void CredomaticVoucherPrinter::print_voucher(const terminals::Voucher& voucher) {
    const std::string entry = trim(m_ini.get("PREDET_P_CREDOMATIC", voucher.business));
    const std::string printer =
        entry.empty() ? ""
                      : trim(m_ini.get("PREDET_P", services::profile_key(voucher.business, entry)));
    if (printer.empty()) {
        m_port.message(MsgStyle::Error, "", kVoucherPrinterUndefined);
        return;
    }
    if (!print_both(voucher, printer)) m_port.message(MsgStyle::Error, "", kVoucherPrintFailed);
}

bool CredomaticVoucherPrinter::print_both(const terminals::Voucher& voucher,
                                          const std::string& printer) {
    services::PrinterFunction job;
    if (!services::ASSIGNPRINTER(job, *print_context().printers, printer)) return false;
    // The job is closed on every path, so a failed voucher leaves no half-open document. Its
    // name tells the operation and the reference: a voucher written to a PDF file never
    // replaces an earlier one.
    const std::string name = std::string(terminals::kVoucherName) +
                             (voucher.is_void ? " ANULACION " : " ") + trim(voucher.reference);
    bool ok = START_DOC(m_owner, job, name, false);
    if (ok) {
        const auto heading = terminals::voucher_heading(m_ini, voucher.business);
        for (auto copy : {terminals::VoucherCopy::Original, terminals::VoucherCopy::Customer}) {
            terminals::draw_voucher(job, voucher, heading, copy);
            services::END_PAGE(job, false);
        }
        ok = job.Can_Print;
    }
    RESETPRINT(m_owner, job, false);
    return ok;
}

}  // namespace qz::gui
