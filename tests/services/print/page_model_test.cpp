// Layouts of the page model against golden files, and the rules reports rely on: page breaks,
// number overflow, alignment, workbook output and cancelling.
#include <gtest/gtest.h>

#include "core/text.h"
#include "print_fakes.h"
#include "services/print/print_ops.h"

namespace qz::services {
namespace {

using test::DeviceLog;

std::string all_pages(const std::vector<Page>& pages) {
    std::string out;
    for (const Page& p : pages) out += serialise(p);
    return out;
}

// A report of 60 rows in font S: headings repeated on every page, a page break by NEXT_PAGE.
void run_listing(PrinterFunction& job) {
    job.TITLE1("Listado de Clientes");
    job.TITLE2("Spa Central");
    job.TITLE3("Al 15/03/2026");
    auto headings = [&job] {
        HEADER(job);
        LETRASB(job);
        job.BEGIN_HEADER();
        PRINTOUT(job, 9, 2, "Código");
        PRINTOUT(job, 9, 12, "Cliente");
        PRINTOUT(job, 9, 60, "Saldo", "XXXXXXXXXXXX", 2);
        job.END_HEADER();
        SUBRAYA(job, 9, 2, 70);
        LETRAS(job);
    };
    ASSERT_TRUE(START_DOC(job, "Clientes"));
    headings();
    double row = 10;
    for (int i = 1; i <= 60 && CANPRINT(job); ++i) {
        PRINTOUT(job, row, 2, std::to_string(1000 + i));
        PRINTOUT(job, row, 12, "Cliente número " + std::to_string(i));
        PRINTOUT(job, row, 60, Decimal(i * 1234) + Decimal::parse("0.5"), "999,999.99");
        ++row;
        if (NEXT_PAGE(job, headings)) row = 10;
    }
}

TEST(PrintPageModel, TwoPageReportMatchesGolden) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    run_listing(job);
    const JobOutcome out = RESETPRINT(job);
    EXPECT_FALSE(out.preview);
    EXPECT_TRUE(log.ended);
    ASSERT_EQ(log.pages.size(), 2u);
    const std::string text = all_pages(log.pages);
    EXPECT_NE(text.find("Timestamp: 15/03/26 09:30:00  U:ADM on:RECEPCION"), std::string::npos);
    EXPECT_NE(text.find("\"Página     2\""), std::string::npos);
    EXPECT_EQ(text, test::golden("two_page_report.txt", text));
}

TEST(PrintPageModel, LandscapeGridOfBoldExtraSmall) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    job.ORIENTACION(2);
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(job, "Grid"));
    LETRAXPB(job);
    EXPECT_EQ(job.Chars_per_Line, 258);
    EXPECT_EQ(job.Lines_per_Page, 77);
    for (int col = 0; col <= 250; col += 50) PRINTOUT(job, 0, col, "|" + std::to_string(col));
    for (int row = 10; row <= 76; row += 33) PRINTOUT(job, row, 0, "row " + std::to_string(row));
    LINEA_V(job, 0, 257, 77);
    const JobOutcome out = RESETPRINT(job, false);
    EXPECT_TRUE(out.preview);
    ASSERT_EQ(job.A_META_FILE.size(), 1u);
    const std::string text = serialise(job.A_META_FILE[0]);
    EXPECT_EQ(text, test::golden("landscape_xpb_grid.txt", text));
}

TEST(PrintPageModel, LinesPerPageFollowFactorAndSmallestKeepsTheLargest) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    job._SET_F_LINES(1.5);
    ASSERT_TRUE(START_DOC(job, "F"));
    LETRAZP(job);
    EXPECT_EQ(job.Lines_per_Page, 210);
    LETRAN(job);
    EXPECT_EQ(job.Lines_per_Page, 99);
    EXPECT_EQ(job.Smallest, 210);
}

TEST(PrintPageModel, TooWideNumberGivesUpSeparatorsBeforeStars) {
    EXPECT_EQ(format_number(Decimal::parse("1234.5"), "999,999.99"), "  1,234.50");
    EXPECT_EQ(format_number(Decimal::parse("1234567.89"), "999,999.99"), "1234567.89");
    EXPECT_EQ(format_number(Decimal::parse("123456789.5"), "99,999,999.99"), "123456,789.50");
    EXPECT_EQ(format_number(Decimal::parse("99999999.5"), "999,999.99"), "**********");
    EXPECT_EQ(format_number(Decimal::parse("-1234567"), "@E 9,999,999"), "-1234.567");
}

TEST(PrintPageModel, AlignmentFillAndHeadingTranslation) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    job.translate = [](const std::string& s) { return s == "Cliente" ? "Huésped" : s; };
    ASSERT_TRUE(START_DOC(job, "A"));
    LETRAN(job);  // 80 columns of 31 units
    job.BEGIN_HEADER();
    PRINTOUT(job, 1, 10, "Cliente");
    job.END_HEADER();
    PRINTOUT(job, 2, 10, "Cliente");
    PRINTOUT(job, 3, 10, "ab", "XXXXXX", 1);
    PRINTOUT(job, 4, 10, "ab", 2);
    PRINTOUT(job, 5, 10, "Total *", "", 0, kBkJob, '.');
    EXPECT_EQ(job.PCol, 17);
    const auto& ops = job.page->ops;
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].text, "Huésped");
    EXPECT_EQ(ops[1].text, "Cliente");
    EXPECT_EQ(ops[2].align, 1);
    EXPECT_EQ(ops[2].x, 403);  // centre of columns 10..16
    EXPECT_EQ(ops[3].x, 372);  // end of columns 10..12
    EXPECT_EQ(ops[4].text, "Total .");
    ASSERT_EQ(job.X_Header.size(), 1u);
    EXPECT_EQ(job.X_Header[0].text, "Huésped");
    RESETPRINT(job);
}

TEST(PrintPageModel, WorkbookOutputNeverBreaksPagesNorDraws) {
    DeviceLog log;
    test::SinkLog sink;
    PrinterFunction job;
    test::wire(job, log);
    job.To_Excel = true;
    job.T_Print = "META";
    job.excel_factory = [&sink](const std::filesystem::path&, const PrintStamp&) {
        return std::make_unique<test::FakeSink>(sink);
    };
    job.TITLE1("Saldos");
    ASSERT_TRUE(START_DOC(job, "Saldos"));
    EXPECT_EQ(HEADER(job), job.PRow);
    job.BEGIN_HEADER();
    PRINTOUT(job, 8, 2, "Cliente");
    job.END_HEADER();
    int breaks = 0;
    for (int i = 0; i < 200; ++i) {
        PRINTOUT(job, 9 + i, 2, "C" + std::to_string(i));
        PRINTOUT(job, 9 + i, 20, "");
        breaks += NEXT_PAGE(job, [] {});
    }
    EXPECT_EQ(breaks, 0);
    EXPECT_EQ(job.Paginas, 0);
    const JobOutcome out = RESETPRINT(job);
    EXPECT_TRUE(job.A_META_FILE.empty());
    EXPECT_TRUE(out.open_workbook);
    EXPECT_EQ(out.file, "Saldos.XLSX");
    ASSERT_EQ(sink.events.size(), 203u);  // heading, end, 200 values, close
    EXPECT_EQ(sink.events[0], "H 8.000000 2 Cliente");
    EXPECT_EQ(sink.events[1], "END Saldos");
    EXPECT_EQ(sink.events.back(), "CLOSE Saldos Saldos");
}

TEST(PrintPageModel, CancelledJobsLeaveNothing) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(job, "C"));
    PRINTOUT(job, 1, 1, "uno");
    NEXT_PAGE(job);
    job.YPos = job.Height;
    EXPECT_TRUE(NEXT_PAGE(job));
    job.CANCELPRINT();
    EXPECT_FALSE(CANPRINT(job));
    PRINTOUT(job, 2, 1, "dos");
    const JobOutcome out = RESETPRINT(job);
    EXPECT_FALSE(out.preview);
    EXPECT_TRUE(job.A_META_FILE.empty());

    DeviceLog direct;
    PrinterFunction printing;
    test::wire(printing, direct);
    ASSERT_TRUE(START_DOC(printing, "D"));
    PRINTOUT(printing, 1, 1, "uno");
    printing.CANCELPRINT();
    RESETPRINT(printing);
    EXPECT_TRUE(direct.aborted);
    EXPECT_TRUE(direct.pages.empty());
}

TEST(PrintPageModel, PrinterThatNeverOpensFailsWithTheMessage) {
    struct Port : UserPort {
        std::vector<std::string> shown;
        void message(MsgStyle, const std::string& t, const std::string& m) override {
            shown.push_back(t + ": " + m);
        }
        bool confirm(const std::string&, const std::string&) override { return false; }
        std::unique_ptr<WaitWindow> wait(const std::string&) override { return nullptr; }
    } port;
    PrinterFunction job;
    int attempts = 0;
    job.device_factory = [&](const PrinterFunction&) {
        ++attempts;
        return std::unique_ptr<PrintDevice>();
    };
    job.sleep = [](int) {};
    job.port = &port;
    EXPECT_FALSE(START_DOC(job, "Informe"));
    EXPECT_EQ(attempts, 6);
    ASSERT_EQ(port.shown.size(), 1u);
    EXPECT_NE(port.shown[0].find("Imprimiendo: Informe"), std::string::npos);
    EXPECT_FALSE(CANPRINT(job));
    PRINTOUT(job, 1, 1, "x");
    EXPECT_FALSE(RESETPRINT(job).preview);
}

TEST(PrintPageModel, CutMeasuresTheTranslatedText) {
    DeviceLog log;
    PrinterFunction job;
    test::wire(job, log);
    ASSERT_TRUE(START_DOC(job, "M"));
    EXPECT_EQ(CUT(job, "Descripción larga", 5), "Descr");
    job.measure = [](const std::string& t, const FontRef&) { return utf8_length(t) * 50.0; };
    EXPECT_EQ(CUT(job, "Descripción larga", 5), "Des");
    job.To_Excel = true;
    EXPECT_EQ(CUT(job, "Descripción larga", 5), "Descripción larga");
}

}  // namespace
}  // namespace qz::services
