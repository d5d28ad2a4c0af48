#pragma once
// WBLISTBOX: the grid screens create. Beyond the engine it keeps what ADD2BROWSE gives a grid:
// sortable columns with their orders, the scope, marks in the row header, typing search through
// the search window, the right-click menu with the remembered searches, the per-user font, the
// column layout and the refresh every minute.
#include <QTimer>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gui/browse/wbrowse.h"

class QLabel;
class QMenu;

namespace qz::gui {

class DialogFrame;

// The options of BrowMarks.
struct BrowMarksOptions {
    // Columns that sort by a click on their heading, up to 8: {column, order}, the column named
    // by its field ("FECHA") or, for a column without one, by its heading as given ("Estado").
    std::vector<std::pair<std::string, std::string>> sortable;
    int initial_sort = 1;            // entry of `sortable` applied first (1-based); 0 = none
    std::string scope_start;         // key prefix; "" = no scope
    std::optional<std::string> scope_end;  // default: the scope start
    bool no_search = false;          // typing in the grid does nothing
    int nub_width = 16;              // row header; 3 or less: no marks column
    bool go_top = true;
    std::string initial_search;      // sought with ever shorter prefixes
    bool no_marks = false;
    std::string option;              // key prefix of the quick search
    bool no_refresh = false;
    std::vector<int> pass_through;   // columns whose keys go to the screen's own key block
};

// An extra entry of the right-click menu.
struct MenuOption {
    std::string caption;
    std::function<void()> block;
};

class WBLISTBOX : public WBROWSE {
    Q_OBJECT
public:
    // The grid in control `id` of the dialog: the control the screen laid out for it is
    // replaced by the grid. Without such a control: "Browser Id <id> gibt es nicht!" and null.
    static WBLISTBOX* Init(DialogFrame& dlg, int id, data::WDBTable& table, std::string name);
    WBLISTBOX(QWidget* parent, data::WDBTable& table, std::string name, int id = 0);
    ~WBLISTBOX() override;

    // Creates and starts the grid: state, font, marks column, search, columns, orders, scope.
    void BrowMarks(BrowMarksOptions options);

    // Scope and order.
    void SET_SCOPE(const std::string& start, std::optional<std::string> end = std::nullopt,
                   bool refresh = true, const std::string& extra = "");
    void CLEAR_SCOPE(bool refresh = true);
    // Makes entry `entry` (1-based) of the sortable columns the order, as a header click does.
    void SET_ORDER(int entry);
    int GET_OB_ORDER() const { return m_sort; }
    bool has_sortable_columns() const { return !m_sortable.empty(); }
    // A click on the header of column `column` (0-based): sorts when it carries an order.
    void sort_by_column(int column);
    const std::string& scope_start() const { return m_scope_start; }
    const std::string& scope_extra() const { return m_scope_extra; }
    const std::string& option_prefix() const { return m_option; }

    // Marks (record numbers; 0 = the current row). True when the set changed.
    bool ADD_MARK(long recno = 0, bool notify = true, bool refresh = true);
    bool DEL_MARK(long recno = 0, bool notify = true, bool refresh = true);
    bool TOGGLEMARK(long recno = 0);
    void NUB_CLEAR();
    void NUB_MARKALL();
    void SYMBOLMARK(QString symbol);
    const std::set<long>& marks() const { return m_marks; }
    // The row header's heading: the mark count as "999".
    QString nub_heading() const;
    // Told of every change of a mark: record number and 1 (marked) or 0.
    std::function<void(long recno, int on)> on_mark;

    // Searches. SEARCH: scope start + text in the current order; the row found becomes the first
    // line. False (and the row kept, with a beep) when nothing begins with it.
    bool SEARCH(const std::string& text, bool soft = false, long skip = 0);
    // A remembered string (index into XSEARCHOB, 0-based) or `text`.
    bool SEARCH_DATO(std::optional<int> index, const std::string& text = "", bool soft = false,
                     long skip = 0);
    // Seeks the full key `key` nearest-first and shows that row on the first line.
    void seek_nearest(const std::string& key, long skip = 0);
    // The quick searches of the search window remembered for this grid, newest first.
    std::vector<std::string>& earlier_searches() { return m_earlier; }
    // Opens the search window with `first` typed (or adds it to the open one).
    void open_search(const QString& first);
    bool typing_search() const { return !m_no_search; }

    // A grid that neither draws nor reacts and leaves its table to whoever walks it.
    void DISABLE_BROWSE();
    void ENABLE_BROWSE();
    bool browse_active() const { return m_active; }

    void PRESEEKBLOCK(Block b) { m_pre_seek = std::move(b); }
    void POSTSEEKBLOCK(Block b) { m_post_seek = std::move(b); }
    void COLOR_BLOCK(std::function<int()> block);
    void SET_COLOR_VECTOR(std::vector<std::pair<QColor, QColor>> colours);
    // Keys of these columns (1-based) go to `block` instead of the grid.
    void SET_KEYBLOCK(std::vector<int> columns, KeyBlock block);
    void SET_MENUOPTIONS(std::vector<MenuOption> options) { m_menu_options = std::move(options); }
    // The screen's own right-button block, run after the menu.
    Block Button_Block;

    // The right-click menu as it would open now (commands in each action's data).
    QMenu* build_menu(QWidget* parent);
    void run_menu_command(int command);
    // The export window over the grid's rows ("Exportar a Excel"); nothing outside a session.
    void export_workbook();
    // Ctrl+C: the current cell to the clipboard and to the remembered searches.
    void copy_cell();
    // The user's font for this grid from F_BROWSE (this business, screen, user and grid id).
    void load_user_font();
    // Applies the column layout kept in the layout file.
    void load_layout();
    const std::string& cBrowserName() const { return m_name; }
    int grid_id() const { return m_id; }
    std::string dialog_name() const;

    // The minute's refresh: only when switched on and the screen is enabled and active; it never
    // runs the select block.
    void refresh_tick();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    bool screen_allows_refresh() const;
    void apply_scope();
    void update_nub();
    void search_date();
    void choose_font();
    // This grid's record in F_BROWSE: business, screen, user and grid.
    std::string font_key() const;
    bool typing_key(QKeyEvent& e, QString& out) const;
    bool navigation_key(QKeyEvent& e);
    bool seek_with_scope(const std::string& text, bool soft);

    std::string m_name;
    int m_id = 0;
    DialogFrame* m_dlg = nullptr;
    bool m_active = false;
    long m_parked_recno = 0;
    // The column (1-based, 0 = none of this grid) a sortable entry names.
    int sortable_column(const std::string& name) const;
    std::vector<std::pair<std::string, std::string>> m_sortable;
    int m_sort = 0;
    std::string m_scope_start, m_scope_end, m_scope_extra, m_option;
    bool m_scoped = false;
    bool m_no_search = false, m_no_marks = false;
    int m_nub = 16;
    QString m_symbol = QString::fromUtf8("\u2714");
    std::set<long> m_marks;
    QLabel* m_nub_heading = nullptr;
    Block m_pre_seek, m_post_seek;
    std::vector<MenuOption> m_menu_options;
    std::vector<int> m_pass_through;
    KeyBlock m_pass_block;
    std::vector<std::string> m_earlier;
    QTimer m_refresh;
};

}  // namespace qz::gui
