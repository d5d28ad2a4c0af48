// The customer's commission on tours: the dialog "MODICOMIS4" sets one percentage on every tour
// article, and VER_TOURS lists the tours with what the customer earns on each.
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/amount.h"
#include "domain/customers/tour_commissions.h"
#include "domain/session/master_rows.h"
#include "gui/customers/satellite_screens.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

const AmountField kPercent{"% De Comisión", 7, 3, false, Decimal(100)};

}  // namespace

bool edit_tour_commissions(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer) {
    QtUserPort port(owner);
    if (!dc::reservation_settings(db, business)) return domain::refuse(port, dc::kNoReservations);
    FormField percent{kSatCommission, "% De Comisión :", FormField::Kind::Number, "0"};
    percent.amount = kPercent;
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort form_port(owner);
        Decimal value;
        return read_form_numbers(form_port, v, {{&kPercent, kSatCommission, &value}}) &&
               dc::write_tour_commissions(db, form_port, business, customer, value);
    };
    return run_master_form(owner, "MODICOMIS4", "Comisión por Tours", {percent}, save);
}

void show_tours(QWidget* owner, data::Db& db, const std::string& business,
                const std::string& customer) {
    QtUserPort port(owner);
    if (!dc::reservation_settings(db, business)) {
        domain::refuse(port, dc::kNoReservations);
        return;
    }
    DIALOG_BOX box("VER_TOURS", owner);
    auto* layout = new QVBoxLayout(&box);
    auto* table = box.Add(new QTableWidget(&box), kSatTours);
    table->setColumnCount(3);
    table->setHorizontalHeaderLabels({"Artículo", "Descripción", "% Comisión"});
    const auto rows = dc::customer_tour_commissions(db, business, customer);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& r = rows[i];
        const QString cells[] = {
            QString::fromStdString(r.article.code), QString::fromStdString(r.article.name),
            r.commission ? QString::fromStdString(kPercent.show(*r.commission)) : QString()};
        for (int c = 0; c < 3; ++c) table->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    layout->addWidget(box.Add(new QPushButton("Salir", &box), kCmdCancel));
    box.Text("Tours del Cliente " + customer);
    box.resize(560, 300);
    box.run();
}

}  // namespace qz::gui
