#include "gui/print/grid_report.h"

#include <algorithm>

#include "core/text.h"
#include "gui/browse/grid_export.h"
#include "gui/browse/wblistbox.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using services::PrinterFunction;

// A picture of digits (with separators, sign or blank-when-zero) formats a number.
bool numeric_picture(const std::string& picture) {
    return picture.find('9') != std::string::npos &&
           picture.find_first_of("Xx!") == std::string::npos;
}

// A cell prints on one line: line breaks of memo texts become blanks.
std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return text;
}

int total_width(const std::vector<GridReportColumn>& columns) {
    return columns.empty() ? 0 : static_cast<int>(columns.back().at) + columns.back().width;
}

// The widest report font whose line holds every column; wide grids go landscape.
void choose_font(PrinterFunction& job, int width) {
    const bool land = job.Orient == 2;
    if (width <= (land ? 124 : 96)) return services::LETRAP(job);
    if (width <= (land ? 156 : 120)) return services::LETRAS(job);
    if (width <= (land ? 207 : 160)) return services::LETRAPP(job);
    services::LETRAXP(job);
}

// A cell at its column. On paper it is cut to the column's width and numbers are blank-padded
// to end where the column ends; a workbook gets the whole text at the heading's print column.
void put(PrinterFunction& job, double row, const GridReportColumn& c, std::string text) {
    const int align = c.right ? 2 : 0;
    if (job.EXCEL()) return services::PRINTOUT(job, row, c.at, text, "", align);
    text = utf8_substr(text, 0, static_cast<size_t>(c.width));
    const size_t length = utf8_length(text);
    if (c.right) text = std::string(static_cast<size_t>(c.width) - length, ' ') + text;
    services::PRINTOUT(job, row, c.at, text, std::string(static_cast<size_t>(c.width), 'X'), align);
}

void print_headings(PrinterFunction& job, double row, const std::vector<GridReportColumn>& cols) {
    job.BEGIN_HEADER();
    for (const auto& c : cols) put(job, row, c, c.heading);
    job.END_HEADER();
    // The rule runs just under the headings, clear of the first row half a line below.
    if (!job.EXCEL()) services::SUBRAYA(job, row + 0.2, 0, total_width(cols));
}

}  // namespace

std::vector<GridReportColumn> grid_report_columns(const WBLISTBOX& grid, int max_width) {
    std::vector<GridReportColumn> out;
    double at = 2;  // a margin at the left edge of the paper
    for (const auto& c : grid.aDBFelder()) {
        GridReportColumn col;
        col.heading = c.wbHeading;
        col.right = c.kind == 'R' || c.wbAlign == 2 || numeric_picture(c.display_picture);
        const int picture = static_cast<int>(utf8_length(c.display_picture));
        const int heading = static_cast<int>(utf8_length(c.wbHeading));
        col.width = std::clamp(std::max(picture, heading), 1, std::max(max_width, heading));
        col.at = at;
        at += col.width + 1;
        out.push_back(std::move(col));
    }
    return out;
}

long print_grid_rows(PrinterFunction& job, WBLISTBOX& grid) {
    const auto cols = grid_report_columns(grid);
    const long back = grid.nCrecNo();
    GridExportAdapter source(grid);
    source.suspend();
    double row = 0;
    auto header = [&] {
        row = services::HEADER(job);
        choose_font(job, total_width(cols));
        print_headings(job, row + 1, cols);
        row += 2.5;
    };
    header();
    long printed = 0;
    for (bool more = source.first(); more && services::CANPRINT(job); more = source.next()) {
        for (size_t i = 0; i < cols.size(); ++i) {
            const std::string text = one_line(source.text(static_cast<int>(i)));
            put(job, row, cols[i], cols[i].right ? trim(text) : text);
        }
        ++printed;
        row += 1;
        services::NEXT_PAGE(job, header);
    }
    source.resume();
    if (back) {
        grid.table().GoTo(back);
        grid.show_current(-1, false);
    }
    return printed;
}

void print_grid_report(QWidget* owner, WBLISTBOX& grid, const std::string& title) {
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1(title);
    if (total_width(grid_report_columns(grid)) > 160) job.ORIENTACION(2);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (!START_DOC(owner, job, title)) return;
    print_grid_rows(job, grid);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
