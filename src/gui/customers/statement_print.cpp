#include "gui/customers/statement_print.h"

#include <algorithm>

#include "core/text.h"
#include "gui/customers/print_sheet.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using services::PrinterFunction;
namespace dc = qz::domain::customers;

std::string total_label(const domain::CurrencyTotal& t) {
    return "Total " + t.symbol + " (" + t.currency + "):";
}

}  // namespace

void draw_open_statement(PrinterFunction& job, const domain::OpenStatement& s) {
    enum { kDate, kSym, kNumber, kDescription, kAmount, kBalance, kDays };
    PrintSheet sheet(job,
                     {{"Fecha", 0, 9},
                      {"M", 10, 3},
                      {"Documento", 14, 15},
                      {"Descripción", 30, 31},
                      {"Monto", 62, 15},
                      {"Saldo", 78, 15},
                      {"Días", 95, 4}},
                     s.heading.box_text());
    sheet.header();
    for (const auto& d : s.documents) {
        if (!sheet.alive()) return;
        sheet.text(kDate, d.date.dtoc());
        sheet.text(kSym, d.symbol);
        sheet.text(kNumber, d.number);
        sheet.text(kDescription, d.description);
        sheet.money(kAmount, d.amount);
        sheet.money(kBalance, d.balance);
        sheet.days(kDays, d.days_overdue);
        sheet.next();
        for (const auto& p : d.payments) {
            sheet.text(kDate, p.date.dtoc());
            sheet.text(kNumber, "> " + p.movement);
            sheet.text(kDescription, utf8_substr(p.description, 0, domain::kStatementDescription));
            sheet.money(kAmount, p.change * d.sign);
            sheet.next();
        }
    }
    sheet.rule();
    for (const auto& t : s.totals) {
        sheet.text(kDescription, total_label(t));
        sheet.money(kAmount, t.amount);
        sheet.money(kBalance, t.balance);
        sheet.next();
    }
}

void draw_historic_statement(PrinterFunction& job, const domain::HistoricStatement& s) {
    enum { kDate, kSym, kNumber, kDescription, kDebit, kCredit, kBalance };
    PrintSheet sheet(job,
                     {{"Fecha", 0, 9},
                      {"M", 10, 3},
                      {"Documento", 14, 15},
                      {"Descripción", 30, 31},
                      {"Débito", 62, 15},
                      {"Crédito", 78, 15},
                      {"Saldo", 94, 15}},
                     s.heading.box_text());
    sheet.header();
    for (const auto& c : s.currencies) {
        sheet.text(kSym, c.symbol);
        sheet.text(kDescription, "Saldo Anterior al " + s.from.dtoc() + ":");
        sheet.money(kBalance, c.opening);
        sheet.next();
    }
    for (const auto& l : s.lines) {
        if (!sheet.alive()) return;
        sheet.text(kDate, l.date.dtoc());
        sheet.text(kSym, l.symbol);
        sheet.text(kNumber, l.number);
        sheet.text(kDescription, l.payment ? "> " + l.document + " " + l.description : l.description);
        if (!l.debit.is_zero()) sheet.money(kDebit, l.debit);
        if (!l.credit.is_zero()) sheet.money(kCredit, l.credit);
        sheet.money(kBalance, l.balance);
        sheet.next();
    }
    sheet.rule();
    for (const auto& c : s.currencies) {
        sheet.text(kDescription, "Saldo al " + s.to.dtoc() + " " + c.symbol + " (" + c.currency +
                                     "):");
        sheet.money(kDebit, c.debit);
        sheet.money(kCredit, c.credit);
        sheet.money(kBalance, c.closing);
        sheet.next();
    }
}

void draw_collection_plan(PrinterFunction& job, const domain::CollectionPlan& p) {
    enum { kDue, kSym, kNumber, kInstalment, kOwed, kDays };
    PrintSheet sheet(job,
                     {{"Vence", 0, 9},
                      {"M", 10, 3},
                      {"Documento", 14, 15},
                      {"Cuota", 30, 15},
                      {"Pendiente", 46, 15},
                      {"Días", 63, 4}},
                     p.heading.box_text());
    sheet.header();
    for (const auto& l : p.lines) {
        if (!sheet.alive()) return;
        sheet.text(kDue, l.due.dtoc());
        sheet.text(kSym, l.symbol);
        sheet.text(kNumber, l.number);
        sheet.money(kInstalment, l.instalment);
        sheet.money(kOwed, l.owed);
        sheet.days(kDays, l.days_overdue);
        sheet.next();
    }
    sheet.rule();
    for (const auto& t : p.totals) {
        sheet.text(kNumber, total_label(t));
        sheet.money(kInstalment, t.amount);
        sheet.money(kOwed, t.balance);
        sheet.next();
    }
}

void draw_customer_listing(PrinterFunction& job, const std::vector<dc::ListingRow>& rows) {
    enum { kCode, kName, kLegal, kPhone, kClass, kState, kLimit };
    PrintSheet sheet(job, {{"Código", 0, 11},
                           {"Nombre", 12, 30},
                           {"Cédula", 43, 12},
                           {"Teléfono", 56, 12},
                           {"Clasificación", 69, 16},
                           {"Estado", 86, 8},
                           {"Límite", 95, 15}});
    sheet.header();
    for (const auto& r : rows) {
        if (!sheet.alive()) return;
        sheet.text(kCode, r.code);
        sheet.text(kName, r.name);
        sheet.text(kLegal, r.legal_id);
        sheet.text(kPhone, r.phone);
        sheet.text(kClass, r.classification);
        sheet.text(kState, r.state);
        sheet.money(kLimit, r.limit);
        sheet.next();
    }
    sheet.rule();
    sheet.text(kName, "Clientes: " + std::to_string(rows.size()));
}

void open_statement_titles(PrinterFunction& job, const Date& today) {
    job.TITLE1(kStatementTitle);
    job.TITLE2("Documentos Pendientes");
    job.TITLE3("Al " + today.dtoc());
}

void historic_titles(PrinterFunction& job, const domain::HistoricStatement& s) {
    job.TITLE1(kStatementTitle);
    job.TITLE2("Estado de Cuenta Histórico");
    job.TITLE3("Del " + s.from.dtoc() + " al " + s.to.dtoc() +
               (s.branch.empty() ? "" : "   Sucursal: " + s.branch));
}

void plan_titles(PrinterFunction& job, const Date& today) {
    job.TITLE1("PLAN DE COBRO");
    job.TITLE2("Cuotas pendientes al " + today.dtoc());
}

void listing_titles(PrinterFunction& job, const dc::ListingRequest& r) {
    job.TITLE1("Listados de Clientes");
    job.TITLE2(std::string(r.order == dc::ListingOrder::Code ? "Por Código" : "Por Nombre") +
               "   " + dc::listing_state_names()[static_cast<int>(r.state)]);
    if (!r.classification.empty()) job.TITLE3("Clasificación: " + r.classification);
}

}  // namespace qz::gui
