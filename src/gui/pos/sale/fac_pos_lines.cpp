// The lines grid of FAC_POS: one row per line of the draft and the final empty row. A code typed
// or scanned goes through PROCESA_COD, every other cell through the draft's setter for it, and
// the grid and totals are then redrawn from the draft, so what shows is always what the rules
// made of it. Delete removes the line under the cursor, Insert opens one, F2 searches articles.
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "gui/framework/amount_edit.h"
#include "gui/lists/row_chooser.h"
#include "gui/pos/sale/fac_pos_screen.h"

namespace qz::gui {

using namespace fac_pos;
namespace pos = domain::pos;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kPrice = "99,999,999.99";
constexpr const char* kQuantity = "999,999.99";
constexpr const char* kPercent = "99.99";
constexpr const char* kTotal = "999,999,999.99";
constexpr const char* kOther = "999,999.99";

std::string shown(const Decimal& d, const char* picture) { return trim(pic_format(d, picture)); }

}  // namespace

void FAC_POS::build_lines() {
    m_grid = Add(new QTableWidget(this), kLines);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    MontarColumnas();
    connect(m_grid, &QTableWidget::cellChanged, this, [this](int r, int c) { cell_changed(r, c); });
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) {
                if (row != previous) refresh_max_discount();
            });
    Teclas();
}

void FAC_POS::MontarColumnas() {
    QStringList heads = {"Código", "Descripción del Articulo", "Precio", "Cantidad", "Desc", "Imp.",
                         "Total"};
    std::vector<int> widths = {110, 280, 110, 90, 60, 60, 120};
    if (m_cols.freight >= 0) {
        heads << "Flete"
              << "Carga";
        widths.insert(widths.end(), {90, 90});
    }
    heads << "Proveedor"
          << "Nombre";
    widths.insert(widths.end(), {90, 180});
    m_grid->setColumnCount(m_cols.count);
    m_grid->setHorizontalHeaderLabels(heads);
    for (int c = 0; c < m_cols.count; ++c)
        m_grid->setColumnWidth(c, widths[static_cast<size_t>(c)]);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    amount_column(m_grid, m_cols.price, {"Precio", 10, 2});
    amount_column(m_grid, m_cols.quantity, {"Cantidad", 8, 2});
    amount_column(m_grid, m_cols.discount, {"Descuento", 4, 2, false, Decimal(100)});
    if (m_cols.freight >= 0) {
        amount_column(m_grid, m_cols.freight, {"Flete", 8, 2});
        amount_column(m_grid, m_cols.load, {"Carga", 8, 2});
    }
}

void FAC_POS::Teclas() {
    m_grid->installEventFilter(this);
    auto* search = new QShortcut(QKeySequence(Qt::Key_F2), this);
    search->setContext(Qt::WidgetWithChildrenShortcut);
    connect(search, &QShortcut::activated, this, [this] { Buscar_Art(); });
}

// Delete and Insert on the grid itself (not in a cell being edited) change the lines.
bool FAC_POS::eventFilter(QObject* watched, QEvent* e) {
    if (watched != m_grid || e->type() != QEvent::KeyPress) return WDIAG::eventFilter(watched, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Delete)
        m_draft.delete_line(current_row());
    else if (key == Qt::Key_Insert)
        m_draft.insert_line(current_row());
    else
        return WDIAG::eventFilter(watched, e);
    refresh_lines();
    DISPLAY_TOT();
    return true;
}

size_t FAC_POS::current_row() const {
    return static_cast<size_t>(std::max(0, m_grid->currentRow()));
}

void FAC_POS::refresh_lines() {
    m_filling = true;
    const auto& lines = m_draft.lines();
    const bool all_prices = m_draft.settings().price_editable;
    m_grid->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto& l = lines[static_cast<size_t>(r)];
        const bool used = !l.empty();
        std::vector<std::string> cells(static_cast<size_t>(m_cols.count));
        std::vector<bool> editable(static_cast<size_t>(m_cols.count), false);
        auto put = [&](int c, std::string text, bool edit) {
            cells[static_cast<size_t>(c)] = std::move(text);
            editable[static_cast<size_t>(c)] = edit;
        };
        put(m_cols.code, l.code, true);
        if (used) {
            put(m_cols.description, l.description, false);
            put(m_cols.price, shown(l.price, kPrice), all_prices || l.price_editable);
            put(m_cols.quantity, shown(l.quantity, kQuantity), true);
            put(m_cols.discount, shown(l.discount, kPercent), true);
            put(m_cols.tax, shown(l.tax, kPercent), false);
            put(m_cols.total, shown(l.total, kTotal), false);
            if (m_cols.freight >= 0) {
                put(m_cols.freight, shown(l.freight, kOther), true);
                put(m_cols.load, shown(l.load, kOther), true);
            }
            put(m_cols.supplier, l.supplier, true);
            put(m_cols.supplier_name, l.supplier_name, false);
        }
        for (int c = 0; c < m_cols.count; ++c) {
            auto* item = new QTableWidgetItem(q(cells[static_cast<size_t>(c)]));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (editable[static_cast<size_t>(c)]) flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            if (c != m_cols.code && c != m_cols.description && c != m_cols.supplier &&
                c != m_cols.supplier_name)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    m_filling = false;
}

void FAC_POS::go_to(int row, int column) {
    m_grid->setCurrentCell(std::min(row, m_grid->rowCount() - 1), column);
    m_grid->setFocus();
}

void FAC_POS::cell_changed(int row, int column) {
    if (m_filling) return;
    line_typed(static_cast<size_t>(row), column,
               trim(m_grid->item(row, column)->text().toStdString()));
}

void FAC_POS::line_typed(size_t row, int column, const std::string& text) {
    int next_row = static_cast<int>(row), next_col = column;
    Decimal value;
    const auto number = [&](const char* picture) { return pic_parse(text, picture, value); };
    if (column == m_cols.code) {
        const pos::CodeResult r = m_draft.PROCESA_COD(row, text);
        next_row = static_cast<int>(r.row);
        if (r.accepted && r.ask_text) READ_SPECFAC(r.row);
        if (!r.accepted)
            next_col = m_cols.code;
        else if (m_draft.settings().line_cursor)
            next_col = m_cols.quantity;
        else
            next_row = static_cast<int>(m_draft.lines().size()) - 1;
    } else if (column == m_cols.quantity) {
        if (number(kQuantity)) m_draft.set_quantity(row, value);
    } else if (column == m_cols.price) {
        if (number(kPrice)) m_draft.set_price(row, value);
    } else if (column == m_cols.discount) {
        if (number(kPercent)) m_draft.set_discount(row, value);
    } else if (column == m_cols.freight || column == m_cols.load) {
        const auto& l = m_draft.lines()[row];
        if (number(kOther))
            m_draft.set_others(row, column == m_cols.freight ? value : l.freight,
                               column == m_cols.load ? value : l.load);
    } else if (column == m_cols.supplier) {
        m_draft.set_supplier(row, text);
    }
    DISPLAY_TOT();
    // The grid is redrawn once the edit that brought the change has fully ended.
    QTimer::singleShot(0, this, [this, next_row, next_col] {
        refresh_lines();
        go_to(next_row, next_col);
    });
}

// SEL_ART: the articles of the business by code or description; the one taken goes into the
// row under the cursor as if its code had been typed there.
void FAC_POS::Buscar_Art() {
    if (!m_grid->isEnabled()) return;
    RowChooserSpec spec{"SEL_ART",
                        "Búsqueda de Artículos",
                        "DEF_ART",
                        data::business_key(m_session.XU_COMP),
                        {{"Código", "CODIGO"}, {"Descripción", "DESCRIP"}},
                        {{"CODIGO", "DEF_ART"}, {"DESCRIP", "DEF_ART3"}}};
    std::string chosen;
    const size_t row = current_row();
    choose_row(this, m_db, spec,
               [&chosen](const data::WDBTable& t) { chosen = trim(t.str("CODIGO")); });
    if (!chosen.empty()) line_typed(row, m_cols.code, chosen);
}

void FAC_POS::focus_lines() { go_to(static_cast<int>(current_row()), m_cols.code); }

}  // namespace qz::gui
