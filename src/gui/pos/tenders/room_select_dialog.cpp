#include "gui/pos/tenders/room_select_dialog.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"
#include "gui/pos/tenders/ok_dialog.h"

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
    QTableWidget* table = nullptr;
    const auto take = [&](DIALOG_BOX& self) {
        const int r = table->currentRow();
        if (r < 0) return;
        out = rows[static_cast<size_t>(r)];
        self.EndDialog(kCmdOk);
    };
    OkDialog d{"SEL_ROOM",
               "Habitaciones y Cuentas Maestras",
               560,
               380,
               [&](DIALOG_BOX& self, QVBoxLayout& layout) {
                   table = self.Add(choices_table(&self, rows), sel_room::kGrid);
                   layout.addWidget(table, 1);
                   QObject::connect(table, &QTableWidget::cellDoubleClicked, table,
                                    [&take, dialog = &self] { take(*dialog); });
               },
               take};
    run_ok_dialog(owner, d);
    return out;
}

}  // namespace qz::gui
