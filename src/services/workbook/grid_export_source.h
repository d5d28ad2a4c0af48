#pragma once
// What the grid export reads from a grid: its columns and, row by row from the first row of the
// grid's table, the texts the grid displays. The grid stays suspended while the export walks.
#include <string>
#include <vector>

namespace qz::services {

struct GridExportColumn {
    std::string heading;
    int picture_length = 0;      // length of the column's display picture
    bool right_aligned = false;  // numbers are recognised only in right-aligned columns
};

class GridExportSource {
public:
    virtual ~GridExportSource() = default;
    virtual std::vector<GridExportColumn> columns() const = 0;
    // Positions on the first row of the grid's order and scope; false when there is none.
    virtual bool first() = 0;
    // The next row; false past the last one.
    virtual bool next() = 0;
    // The displayed text of a column (0-based) of the current row.
    virtual std::string text(int column) const = 0;
    // The grid neither draws nor reacts while suspended; resume refreshes it.
    virtual void suspend() {}
    virtual void resume() {}
};

}  // namespace qz::services
