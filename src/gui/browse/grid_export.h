#pragma once
// The grid as the export window reads it: its shown columns and, from the first row of its order
// and scope, the texts it displays. The grid is suspended while the export walks its table.
// The export window outlives the menu command that opened it and may outlive the grid (its
// screen closed by the session): a grid that is gone reads as one without rows.
#include <QPointer>

#include "services/workbook/grid_export_source.h"

namespace qz::gui {

class WBLISTBOX;

class GridExportAdapter : public services::GridExportSource {
public:
    explicit GridExportAdapter(WBLISTBOX& grid) : m_grid(&grid) {}
    std::vector<services::GridExportColumn> columns() const override;
    bool first() override;
    bool next() override;
    std::string text(int column) const override;
    void suspend() override;
    void resume() override;

private:
    QPointer<WBLISTBOX> m_grid;
};

}  // namespace qz::gui
