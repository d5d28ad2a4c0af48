#include "services/workbook/report_workbook.h"

#include <gtest/gtest.h>

#include "services/workbook/book_test_util.h"

using namespace qz;
using namespace qz::services;
using qz::test::cell;

namespace {

constexpr int kLeft = 0, kCentred = 1, kRight = 2;

class ReportWorkbookTest : public ::testing::Test {
protected:
    qz::test::TempFolder dir;
    std::unique_ptr<ExcelSink> sink = make_report_workbook(dir.path(), qz::test::test_stamp());

    Sheet finish(const std::string& name = "Saldos") {
        const auto file = sink->close({"Saldos", "Marzo"}, "", name);
        EXPECT_FALSE(file.empty());
        return qz::test::read_back(file).at(0);
    }
};

}  // namespace

TEST_F(ReportWorkbookTest, HeadingsDefineColumnsAndValuesFollowThem) {
    sink->add_heading(8, 2, "Cliente", kLeft, false);
    sink->add_heading(8, 40, "Saldo", kRight, false);
    sink->add_heading(9.5, 40, "ignored: column known", kRight, false);
    sink->add_heading(9.5, 60, "Vence", kCentred, false);
    sink->end_header("Saldos al día");
    sink->add_value(10, 2, "Hotel Sol S.A.", true);
    sink->add_value(10, 40, "  -1,234.567", false);
    sink->add_value(10.4, 60, "05/03/70", false);
    sink->add_value(11, 25, "printed outside every heading", false);
    sink->add_value(11, 40, "****", false);
    const auto s = finish("Saldos: Marzo/2026");

    EXPECT_EQ(s.name, "Saldos al día");
    // Headings renumbered from data row 1 (sheet row 9), each in its row's next free column.
    EXPECT_EQ(cell(s, 9, 1).text, "Cliente");
    EXPECT_TRUE(cell(s, 9, 1).look.bold && cell(s, 9, 1).look.boxed);
    EXPECT_EQ(cell(s, 9, 2).text, "Saldo");
    EXPECT_EQ(cell(s, 11, 1).text, "Vence");
    EXPECT_EQ(cell(s, 11, 2).type, CellType::Empty);
    // Values go to their print row; a fractional row is rounded up.
    EXPECT_EQ(cell(s, 18, 1).text, "Hotel Sol S.A.");
    EXPECT_TRUE(cell(s, 18, 1).look.bold);
    EXPECT_EQ(cell(s, 18, 2).type, CellType::Number);
    EXPECT_EQ(cell(s, 18, 2).number, Decimal::parse("-1234.57"));
    EXPECT_EQ(cell(s, 19, 1).type, CellType::Date);  // centred: always this century
    EXPECT_EQ(cell(s, 19, 1).date, Date(2070, 3, 5));
    EXPECT_EQ(cell(s, 19, 2).text, "****");
    for (const auto& [pos, c] : s.cells) EXPECT_NE(c.text, "printed outside every heading");
    EXPECT_DOUBLE_EQ(s.widths.at(0), 14);  // "Hotel Sol S.A."
    EXPECT_DOUBLE_EQ(s.widths.at(1), 10);  // "-1,234.567" as printed
    EXPECT_EQ(cell(s, 3, 1).text, "Saldos");
    EXPECT_EQ(cell(s, 7, 1).look.bottom, "medium");
    EXPECT_EQ(cell(s, 7, 2).look.bottom, "medium");
}

TEST_F(ReportWorkbookTest, DatesOfOtherColumnsChooseTheirCenturyByTheCurrentYear) {
    sink->add_heading(1, 0, "Fecha", kLeft, false);
    sink->add_heading(1, 10, "Nota", 3, false);
    sink->end_header("Fechas");
    sink->add_value(2, 0, "05/03/26", false);
    sink->add_value(3, 0, "05/03/55", false);
    sink->add_value(4, 0, "05/03/56", false);
    sink->add_value(2, 10, "31/02/26", false);
    sink->add_value(3, 10, "05/03/2026", false);
    const auto s = finish();
    EXPECT_EQ(cell(s, 10, 1).date, Date(2026, 3, 5));
    EXPECT_EQ(cell(s, 11, 1).date, Date(2055, 3, 5));  // 55 < 26 + 30
    EXPECT_EQ(cell(s, 12, 1).date, Date(1956, 3, 5));
    EXPECT_EQ(cell(s, 10, 2).type, CellType::Text);  // no such day
    EXPECT_EQ(cell(s, 11, 2).date, Date(2026, 3, 5));
}

TEST_F(ReportWorkbookTest, NumbersOnlyInRightAlignedColumnsAndOnlyWhenWholeNumbers) {
    sink->add_heading(1, 5, "Cuenta", kLeft, false);
    sink->add_heading(1, 20, "Monto", kRight, false);
    sink->end_header("N");
    sink->add_value(2, 5, "1,234.50", false);
    sink->add_value(2, 20, "12-3", false);
    sink->add_value(3, 20, "1.2.3", false);
    sink->add_value(4, 20, "0.005", false);
    const auto s = finish();
    EXPECT_EQ(cell(s, 10, 1).type, CellType::Text);
    EXPECT_EQ(cell(s, 10, 2).text, "12-3");
    EXPECT_EQ(cell(s, 11, 2).text, "1.2.3");
    EXPECT_EQ(cell(s, 12, 2).number, Decimal::parse("0.01"));
}

TEST_F(ReportWorkbookTest, ReportWithoutHeadingsWritesNoBook) {
    sink->add_value(3, 1, "x", false);
    EXPECT_TRUE(sink->close({"T"}, "", "T").empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
