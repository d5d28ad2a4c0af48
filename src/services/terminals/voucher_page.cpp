#include "services/terminals/voucher_page.h"

#include "core/picture.h"
#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::services::terminals {

namespace {

constexpr const char* kAmountPicture = "999,999,999,999.99";
constexpr double kWidth = 40;  // columns of a roll voucher

// Every digit but the last four becomes "*". A masked card passes unchanged; a full number handed
// by mistake is masked here rather than printed, since the PDF printer keeps it in a file.
std::string last_four_only(std::string_view card) {
    std::string out(card);
    int kept = 0;
    for (auto it = out.rbegin(); it != out.rend(); ++it) {
        if (*it < '0' || *it > '9') continue;
        if (kept < 4)
            ++kept;
        else
            *it = '*';
    }
    return out;
}

std::vector<std::string> body(const Voucher& v, const VoucherHeading& heading) {
    std::vector<std::string> lines = heading.lines;
    lines.push_back("");
    lines.push_back("Terminal ID:  " + heading.terminal_id);
    lines.push_back("Card:  " + last_four_only(v.masked_card));
    lines.push_back("Fecha: " + v.when.date.dtoc4() + " " + v.when.time);
    lines.push_back("# AUT: " + trim(v.authorisation));
    lines.push_back("# REF: " + trim(v.reference));
    lines.push_back("");
    lines.push_back(v.is_void ? "ANULACION/VOID" : "COMPRA/PURCHASE");
    lines.push_back("MONTO/AMOUNT: " + v.currency_symbol + " " +
                    trim(pic_format(v.amount, kAmountPicture)));
    return lines;
}

std::string copy_label(VoucherCopy copy) {
    return copy == VoucherCopy::Original ? "***ORIGINAL***" : "***COPIA CLIENTE***";
}

}  // namespace

VoucherHeading voucher_heading(const IniFile& ini, const std::string& business) {
    VoucherHeading h;
    for (int n = 1; n <= 4; ++n) {
        const std::string line = trim(ini.get("ESTACION_CREDIT_H" + std::to_string(n), business));
        if (!line.empty()) h.lines.push_back(line);
    }
    h.terminal_id = trim(ini.get("ESTACION_CREDIT_ID", business));
    return h;
}

void draw_voucher(PrinterFunction& job, const Voucher& voucher, const VoucherHeading& heading,
                  VoucherCopy copy) {
    LETRAP(job);
    double row = 0;
    for (const std::string& line : body(voucher, heading)) {
        if (!line.empty()) PRINTOUT(job, row, 0, line);
        ++row;
    }
    // Room to sign between the caption and its rule.
    PRINTOUT(job, row + 2, 0, "Firma/Signature:");
    SUBRAYA(job, row + 4.5, 0, kWidth);
    PRINTOUT(job, row + 6, 0, copy_label(copy));
}

}  // namespace qz::services::terminals
