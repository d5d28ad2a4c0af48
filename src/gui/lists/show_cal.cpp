#include "gui/lists/show_cal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "core/clock.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {

const std::array<const char*, 12> kMonths = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                             "Jul", "Ago", "Set", "Oct", "Nov", "Dic"};
const std::array<const char*, 12> kMonthNames = {
    "Enero", "Febrero", "Marzo",     "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Setiembre", "Octubre", "Noviembre", "Diciembre"};

Date first_of(const Date& d) { return Date(d.year(), d.month(), 1); }

QPushButton* flat(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFlat(true);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SHOW_CAL::SHOW_CAL(QWidget* owner, const Date& initial)
    : DIALOG_BOX("SHOW_CAL", owner ? owner->window() : nullptr),
      oDate(first_of(initial.empty() ? workstation_now().date : initial)),
      f(initial.empty() ? workstation_now().date : initial) {
    setWindowTitle("Calendario");
}

bool SHOW_CAL::Init() {
    build();
    SET_SELECTED_DATE(f);
    return true;
}

void SHOW_CAL::build() {
    auto* layout = new QVBoxLayout(this);
    auto* steps = new QHBoxLayout;
    Add(flat("<<", this), kPrevYear);
    Add(flat("<", this), kPrevMonth);
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    Add(flat(">", this), kNextMonth);
    Add(flat(">>", this), kNextYear);
    steps->addWidget(control(kPrevYear));
    steps->addWidget(control(kPrevMonth));
    steps->addWidget(m_title, 1);
    steps->addWidget(control(kNextMonth));
    steps->addWidget(control(kNextYear));
    layout->addLayout(steps);

    auto* grid = new QGridLayout;
    const char* letters[] = {"D", "L", "K", "M", "J", "V", "S"};
    for (int c = 0; c < 7; ++c) {
        auto* l = new QLabel(letters[c], this);
        l->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, 0, c);
    }
    for (int n = 0; n < 42; ++n)
        grid->addWidget(Add(flat("", this), kFirstDay + n), 1 + n / 7, n % 7);
    layout->addLayout(grid);

    auto* months = new QGridLayout;
    for (int m = 1; m <= 12; ++m) {
        auto* start = Add(flat(kMonths[static_cast<size_t>(m - 1)], this), 201 + 2 * m);
        auto* end = Add(flat(QString("Fin ") + kMonths[static_cast<size_t>(m - 1)], this),
                        202 + 2 * m);
        months->addWidget(start, (m - 1) / 4, 2 * ((m - 1) % 4));
        months->addWidget(end, (m - 1) / 4, 2 * ((m - 1) % 4) + 1);
    }
    layout->addLayout(months);

    auto* bottom = new QHBoxLayout;
    m_edit = Add(new QLineEdit(this), kEdit);
    bottom->addWidget(m_edit);
    bottom->addWidget(Add(new QPushButton("Inicio de Mes", this), kMonthStart));
    bottom->addWidget(Add(new QPushButton("Fin de Mes", this), kMonthEnd));
    bottom->addWidget(Add(new QPushButton("Ok", this), kCmdOk));
    layout->addLayout(bottom);
}

Date SHOW_CAL::cell_date(int n) const {
    // The grid starts on the Sunday on or before the first of the month (dow 1 = Sunday).
    return oDate.add_days(n - (oDate.dow() - 1));
}

void SHOW_CAL::show_month(const Date& first) {
    oDate = first_of(first);
    m_title->setText(QString("%1 %2")
                         .arg(kMonthNames[static_cast<size_t>(oDate.month() - 1)])
                         .arg(oDate.year()));
    for (int n = 0; n < 42; ++n) {
        const Date d = cell_date(n);
        auto* b = control_as<QPushButton>(kFirstDay + n);
        b->setText(QString::number(d.day()));
        QFont font = b->font();
        font.setBold(d == f);
        b->setFont(font);
        // Days of the neighbouring months stay choosable but read as such.
        b->setStyleSheet(d.month() == oDate.month() ? QString() : "color: gray");
    }
}

void SHOW_CAL::SET_SELECTED_DATE(const Date& d) {
    f = d;
    m_edit->setText(QString::fromStdString(d.dtoc4()));
    show_month(d);
}

void SHOW_CAL::choose(const Date& d, int kind) {
    Tipo = kind;
    m_choice = std::make_pair(d, kind);
    EndDialog(kCmdOk);
}

bool SHOW_CAL::OnCommand(int id) {
    if (id >= kFirstDay && id < kFirstDay + 42) {
        choose(cell_date(id - kFirstDay), kCalDay);
    } else if (id == kMonthStart) {
        choose(oDate, kCalMonthStart);
    } else if (id == kMonthEnd) {
        choose(oDate.add_months(1), kCalMonthEnd);
    } else if (id >= 203 && id <= 226) {
        const Date start(oDate.year(), (id - 201) / 2, 1);
        id % 2 ? choose(start, kCalMonthStart) : choose(start.add_months(1), kCalMonthEnd);
    } else if (id == kPrevYear) {
        PREV_YEAR();
    } else if (id == kNextYear) {
        NEXT_YEAR();
    } else if (id == kPrevMonth) {
        PREV_MONTH();
    } else if (id == kNextMonth) {
        NEXT_MONTH();
    } else {
        return false;
    }
    return true;
}

void SHOW_CAL::OK() {
    auto d = Date::from_ctod(m_edit->text().trimmed().toStdString());
    if (!d || d->empty()) {
        MESSAGE_BOX(this, kBadDateText, "Error", kMbOk | kMbIconStop);
        m_edit->setFocus();
        return;
    }
    choose(*d, Tipo);
}

std::optional<std::pair<Date, int>> show_cal(QWidget* owner, Date initial) {
    SHOW_CAL cal(owner, initial);
    // The owner takes no input while the calendar is open. The calendar belongs to the owner's
    // window, which the modal dialog holds off already (disabling it would disable the
    // calendar too).
    QPointer<QWidget> held = owner && !owner->isWindow() && owner->isEnabled() ? owner : nullptr;
    if (held) held->setEnabled(false);
    cal.run();
    if (held) {
        held->setEnabled(true);
        held->window()->raise();
        held->window()->activateWindow();
    }
    return cal.choice();
}

Date received_date(const std::pair<Date, int>& choice) {
    return choice.second == kCalMonthEnd ? choice.first.add_days(-1) : choice.first;
}

}  // namespace qz::gui
