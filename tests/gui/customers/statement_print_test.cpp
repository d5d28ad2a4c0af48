// The customer's printouts laid out on a fake sheet from fixed models and compared with their
// golden pages: money through its picture, signs, payments under their document, totals per
// currency, and the column titles again on every page of a long printout.
#include "gui/customers/statement_print.h"

#include <gtest/gtest.h>

#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"

namespace qz::gui {
namespace {

using services::Page;
using services::PrinterFunction;
namespace dm = qz::domain;

std::string golden(const std::string& name, const std::string& actual) {
    return ::qz::test::golden_at(__FILE__, name, actual);
}

std::vector<Page> laid_out(const std::function<void(PrinterFunction&)>& titles,
                           const std::function<void(PrinterFunction&)>& draw) {
    services::test::DeviceLog device;
    PrinterFunction job;
    job.device_factory = [&device](const PrinterFunction&) {
        return std::make_unique<services::test::FakeDevice>(device, 1);
    };
    job.sleep = [](int) {};
    job.env.print_font = "Calibri";
    titles(job);
    EXPECT_TRUE(services::START_DOC(job, "Prueba", false));
    draw(job);
    services::RESETPRINT(job, false);
    return device.pages;
}

std::string text_of(const std::vector<Page>& pages) {
    std::string out;
    for (const auto& p : pages) out += services::serialise(p);
    return out;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const Date kToday(2026, 5, 20);

dm::StatementHeading heading() {
    return {"3101123456", "Turismo Pura Vida S.A.", "3-101-123456", "01",
            "Oficinas Centrales", "San José", "2222-3333", "pagos@puravida.example"};
}

TEST(StatementPrint, OpenStatementSignsDocumentsAndShowsTheirPaymentsAndTotals) {
    dm::OpenStatement s;
    s.heading = heading();
    dm::StatementDocument f{Date(2026, 3, 6), Date(2026, 6, 4), "0000104", "CO", "¢",
                            "Convención anual de la agencia:", 1, Decimal(300000),
                            Decimal(150000), 15, {}};
    f.payments.push_back({Date(2026, 4, 10), "R0000501", "Abono a 0000104",
                          Decimal(150000), Decimal(-150000)});
    dm::StatementDocument n{Date(2026, 5, 10), Date(2026, 5, 10), "NC00001", "CO", "¢",
                            "Masaje no realizado", -1, Decimal(-25000), Decimal(-25000), 0, {}};
    s.documents = {f, n};
    s.totals = {{"CO", "¢", Decimal(275000), Decimal(125000)}};
    const std::string text = text_of(laid_out([](auto& job) { open_statement_titles(job, kToday); },
                                              [&](auto& job) { draw_open_statement(job, s); }));
    EXPECT_NE(text.find(" -25,000.00\""), std::string::npos) << text;
    EXPECT_NE(text.find(" -150,000.00\""), std::string::npos);
    EXPECT_NE(text.find(" 125,000.00\""), std::string::npos);
    EXPECT_NE(text.find("Total ¢ (CO):"), std::string::npos);
    EXPECT_EQ(text, golden("open_statement.txt", text));
}

TEST(StatementPrint, HistoricStatementRunsFromTheOpeningBalance) {
    dm::HistoricStatement h;
    h.heading = heading();
    h.from = Date(2026, 4, 1);
    h.to = Date(2026, 4, 30);
    h.lines = {{Date(2026, 4, 10), true, "R0000501", "0000104", "Abono", "CO", "¢", Decimal(),
                Decimal(150000), Decimal(150000)},
               {Date(2026, 4, 15), false, "NC00001", "", "Masaje", "CO", "¢", Decimal(),
                Decimal(25000), Decimal(125000)}};
    h.currencies = {{"CO", "¢", Decimal(300000), Decimal(), Decimal(175000), Decimal(125000)}};
    const std::string text = text_of(laid_out([&](auto& job) { historic_titles(job, h); },
                                              [&](auto& job) { draw_historic_statement(job, h); }));
    EXPECT_NE(text.find("Saldo Anterior al 01/04/26:"), std::string::npos) << text;
    EXPECT_NE(text.find(" 300,000.00\""), std::string::npos);
    EXPECT_NE(text.find("> 0000104 Abono"), std::string::npos);
    EXPECT_EQ(text, golden("historic_statement.txt", text));
}

TEST(StatementPrint, ACollectionPlanOfManyLinesRepeatsItsHeadingsOnEveryPage) {
    dm::CollectionPlan p;
    p.heading = heading();
    for (int i = 0; i < 90; ++i)
        p.lines.push_back({Date(2026, 1, 1) + i * 7, "F" + std::to_string(1000 + i), "CO", "¢",
                           Decimal(90000), Decimal(60000), 0});
    p.totals = {{"CO", "¢", Decimal(8100000), Decimal(5400000)}};
    const auto pages = laid_out([](auto& job) { plan_titles(job, kToday); },
                                [&](auto& job) { draw_collection_plan(job, p); });
    ASSERT_GT(pages.size(), 1u);
    for (const auto& page : pages) EXPECT_EQ(count(services::serialise(page), "\"Pendiente\""), 1u);
    const std::string text = text_of(pages);
    EXPECT_NE(text.find(" 5,400,000.00\""), std::string::npos);
    EXPECT_EQ(text, golden("collection_plan.txt", text));
}

TEST(StatementPrint, CustomerListingShowsEachColumn) {
    std::vector<dm::customers::ListingRow> rows = {
        {"3101123456", "Turismo Pura Vida S.A.", "3-101-123456", "2222-3333", "02 Corporativo",
         "Activo", Decimal(2500000), "CO"},
        {"CONTADO", "Cliente de Contado", "", "", "01 Regular", "Inactivo", Decimal(), ""}};
    const std::string text = text_of(laid_out(
        [](auto& job) { listing_titles(job, {}); },
        [&](auto& job) { draw_customer_listing(job, rows); }));
    EXPECT_NE(text.find(" 2,500,000.00\""), std::string::npos) << text;
    EXPECT_NE(text.find("Clientes: 2"), std::string::npos);
    EXPECT_EQ(text, golden("customer_listing.txt", text));
}

}  // namespace
}  // namespace qz::gui
