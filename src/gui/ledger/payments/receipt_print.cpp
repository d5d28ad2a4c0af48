#include "gui/ledger/payments/receipt_print.h"

#include "core/picture.h"
#include "core/text.h"
#include "gui/customers/print_sheet.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace dl = qz::domain;

namespace {

const char* const kReceiptTitle = "RECIBO DE DINERO";

std::string shown(const dl::PrintableDocument& r, const char* field) {
    return trim(r.value(field).text);
}

// The amount in words broken between words into lines that fit the customer's box.
constexpr size_t kBoxWidth = 45;
std::vector<std::string> wrapped(const std::string& words, size_t width) {
    std::vector<std::string> out;
    std::string line;
    size_t from = 0;
    while (from < words.size()) {
        size_t end = words.find(' ', from);
        if (end == std::string::npos) end = words.size();
        const std::string word = words.substr(from, end - from);
        if (!line.empty() && utf8_length(line) + 1 + utf8_length(word) > width) {
            out.push_back(line);
            line.clear();
        }
        if (!word.empty()) line += (line.empty() ? "" : " ") + word;
        from = end + 1;
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

// The customer, the amount (in its currency and in words) and who took the payment.
std::string receipt_box(const dl::PrintableDocument& r) {
    const std::string symbol = shown(r, "SIMBOLO");
    std::string out = "Cliente: " + shown(r, "CLIENTE") + " " + shown(r, "NOM_CLIENT");
    out += "\nMonto: " + (symbol.empty() ? "" : symbol + " ") +
           trim(pic_format(r.value("MONTO").number, dl::kAmountPicture)) + " (" +
           shown(r, "NOM_MONEDA") + ")";
    for (const auto& line : wrapped(shown(r, "LETRAS"), kBoxWidth)) out += "\n" + line;
    out += "\nCaja: " + shown(r, "CAJA") + "   Digitador: " + shown(r, "DIGITADOR");
    if (!shown(r, "DESCRIP").empty()) out += "\nComentario: " + shown(r, "DESCRIP");
    return out;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    while (from <= text.size() && !text.empty()) {
        const size_t end = text.find('\n', from);
        out.push_back(text.substr(from, end == std::string::npos ? end : end - from));
        if (end == std::string::npos) break;
        from = end + 1;
    }
    return out;
}

}  // namespace

void receipt_titles(services::PrinterFunction& job, const dl::PrintableDocument& r) {
    job.TITLE1(shown(r, "EMPRESA"));
    // Appended piece by piece: GCC 12 misreads the inlined concatenation of a literal and warns.
    std::string title = kReceiptTitle;
    title += " #";
    title += r.number;
    job.TITLE2(title);
    job.TITLE3("Fecha: " + r.value("FECHA").date.dtoc() + "  " + shown(r, "HORA"));
}

void draw_receipt(services::PrinterFunction& job, const dl::PrintableDocument& r) {
    // The balances are in each document's currency ("Mon."), what was applied in the receipt's.
    enum { kDocument, kDescription, kCurrency, kBefore, kApplied, kAfter, kBelow };
    PrintSheet sheet(job,
                     {{"Documento", 0, 15},
                      {"Descripción", 16, 34},
                      {"Mon.", 51, 5},
                      {"Saldo Anterior", 57, 15},
                      {"Abono", 73, 15},
                      {"Saldo Actual", 89, 15},
                      {"", 16, 72}},
                     receipt_box(r));
    sheet.header();
    Decimal applied;
    for (const auto& l : r.lines) {
        if (!sheet.alive()) return;
        sheet.text(kDocument, trim(l.at("L_DOCUMEN").text));
        sheet.text(kDescription, trim(l.at("L_DESCRIP").text));
        sheet.text(kCurrency, trim(l.at("L_MONEDA").text));
        sheet.money(kBefore, l.at("L_SALDOANT").number);
        sheet.money(kApplied, l.at("L_MONTO").number);
        sheet.money(kAfter, l.at("L_SALDO").number);
        // A credit note used as payment counts against the total.
        const auto net = l.find("L_NETO");
        applied += (net != l.end() ? net->second : l.at("L_MONTO")).number;
        sheet.next();
    }
    sheet.rule();
    sheet.text(kBelow, "Total Aplicado:");
    sheet.money(kApplied, applied);
    sheet.next();
    sheet.next();
    sheet.text(kBelow, "Formas de Pago:");
    sheet.next();
    for (const auto& tender : lines_of(r.value("FORMAS_PAG").text)) {
        sheet.text(kBelow, "  " + tender);
        sheet.next();
    }
    sheet.next();
    sheet.text(kDocument, "Recibido por:");
    sheet.text(kBelow, shown(r, "USUARIO"));
}

bool print_receipt(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& number) {
    return print_receipts(owner, db, business, {number});
}

bool print_receipts(QWidget* owner, data::Db& db, const std::string& business,
                    const std::vector<std::string>& numbers,
                    const std::function<void(services::PrinterFunction&)>& last_page) {
    std::vector<dl::PrintableDocument> receipts;
    for (const auto& n : numbers)
        if (auto r = dl::read_printable_receipt(db, business, n)) receipts.push_back(std::move(*r));
    if (receipts.empty()) return false;
    services::PrinterFunction job;
    prepare_job(job);
    receipt_titles(job, receipts.front());
    if (!SETUPPRINTER(job, 1, false, owner)) return false;
    std::string name = kReceiptTitle;
    name += " " + receipts.front().number;
    if (START_DOC(owner, job, name)) {
        // Each receipt on a page of its own, headed with its own number and date.
        for (size_t i = 0; i < receipts.size() && services::CANPRINT(job); ++i) {
            if (i > 0) {
                services::END_PAGE(job);
                receipt_titles(job, receipts[i]);
                services::START_PAGE(job);
            }
            draw_receipt(job, receipts[i]);
        }
        if (last_page && services::CANPRINT(job)) {
            services::END_PAGE(job);
            services::START_PAGE(job);
            last_page(job);
        }
    }
    RESETPRINT(owner, job);
    return true;
}

}  // namespace qz::gui
