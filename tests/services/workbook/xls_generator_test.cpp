#include "services/workbook/xls_generator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "services/workbook/book_test_util.h"
#include "services/workbook/sheet_serial.h"

using namespace qz;
using namespace qz::services;
using qz::test::cell;

TEST(SheetSerial, FollowsTheSpreadsheetCalendarAroundItsPhantomLeapDay) {
    EXPECT_EQ(sheet_serial(Date(1900, 1, 1)), 1);
    EXPECT_EQ(sheet_serial(Date(1900, 2, 28)), 59);
    EXPECT_EQ(sheet_serial(Date(1900, 3, 1)), 61);
    EXPECT_EQ(sheet_serial(Date(2026, 3, 5)), 46086);
    EXPECT_FALSE(sheet_serial(Date(1899, 12, 31)));
    EXPECT_FALSE(sheet_serial(Date()));
    EXPECT_EQ(date_from_sheet_serial(1), Date(1900, 1, 1));
    EXPECT_EQ(date_from_sheet_serial(59), Date(1900, 2, 28));
    EXPECT_FALSE(date_from_sheet_serial(60));  // 29/02/1900 never was
    EXPECT_EQ(date_from_sheet_serial(61), Date(1900, 3, 1));
    EXPECT_EQ(date_from_sheet_serial(46086.75), Date(2026, 3, 5));
    EXPECT_FALSE(date_from_sheet_serial(0));
}

class XlsGeneratorTest : public ::testing::Test {
protected:
    qz::test::TempFolder dir;
    XLS_GENERATOR book{qz::test::test_stamp(), dir.path() / "BMP"};
};

TEST_F(XlsGeneratorTest, DataCellsKeepTypeValueAndStyleFromRowNine) {
    ASSERT_TRUE(book.INIT(dir.path(), "Ventas.xlsx", "Marzo"));
    book.XLSWRITE(1, 1, std::string("Cliente"), true, true);
    book.XLSWRITE(2, 1, std::string("Ana Pérez"));
    book.XLSWRITE(2, 2, Decimal::parse("-1234567.89"), false, true);
    book.XLSWRITE(2, 3, Date(1900, 2, 28), true);
    book.XLSCOLSIZE(1, 22);
    const auto file = book.XLSCLOSE({"Ventas"}, "", "", 3);
    ASSERT_EQ(file, dir.path() / "Ventas.xlsx");
    EXPECT_FALSE(book.is_open());

    const auto sheets = qz::test::read_back(file);
    ASSERT_EQ(sheets.size(), 1u);
    const auto& s = sheets[0];
    EXPECT_EQ(s.name, "Marzo");
    const auto heading = cell(s, 9, 1);
    EXPECT_EQ(heading.text, "Cliente");
    EXPECT_TRUE(heading.look.bold && heading.look.boxed && heading.look.filled);
    EXPECT_EQ(heading.look.font, "Tahoma");
    EXPECT_EQ(cell(s, 10, 1).text, "Ana Pérez");
    EXPECT_FALSE(cell(s, 10, 1).look.boxed);
    const auto amount = cell(s, 10, 2);
    EXPECT_EQ(amount.type, CellType::Number);
    EXPECT_EQ(amount.number, Decimal::parse("-1234567.89"));
    EXPECT_EQ(amount.look.num_format, "#,##0.00");
    EXPECT_TRUE(amount.look.bold);
    const auto date = cell(s, 10, 3);
    EXPECT_EQ(date.type, CellType::Date);
    EXPECT_EQ(date.date, Date(1900, 2, 28));
    EXPECT_EQ(date.look.num_format, "dd/mm/yyyy");
    EXPECT_TRUE(date.look.boxed && !date.look.bold);
    EXPECT_DOUBLE_EQ(s.widths.at(0), 22);
    EXPECT_EQ(cell(s, 8, 1).type, CellType::Empty);
}

TEST_F(XlsGeneratorTest, HeaderBlockCarriesLogoTitlesAndStamp) {
    std::filesystem::create_directories(dir.path() / "BMP");
    qz::test::write_bmp(dir.path() / "BMP" / "logo.bmp");
    ASSERT_TRUE(book.INIT(dir.path(), "Rep"));
    book.XLSWRITE(1, 2, std::string("a"));
    book.XLSWRITE(1, 4, std::string("b"));
    const auto file = book.XLSCLOSE({"Saldos", "Al 05/03/26", "", "Colones"}, "LOGO.JPG");
    const auto s = qz::test::read_back(file).at(0);
    EXPECT_EQ(s.name, "HOJA 1");
    const auto title = cell(s, 3, 1);
    EXPECT_EQ(title.text, std::string(14, ' ') + "Saldos");
    EXPECT_EQ(title.look.font, "Arial Black");
    EXPECT_EQ(title.look.font_size, 20);
    EXPECT_TRUE(title.look.bold);
    EXPECT_EQ(cell(s, 4, 1).text, std::string(32, ' ') + "Al 05/03/26");
    EXPECT_EQ(cell(s, 4, 1).look.font_size, 10);
    EXPECT_EQ(cell(s, 5, 1).type, CellType::Empty);
    EXPECT_EQ(cell(s, 6, 1).text, std::string(32, ' ') + "Colones");
    // The stamp sits in the first used column; the other used columns get a bottom rule.
    const auto stamp = cell(s, 7, 2);
    EXPECT_EQ(stamp.text,
              "QUARTZEN Front-Office/Back-Office   Timestamp: 05/03/26 14:30:15  U:ADM on:caja1");
    EXPECT_EQ(stamp.look.bottom, "medium");
    EXPECT_EQ(stamp.look.font_size, 6);
    EXPECT_EQ(cell(s, 7, 4).type, CellType::Blank);
    EXPECT_EQ(cell(s, 7, 4).look.bottom, "medium");
    EXPECT_EQ(cell(s, 7, 1).type, CellType::Empty);
    const auto parts = qz::services::xlsx_parts(file);
    EXPECT_TRUE(std::any_of(parts.begin(), parts.end(),
                            [](const std::string& p) { return p.rfind("xl/media/", 0) == 0; }));
}

TEST_F(XlsGeneratorTest, NamesAreCleanedAndTakenFilesNumbered) {
    ASSERT_TRUE(book.INIT(dir.path(), "a", std::string("  ")));
    EXPECT_EQ(book.GET_SHEETNAME(1), "Hoja 1");
    const auto first = book.XLSCLOSE({}, "", "Ventas: 1/2 #3.xls");
    EXPECT_EQ(first.filename(), "Ventas- 1-2 -3.xlsx");
    ASSERT_TRUE(book.INIT(dir.path(), "a", std::string("Caja [1]/Turno: 2 de un día larguísimo")));
    EXPECT_EQ(book.GET_SHEETNAME(1), "Caja -1--Turno- 2 de un día lar");
    EXPECT_EQ(book.XLSCLOSE({}, "", "Ventas: 1/2 #3").filename(), "Ventas- 1-2 -3 (2).xlsx");
    ASSERT_TRUE(book.INIT(dir.path(), "a"));
    EXPECT_EQ(book.XLSCLOSE({}, "", "Ventas- 1-2 -3").filename(), "Ventas- 1-2 -3 (3).xlsx");
}

TEST_F(XlsGeneratorTest, SheetsCanBeAddedRenamedDroppedAndRead) {
    ASSERT_TRUE(book.INIT(dir.path(), "Hojas"));
    book.XLSWRITE(1, 1, std::string("uno"));
    EXPECT_EQ(book.NEW_SHEET("Resumen", {"Resumen del mes"}), 2);
    EXPECT_EQ(book.NEW_SHEET("resumen"), 3);
    EXPECT_EQ(book.GET_SHEETNAME(3), "resumen (2)");
    book.XLSWRITE(3, 2, Decimal(7));
    EXPECT_EQ(book.GET_SHEETRANGE(), (SheetRange{2, 11, 2, 11}));
    EXPECT_EQ(book.GET_CELLTYPE(2, 11), CellType::Number);
    EXPECT_EQ(std::get<Decimal>(book.GET_CELLDATA(2, 11)), Decimal(7));
    EXPECT_TRUE(book.DEL_SHEET(2));
    EXPECT_EQ(book.NUM_SHEETS(), 2);
    EXPECT_EQ(book.GET_ACTIVESHEET(), 2);
    EXPECT_TRUE(book.CHANGESHEETNAME(2, "Detalle"));
    EXPECT_FALSE(book.CHANGESHEETNAME(2, "   "));
    EXPECT_TRUE(book.SET_ACTIVESHEET(1));
    EXPECT_FALSE(book.SET_ACTIVESHEET(3));
    EXPECT_EQ(std::get<std::string>(book.GET_CELLDATA(1, 9)), "uno");
    ASSERT_TRUE(book.XLSCLOSEFILE());
    const auto sheets = qz::test::read_back(dir.path() / "Hojas.xlsx");
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].name, "Detalle");
    EXPECT_EQ(cell(sheets[1], 11, 2).number, Decimal(7));
}

TEST_F(XlsGeneratorTest, LoadedBookIsReadAndSavedAgainFromItsCells) {
    ASSERT_TRUE(book.INIT(dir.path(), "Origen"));
    book.XLSWRITE(1, 1, std::string("x"), true, true);
    book.XLSWRITE(1, 2, Decimal::parse("0.1"));
    book.XLSWRITE(1, 3, Date(2026, 12, 31));
    ASSERT_TRUE(book.XLSCLOSEFILE());

    XLS_GENERATOR again(qz::test::test_stamp(), {});
    ASSERT_TRUE(again.INIT(dir.path(), "Copia", std::nullopt, dir.path() / "Origen.xlsx"));
    EXPECT_EQ(again.GET_SHEETNAME(1), "HOJA 1");
    EXPECT_EQ(again.GET_CELLTYPE(3, 9), CellType::Date);
    EXPECT_EQ(std::get<Date>(again.GET_CELLDATA(3, 9)), Date(2026, 12, 31));
    EXPECT_EQ(std::get<Decimal>(again.GET_CELLDATA(2, 9)), Decimal::parse("0.1"));
    again.XLSWRITE(2, 1, std::string("añadido"));
    ASSERT_TRUE(again.XLSCLOSEFILE());
    const auto s = qz::test::read_back(dir.path() / "Copia.xlsx").at(0);
    EXPECT_TRUE(cell(s, 9, 1).look.bold && cell(s, 9, 1).look.boxed);
    EXPECT_EQ(cell(s, 9, 3).date, Date(2026, 12, 31));
    EXPECT_EQ(cell(s, 10, 1).text, "añadido");

    std::ofstream(dir.path() / "roto.xlsx") << "not a zip";
    EXPECT_FALSE(again.INIT(dir.path(), "x", std::nullopt, dir.path() / "roto.xlsx"));
    EXPECT_FALSE(again.INIT(dir.path(), "x", std::nullopt, dir.path() / "missing.xlsx"));
    EXPECT_FALSE(again.is_open());
}
