#include "gui/browse/grid_export.h"

#include "gui/browse/wblistbox.h"

namespace qz::gui {

std::vector<services::GridExportColumn> GridExportAdapter::columns() const {
    std::vector<services::GridExportColumn> out;
    if (!m_grid) return out;
    for (const auto& c : m_grid->aDBFelder())
        out.push_back({c.wbHeading, static_cast<int>(c.display_picture.size()), c.kind == 'R'});
    return out;
}

bool GridExportAdapter::first() {
    if (!m_grid) return false;
    m_grid->table().GoTop();
    return !m_grid->table().Eof();
}

bool GridExportAdapter::next() {
    if (!m_grid) return false;
    m_grid->table().Skip();
    return !m_grid->table().Eof();
}

std::string GridExportAdapter::text(int column) const {
    if (!m_grid) return {};
    const auto& cols = m_grid->aDBFelder();
    if (column < 0 || column >= static_cast<int>(cols.size())) return {};
    const WBCOLUMN& c = cols[static_cast<size_t>(column)];
    try {
        return c.wbBlock ? cell_text(c.wbBlock(), c.display_picture) : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

void GridExportAdapter::suspend() {
    if (m_grid) m_grid->DISABLE_BROWSE();
}

void GridExportAdapter::resume() {
    if (m_grid) m_grid->ENABLE_BROWSE();
}

}  // namespace qz::gui
