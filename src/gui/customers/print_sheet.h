#pragma once
// The sheet the customer's printouts draw on: rows of columns on the grid of the S font (120
// cells portrait), each page headed by the standard header, the customer's box (when there is
// one) and the column titles. Amounts end at their column's right edge through the money
// picture.
#include <string>
#include <vector>

#include "core/decimal.h"
#include "services/print/printer_function.h"

namespace qz::gui {

// A column: its title, where it starts and how wide it is.
struct SheetColumn {
    const char* title;
    double at, width;
};

class PrintSheet {
public:
    PrintSheet(services::PrinterFunction& job, std::vector<SheetColumn> columns,
               std::string box = "");

    void header();
    void text(size_t column, const std::string& value);
    void money(size_t column, const Decimal& value);
    void days(size_t column, long value);
    // The next row, breaking the page when it is full.
    void next();
    void rule();
    bool alive() const;

private:
    services::PrinterFunction& m_job;
    std::vector<SheetColumn> m_columns;
    std::string m_box;
    double m_row = 0;
};

}  // namespace qz::gui
