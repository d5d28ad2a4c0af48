#include "gui/browse/wbrowse.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "core/text.h"
#include "gui/framework/dialog_frame.h"

namespace qz::gui {

namespace {
constexpr int kRowHeight = 16;

bool holds_number(const std::string& s) {
    std::string t = trim(s);
    return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
}
}  // namespace

WBROWSE::WBROWSE(QWidget* parent, data::WDBTable& table) : QTableView(parent), m_table(table) {
    m_model = new GridModel(table, m_columns, this);
    setModel(m_model);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setVerticalScrollMode(ScrollPerItem);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(kRowHeight, fontMetrics().height() + 4));
    horizontalHeader()->setHighlightSections(false);
}

WBROWSE::~WBROWSE() = default;

void WBROWSE::ADDCOLUMN(WBCOLUMN column) { INSCOLUMN(COLCOUNT() + 1, std::move(column)); }

void WBROWSE::INSCOLUMN(int pos, WBCOLUMN column) {
    pos = std::clamp(pos, 1, COLCOUNT() + 1);
    m_original.push_back(column);
    m_columns.insert(m_columns.begin() + (pos - 1), std::move(column));
    m_model->reload();
}

void WBROWSE::DELCOLUMN(int pos) {
    if (pos < 1 || pos > COLCOUNT()) return;
    m_columns.erase(m_columns.begin() + (pos - 1));
    m_model->reload();
}

WBCOLUMN& WBROWSE::GETCOLUMN(int pos) {
    if (pos < 1 || pos > COLCOUNT())
        throw FrameworkError("Columna " + std::to_string(pos) + " no existe en la grilla");
    return m_columns[static_cast<size_t>(pos - 1)];
}

QFont WBROWSE::grid_font() const { return font(); }

void WBROWSE::CONFIGURE() {
    const QFontMetrics fm(grid_font());
    for (auto& c : m_columns) {
        CellValue v = std::string();
        try {
            if (c.wbBlock) v = c.wbBlock();
        } catch (const std::exception&) {
        }
        int chars = 10;
        const bool date = !c.wbSpecial && c.wbPicture.empty() && std::holds_alternative<Date>(v);
        c.kind = c.wbAlign == 2 || c.wbTSBlock ? 'R' : 'B';
        c.display_picture = c.wbPicture;
        if (!c.wbPicture.empty()) {
            chars = static_cast<int>(c.wbPicture.size());
        } else if (!c.wbSpecial) {
            if (auto* s = std::get_if<std::string>(&v)) c.display_picture = std::string(s->size(), 'X');
            else if (date) c.display_picture = "XXXXXXXX";
            else if (std::holds_alternative<Decimal>(v)) c.display_picture = "999,999,999.99";
            else c.display_picture = "X";
            chars = std::max<int>(1, static_cast<int>(c.display_picture.size()));
        } else {
            c.display_picture = std::string(10, 'X');
        }
        if (c.wbSpecial && !c.wbTSBlock) {
            if (std::holds_alternative<Decimal>(v)) {
                if (c.wbPicture.empty()) c.kind = 'P', chars = 2;
                else c.kind = 'R';
            } else if (auto* s = std::get_if<std::string>(&v); s && holds_number(*s)) {
                c.kind = 'P';
                chars = std::max(2, static_cast<int>(c.wbHeading.size()) / 2);
            }
        }
        int text = fm.averageCharWidth() * chars;
        // Digits are wider than the average character: a date measured by its eight characters
        // would show as "25/09/...".
        if (date) text = std::max(text, fm.horizontalAdvance(QStringLiteral("00/00/00")));
        // A short code under a longer heading ("Concepto" over "FA") would show its heading as
        // "ncep": the heading is read in full.
        text = std::max(text, fm.horizontalAdvance(QString::fromStdString(c.wbHeading)));
        c.wbWidth = text + 10 + c.wbAdjust;
    }
    m_model->reload();
    for (int i = 0; i < COLCOUNT(); ++i) setColumnWidth(i, m_columns[static_cast<size_t>(i)].wbWidth);
}

void WBROWSE::set_layout(const std::vector<std::pair<int, int>>& columns) {
    std::vector<WBCOLUMN> shown;
    for (auto [index, width] : columns) {
        if (index < 0 || index >= static_cast<int>(m_original.size())) continue;
        shown.push_back(m_original[static_cast<size_t>(index)]);
        shown.back().wbWidth = width;
    }
    if (shown.empty()) return;  // a grid without columns could not be used at all
    std::vector<int> widths;
    for (const auto& c : shown) widths.push_back(c.wbWidth);
    m_columns = std::move(shown);
    CONFIGURE();
    for (int i = 0; i < COLCOUNT(); ++i)
        if (widths[static_cast<size_t>(i)] > 0) setColumnWidth(i, widths[static_cast<size_t>(i)]);
}

int WBROWSE::visible_lines() const {
    const int h = verticalHeader()->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(1, h));
}

int WBROWSE::rowPos() const {
    if (!currentIndex().isValid()) return 0;
    return currentIndex().row() - verticalScrollBar()->value() + 1;
}

long WBROWSE::nCrecNo() const {
    return currentIndex().isValid() ? m_model->recno_at(currentIndex().row()) : 0;
}

void WBROWSE::run_select() {
    if (!m_quiet && Sel_Block) Sel_Block();
}

void WBROWSE::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid() || current.row() == previous.row()) return;
    if (m_model->go_to_row(current.row())) run_select();
}

void WBROWSE::set_current_row(int row, bool select) {
    if (m_model->key_count() == 0) return;
    row = std::clamp<int>(row, 0, static_cast<int>(m_model->key_count()) - 1);
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const bool was_quiet = m_quiet;
    m_quiet = m_quiet || !select;
    setCurrentIndex(m_model->index(row, column));
    m_model->go_to_row(row);
    m_quiet = was_quiet;
}

void WBROWSE::place_row(int row, int line) {
    if (line < 0) {
        scrollTo(m_model->index(row, std::max(0, currentIndex().column())));
        return;
    }
    verticalScrollBar()->setValue(std::max(0, row - line));
}

void WBROWSE::show_current(int line, bool select) {
    const int row = m_model->row_of_current();
    if (row < 0) {
        setCurrentIndex(QModelIndex());
        return;
    }
    set_current_row(row, select);
    place_row(row, line);
}

void WBROWSE::GOTOP() {
    if (!m_model->active()) return;
    set_current_row(0, true);
    place_row(0, 0);
}

void WBROWSE::GOBOTTOM() {
    if (!m_model->active()) return;
    const int last = static_cast<int>(m_model->key_count()) - 1;
    set_current_row(last, true);
    place_row(last, -1);
}

void WBROWSE::SKIP(long n) {
    if (!m_model->active() || m_model->key_count() == 0) return;
    const long row = currentIndex().isValid() ? currentIndex().row() : 0;
    const int target = static_cast<int>(std::clamp<long>(row + n, 0, m_model->key_count() - 1));
    set_current_row(target, true);
    place_row(target, -1);
}

void WBROWSE::PAGEUP() { SKIP(-visible_lines()); }
void WBROWSE::PAGEDOWN() { SKIP(visible_lines()); }

void WBROWSE::HOME() {
    if (currentIndex().isValid()) setCurrentIndex(m_model->index(currentIndex().row(), 0));
    horizontalScrollBar()->setValue(0);
}

void WBROWSE::END() {
    if (currentIndex().isValid())
        setCurrentIndex(m_model->index(currentIndex().row(), COLCOUNT() - 1));
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}

void WBROWSE::LEFT() {
    if (currentIndex().isValid() && currentIndex().column() > 0)
        setCurrentIndex(m_model->index(currentIndex().row(), currentIndex().column() - 1));
}

void WBROWSE::RIGHT() {
    if (currentIndex().isValid() && currentIndex().column() + 1 < COLCOUNT())
        setCurrentIndex(m_model->index(currentIndex().row(), currentIndex().column() + 1));
}

// The current row stays current on its line. A current row deleted meanwhile gives its place to
// the row now at its position (one row back when it was the last).
void WBROWSE::REFRESHALL() {
    if (!m_model->active() || !m_table.Used()) return;
    const bool had = currentIndex().isValid();
    const int old_row = had ? currentIndex().row() : 0;
    const int line = had ? rowPos() - 1 : 0;
    const long recno = had ? nCrecNo() : 0;
    const int column = had ? currentIndex().column() : 0;
    const bool was_quiet = m_quiet;
    m_quiet = true;
    m_model->reload();
    int row = -1;
    if (recno > 0) {
        m_table.GoTo(recno);
        if (!m_table.Eof() && !m_table.Deleted()) row = m_model->row_of_current();
    }
    if (row < 0 && m_model->key_count() > 0) {
        row = std::min<int>(old_row, static_cast<int>(m_model->key_count()) - 1);
        m_model->go_to_row(row);
    }
    if (row >= 0) {
        setCurrentIndex(m_model->index(row, column));
        place_row(row, std::max(0, line));
    }
    m_quiet = was_quiet;
}

std::pair<CellValue, std::string> WBROWSE::getCellData() {
    const int c = Col_Pos();
    if (c < 1 || c > COLCOUNT() || m_table.Eof()) return {std::string(), std::string()};
    const WBCOLUMN& col = GETCOLUMN(c);
    CellValue v = col.wbBlock ? col.wbBlock() : CellValue(std::string());
    return {v, col.display_picture};
}

void WBROWSE::ENABLE_GRID() {
    setEnabled(true);
    viewport()->update();
}

void WBROWSE::DISABLE_GRID() { setEnabled(false); }

void WBROWSE::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (Double_Block && indexAt(e->position().toPoint()).isValid()) Double_Block();
}

}  // namespace qz::gui
