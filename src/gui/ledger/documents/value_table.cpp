#include "gui/ledger/documents/value_table.h"

#include <QHeaderView>

#include "core/picture.h"
#include "core/text.h"
#include "domain/ledger/printable_document.h"

namespace qz::gui {

QTableWidget* value_table(QWidget* parent, const std::vector<std::string>& headings, int stretch) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    QStringList labels;
    for (const auto& h : headings) labels << QString::fromStdString(h);
    t->setHorizontalHeaderLabels(labels);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->setVisible(false);
    if (stretch >= 0) t->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
    return t;
}

void put_rows(QTableWidget& table, const std::vector<std::vector<std::string>>& rows,
              const std::set<int>& right) {
    table.setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()) && c < table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)]));
            if (right.count(c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
    }
    table.resizeColumnsToContents();
}

std::string shown_money(const Decimal& value) {
    return trim(pic_format(value, domain::kAmountPicture));
}

std::string shown_date(const Date& date) { return date.empty() ? "" : date.dtoc(); }

}  // namespace qz::gui
