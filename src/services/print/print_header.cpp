// The standard page header and the page break every report row is followed by.
#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::services {

namespace {

constexpr const char* kProduct = "QUARTZEN Front-Office/Back-Office";

// The logo covers the top-left 20 × 17 cells of the finest grid, the size the header leaves it.
void draw_logo(PrinterFunction& job) {
    if (job.env.logo.empty()) return;
    const ReportFontSpec& grid = font_spec(ReportFont::ZP);
    const bool land = job.Orient == 2;
    DrawOp op;
    op.kind = DrawOp::Kind::Picture;
    op.x = 0;
    op.y = static_cast<int>(job.YPos - job.PRow * job.line_height());
    op.x2 = job.Width * 20 / (land ? grid.chars_landscape : grid.chars_portrait);
    op.y2 = op.y + job.Height * 17 / (land ? grid.lines_landscape : grid.lines_portrait);
    op.text = job.env.logo;
    job.draw(std::move(op));
}

void print_title(PrinterFunction& job, double row, double column, const std::string& title,
                 bool centred, int portrait_cells, int landscape_cells) {
    const std::string text = job.tr(title);
    if (!centred) {
        PRINTOUT(job, row, column, text);
        return;
    }
    const int cells = job.Orient == 2 ? landscape_cells : portrait_cells;
    PRINTOUT(job, row, 0, text, std::string(cells, 'X'), 1);
}

}  // namespace

std::string stamp_line(const PrinterFunction& job) {
    if (job.noStamp != 0) return kProduct;
    const PrintStamp& s = job.env.stamp;
    return std::string(kProduct) + "   Timestamp: " + s.at.date.dtoc() + " " + s.at.time +
           "  U:" + s.user + " on:" + s.computer;
}

double HEADER(PrinterFunction& job, const std::string& box_text, bool centred) {
    if (job.To_Excel) return job.PRow;
    CHECK_PAGE(job);
    draw_logo(job);
    if (!box_text.empty()) {
        LETRAPP(job);
        CUADRO(job, 0, 0, job.Chars_per_Line - 61, 9.3, job.Chars_per_Line - 1, box_text, false);
    }
    LETRABIG(job);
    print_title(job, 1, 7.75, job.TitleT1, centred, 53, 68);
    LETRAP(job);
    const std::string others[] = {job.TitleT2, job.TitleT3.value_or(""), job.TitleT4.value_or(""),
                                  job.TitleT5.value_or("")};
    const double rows[] = {2.5, 3.4, 4.3, 5.2};
    for (int i = 0; i < 4; ++i)
        if (!trim(others[i]).empty()) print_title(job, rows[i], 14, others[i], centred, 96, 124);
    LETRAXP(job);
    PRINTOUT(job, 6.8, 29.5, stamp_line(job));
    const double rule = job.y_of(6.4);
    P_ABSHLINE(job, static_cast<int>(rule), 0, job.Width);
    return 8;
}

bool NEXT_PAGE(PrinterFunction& job, const std::function<void()>& header, bool stamp,
               double factor) {
    if (job.To_Excel || job.YPos < job.Height * 0.90 * factor) return false;
    END_PAGE(job, stamp);
    START_PAGE(job);
    if (header) header();
    return true;
}

}  // namespace qz::services
