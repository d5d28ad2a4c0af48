#include "gui/browse/searchob.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"
#include "gui/framework/workspace.h"

namespace qz::gui {

namespace {
SEARCHOB* g_window = nullptr;
int g_active = 0;
const std::string kRangeMark = "->";

// "a".."i" are the keypad's 1..9 as the grid passes them on.
QString keypad_digits(QString s) {
    for (auto& c : s)
        if (c >= 'a' && c <= 'i') c = QChar('1' + (c.unicode() - 'a'));
    return s;
}

std::optional<Date> read_date(const std::string& s) {
    auto d = Date::from_ctod(trim(s));
    if (!d || d->empty()) return std::nullopt;
    return d;
}

std::optional<Decimal> read_number(std::string s) {
    std::erase(s, ',');
    s = trim(s);
    if (s.empty()) return std::nullopt;
    Decimal d;
    if (!pic_parse(s, "", d)) return std::nullopt;
    return d;
}
}  // namespace

SEARCHOB* SEARCHOB::XSEARCH_WINDOW() { return g_window; }
int SEARCHOB::XSEARCH_ACTIVE() { return g_active; }

SEARCHOB::SEARCHOB() : QDialog(dialog_owner(nullptr)) {
    setObjectName("OBSEARCH");
    setWindowTitle("Buscar...");
    setModal(false);
    auto* g = new QGridLayout(this);
    m_text = new QLineEdit(this);
    m_text->setObjectName("500");
    m_upper = new QLineEdit(this);
    m_upper->setObjectName("501");
    g->addWidget(new QLabel("Entre:", this), 0, 0);
    g->addWidget(m_text, 0, 1);
    g->addWidget(new QLabel("y:", this), 0, 2);
    g->addWidget(m_upper, 0, 3);
    m_down = new QRadioButton("Hacia Abajo", this);
    m_down->setObjectName("202");
    m_up = new QRadioButton("Hacia Arriba", this);
    m_up->setObjectName("203");
    m_down->setChecked(true);
    g->addWidget(m_down, 1, 1);
    g->addWidget(m_up, 1, 3);
    m_last = new QComboBox(this);
    m_last->setObjectName("601");
    g->addWidget(new QLabel("Últimas Búsquedas:", this), 2, 0);
    g->addWidget(m_last, 2, 1, 1, 3);
    connect(m_last, &QComboBox::activated, this, [this](int i) { choose_earlier(i); });
    auto button = [&](const char* caption, int id, int column, auto fn) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::number(id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, fn);
        g->addWidget(b, 3, column);
        return b;
    };
    button("Enter: Buscar", 1, 0, [this] { DO_SEARCH(); })->setDefault(true);
    button("F2: Buscar Patrón", 201, 1, [this] { DO_LOCATE(); });
    button("F3: Siguiente", 204, 2, [this] { DO_CONTINUE(); });
    button("Cancelar", 2, 3, [this] { Terminar(); });
    // F2 and F3 work from every control, and no control sees F4 to F12 (a combo would open).
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

bool SEARCHOB::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_F2) return DO_LOCATE(), true;
        if (key == Qt::Key_F3) return DO_CONTINUE(), true;
        if (key >= Qt::Key_F4 && key <= Qt::Key_F12) return true;
    }
    return QDialog::eventFilter(watched, e);
}

void SEARCHOB::open(WBLISTBOX& grid, const QString& first) {
    if (!g_window) g_window = new SEARCHOB;
    if (g_active && g_window->m_grid == &grid) {
        g_window->m_text->insert(keypad_digits(first));
        return;
    }
    if (g_active) g_window->Terminar();
    g_window->Reset_Data(grid, first);
}

bool SEARCHOB::Reset_Data(WBLISTBOX& grid, const QString& first) {
    m_grid = &grid;
    m_column = grid.Col_Pos();
    if (m_column > grid.COLCOUNT() || grid.GETCOLUMN(m_column).wbCargo.empty()) {
        MESSAGE_BOX(&grid, "Debe posicionarse sobre una columna diferente", "Atención",
                    kMbOk | kMbIconExclamation);
        grid.setFocus();
        return false;
    }
    m_owner = screen_of(&grid);
    if (m_owner) m_owner->setEnabled(false);
    g_active = 1;
    m_text->setText(keypad_digits(first));
    auto [value, picture] = grid.getCellData();
    const bool range = !std::holds_alternative<std::string>(value) &&
                       !std::holds_alternative<bool>(value);
    if (!range) m_upper->clear();
    m_upper->setEnabled(range);
    m_last->clear();
    for (const auto& s : grid.earlier_searches()) m_last->addItem(QString::fromStdString(s));
    if (m_last->count()) m_last->setCurrentIndex(0);
    if (m_geometry) setGeometry(*m_geometry);
    // Over a modal dialog (a chooser) a plain window would be blocked with the rest of the
    // application and could be neither typed into nor closed: it takes its turn on top instead.
    setWindowModality(QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->end(false);
    return true;
}

void SEARCHOB::choose_earlier(int index) {
    if (!m_grid || index < 0 || index >= static_cast<int>(m_grid->earlier_searches().size()))
        return;
    const std::string& s = m_grid->earlier_searches()[static_cast<size_t>(index)];
    const size_t at = s.find(kRangeMark);
    m_text->setText(QString::fromStdString(s.substr(0, at)));
    m_upper->setText(at == std::string::npos ? QString()
                                             : QString::fromStdString(s.substr(at + 2)));
}

void SEARCHOB::DO_SEARCH() {
    if (!m_grid) return Terminar();
    if (!m_grid->has_sortable_columns()) {
        MESSAGE_BOX(this,
                    "No se puede realizar la búsqueda rápida\npues esta ventana no permite "
                    "ordenamientos sobre columnas",
                    "Atención", kMbOk | kMbIconExclamation);
        return;
    }
    QPointer<WBLISTBOX> grid = m_grid;
    const std::string text = m_grid->option_prefix() + m_text->text().toStdString();
    Terminar();
    if (grid) grid->SEARCH(text);
}

bool SEARCHOB::matches(const CellValue& v, const std::string& text,
                       const std::string& upper) const {
    if (const auto* s = std::get_if<std::string>(&v))
        return upper_latin(*s).find(upper_latin(text)) != std::string::npos;
    if (const auto* d = std::get_if<Date>(&v)) {
        auto lo = read_date(text), hi = read_date(upper);
        return lo && hi && !d->empty() && *lo <= *d && *d <= *hi;
    }
    if (const auto* n = std::get_if<Decimal>(&v)) {
        auto lo = read_number(text), hi = read_number(upper);
        return lo && hi && *lo <= *n && *n <= *hi;
    }
    return false;
}

// Walks the grid's table from the current row to either end of its scope; the row found is shown
// on the first line, and without one the grid stays where it was.
bool SEARCHOB::scan(const std::string& text, const std::string& upper, bool skip_current) {
    if (!m_grid || text.empty()) return false;
    auto& t = m_grid->table();
    const WBCOLUMN& col = m_grid->GETCOLUMN(m_column);
    if (!col.wbBlock || t.Eof()) return false;
    const long start = t.RecNo();
    const long step = m_up->isChecked() ? -1 : 1;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool found = false;
    bool ended = false;
    if (skip_current) {
        t.Skip(step);
        ended = t.Eof() || (step < 0 && t.BOF());
    }
    while (!ended) {
        if (matches(col.wbBlock(), text, upper)) {
            found = true;
            break;
        }
        t.Skip(step);
        ended = t.Eof() || (step < 0 && t.BOF());
    }
    QGuiApplication::restoreOverrideCursor();
    if (!found) {
        t.GoTo(start);
        QApplication::beep();
        return false;
    }
    m_grid->show_current(0);
    return true;
}

bool SEARCHOB::DO_LOCATE() {
    if (!m_grid) return false;
    const std::string text = m_text->text().toStdString();
    const std::string upper = m_upper->isEnabled() ? m_upper->text().toStdString() : "";
    if (text.empty()) return false;
    std::string entry = m_upper->isEnabled() ? text + kRangeMark + upper : text;
    auto& earlier = m_grid->earlier_searches();
    if (std::find(earlier.begin(), earlier.end(), entry) == earlier.end()) {
        earlier.insert(earlier.begin(), entry);
        m_last->insertItem(0, QString::fromStdString(entry));
        m_last->setCurrentIndex(0);
    }
    return scan(text, upper, false);
}

bool SEARCHOB::DO_CONTINUE() {
    if (!m_grid || m_last->currentIndex() < 0) return false;
    const std::string s = m_last->currentText().toStdString();
    const size_t at = s.find(kRangeMark);
    return scan(s.substr(0, at), at == std::string::npos ? "" : s.substr(at + 2), true);
}

void SEARCHOB::Terminar() {
    if (isVisible()) m_geometry = geometry();
    hide();
    g_active = 0;
    if (m_owner) m_owner->setEnabled(true);
    if (m_grid) {
        m_grid->activateWindow();
        m_grid->setFocus();
    }
}

void SEARCHOB::closeEvent(QCloseEvent* e) {
    e->ignore();
    Terminar();
}

void SEARCHOB::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_F2:
        DO_LOCATE();
        return;
    case Qt::Key_F3:
        DO_CONTINUE();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DO_SEARCH();
        return;
    case Qt::Key_Escape:
        Terminar();
        return;
    default:
        if (e->key() >= Qt::Key_F4 && e->key() <= Qt::Key_F12) return;  // swallowed
        QDialog::keyPressEvent(e);
    }
}

}  // namespace qz::gui
