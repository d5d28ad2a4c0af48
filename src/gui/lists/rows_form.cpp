#include "gui/lists/rows_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class RowsForm : public DIALOG_BOX {
public:
    RowsForm(QWidget* owner, const std::string& name, std::string caption,
             std::vector<RowsColumn> columns, const RowsValues& rows,
             const std::function<bool(const RowsValues&)>& save)
        : DIALOG_BOX(name, owner),
          m_caption(std::move(caption)),
          m_columns(std::move(columns)),
          m_rows(rows),
          m_save(save) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        m_grid = Add(new QTableWidget(0, static_cast<int>(m_columns.size()), this), kRowsGrid);
        QStringList headings;
        for (const auto& c : m_columns) headings << q(c.heading);
        m_grid->setHorizontalHeaderLabels(headings);
        m_grid->horizontalHeader()->setStretchLastSection(true);
        for (const auto& row : m_rows) add_row(row);
        layout->addWidget(m_grid);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Add(new QPushButton("Agregar Línea", this), kRowsAdd, [this] {
            add_row({});
            m_grid->setCurrentCell(m_grid->rowCount() - 1, 0);
        }));
        buttons->addWidget(Add(new QPushButton("Borrar Línea", this), kRowsDelete, [this] {
            if (m_grid->currentRow() >= 0) m_grid->removeRow(m_grid->currentRow());
        }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        resize(560, 320);
        Text(m_caption);
        return true;
    }

    void SAVE_DATOS() override {
        RowsValues rows;
        if (!read(rows)) return;
        if (m_save(rows)) EndDialog(kCmdOk);
    }

private:
    void add_row(const std::vector<std::string>& cells) {
        const int r = m_grid->rowCount();
        m_grid->insertRow(r);
        for (size_t c = 0; c < m_columns.size(); ++c) {
            auto* item = new QTableWidgetItem(c < cells.size() ? q(cells[c]) : QString());
            if (m_columns[c].amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, static_cast<int>(c), item);
        }
    }

    // Every row's cells; false (with the refusal shown) when a cell does not fit its column.
    bool read(RowsValues& out) {
        QtUserPort port(this);
        for (int r = 0; r < m_grid->rowCount(); ++r) {
            std::vector<std::string> row;
            for (size_t c = 0; c < m_columns.size(); ++c) {
                const auto* item = m_grid->item(r, static_cast<int>(c));
                std::string text = item ? item->text().trimmed().toStdString() : "";
                const RowsColumn& col = m_columns[c];
                std::string why;
                if (col.amount) {
                    Decimal value;
                    why = col.amount->read(text.empty() ? "0" : text, value);
                    text = value.to_string();
                } else if (col.max_length > 0 && static_cast<int>(text.size()) > col.max_length) {
                    why = col.heading + ": no más de " + std::to_string(col.max_length) +
                          " caracteres";
                }
                if (!why.empty()) {
                    m_grid->setCurrentCell(r, static_cast<int>(c));
                    port.message(MsgStyle::Error, "Error",
                                 "Línea " + std::to_string(r + 1) + ": " + why);
                    return false;
                }
                row.push_back(std::move(text));
            }
            out.push_back(std::move(row));
        }
        return true;
    }

    std::string m_caption;
    std::vector<RowsColumn> m_columns;
    RowsValues m_rows;
    const std::function<bool(const RowsValues&)>& m_save;
    QTableWidget* m_grid = nullptr;
};

}  // namespace

bool run_rows_form(QWidget* owner, const std::string& dlg_name, const std::string& caption,
                   std::vector<RowsColumn> columns, const RowsValues& rows,
                   const std::function<bool(const RowsValues&)>& save) {
    RowsForm form(owner, dlg_name, caption, std::move(columns), rows, save);
    return form.run() == kCmdOk;
}

}  // namespace qz::gui
