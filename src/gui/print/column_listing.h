#pragma once
// A listing of fixed columns laid out on a grid of `basis` characters and stretched to the width
// of the page: the standard page header, then the column headings, again on every page; amounts
// right-aligned in their column. The listings of the ledger (deliveries, revaluation, collection
// runs) print through it.
#include <functional>
#include <string>
#include <vector>

#include "services/print/printer_function.h"

namespace qz::gui {

struct ListingColumn {
    const char* title;
    double at, width;  // in characters of the basis
    bool amount;       // right-aligned
};

class ColumnListing {
public:
    // `above_titles` prints what a page carries between the header and the headings.
    ColumnListing(services::PrinterFunction& job, std::vector<ListingColumn> columns, double basis,
                  std::function<void(ColumnListing&)> above_titles = {});

    // The page header and the headings; run again at each page break.
    void header();
    void put(size_t column, const std::string& text);
    // A line of text from the left margin, then the next row.
    void note(const std::string& text);
    // One cell per column, then the next row, breaking the page when it is full; false once the
    // job was cancelled (nothing is printed then).
    bool line(const std::vector<std::string>& cells);
    // A text from the left margin with cells in the columns whose cell is not empty (a total and
    // its amount), then the next row, breaking the page like `line`.
    bool text_line(const std::string& text, const std::vector<std::string>& cells);
    // A rule across the page under the rows printed.
    void rule();
    void next() { m_row += 1; }

private:
    services::PrinterFunction& m_job;
    std::vector<ListingColumn> m_columns;
    double m_basis, m_row = 0, m_scale = 1;
    std::function<void(ColumnListing&)> m_above;
};

}  // namespace qz::gui
