#include "gui/collections/stage_history_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qz::gui {

namespace {

QStringList cells(const domain::StageHistoryLine& l) {
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    const QString who =
        q(l.authoriser + (l.authoriser_name.empty() ? "" : " " + l.authoriser_name));
    return {q(l.date.dtoc4()), q(l.time), q(l.from_stage + " → " + l.to_stage), who, q(l.collector),
            q(l.reason),       q(l.user)};
}

}  // namespace

void show_stage_history(QWidget* owner, const std::string& row,
                        const std::vector<domain::StageHistoryLine>& lines) {
    QDialog d(owner);
    d.setObjectName("HIS_ETAP");
    d.setWindowTitle(QString::fromStdString("Historial de Etapas: " + row));
    const QStringList headings = {"Fecha",    "Hora",   "Etapas", "Autoriza",
                                  "Cobrador", "Motivo", "Usuario"};
    auto* table = new QTableWidget(static_cast<int>(lines.size()), headings.size(), &d);
    table->setObjectName("500");
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    for (size_t r = 0; r < lines.size(); ++r) {
        const QStringList row_cells = cells(lines[r]);
        for (int c = 0; c < row_cells.size(); ++c)
            table->setItem(static_cast<int>(r), c, new QTableWidgetItem(row_cells[c]));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &d);
    buttons->button(QDialogButtonBox::Close)->setText("Salir");
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(table);
    layout->addWidget(buttons);
    d.resize(760, 320);
    d.exec();
}

}  // namespace qz::gui
