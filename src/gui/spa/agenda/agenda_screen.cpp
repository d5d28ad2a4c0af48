#include "gui/spa/agenda/agenda_screen.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/framework/date_keys.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/spa/agenda/agenda_print.h"

namespace qz::gui {

namespace {

using domain::spa::AgendaCell;
using domain::spa::CellState;
using domain::spa::kAgendaRooms;

// Read from across the desk: pale, clearly different backgrounds and near-black text.
QColor background(CellState s) {
    switch (s) {
        case CellState::Free:
            return QColor(0xEE, 0xF7, 0xEF);  // pale mint
        case CellState::Partly:
            return QColor(0xFF, 0xE6, 0x9E);  // soft amber
        case CellState::Full:
            return QColor(0xF2, 0xA9, 0xA0);  // soft coral
    }
    return Qt::white;
}
const QColor kText(0x1B, 0x26, 0x31);
const QColor kHourBackground(0xDD, 0xE3, 0xEA);
const QColor kNoRoomBackground(0xF1, 0xF2, 0xF4);  // a column without a room is not "free"
// The hour, then one column per room of the agenda, in the agenda's order.
constexpr int kHourColumn = 0, kFirstRoomColumn = 1;
constexpr int kRoomWidth = 170;
constexpr int kEmptyColumnWidth = 48;
constexpr int kCellLines = 3;  // rows show at least this many lines of text

const char* const kWeekdays[] = {"Domingo", "Lunes",   "Martes", "Miércoles",
                                 "Jueves",  "Viernes", "Sábado"};

QString room_heading(const domain::spa::SpaRoom& r) {
    return QString::fromStdString(r.name) + (r.blocked ? " (bloqueada)" : "");
}

QTableWidgetItem* item(const QString& text, const QColor& bg) {
    auto* it = new QTableWidgetItem(text);
    it->setBackground(bg);
    it->setForeground(kText);
    it->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return it;
}

}  // namespace

AgendaScreen::AgendaScreen(QWidget* owner, data::Db& db, std::string negocio, const Clock& clock,
                           Navigation& navigation)
    : WDIAG(owner, "AGEN_SPA", kContext, ScreenOptions{true, true}),
      m_db(db),
      m_negocio(std::move(negocio)),
      m_clock(clock),
      m_navigation(navigation),
      m_day(clock.XDATE()) {}

bool AgendaScreen::Init() {
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const char* text, int id, int months) {
        auto* b = Add(new QPushButton(text, this), id,
                      [this, months] { set_day(m_day.add_months(months)); });
        b->setAutoDefault(false);
        bar->addWidget(b);
    };
    button("<< Año", kIdYearBack, -12);
    button("< Mes", kIdMonthBack, -1);
    m_date = Add(new LR_MASKED(this, kIdDate, m_day), kIdDate);
    m_date->setMaximumWidth(110);
    attach_date_keys(m_date);
    connect(m_date, &LR_MASKED::value_accepted, this, [this] { date_typed(); });
    connect(m_date, &QLineEdit::textEdited, this, [this] { date_typed(); });
    bar->addWidget(m_date);
    button("Mes >", kIdMonthOn, 1);
    button("Año >>", kIdYearOn, 12);
    m_day_name = Add(new QLabel(this), kIdDayName);
    QFont big = m_day_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_day_name->setFont(big);
    bar->addSpacing(16);
    bar->addWidget(m_day_name);
    bar->addStretch();
    bar->addWidget(Add(new QPushButton("Refrescar", this), kIdRefresh, [this] { refresh(); }));
    bar->addWidget(
        Add(new QPushButton("Imprimir", this), kIdPrint, [this] { print_agenda(this, m_agenda); }));
    bar->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(bar);

    build_grid();
    layout->addWidget(m_grid, 1);

    m_timer = new QTimer(this);
    m_timer->setInterval(kRefreshMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (isEnabled()) refresh();
    });
    m_timer->start();

    Text("Agenda Spa");
    resize(1100, 640);
    refresh();
    return true;
}

void AgendaScreen::build_grid() {
    m_grid = Add(new QTableWidget(0, kAgendaRooms + 1, this), kIdGrid);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(true);
    m_grid->verticalHeader()->hide();
    QFont f = m_grid->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    m_grid->setFont(f);
    m_grid->setStyleSheet("QTableWidget { gridline-color: #9AA5B1; }");
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int r, int c) { choose(r, c); });
    m_grid->installEventFilter(this);
}

bool AgendaScreen::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_grid && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex at = m_grid->currentIndex();
            choose(at.isValid() ? at.row() : -1, at.isValid() ? at.column() : -1);
            return true;
        }
    }
    return WDIAG::eventFilter(watched, e);
}

void AgendaScreen::set_day(const Date& day) {
    if (day.empty()) return;
    m_day = day;
    refresh();
}

void AgendaScreen::date_typed() {
    if (auto d = field_date(*m_date); d && *d != m_day) {
        m_day = *d;
        refresh();
    }
}

void AgendaScreen::refresh() {
    m_agenda = domain::spa::fill_agenda(m_db, m_negocio, m_day);
    show_agenda();
}

void AgendaScreen::show_agenda() {
    if (field_date(*m_date) != m_day) put_field_date(*m_date, m_day);
    m_day_name->setText(QString::fromUtf8(kWeekdays[m_day.dow() - 1]) + " " +
                        QString::fromStdString(m_day.dtoc4()));
    QStringList headers{"HORA"};
    for (int c = 0; c < kAgendaRooms; ++c) {
        const bool room = c < static_cast<int>(m_agenda.rooms.size());
        headers << (room ? room_heading(m_agenda.rooms[c]) : QString());
        m_grid->setColumnWidth(kFirstRoomColumn + c, room ? kRoomWidth : kEmptyColumnWidth);
    }
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->setColumnWidth(kHourColumn, 64);
    const int rows = static_cast<int>(m_agenda.rows.size());
    m_grid->setRowCount(rows);
    const int min_height = m_grid->fontMetrics().lineSpacing() * kCellLines + 8;
    for (int r = 0; r < rows; ++r) {
        const auto& row = m_agenda.rows[r];
        auto* hour = item(QString::fromStdString(row.time), kHourBackground);
        QFont bold = m_grid->font();
        bold.setBold(true);
        hour->setFont(bold);
        m_grid->setItem(r, kHourColumn, hour);
        for (int c = 0; c < kAgendaRooms; ++c) {
            const AgendaCell& cell = row.cells[c];
            const bool room = c < static_cast<int>(m_agenda.rooms.size());
            m_grid->setItem(r, kFirstRoomColumn + c,
                            item(QString::fromStdString(cell.text),
                                 room ? background(cell.state) : kNoRoomBackground));
        }
    }
    m_grid->resizeRowsToContents();
    for (int r = 0; r < rows; ++r)
        if (m_grid->rowHeight(r) < min_height) m_grid->setRowHeight(r, min_height);
}

void AgendaScreen::choose(int row, int column) {
    const int rooms = static_cast<int>(m_agenda.rooms.size());
    const int at = column - kFirstRoomColumn;  // the room's place in the agenda
    if (row < 0 || row >= static_cast<int>(m_agenda.rows.size()) || at < 0 || at >= rooms) {
        MESSAGE_BOX(this, "Selección fuera de rango", "Error", kMbOk | kMbIconStop);
        return;
    }
    const auto& slot = m_agenda.rows[row];
    const std::string room = m_agenda.rooms[at].code;
    const bool empty = slot.cells[at].state == CellState::Free;
    if (empty && m_agenda.rooms[at].blocked) {
        MESSAGE_BOX(this, domain::spa::kRoomBlocked, "Error", kMbOk | kMbIconStop);
        return;
    }
    if (empty && m_day < m_clock.XDATE()) {
        MESSAGE_BOX(this, "No está permitido crear Reservaciones con fecha anterior a la actual...",
                    "Error", kMbOk | kMbIconStop);
        return;
    }
    // Opening a window may close this screen (the session ending); only a live one reads again.
    QPointer<AgendaScreen> self(this);
    const SpaSlot chosen{room, m_day, slot.time};
    if (empty)
        m_navigation.new_reservation(this, chosen);
    else
        m_navigation.slot_reservations(this, chosen);
    if (self && !self->lDestroyed()) self->refresh();
}

AgendaScreen* open_spa_agenda(QWidget* owner, data::Db& db, const std::string& negocio,
                              const Clock& clock, Navigation& navigation) {
    return open_screen<AgendaScreen>(owner, db, negocio, clock, navigation);
}

}  // namespace qz::gui
