// The grid report: a small grid recorded for the preview holds the caption, the headings and the
// rows of the grid's order and scope; as a workbook it gives one column per grid column.
#include "gui/print/grid_report.h"

#include <algorithm>

#include "gui/browse/grid_fixture.h"
#include "gui/print/print_job.h"
#include "print_gui_fakes.h"
#include "services/print/print_ops.h"
#include "services/workbook/report_workbook.h"
#include "services/workbook/xlsx_reader.h"

namespace qz::gui::test {
namespace {

class GridReportTest : public GridFixture {
protected:
    // The 20 rows of the other business, sorted by name.
    WBLISTBOX& small_grid() {
        auto& g = open_grid();
        g.SET_SCOPE(data::business_key("OTRO"));
        return g;
    }
    static std::vector<std::string> texts(const services::PrinterFunction& job) {
        std::vector<std::string> out;
        for (const auto& page : job.A_META_FILE)
            for (const auto& op : page.ops)
                if (op.kind == services::DrawOp::Kind::Text) out.push_back(trim(op.text));
        return out;
    }
    PrintContextScope scope;
};

TEST_F(GridReportTest, PreviewHoldsCaptionHeadingsAndTheRowsOfTheScope) {
    auto& g = small_grid();
    g.DOWN();
    g.DOWN();
    const long stood = g.nCrecNo();
    const auto cols = grid_report_columns(g);
    ASSERT_EQ(cols.size(), 5u);
    EXPECT_FALSE(cols[0].right);
    EXPECT_TRUE(cols[3].right) << "a number picture";
    EXPECT_EQ(cols[3].width, 8) << "the heading is wider than the picture";
    EXPECT_EQ(cols[1].at, cols[0].at + cols[0].width + 1);

    Printed measure;
    scope.record_into(measure);
    services::PrinterFunction job;
    job.T_Print = "META";
    job.TITLE1("Reservas de Otro");
    ASSERT_TRUE(gui::START_DOC(nullptr, job, "GRID", false));
    EXPECT_EQ(print_grid_rows(job, g), 20);
    services::RESETPRINT(job);

    const auto t = texts(job);
    auto has = [&](const std::string& s) { return std::find(t.begin(), t.end(), s) != t.end(); };
    EXPECT_TRUE(has("Reservas de Otro"));
    for (const char* h : {"Código", "Fecha", "Nombre", "Personas", "Marca"})
        EXPECT_TRUE(has(h)) << h;
    EXPECT_TRUE(has("R0001"));
    EXPECT_TRUE(has("R0020"));
    EXPECT_FALSE(has("R0021")) << "only the scope";
    EXPECT_EQ(std::count(t.begin(), t.end(), "Otro"), 20);
    EXPECT_EQ(job.X_Header.size(), 5u);
    EXPECT_EQ(g.nCrecNo(), stood) << "the grid comes back on its row";
    EXPECT_TRUE(g.browse_active());
}

TEST_F(GridReportTest, WorkbookHasTheHeadingsAndTheValues) {
    auto& g = small_grid();
    services::PrinterFunction job;
    job.To_Excel = true;
    job.TITLE1("Reservas");
    print_context().excel_factory = [](const std::filesystem::path& folder,
                                       const services::PrintStamp& s) {
        return services::make_report_workbook(folder, s);
    };
    ASSERT_TRUE(gui::START_DOC(nullptr, job, "GRID", false));
    print_grid_rows(job, g);
    const auto out = services::RESETPRINT(job);
    ASSERT_FALSE(out.file.empty());
    const auto book = services::read_xlsx(out.file);
    ASSERT_TRUE(book && !book->empty());
    const auto& cells = book->front().cells;
    auto row_of = [&](const std::string& text) {
        for (const auto& [at, c] : cells)
            if (c.text == text) return at;
        return std::pair<int, int>{-1, -1};
    };
    const auto head = row_of("Código");
    ASSERT_GE(head.first, 0);
    EXPECT_EQ(row_of("Personas").first, head.first);
    EXPECT_EQ(row_of("Nombre").second, head.second + 2);
    const auto first = row_of("R0001");
    EXPECT_EQ(first.second, head.second);
    EXPECT_GT(first.first, head.first);
    EXPECT_EQ(row_of("R0020").first, first.first + 19);
    const auto persons = cells.find({first.first, head.second + 3});
    ASSERT_NE(persons, cells.end());
    EXPECT_EQ(persons->second.type, services::CellType::Number);
}

}  // namespace
}  // namespace qz::gui::test
