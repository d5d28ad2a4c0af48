#pragma once
// WBROWSE: the grid engine. A QTableView over a GridModel, whose current row is the table's
// current record: moving in the grid moves the table and runs the select block, so a screen reads
// the selected row from its table as it always did. Columns are WBCOLUMNs; CONFIGURE turns them
// into display pictures, kinds and widths. The grid shows rows once its model is made active
// (WBLISTBOX::BrowMarks does it after the columns are built).
#include <QTableView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/wdbtable.h"
#include "gui/browse/grid_model.h"
#include "gui/browse/wbcolumn.h"

namespace qz::gui {

class WBROWSE : public QTableView {
    Q_OBJECT
public:
    using Block = std::function<void()>;
    // A key the screen sees before the grid; true ends its processing.
    using KeyBlock = std::function<bool(QKeyEvent& key)>;

    WBROWSE(QWidget* parent, data::WDBTable& table);
    ~WBROWSE() override;

    // Columns (positions are 1-based, as screens count them).
    void ADDCOLUMN(WBCOLUMN column);
    void INSCOLUMN(int pos, WBCOLUMN column);
    void DELCOLUMN(int pos);
    int COLCOUNT() const { return static_cast<int>(m_columns.size()); }
    WBCOLUMN& GETCOLUMN(int pos);
    const std::string& GETCOLCARGO(int pos) { return GETCOLUMN(pos).wbCargo; }
    void SETCOLCARGO(int pos, std::string cargo) { GETCOLUMN(pos).wbCargo = std::move(cargo); }
    // The columns as first built (aDBOrg) and the ones shown (aDBFelder).
    const std::vector<WBCOLUMN>& aDBOrg() const { return m_original; }
    const std::vector<WBCOLUMN>& aDBFelder() const { return m_columns; }
    // Shows these original columns (0-based) with these widths (0 keeps the computed one).
    void set_layout(const std::vector<std::pair<int, int>>& columns);
    // Pictures, kinds and widths of every column in the grid font.
    void CONFIGURE();

    // Navigation.
    void GOTOP();
    void GOBOTTOM();
    void UP() { SKIP(-1); }
    void DOWN() { SKIP(1); }
    void PAGEUP();
    void PAGEDOWN();
    void HOME();
    void END();
    void LEFT();
    void RIGHT();
    void SKIP(long n);
    // Counts the rows again and redraws, keeping the current row on its line.
    void REFRESHALL();
    void REFRESHCURRENT() { m_model->invalidate(); }
    // The table's current row becomes the grid's, on line `line` (0 = top; -1 keeps it visible).
    void show_current(int line = -1, bool run_select = true);

    long nCrecNo() const;
    long nCurRec() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }
    long nMaxRec() const { return m_model->key_count(); }
    // Line of the current row in the window (1-based), 0 when none.
    int rowPos() const;
    int Col_Pos() const { return currentIndex().isValid() ? currentIndex().column() + 1 : 1; }
    // {value, picture} of the current cell.
    std::pair<CellValue, std::string> getCellData();
    data::WDBTable& table() const { return m_table; }
    GridModel& grid_model() const { return *m_model; }

    void ENABLE_GRID();
    void DISABLE_GRID();

    Block Sel_Block, Double_Block;
    KeyBlock key_Block;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // Runs the select block unless the grid is moving quietly.
    void run_select();
    int visible_lines() const;
    void set_current_row(int row, bool run_select);
    void place_row(int row, int line);
    QFont grid_font() const;

    data::WDBTable& m_table;
    std::vector<WBCOLUMN> m_columns;
    std::vector<WBCOLUMN> m_original;
    GridModel* m_model = nullptr;
    bool m_quiet = false;  // moves that must not run the select block
};

}  // namespace qz::gui
