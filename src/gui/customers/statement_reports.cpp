// The report protocol of the customer's printouts: the printer dialog (preview, workbook and
// mail included), the job, the layout and the close that shows the preview.
#include <functional>

#include "domain/ledger/customer_statement.h"
#include "gui/customers/statement_print.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace {

void run_report(QWidget* owner, const std::string& name,
                const std::function<void(services::PrinterFunction&)>& titles,
                const std::function<void(services::PrinterFunction&)>& draw) {
    services::PrinterFunction job;
    prepare_job(job);
    titles(job);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, name)) draw(job);
    RESETPRINT(owner, job);
}

bool nothing_to_print(QWidget* owner, bool empty, const char* text) {
    if (empty) MESSAGE_BOX(owner, text, "Aviso", kMbOk | kMbIconInformation);
    return empty;
}

}  // namespace

void print_open_statement(QWidget* owner, data::Db& db, const std::string& business,
                          const std::string& customer, const Date& today) {
    const auto s = domain::open_statement(db, business, customer, today);
    if (nothing_to_print(owner, s.documents.empty(), "El cliente no tiene documentos pendientes"))
        return;
    run_report(
        owner, "Estado de Cuenta", [&](auto& job) { open_statement_titles(job, today); },
        [&](auto& job) { draw_open_statement(job, s); });
}

void print_historic_statement(QWidget* owner, const domain::HistoricStatement& s) {
    run_report(
        owner, "Estado de Cuenta Histórico", [&](auto& job) { historic_titles(job, s); },
        [&](auto& job) { draw_historic_statement(job, s); });
}

void print_collection_plan(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer, const Date& today) {
    const auto p = domain::collection_plan(db, business, customer, today);
    if (nothing_to_print(owner, p.lines.empty(), "El cliente no tiene cuotas pendientes"))
        return;
    run_report(
        owner, "Plan de Cobro", [&](auto& job) { plan_titles(job, today); },
        [&](auto& job) { draw_collection_plan(job, p); });
}

void print_customer_listing(QWidget* owner, data::Db& db, const std::string& business,
                            const domain::customers::ListingRequest& r) {
    const auto rows = domain::customers::customer_listing(db, business, r);
    if (nothing_to_print(owner, rows.empty(), "No hay clientes que listar")) return;
    run_report(
        owner, "Listados de Clientes", [&](auto& job) { listing_titles(job, r); },
        [&](auto& job) { draw_customer_listing(job, rows); });
}

}  // namespace qz::gui
