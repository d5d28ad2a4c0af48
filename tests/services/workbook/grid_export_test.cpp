#include "services/workbook/grid_export.h"

#include <gtest/gtest.h>

#include "services/workbook/book_test_util.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::services;
using qz::test::cell;

namespace {

class FakeGrid : public GridExportSource {
public:
    std::vector<GridExportColumn> cols{
        {"Documento", 12, false}, {"Monto", 15, true}, {"Referencia", 6, true}};
    std::vector<std::vector<std::string>> rows{{"FA-0001", "    -1,234.50", "12-3"},
                                               {"05/03/26", "       900.00", "05/03/26"},
                                               {"", "           .5", "-"}};
    size_t at = 0;
    int suspended = 0, resumed = 0;

    std::vector<GridExportColumn> columns() const override { return cols; }
    bool first() override { return (at = 0) < rows.size(); }
    bool next() override { return ++at < rows.size(); }
    std::string text(int column) const override { return rows[at][column]; }
    void suspend() override { ++suspended; }
    void resume() override { ++resumed; }
};

class GridExportTest : public ::testing::Test {
protected:
    qz::test::TempFolder dir;
    FakeGrid grid;
    qz::test::ScriptedPort port;

    GridExportRequest request(const std::string& caption = "Documentos") {
        return {" " + dir.path().string() + " ", "T1234567.xlsx", caption, "", {},
                qz::test::test_stamp()};
    }
};

}  // namespace

TEST_F(GridExportTest, DisplayedTextsBecomeNumbersOnlyWhenTheyAreNumbers) {
    std::vector<std::string> states;
    std::vector<long> counts;
    GridExportProgress progress{[&](const std::string& s) { states.push_back(s); },
                                [&](long n) {
                                    counts.push_back(n);
                                    return true;
                                }};
    const auto file = export_grid(grid, request(), port, progress);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->filename(), "GRID_Documentos.xlsx");
    EXPECT_EQ(states, (std::vector<std::string>{"Escribiendo Datos...", "Datos transferidos!"}));
    EXPECT_EQ(counts, (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(grid.suspended, 1);
    EXPECT_EQ(grid.resumed, 1);

    const auto s = qz::test::read_back(*file).at(0);
    EXPECT_EQ(s.name, "GRID_Documentos");
    EXPECT_EQ(cell(s, 3, 1).text, "GRID_Documentos");
    EXPECT_EQ(cell(s, 9, 2).text, "Monto");
    EXPECT_TRUE(cell(s, 9, 2).look.boxed);
    EXPECT_DOUBLE_EQ(s.widths.at(0), 12);
    EXPECT_DOUBLE_EQ(s.widths.at(2), 10);
    EXPECT_EQ(cell(s, 10, 1).text, "FA-0001");
    EXPECT_EQ(cell(s, 10, 2).type, CellType::Number);
    EXPECT_EQ(cell(s, 10, 2).number, Decimal::parse("-1234.50"));
    EXPECT_EQ(cell(s, 10, 3).text, "12-3");
    EXPECT_EQ(cell(s, 11, 1).text, "05/03/26");
    EXPECT_EQ(cell(s, 11, 3).type, CellType::Text);  // a date stays text even right-aligned
    EXPECT_EQ(cell(s, 12, 1).type, CellType::Empty);
    EXPECT_EQ(cell(s, 12, 2).number, Decimal::parse("0.5"));
    EXPECT_EQ(cell(s, 12, 3).text, "-");  // a lone sign is no number
}

TEST_F(GridExportTest, CaptionNamesTheFileAndASecondExportIsNumbered) {
    const auto first = export_grid(grid, request("Saldos 05/03: caja"), port);
    const auto second = export_grid(grid, request("Saldos 05/03: caja"), port);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->filename(), "GRID_Saldos 05-03- caja.xlsx");
    EXPECT_EQ(second->filename(), "GRID_Saldos 05-03- caja (2).xlsx");
    EXPECT_TRUE(std::filesystem::exists(*first));
}

TEST_F(GridExportTest, StoppingKeepsWhatWasWrittenAndResumesTheGrid) {
    GridExportProgress progress{{}, [](long n) { return n < 2; }};
    const auto file = export_grid(grid, request(), port, progress);
    ASSERT_TRUE(file);
    const auto s = qz::test::read_back(*file).at(0);
    EXPECT_EQ(cell(s, 11, 2).number, Decimal(900));
    EXPECT_EQ(cell(s, 12, 2).type, CellType::Empty);
    EXPECT_EQ(grid.resumed, 1);
}

TEST_F(GridExportTest, MissingFileOrFolderIsRefusedBeforeTouchingTheGrid) {
    auto req = request();
    req.file = "   ";
    EXPECT_FALSE(export_grid(grid, req, port));
    req = request();
    req.folder = "";
    EXPECT_FALSE(export_grid(grid, req, port));
    EXPECT_EQ(port.messages,
              (std::vector<std::string>{"Error: Debe definir el nombre del archivo Destino",
                                        "Error: Debe definir la Carpeta Destino"}));
    EXPECT_EQ(grid.suspended, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(GridExportProposal, ProposesAFreeScratchNameInTemp) {
    qz::test::TempFolder dir;
    std::ofstream(dir.path() / "T0123456.xlsx") << "";
    const auto target = propose_grid_export(dir.path(), 90123456);
    EXPECT_EQ(target.folder, dir.path().string());
    EXPECT_EQ(target.file, "T0123457.xlsx");
}
