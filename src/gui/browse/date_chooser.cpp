#include "gui/browse/date_chooser.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qz::gui {

namespace {
QDate to_qdate(const Date& d) {
    return d.empty() ? QDate::currentDate() : QDate(d.year(), d.month(), d.day());
}
Date from_qdate(const QDate& d) { return Date(d.year(), d.month(), d.day()); }
}  // namespace

std::optional<ChosenDate> run_date_chooser(QWidget* owner, Date initial) {
    QDialog dlg(owner);
    dlg.setObjectName("GRID_CAL");
    dlg.setWindowTitle("Buscar Fecha");
    auto* cal = new QCalendarWidget(&dlg);
    cal->setObjectName("500");
    cal->setFirstDayOfWeek(Qt::Sunday);
    cal->setSelectedDate(to_qdate(initial));
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(cal);
    auto* row = new QHBoxLayout;
    int kind = -1;
    auto button = [&](const char* text, int id, int k) {
        auto* b = new QPushButton(text, &dlg);
        b->setObjectName(QString::number(id));
        QObject::connect(b, &QPushButton::clicked, &dlg, [&dlg, &kind, k] {
            kind = k;
            k < 0 ? dlg.reject() : dlg.accept();
        });
        row->addWidget(b);
        return b;
    };
    button("Día", 1, 0)->setDefault(true);
    button("Inicio de Mes", 201, 1);
    button("Fin de Mes", 202, 2);
    button("Cancelar", 2, -1);
    layout->addLayout(row);
    QObject::connect(cal, &QCalendarWidget::activated, &dlg, [&] {
        kind = 0;
        dlg.accept();
    });
    if (dlg.exec() != QDialog::Accepted || kind < 0) return std::nullopt;
    QDate d = cal->selectedDate();
    if (kind == 1) d = QDate(d.year(), d.month(), 1);
    // The end of a month is given as the first day of the next, as the receiver expects.
    if (kind == 2) d = QDate(d.year(), d.month(), 1).addMonths(1);
    return ChosenDate{from_qdate(d), kind};
}

}  // namespace qz::gui
