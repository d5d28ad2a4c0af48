#include "gui/browse/grid_model.h"

#include <algorithm>

#include "core/text.h"

namespace qz::gui {

namespace {
constexpr int kWindow = 96;   // rows read at once around the one asked for
constexpr int kBefore = 24;   // of which before it
constexpr int kNear = 512;    // a window this close to the cache is reached by stepping
constexpr long kMarkColour = 8404992;
}  // namespace

QColor colorref(long bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

GridModel::GridModel(data::WDBTable& table, std::vector<WBCOLUMN>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(columns) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_active ? 0 : static_cast<int>(m_count);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

void GridModel::reload() {
    beginResetModel();
    m_cache.clear();
    m_anchor.reset();
    m_count = m_active && m_table.Used() ? m_table.KeyCount() : 0;
    endResetModel();
}

void GridModel::invalidate() {
    m_cache.clear();
    m_anchor.reset();
    if (m_count > 0) {
        emit dataChanged(index(0, 0), index(static_cast<int>(m_count) - 1,
                                            std::max(0, columnCount() - 1)));
        emit headerDataChanged(Qt::Vertical, 0, static_cast<int>(m_count) - 1);
    }
}

void GridModel::set_active(bool active) {
    if (active == m_active) return;
    m_active = active;
    reload();
}

void GridModel::set_marks(const std::set<long>* marks, QString symbol) {
    m_marks = marks;
    m_symbol = std::move(symbol);
}

void GridModel::set_colour_block(std::function<int()> block) {
    m_colour_block = std::move(block);
    invalidate();
}

void GridModel::set_colour_vector(std::vector<std::pair<QColor, QColor>> vector) {
    m_colours = std::move(vector);
    invalidate();
}

GridModel::Row GridModel::read_current() const {
    Row r;
    r.recno = m_table.RecNo();
    r.cells.reserve(m_columns.size());
    for (const auto& c : m_columns) {
        std::string text;
        try {
            if (c.wbBlock) text = cell_text(c.wbBlock(), c.display_picture);
        } catch (const std::exception&) {
            // A block that fails on one row leaves that cell blank rather than the whole grid.
        }
        // Stored texts are padded to their field: the blanks after a left-aligned text would only
        // push an ellipsis into a column narrower than the field.
        r.cells.push_back(QString::fromStdString(c.kind == 'R' ? text : rtrim(text)));
    }
    if (m_colour_block) {
        try {
            r.colour = m_colour_block();
        } catch (const std::exception&) {
            r.colour = 0;
        }
    }
    return r;
}

// Puts the table on row `first`: by stepping from a cached row when the cache is near, else by
// key position from the nearer end of the scope.
bool GridModel::reach(int first) const {
    if (!m_cache.empty()) {
        const int last = m_cache_first + static_cast<int>(m_cache.size()) - 1;
        if (first >= m_cache_first && first <= last + kNear) {
            int from = std::min(first, last);
            m_table.GoTo(m_cache[static_cast<size_t>(from - m_cache_first)].recno);
            if (first > from) m_table.Skip(first - from);
            return !m_table.Eof();
        }
        if (first < m_cache_first && first >= m_cache_first - kNear) {
            m_table.GoTo(m_cache.front().recno);
            m_table.Skip(first - m_cache_first);
            return !m_table.Eof() && !m_table.BOF();
        }
    }
    if (m_anchor && std::abs(first - m_anchor->first) <= kNear) {
        m_table.GoTo(m_anchor->second);
        if (first != m_anchor->first) m_table.Skip(first - m_anchor->first);
        if (!m_table.Eof() && !m_table.BOF()) return true;
    }
    return m_table.GoToKeyNo(first + 1, m_count);
}

void GridModel::load_window(int wanted) const {
    const bool had_row = !m_table.Eof();
    const long current = had_row ? m_table.RecNo() : 0;
    const int first = std::max(0, wanted - kBefore);
    const int last = std::min(static_cast<int>(m_count) - 1, first + kWindow - 1);
    std::deque<Row> rows;
    try {
        if (reach(first))
            for (int r = first; r <= last && !m_table.Eof(); ++r) {
                rows.push_back(read_current());
                if (r < last) m_table.Skip(1);
            }
    } catch (const std::exception&) {
        rows.clear();  // the table went away under the grid: draw nothing rather than fail
    }
    m_cache = std::move(rows);
    m_cache_first = first;
    if (had_row) m_table.GoTo(current);
}

const GridModel::Row* GridModel::row(int r) const {
    if (!m_active || r < 0 || r >= m_count || !m_table.Used()) return nullptr;
    if (r < m_cache_first || r >= m_cache_first + static_cast<int>(m_cache.size()))
        load_window(r);
    if (r < m_cache_first || r >= m_cache_first + static_cast<int>(m_cache.size())) return nullptr;
    return &m_cache[static_cast<size_t>(r - m_cache_first)];
}

long GridModel::recno_at(int r) const {
    const Row* p = row(r);
    return p ? p->recno : 0;
}

bool GridModel::go_to_row(int r) {
    if (!m_active || r < 0 || r >= m_count) return false;
    if (r >= m_cache_first && r < m_cache_first + static_cast<int>(m_cache.size())) {
        m_table.GoTo(m_cache[static_cast<size_t>(r - m_cache_first)].recno);
        return !m_table.Eof();
    }
    return reach(r);
}

int GridModel::row_of_current() const {
    if (!m_active || m_table.Eof()) return -1;
    const int row = static_cast<int>(m_table.KeyNo(m_count)) - 1;
    if (row >= 0) m_anchor = std::pair(row, m_table.RecNo());
    return row;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const size_t c = static_cast<size_t>(index.column());
    if (c >= m_columns.size()) return {};
    const WBCOLUMN& col = m_columns[c];
    switch (role) {
    case Qt::DisplayRole: {
        const Row* p = row(index.row());
        return p && c < p->cells.size() ? p->cells[c] : QString();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (col.kind == 'R' ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const bool fg = role == Qt::ForegroundRole;
        const Row* p = m_colour_block ? row(index.row()) : nullptr;
        if (p && p->colour >= 1 && p->colour <= static_cast<int>(m_colours.size())) {
            const auto& pair = m_colours[static_cast<size_t>(p->colour - 1)];
            return fg ? pair.first : pair.second;
        }
        const auto& own = fg ? col.wbFGColor : col.wbBGColor;
        return own ? QVariant(*own) : QVariant();
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal) {
        if (section < 0 || section >= static_cast<int>(m_columns.size())) return {};
        const WBCOLUMN& col = m_columns[static_cast<size_t>(section)];
        if (role == Qt::DisplayRole) return QString::fromStdString(col.wbHeading);
        if (role == Qt::BackgroundRole && col.wbHeadColor) return *col.wbHeadColor;
        return {};
    }
    if (role == Qt::DisplayRole) {
        if (!m_marks || m_marks->empty()) return QString();
        return m_marks->count(recno_at(section)) ? m_symbol : QString();
    }
    if (role == Qt::ForegroundRole) return colorref(kMarkColour);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

}  // namespace qz::gui
