// "Imprimir Hist. Pagos": the customer's receipts newest first, each followed by the documents
// it was applied to with the balance it left them, and the valid receipts' totals per currency.
#include "core/text.h"
#include "gui/customers/print_sheet.h"
#include "gui/ledger/inquiry/payments_window.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace dl = qz::domain;

namespace {

const char* const kTitle = "HISTORIAL DE PAGOS";

}  // namespace

void payment_history_titles(services::PrinterFunction& job, const Date& today) {
    job.TITLE1(kTitle);
    job.TITLE2("Pagos Registrados al " + today.dtoc());
}

void draw_payment_history(services::PrinterFunction& job, const dl::PaymentHistory& h) {
    enum { kDate, kNumber, kDescription, kCurrency, kAmount, kBalance, kAnnulled };
    PrintSheet sheet(job,
                     {{"Fecha", 0, 9},
                      {"Recibo", 10, 15},
                      {"Descripción", 26, 34},
                      {"M", 61, 3},
                      {"Monto", 65, 15},
                      {"Saldo Doc.", 81, 15},
                      {"Nulo", 98, 16}},
                     h.heading.box_text());
    sheet.header();
    for (const auto& p : h.payments) {
        if (!sheet.alive()) return;
        sheet.text(kDate, p.date.dtoc());
        sheet.text(kNumber, p.movement);
        sheet.text(kDescription, p.description);
        sheet.text(kCurrency, p.currency);
        sheet.money(kAmount, p.amount);
        if (p.annulled())
            sheet.text(kAnnulled, std::string(dl::kAnnulledMark) + " " + p.annulled_by);
        sheet.next();
        for (const auto& a : p.applications) {
            sheet.text(kNumber, "> " + a.document);
            sheet.text(kDescription, a.description);
            sheet.money(kAmount, a.amount);
            sheet.money(kBalance, a.balance_after);
            sheet.next();
        }
    }
    sheet.rule();
    for (const auto& t : h.totals) {
        sheet.text(kDescription, "Total " + t.symbol + " (" + t.currency + "):");
        sheet.money(kAmount, t.amount);
        sheet.next();
    }
    sheet.text(kDescription, "Recibos: " + std::to_string(h.payments.size()));
}

void print_payment_history(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer, const Date& today) {
    const dl::PaymentHistory h = dl::payment_history(db, business, customer);
    services::PrinterFunction job;
    prepare_job(job);
    payment_history_titles(job, today);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, kTitle)) draw_payment_history(job, h);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
