// Printing documents through their concepts, without a printer: the shipped invoice, receipt and
// ticket laid out on a fake device and compared with their golden pages, and xPRINT_DOC's choice
// of bindings and printers, its check-only mode and its refusals.
#include "gui/ledger/formats/document_print.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "domain/demo/demo_data.h"
#include "domain/ledger/print_shipped.h"
#include "gui/ledger/formats/format_layout.h"
#include "gui/ledger/formats/ticket_layout.h"
#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

using services::Page;
using services::PrinterFunction;

const std::string kHotel = "HOTEL";
const Date kToday(2026, 5, 20);

// Compares with the golden file beside this test; QZ_UPDATE_GOLDEN=1 writes it instead.
std::string golden(const std::string& name, const std::string& actual) {
    return ::qz::test::golden_at(__FILE__, name, actual);
}

struct Printers : services::PrinterPort {
    std::vector<std::string> installed() const override { return {"Recepcion_HP", "Caja_Epson"}; }
    std::string default_printer() const override { return "Recepcion_HP"; }
};

// A job as the tests open it: the fake sheets, no waiting, no measuring (widths by cells).
struct Jobs {
    services::test::DeviceLog device;  // the pages of every job
    std::vector<std::string> log;      // "name printer copies mode" per job
    bool start(PrinterFunction& job, const std::string& name) {
        job.device_factory = [this](const PrinterFunction&) {
            return std::make_unique<services::test::FakeDevice>(device, 1);
        };
        job.sleep = [](int) {};
        job.env.print_font = "Calibri";
        log.push_back(name + "|" + job.b_cSelPrinter + "|" + std::to_string(job.nCopies) + "|" +
                      job.T_Print);
        return services::START_DOC(job, name, false);
    }
};

std::string text_of(const std::vector<Page>& pages) {
    std::string out;
    for (const auto& p : pages) out += services::serialise(p);
    return out;
}

std::vector<Page> laid_out(const std::function<void(PrinterFunction&)>& draw) {
    Jobs jobs;
    PrinterFunction job;
    EXPECT_TRUE(jobs.start(job, "Prueba"));
    draw(job);
    services::RESETPRINT(job, false);
    return jobs.device.pages;
}

TEST(DocumentLayout, ShippedInvoiceReceiptAndTicketMatchTheirGoldenPages) {
    const auto invoice = laid_out([](PrinterFunction& job) {
        draw_format(job, domain::shipped_invoice_format(), domain::sample_document(kToday));
    });
    ASSERT_EQ(invoice.size(), 1u);
    const std::string inv = text_of(invoice);
    // Amounts end at the right edge of their column; the words of the total are printed.
    EXPECT_NE(inv.find("R Calibri/10/B \"181,534.50\""), std::string::npos) << inv;
    EXPECT_NE(inv.find("Son: CIENTO OCHENTA Y UN MIL QUINIENTOS TREINTA Y CUATRO CON 50/100"),
              std::string::npos);
    EXPECT_EQ(inv, golden("shipped_invoice.txt", inv));

    const auto receipt = laid_out([](PrinterFunction& job) {
        draw_format(job, domain::shipped_receipt_format(), domain::sample_receipt(kToday));
    });
    const std::string rec = text_of(receipt);
    // Original and copy on one sheet.
    size_t copies = 0;
    for (size_t at = rec.find("RECIBO DE DINERO"); at != std::string::npos;
         at = rec.find("RECIBO DE DINERO", at + 1))
        ++copies;
    EXPECT_EQ(copies, 2u);
    EXPECT_EQ(rec, golden("shipped_receipt.txt", rec));

    domain::ConceptPrintTexts texts{"FC",
                                    "Factura Contado",
                                    {"Hotel Quartzen Spa & Resort"},
                                    {},
                                    "",
                                    {"¡Gracias por su visita!"},
                                    "",
                                    false};
    const auto ticket = laid_out([&](PrinterFunction& job) {
        draw_ticket(job, texts, domain::sample_document(kToday), 40);
    });
    const std::string tq = text_of(ticket);
    EXPECT_EQ(tq, golden("shipped_ticket.txt", tq));
}

TEST(DocumentLayout, LinesBeyondTheFormatContinueOnANewSheet) {
    auto doc = domain::sample_document(kToday);
    while (doc.lines.size() < 30) doc.lines.push_back(doc.lines.front());
    const auto pages = laid_out(
        [&](PrinterFunction& job) { draw_format(job, domain::shipped_invoice_format(), doc); });
    ASSERT_EQ(pages.size(), 2u);  // 24 lines, then 6
    EXPECT_NE(services::serialise(pages[0]).find("Continúa..."), std::string::npos);
    EXPECT_EQ(services::serialise(pages[1]).find("Continúa..."), std::string::npos);
}

TEST(DocumentLayout, OffsetsMoveEverythingAndEachCopyLiesItsRowsBelow) {
    domain::PrintFormat f;
    f.code = "T1";
    f.columns = 80;
    f.page.copies = 2;
    f.page.copy_offset = 33;
    f.header = {{"DOCUMENTO", "No.", 2, 40, 40, "", 2, 2}, {"", "Fijo", 0, 0, 10, "", 2, 0}};
    const auto first = [](const Page& p, const std::string& text) {
        for (const auto& op : p.ops)
            if (op.text == text) return std::make_pair(op.x, op.y);
        return std::make_pair(-1, -1);
    };
    const auto doc = domain::sample_document(kToday);
    const auto plain = laid_out([&](PrinterFunction& job) { draw_format(job, f, doc); });
    f.offset = 1;
    f.offset_h = 4;
    const auto moved = laid_out([&](PrinterFunction& job) { draw_format(job, f, doc); });
    const auto [x0, y0] = first(plain[0], "Fijo");
    const auto [x1, y1] = first(moved[0], "Fijo");
    EXPECT_EQ(x1 - x0, 124);  // 4 of 80 columns of 2480
    EXPECT_EQ(y1 - y0, 53);   // 1 of 66 rows of 3508
    // Right-aligned at the end of its 40 cells; the copy 33 rows further down.
    const auto [nx, ny] = first(plain[0], "No. F0001234");
    EXPECT_EQ(nx, 2480);
    size_t copies = 0;
    for (const auto& op : plain[0].ops) {
        if (op.text == "No. F0001234") {
            EXPECT_EQ(op.y, ny + 1754 * static_cast<int>(copies++));
        }
    }
    EXPECT_EQ(copies, 2u);
}

class DocumentPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.clock.freeze(DateTime{kToday, "09:00:00"});
        db = inst.open();
        domain::install_demo_data(*db);
        add_document("F100", "FA", "CO");
    }
    void add_document(const std::string& number, const std::string& concept_code,
                      const std::string& currency) {
        test::add_record(*db, "DOCUMENT",
                         {{"NEGOCIO", kHotel},
                          {"DOCUMENTO", number},
                          {"CONCEPTO", concept_code},
                          {"MONEDA", currency},
                          {"NOM_CLIENT", std::string("Viajes Pura Vida S.A.")},
                          {"FECHA", kToday},
                          {"MONTO", Decimal(100)}});
    }
    void bind(const char* concept_code, const char* printer, int copies, int type, int ticket) {
        domain::add_print_binding(
            *db, kHotel,
            {concept_code, "CO", ticket ? "03" : "01", printer, "", copies, ticket, type, false});
    }
    DocumentPrinter printer() {
        return DocumentPrinter{
            *db,
            inst.port,
            ini,
            printers,
            "10:00:00",
            [this](PrinterFunction& j, const std::string& n) { return jobs.start(j, n); },
            [](PrinterFunction& j) { services::RESETPRINT(j, false); },
            {}};
    }
    std::string said() const { return inst.port.messages.empty() ? "" : inst.port.messages.back(); }

    test::TestInstall inst{test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    IniFile ini{std::filesystem::path(inst.home()) / "QUARTZEN.INI"};
    Printers printers;
    Jobs jobs;
};

TEST_F(DocumentPrintTest, EveryBindingOfTheCurrencyAndTypePrintsOnItsPrinterWithItsCopies) {
    ini.set("PREDET_P", "HOTELP1", "Caja_Epson");
    bind("FA", "P1", 2, 0, 0);
    bind("FA", "P1", 1, 1, 0);  // another type: not asked for
    auto p = printer();
    ASSERT_TRUE(xPRINT_DOC(p, {kHotel, "F100"}));
    ASSERT_EQ(jobs.log.size(), 2u);
    // The demonstration's binding on the workstation's printer, then the shared printer P1.
    EXPECT_EQ(jobs.log[0], "Factura Crédito F100|Recepcion_HP|1|PRINTER");
    EXPECT_EQ(jobs.log[1], "Factura Crédito F100|Caja_Epson|2|PRINTER");
    EXPECT_EQ(jobs.device.pages.size(), 2u);

    // Type 1 of a cash invoice is its ticket; a preview records instead of printing.
    jobs = {};
    add_document("T1", "FC", "CO");
    DocumentPrintRequest r{kHotel, "T1", 1, true};
    r.extra_text = "Mesa 4";
    ASSERT_TRUE(xPRINT_DOC(p, r));
    ASSERT_EQ(jobs.log.size(), 1u);
    EXPECT_EQ(jobs.log[0], "Factura Contado T1|Recepcion_HP|1|META");
}

TEST_F(DocumentPrintTest, CheckOnlyValidatesEveryPrinterAndRefusesAnUnknownOne) {
    auto p = printer();
    EXPECT_TRUE(xPRINT_DOC(p, {kHotel, "F100", 0, false, true}));
    test::add_record(*db, "PREDET_P",
                     {{"NEGOCIO", kHotel},
                      {"CODIGO", std::string("P2")},
                      {"DESCRIP", std::string("Impresora del bar")}});
    ini.set("PREDET_P", "HOTELP2", "Fantasma");
    bind("FA", "P2", 1, 0, 0);
    EXPECT_FALSE(xPRINT_DOC(p, {kHotel, "F100", 0, false, true}));
    EXPECT_EQ(said(),
              "Error: La impresora definida por Windows no es válida: Fantasma\r"
              "Código Impresora Compartida: P2 Impresora del bar");
    EXPECT_TRUE(jobs.log.empty());
    // Printing for real does not send the document to a printer nobody has.
    EXPECT_FALSE(xPRINT_DOC(p, {kHotel, "F100"}));
    EXPECT_EQ(jobs.log.size(), 1u);
}

TEST_F(DocumentPrintTest, AConceptWithoutBindingsOrAnUnknownConceptIsToldNotSilentlySkipped) {
    add_document("D1", "FA", "EU");
    add_document("D2", "ZZ", "CO");
    auto p = printer();
    EXPECT_FALSE(xPRINT_DOC(p, {kHotel, "D1"}));
    EXPECT_NE(said().find("no tiene formato de impresión para la moneda EU"), std::string::npos)
        << said();
    EXPECT_FALSE(xPRINT_DOC(p, {kHotel, "D2"}));
    EXPECT_EQ(said(), "Error: Concepto de Documento no encontrado: ZZ");
    EXPECT_FALSE(xPRINT_DOC(p, {kHotel, "NADA"}));
    EXPECT_TRUE(jobs.log.empty());
}

}  // namespace
}  // namespace qz::gui
