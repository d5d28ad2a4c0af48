// Print formats of the demonstration business: the shipped ones, re-coding a format with the
// rows and bindings that name it, deletions refused while a concept prints with it, a format
// written and read back whole, and documents and receipts read into what a printout shows.
#include "domain/ledger/print_formats.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/print_bindings.h"
#include "domain/ledger/print_shipped.h"
#include "domain/ledger/printable_document.h"
#include "domain/session/master_rows.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;

namespace qz::domain {
// Failures show the format element by element.
std::string describe(const FormatElement& e) {
    return e.field + "|" + e.text + "|" + std::to_string(e.row) + "," + std::to_string(e.column) +
           " w" + std::to_string(e.width) + " " + e.picture + " f" + std::to_string(e.font) + " a" +
           std::to_string(e.align);
}
void PrintTo(const PrintFormat& f, std::ostream* os) {
    *os << f.code << " '" << f.name << "' off " << f.offset << "/" << f.offset_h << " cols "
        << f.columns << " page " << f.page.lines << "," << f.page.docs_per_page << ","
        << f.page.no_vertical << f.page.no_horizontal << "," << f.page.copies << ","
        << f.page.copy_offset;
    for (const auto& e : f.header) *os << "\n  H " << describe(e);
    for (const auto& e : f.lines) *os << "\n  L " << describe(e);
}
}  // namespace qz::domain
using qz::test::add_record;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";

bool has_rows(data::Db& db, const char* table, const std::string& code) {
    return key_exists(db, table, table, {kHotel, code});
}
}  // namespace

class PrintFormatsTest : public qz::test::DemoLedgerTest {};

TEST_P(PrintFormatsTest, ShippedFormatsAreCleanAndInstalledOnlyWhereMissing) {
    for (const auto& f :
         {shipped_invoice_format(), shipped_receipt_format(), shipped_ticket_format()})
        EXPECT_EQ(check_format(f), "") << f.code;
    // The demonstration loaded them; its concepts print with the invoice in both currencies.
    EXPECT_EQ(list_formats(*db, kHotel).size(), 3u);
    EXPECT_EQ(load_format(*db, kHotel, kInvoiceFormat), shipped_invoice_format());
    int on_invoice = 0;
    for (const char* c : {"FC", "FA", "ND", "NC"})
        for (const auto& b : read_print_bindings(*db, kHotel, c))
            on_invoice += b.format == kInvoiceFormat && b.ticket == 0;
    EXPECT_EQ(on_invoice, 8);

    // A format the user changed is kept; one deleted comes back; other businesses get theirs.
    auto mine = *load_format(*db, kHotel, kInvoiceFormat);
    mine.name = "Factura propia";
    ASSERT_TRUE(save_format(*db, inst->port, kHotel, mine));
    ASSERT_TRUE(delete_format(*db, inst->port, kHotel, kReceiptFormat));
    add_record(*db, "NEGOCIOS",
               {{"CODIGO", std::string("SPA2")}, {"DESCRIP", std::string("Otro")}});
    EXPECT_EQ(install_shipped_formats_everywhere(*db), 4);
    EXPECT_EQ(load_format(*db, kHotel, kInvoiceFormat)->name, "Factura propia");
    EXPECT_TRUE(load_format(*db, kHotel, kReceiptFormat));
    EXPECT_EQ(list_formats(*db, "SPA2").size(), 3u);
    EXPECT_EQ(install_shipped_formats_everywhere(*db), 0);
}

TEST_P(PrintFormatsTest, RenamingRecodesElementsPageRowAndBindingsOrRefusesAUsedCode) {
    auto& port = inst->port;
    const PrintFormat before = *load_format(*db, kHotel, kInvoiceFormat);
    EXPECT_FALSE(rename_format(*db, port, kHotel, kInvoiceFormat, kReceiptFormat, "Otra"));
    EXPECT_EQ(said(), kFormatDuplicate);
    EXPECT_EQ(load_format(*db, kHotel, kInvoiceFormat), before);

    ASSERT_TRUE(rename_format(*db, port, kHotel, kInvoiceFormat, "fx", "Factura nueva"));
    EXPECT_FALSE(load_format(*db, kHotel, kInvoiceFormat));
    for (const char* table : {"FORM_D2", "FORM_D3", "FORM_D4"})
        EXPECT_FALSE(has_rows(*db, table, kInvoiceFormat)) << table;
    PrintFormat expected = before;
    expected.code = "FX";
    expected.name = "Factura nueva";
    EXPECT_EQ(load_format(*db, kHotel, "FX"), expected);
    for (const auto& b : read_print_bindings(*db, kHotel, "FA")) EXPECT_EQ(b.format, "FX");
    // The ticket binding of FC named another format and keeps it.
    int ticket = 0;
    for (const auto& b : read_print_bindings(*db, kHotel, "FC"))
        if (b.ticket) ticket += b.format == kTicketFormat;
    EXPECT_EQ(ticket, 1);

    // A change of name alone keeps code and rows.
    ASSERT_TRUE(rename_format(*db, port, kHotel, "FX", "FX", "Factura carta"));
    EXPECT_EQ(load_format(*db, kHotel, "FX")->header, before.header);
}

TEST_P(PrintFormatsTest, DeletionIsRefusedWhileBoundAndOtherwiseTakesEveryRow) {
    auto& port = inst->port;
    EXPECT_FALSE(delete_format(*db, port, kHotel, kInvoiceFormat));
    EXPECT_NE(said().find("Concepto de Documento FA (CO)"), std::string::npos) << said();
    EXPECT_TRUE(load_format(*db, kHotel, kInvoiceFormat));

    port.answer = false;  // "Desea borrar el formato?" answered no
    EXPECT_FALSE(delete_format(*db, port, kHotel, kReceiptFormat));
    EXPECT_TRUE(has_rows(*db, "FORM_D2", kReceiptFormat));
    port.answer = true;
    ASSERT_TRUE(delete_format(*db, port, kHotel, kReceiptFormat));
    for (const char* table : {"FORM_DOC", "FORM_D2", "FORM_D3", "FORM_D4"})
        EXPECT_FALSE(has_rows(*db, table, kReceiptFormat)) << table;
    // The invoice's rows are untouched.
    EXPECT_EQ(load_format(*db, kHotel, kInvoiceFormat), shipped_invoice_format());
}

TEST_P(PrintFormatsTest, AFormatIsWrittenAndReadBackWholeAndABadOneIsRefused) {
    auto& port = inst->port;
    EXPECT_FALSE(add_format(*db, port, kHotel, "01", "Repetido"));
    EXPECT_EQ(said(), kFormatDuplicate);
    EXPECT_FALSE(add_format(*db, port, kHotel, "ABC", "Largo"));
    ASSERT_TRUE(add_format(*db, port, kHotel, "zz", "Nota de crédito"));
    PrintFormat f = *load_format(*db, kHotel, "ZZ");
    EXPECT_TRUE(f.header.empty());
    f.offset = 1.5;
    f.offset_h = 2;
    f.columns = 120;
    f.page = {12, 2, true, false, 2, 30.5};
    f.header = {{"DOCUMENTO", "No.", 1.25, 80, 30, "", 3, 2},
                {"", "NOTA DE CRÉDITO", 1, 0, 40, "", 12, 0},
                {kRuleField, "", 3, 0, 120, "", 2, 0},
                {"FECHA", "", 2, 80, 30, "DD/MM/AAAA", 2, 2}};
    f.lines = {{"L_DESCRIP", "Detalle", 6, 0, 60, "", 2, 0},
               {"L_TOTAL", "Total", 6, 100, 20, "9,999,999.99", 4, 2}};
    ASSERT_TRUE(save_format(*db, port, kHotel, f)) << said();
    EXPECT_EQ(load_format(*db, kHotel, "ZZ"), f);

    // Each of these is refused and leaves the stored format as it was.
    const auto refused = [&](auto change, const char* part) {
        PrintFormat bad = f;
        change(bad);
        EXPECT_FALSE(save_format(*db, port, kHotel, bad));
        EXPECT_NE(said().find(part), std::string::npos) << said();
        EXPECT_EQ(load_format(*db, kHotel, "ZZ"), f);
    };
    refused([](PrintFormat& b) { b.header[0].field = "L_TOTAL"; }, "encabezado");
    refused([](PrintFormat& b) { b.lines[0].field = "MONTO"; }, "campos de línea");
    refused([](PrintFormat& b) { b.header[0].column = 100; }, "largo");
    refused([](PrintFormat& b) { b.header[1].text = " "; }, "texto vacío");
    refused([](PrintFormat& b) { b.page.lines = 70; }, "Líneas");
    refused([](PrintFormat& b) { b.page.copy_offset = 60; }, "copias");
    refused([](PrintFormat& b) { b.name = ""; }, "Descripción");
}

TEST_P(PrintFormatsTest, DocumentAndReceiptAreReadWithTheirLinesTotalsAndWords) {
    add_record(*db, "DOCUMENT",
               {{"NEGOCIO", kHotel},
                {"DOCUMENTO", std::string("F100")},
                {"CONCEPTO", std::string("FA")},
                {"MONEDA", std::string("CO")},
                {"CLIENTE", std::string("3101123456")},
                {"SUBCLIENTE", std::string("02")},
                {"NOM_CLIENT", std::string("Viajes Pura Vida S.A.")},
                {"FECHA", Date(2026, 5, 20)},
                {"MONTO", Decimal::parse("1021.50")},
                {"SALDO", Decimal::parse("1021.50")}});
    add_record(*db, "DET_DOC",
               {{"NEGOCIO", kHotel},
                {"DOCUMENTO", std::string("F100")},
                {"CODIGO", std::string("MAS001")},
                {"CANTIDAD", Decimal(2)},
                {"PRECIO", Decimal::parse("500.00")},
                {"DESCUENTO", Decimal(10)},
                {"IMPUESTO", Decimal(13)}});
    add_record(*db, "DET_DOC",
               {{"NEGOCIO", kHotel},
                {"DOCUMENTO", std::string("F100")},
                {"CODIGO", std::string("X")},
                {"SPEC_FAC", std::string("Propina")},
                {"CANTIDAD", Decimal(1)},
                {"PRECIO", Decimal::parse("21.50")}});
    const auto d = read_printable_document(*db, kHotel, "F100");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->value("NOM_CONCEP").text, "Factura Crédito");
    // No address typed on the document: the branch's it was made to.
    EXPECT_EQ(d->value("DIRECCION").text, "Barrio Los Ángeles, Liberia");
    EXPECT_EQ(d->value("LETRAS").text, "UN MIL VEINTIUNO CON 50/100");
    // Discount on the price, tax on the discounted price.
    EXPECT_EQ(d->value("SUBTOTAL").number, Decimal::parse("1021.50"));
    EXPECT_EQ(d->value("DESCUENTO").number, Decimal::parse("100.00"));
    EXPECT_EQ(d->value("IMPUESTO").number, Decimal::parse("117.00"));
    ASSERT_EQ(d->lines.size(), 2u);
    EXPECT_FALSE(d->lines[0].at("L_DESCRIP").text.empty());  // the article's name
    EXPECT_EQ(d->lines[0].at("L_TOTAL").number, Decimal::parse("900.00"));
    EXPECT_EQ(d->lines[1].at("L_DESCRIP").text, "Propina");
    EXPECT_FALSE(read_printable_document(*db, kHotel, "F999"));

    add_record(*db, "ENC_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", std::string("R7")},
                {"MONEDA", std::string("CO")},
                {"MONTO", Decimal(100)},
                {"NOM_CLIENT", std::string("Viajes Pura Vida S.A.")}});
    add_record(*db, "DET_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", std::string("R7")},
                {"DOCUMENTO", std::string("F100")},
                {"MONTO", Decimal(100)},
                {"SALDO_ANT", Decimal::parse("1021.50")},
                {"SALDO", Decimal::parse("921.50")}});
    add_record(*db, "DET_MOV2",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", std::string("R7")},
                {"CODIGO", std::string("EF")},
                {"MONTO", Decimal(100)}});
    const auto r = read_printable_receipt(*db, kHotel, "R7");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value("LETRAS").text, "CIEN EXACTOS");
    ASSERT_EQ(r->lines.size(), 1u);
    EXPECT_EQ(r->lines[0].at("L_SALDO").number, Decimal::parse("921.50"));
    EXPECT_EQ(r->value("FORMAS_PAG").text.rfind("EF ", 0), 0u) << r->value("FORMAS_PAG").text;
}

INSTANTIATE_TEST_SUITE_P(Ledger, PrintFormatsTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
