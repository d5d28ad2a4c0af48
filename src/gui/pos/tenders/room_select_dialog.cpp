#include "gui/pos/tenders/room_select_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QTableWidget* choices_table(QWidget* parent, const std::vector<domain::pos::RoomChoice>& rows) {
    auto* t = new QTableWidget(static_cast<int>(rows.size()), 3, parent);
    t->setHorizontalHeaderLabels({"Habitación/CM", "Huésped / Cuenta", "Reservación"});
    t->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& c = rows[static_cast<size_t>(r)];
        t->setItem(r, 0, new QTableWidgetItem(q(c.code)));
        t->setItem(r, 1, new QTableWidgetItem(q(c.guest)));
        t->setItem(r, 2, new QTableWidgetItem(q(c.master ? "Cuenta Maestra" : c.reservation)));
    }
    if (!rows.empty()) t->selectRow(0);
    return t;
}

}  // namespace

std::optional<domain::pos::RoomChoice> choose_room(QWidget* owner, data::Db& db,
                                                   const std::string& business) {
    const auto rows = domain::pos::SEL_ROOM(db, business);
    std::optional<domain::pos::RoomChoice> out;
    DIALOG_BOX d("SEL_ROOM", owner);
    QTableWidget* table = nullptr;
    const auto take = [&] {
        const int r = table->currentRow();
        if (r < 0) return;
        out = rows[static_cast<size_t>(r)];
        d.EndDialog(kCmdOk);
    };
    d.set_procedure([&](DIALOG_BOX& self, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            auto* layout = new QVBoxLayout(&self);
            table = self.Add(choices_table(&self, rows), sel_room::kGrid);
            layout->addWidget(table, 1);
            auto* buttons = new QHBoxLayout;
            buttons->addStretch();
            buttons->addWidget(self.Add(new QPushButton("Aceptar", &self), kCmdOk));
            buttons->addWidget(self.Add(new QPushButton("Cancelar", &self), kCmdCancel));
            layout->addLayout(buttons);
            QObject::connect(table, &QTableWidget::cellDoubleClicked, table, [&] { take(); });
            self.Text("Habitaciones y Cuentas Maestras");
            self.resize(560, 380);
            return true;
        }
        if (message == DIALOG_BOX::kCommand && id == kCmdOk) {
            take();
            return true;
        }
        return false;
    });
    d.run();
    return out;
}

}  // namespace qz::gui
