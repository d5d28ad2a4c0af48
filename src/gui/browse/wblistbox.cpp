#include "gui/browse/wblistbox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/browse_settings.h"
#include "gui/browse/searchob.h"
#include "gui/browse/spalten_dlg.h"
#include "gui/framework/dialog_frame.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace {
constexpr int kRefreshMs = 60000;
constexpr long kSortHeadColour = 13750210;
constexpr size_t kMaxSortable = 8;

struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};
}  // namespace

WBLISTBOX* WBLISTBOX::Init(DialogFrame& dlg, int id, data::WDBTable& table, std::string name) {
    QWidget* placeholder = nullptr;
    try {
        placeholder = dlg.control(id);
    } catch (const FrameworkError&) {
        MESSAGE_BOX(nullptr, "Browser Id " + std::to_string(id) + " gibt es nicht!",
                    "Fataler Fehler", kMbOk | kMbIconStop);
        return nullptr;
    }
    if (auto* grid = qobject_cast<WBLISTBOX*>(placeholder)) return grid;
    QWidget* parent = placeholder->parentWidget();
    auto* grid = new WBLISTBOX(parent, table, std::move(name), id);
    grid->m_dlg = &dlg;
    placeholder->setObjectName(QString());
    if (parent && parent->layout()) delete parent->layout()->replaceWidget(placeholder, grid);
    else grid->setGeometry(placeholder->geometry());
    placeholder->hide();
    placeholder->deleteLater();
    dlg.Add(grid, id);
    return grid;
}

WBLISTBOX::WBLISTBOX(QWidget* parent, data::WDBTable& table, std::string name, int id)
    : WBROWSE(parent, table), m_name(std::move(name)), m_id(id) {
    if (id) setObjectName(QString::number(id));
    m_nub_heading = new QLabel(this);
    m_nub_heading->setObjectName("nub_heading");
    m_nub_heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_nub_heading->setFont(QFont("Monospace"));
    setCornerButtonEnabled(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sort_by_column(column); });
    // A right click on the column headings opens the column layout of this grid.
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this, [this] {
        if (m_active) SpaltenDlg::run(*this);
    });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int row) {
        if (m_no_marks || m_nub <= 3) return;
        TOGGLEMARK(grid_model().recno_at(row));
    });
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, [this] { refresh_tick(); });
}

WBLISTBOX::~WBLISTBOX() { m_refresh.stop(); }

std::string WBLISTBOX::dialog_name() const {
    if (m_dlg) return m_dlg->cDlgName();
    return screen_of(this)->objectName().toStdString();
}

void WBLISTBOX::BrowMarks(BrowMarksOptions o) {
    m_sortable = std::move(o.sortable);
    if (m_sortable.size() > kMaxSortable) m_sortable.resize(kMaxSortable);
    m_scope_start = o.scope_start;
    m_scope_end = o.scope_end.value_or(o.scope_start);
    m_scoped = !o.scope_start.empty() || o.scope_end;
    m_no_search = o.no_search;
    m_no_marks = o.no_marks;
    m_option = o.option;
    m_pass_through = o.pass_through;
    m_nub = o.nub_width <= 3 ? o.nub_width : std::max(5, o.nub_width);
    load_user_font();
    grid_model().set_marks(m_no_marks || m_nub <= 3 ? nullptr : &m_marks, m_symbol);
    verticalHeader()->setVisible(m_nub > 3 && !m_no_marks);
    verticalHeader()->setFixedWidth(std::max(m_nub, fontMetrics().horizontalAdvance(m_symbol) + 6));
    CONFIGURE();
    load_layout();
    m_sort = 0;
    if (o.initial_sort >= 1 && o.initial_sort <= static_cast<int>(m_sortable.size()))
        SET_ORDER(o.initial_sort);
    else
        apply_scope();
    m_active = true;
    grid_model().set_active(true);  // the one count of the opening
    if (o.go_top || !currentIndex().isValid()) GOTOP();
    if (!o.initial_search.empty()) {
        for (std::string t = o.initial_search; !t.empty(); t.pop_back())
            if (SEARCH(t)) break;
    }
    update_nub();
    if (!o.no_refresh) m_refresh.start();
}

void WBLISTBOX::apply_scope() {
    if (m_scoped)
        table().SetScope(m_scope_start + m_scope_extra, m_scope_end + m_scope_extra);
    else
        table().ClearScope();
}

void WBLISTBOX::SET_SCOPE(const std::string& start, std::optional<std::string> end, bool refresh,
                          const std::string& extra) {
    m_scope_start = start;
    m_scope_end = end.value_or(start);
    m_scope_extra = extra;
    m_scoped = true;
    apply_scope();
    if (refresh && m_active) {
        grid_model().reload();
        GOTOP();
    }
}

void WBLISTBOX::CLEAR_SCOPE(bool refresh) {
    m_scoped = false;
    m_scope_start.clear();
    m_scope_end.clear();
    m_scope_extra.clear();
    apply_scope();
    if (refresh && m_active) {
        grid_model().reload();
        GOTOP();
    }
}

void WBLISTBOX::SET_ORDER(int entry) {
    if (entry < 1 || entry > static_cast<int>(m_sortable.size())) return;
    WaitCursor wait;
    if (m_pre_seek) m_pre_seek();
    const auto& [name, order] = m_sortable[static_cast<size_t>(entry - 1)];
    for (auto& c : m_columns) c.wbHeadColor.reset();
    if (const int column = sortable_column(name))
        GETCOLUMN(column).wbHeadColor = colorref(kSortHeadColour);
    m_sort = entry;
    const long recno = currentIndex().isValid() ? nCrecNo() : 0;
    table().SetOrder(order);
    apply_scope();  // a new order starts without a scope
    if (!m_active) return;
    if (recno) table().GoTo(recno);
    REFRESHALL();
    horizontalHeader()->viewport()->update();
    setFocus();
}

int WBLISTBOX::sortable_column(const std::string& name) const {
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (iequals(field_of_expression(m_columns[i].wbCargo), name))
            return static_cast<int>(i) + 1;
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].wbHeading == name) return static_cast<int>(i) + 1;
    return 0;
}

void WBLISTBOX::sort_by_column(int column) {
    for (size_t i = 0; i < m_sortable.size(); ++i)
        if (sortable_column(m_sortable[i].first) == column + 1)
            return SET_ORDER(static_cast<int>(i) + 1);
}

bool WBLISTBOX::ADD_MARK(long recno, bool notify, bool refresh) {
    if (recno == 0) recno = nCrecNo();
    if (recno == 0 || !m_marks.insert(recno).second) return false;
    if (notify && on_mark) on_mark(recno, 1);
    if (refresh) update_nub();
    return true;
}

bool WBLISTBOX::DEL_MARK(long recno, bool notify, bool refresh) {
    if (recno == 0) recno = nCrecNo();
    if (!m_marks.erase(recno)) return false;
    if (notify && on_mark) on_mark(recno, 0);
    if (refresh) update_nub();
    return true;
}

bool WBLISTBOX::TOGGLEMARK(long recno) {
    if (recno == 0) recno = nCrecNo();
    return m_marks.count(recno) ? DEL_MARK(recno) : ADD_MARK(recno);
}

void WBLISTBOX::NUB_CLEAR() {
    m_marks.clear();
    update_nub();
}

// The only walk over the whole scope a grid makes.
void WBLISTBOX::NUB_MARKALL() {
    if (!m_active) return;
    WaitCursor wait;
    const long current = table().Eof() ? 0 : table().RecNo();
    for (table().GoTop(); !table().Eof(); table().Skip()) m_marks.insert(table().RecNo());
    if (current) table().GoTo(current);
    update_nub();
}

void WBLISTBOX::SYMBOLMARK(QString symbol) {
    m_symbol = std::move(symbol);
    grid_model().set_marks(m_no_marks || m_nub <= 3 ? nullptr : &m_marks, m_symbol);
    update_nub();
}

QString WBLISTBOX::nub_heading() const {
    return QString::fromStdString(pic_format(Decimal(static_cast<long>(m_marks.size())), "999"));
}

void WBLISTBOX::update_nub() {
    m_nub_heading->setText(nub_heading());
    m_nub_heading->setVisible(verticalHeader()->isVisible());
    m_nub_heading->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                               horizontalHeader()->height());
    grid_model().invalidate();
}

void WBLISTBOX::resizeEvent(QResizeEvent* e) {
    WBROWSE::resizeEvent(e);
    m_nub_heading->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                               horizontalHeader()->height());
}

bool WBLISTBOX::seek_with_scope(const std::string& text, bool soft) {
    const std::string prefix = m_scoped ? m_scope_start + m_scope_extra : std::string();
    return table().Seek(prefix + text, soft);
}

bool WBLISTBOX::SEARCH(const std::string& text, bool soft, long skip) {
    if (!m_active || table().order().empty()) return false;
    const long before = currentIndex().isValid() ? nCrecNo() : 0;
    if (m_pre_seek) m_pre_seek();
    const bool found = seek_with_scope(text, soft);
    if (!found && (!soft || table().Eof())) {
        if (before) table().GoTo(before);
        else table().GoTop();
        QApplication::beep();
        return false;
    }
    if (skip) table().Skip(skip);
    show_current(0);
    if (m_post_seek) m_post_seek();
    return found;
}

// A remembered "dd/mm/yy" is the key of a date of the 2000s: "20" + yy + mm + dd.
bool WBLISTBOX::SEARCH_DATO(std::optional<int> index, const std::string& text, bool soft,
                            long skip) {
    std::string value = text;
    if (index) {
        if (XSEARCHOB().empty()) {
            MESSAGE_BOX(this, "Debe guardar primero un Dato por buscar...", "Atención",
                        kMbOk | kMbIconExclamation);
            return false;
        }
        if (*index < 0 || *index >= static_cast<int>(XSEARCHOB().size())) return false;
        value = XSEARCHOB()[static_cast<size_t>(*index)];
    }
    if (value.size() == 8 && value[2] == '/' && value[5] == '/')
        value = "20" + value.substr(6, 2) + value.substr(3, 2) + value.substr(0, 2);
    return SEARCH(value, soft, skip);
}

void WBLISTBOX::seek_nearest(const std::string& key, long skip) {
    if (!m_active || table().order().empty()) return;
    seek_with_scope(key, true);
    if (skip) table().Skip(skip);
    if (table().Eof()) table().GoBottom();
    show_current(0);
    if (m_post_seek) m_post_seek();
}

void WBLISTBOX::open_search(const QString& first) { SEARCHOB::open(*this, first); }

void WBLISTBOX::DISABLE_BROWSE() {
    if (!m_active) return;
    m_parked_recno = currentIndex().isValid() ? nCrecNo() : 0;
    m_active = false;
    grid_model().set_active(false);
    setEnabled(false);
}

void WBLISTBOX::ENABLE_BROWSE() {
    if (m_active) return;
    m_active = true;
    setEnabled(true);
    grid_model().set_active(true);
    apply_scope();
    if (m_parked_recno) table().GoTo(m_parked_recno);
    else table().GoTop();
    show_current(0, false);
}

void WBLISTBOX::COLOR_BLOCK(std::function<int()> block) {
    grid_model().set_colour_block(std::move(block));
}

void WBLISTBOX::SET_COLOR_VECTOR(std::vector<std::pair<QColor, QColor>> colours) {
    grid_model().set_colour_vector(std::move(colours));
}

void WBLISTBOX::SET_KEYBLOCK(std::vector<int> columns, KeyBlock block) {
    m_pass_through = std::move(columns);
    m_pass_block = std::move(block);
}

bool WBLISTBOX::screen_allows_refresh() const {
    if (XREFRESH_BROWSE() != 1 || !m_active || !isEnabled()) return false;
    QWidget* screen = screen_of(this);
    if (auto* wdiag = qobject_cast<WDIAG*>(screen)) return wdiag->isEnabled() && wdiag->ISACTIVE();
    return screen->isEnabled() && screen->isActiveWindow();
}

void WBLISTBOX::refresh_tick() {
    if (!screen_allows_refresh()) return;
    try {
        REFRESHALL();
    } catch (const std::exception&) {
        // A refresh that fails (a table closed meanwhile) is simply abandoned.
    }
}

}  // namespace qz::gui
