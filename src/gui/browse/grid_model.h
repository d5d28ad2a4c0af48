#pragma once
// The model behind every grid: the rows of a table order within its scope, addressed by key
// position. The row count is the key count of the scope; a row is read by going to its key
// position, and the rows around the visible window are kept in a small cache, so a grid over a
// million rows opens and scrolls without loading the table. Reading rows moves the table, so the
// model puts it back on the row it stood on.
#include <QAbstractTableModel>
#include <QColor>
#include <deque>
#include <optional>
#include <functional>
#include <set>
#include <vector>

#include "data/wdbtable.h"
#include "gui/browse/wbcolumn.h"

namespace qz::gui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(data::WDBTable& table, std::vector<WBCOLUMN>& columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    data::WDBTable& table() const { return m_table; }
    // Counts the scope again and forgets every row read (a new order, scope or column set).
    void reload();
    // Forgets the rows read; the count stays (a redraw).
    void invalidate();
    // An inactive model shows nothing and never touches the table; a model starts inactive so
    // that building the columns does not count the table each time.
    void set_active(bool active);
    bool active() const { return m_active; }

    long key_count() const { return m_count; }
    // Record number of a row (0-based); 0 when there is no such row.
    long recno_at(int row) const;
    // Makes the row the table's current row; false when it does not exist.
    bool go_to_row(int row);
    // Row (0-based) of the table's current row; -1 at EOF.
    int row_of_current() const;

    // Marks drawn in the row header.
    void set_marks(const std::set<long>* marks, QString symbol);
    // Per-row colours: the block returns an index (1-based) into the vector {text, background}.
    void set_colour_block(std::function<int()> block);
    void set_colour_vector(std::vector<std::pair<QColor, QColor>> vector);

private:
    struct Row {
        long recno = 0;
        std::vector<QString> cells;
        int colour = 0;
    };
    const Row* row(int r) const;
    void load_window(int first) const;
    bool reach(int first) const;
    Row read_current() const;

    data::WDBTable& m_table;
    std::vector<WBCOLUMN>& m_columns;
    long m_count = 0;
    bool m_active = false;
    mutable std::deque<Row> m_cache;
    mutable int m_cache_first = 0;
    // The last row whose position was counted (a search's find): reaching rows near it steps
    // from it instead of counting again from an end of the scope.
    mutable std::optional<std::pair<int, long>> m_anchor;  // {row, record number}
    const std::set<long>* m_marks = nullptr;
    QString m_symbol;
    std::function<int()> m_colour_block;
    std::vector<std::pair<QColor, QColor>> m_colours;
};

// A Windows colour number (0x00BBGGRR) as a QColor.
QColor colorref(long bgr);

}  // namespace qz::gui
