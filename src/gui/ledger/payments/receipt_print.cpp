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

// The customer, the amount (in its currency and in words) and who took the payment.
std::string receipt_box(const dl::PrintableDocument& r) {
    const std::string symbol = shown(r, "SIMBOLO");
    std::string out = "Cliente: " + shown(r, "CLIENTE") + " " + shown(r, "NOM_CLIENT");
    out += "\nMonto: " + (symbol.empty() ? "" : symbol + " ") +
           trim(pic_format(r.value("MONTO").number, dl::kAmountPicture)) + " (" +
           shown(r, "NOM_MONEDA") + ")";
    out += "\n" + shown(r, "LETRAS");
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
    job.TITLE2(std::string(kReceiptTitle) + " #" + r.number);
    job.TITLE3("Fecha: " + r.value("FECHA").date.dtoc() + "  " + shown(r, "HORA"));
}

void draw_receipt(services::PrinterFunction& job, const dl::PrintableDocument& r) {
    enum { kDocument, kDescription, kBefore, kApplied, kAfter };
    PrintSheet sheet(job,
                     {{"Documento", 0, 15},
                      {"Descripción", 16, 40},
                      {"Saldo Anterior", 57, 15},
                      {"Abono", 73, 15},
                      {"Saldo Actual", 89, 15}},
                     receipt_box(r));
    sheet.header();
    Decimal applied;
    for (const auto& l : r.lines) {
        if (!sheet.alive()) return;
        sheet.text(kDocument, trim(l.at("L_DOCUMEN").text));
        sheet.text(kDescription, trim(l.at("L_DESCRIP").text));
        sheet.money(kBefore, l.at("L_SALDOANT").number);
        sheet.money(kApplied, l.at("L_MONTO").number);
        sheet.money(kAfter, l.at("L_SALDO").number);
        applied += l.at("L_MONTO").number;
        sheet.next();
    }
    sheet.rule();
    sheet.text(kDescription, "Total Aplicado:");
    sheet.money(kApplied, applied);
    sheet.next();
    sheet.next();
    sheet.text(kDescription, "Formas de Pago:");
    sheet.next();
    for (const auto& tender : lines_of(r.value("FORMAS_PAG").text)) {
        sheet.text(kDescription, "  " + tender);
        sheet.next();
    }
    sheet.next();
    sheet.text(kDocument, "Recibido por:");
    sheet.text(kDescription, shown(r, "USUARIO"));
}

bool print_receipt(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& number) {
    const auto r = dl::read_printable_receipt(db, business, number);
    if (!r) return false;
    services::PrinterFunction job;
    prepare_job(job);
    receipt_titles(job, *r);
    if (!SETUPPRINTER(job, 1, false, owner)) return false;
    const std::string name = std::string(kReceiptTitle) + " " + number;
    if (START_DOC(owner, job, name)) draw_receipt(job, *r);
    RESETPRINT(owner, job);
    return true;
}

}  // namespace qz::gui
