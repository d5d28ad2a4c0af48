#pragma once
// A grid printed as a report: the rows of its current order and scope under its shown columns,
// with the screen's caption as title. Headings are printed as the job's column headings, so the
// workbook output ("F3: Excel") gets one column per grid column.
#include <string>
#include <vector>

class QWidget;

namespace qz::services {
class PrinterFunction;
}

namespace qz::gui {

class WBLISTBOX;

// One printed column: where it starts (print column), how many characters it takes and whether
// its values are right-aligned (numbers).
struct GridReportColumn {
    std::string heading;
    double at = 0;
    int width = 0;
    bool right = false;
};

// The print columns of the grid's shown columns: widths from the display pictures (at least the
// heading's length, at most `max_width`), one blank between columns.
std::vector<GridReportColumn> grid_report_columns(const WBLISTBOX& grid, int max_width = 40);

// Prints the grid's rows on an open job (between START_DOC and RESETPRINT). The grid is suspended
// while its table is walked and comes back on the row it stood on. Returns the rows printed.
long print_grid_rows(services::PrinterFunction& job, WBLISTBOX& grid);

// The whole report: printer dialog (workbook allowed), job, rows, close. Nothing when the user
// cancels the dialog.
void print_grid_report(QWidget* owner, WBLISTBOX& grid, const std::string& title);

}  // namespace qz::gui
