// ED2_DOC: the grid shows the editor's rows and hands every typed cell to it; after a total
// changes on a row with rows below, the user is asked whether to recompute them. "Aceptar"
// saves through the editor and closes only once saved.
#include "gui/ledger/documents/instalment_plan_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/instalment_plan.h"
#include "domain/ledger/printable_document.h"
#include "domain/session/master_rows.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"

namespace qz::gui {

namespace {

using namespace ed2_doc;
namespace dl = qz::domain;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string amount_text(const Decimal& v) { return trim(pic_format(v, dl::kAmountPicture)); }

AmountField column_field(int column) {
    switch (column) {
        case kPrincipalCol:
            return data::amount_field("DOC_PARC", "MONTO", "Principal");
        case kInterestCol:
            return data::amount_field("DOC_PARC", "INTERES", "Interés");
        default:
            return data::amount_field("DOC_PARC", "MONTO", "Monto Total");
    }
}

class PlanDialog : public DIALOG_BOX {
public:
    PlanDialog(QWidget* owner, data::Db& db, UserPort& port, std::string business,
               dl::PlanEditor editor)
        : DIALOG_BOX("ED2_DOC", owner),
          m_db(db),
          m_port(port),
          m_business(std::move(business)),
          m_editor(std::move(editor)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        const auto& doc = m_editor.document();
        layout->addWidget(
            Add(new QLabel(q("Documento: " + doc.number + "    Monto: " + amount_text(doc.amount))),
                kDocument));
        m_grid = Add(new QTableWidget(0, 4, this), kGrid);
        m_grid->setHorizontalHeaderLabels({"Vencimiento", "Principal", "Interés", "Monto Total"});
        m_grid->horizontalHeader()->setStretchLastSection(true);
        for (int c = kPrincipalCol; c <= kTotalCol; ++c) amount_column(m_grid, c, column_field(c));
        layout->addWidget(m_grid);
        m_totals = Add(new QLabel(this), kTotals);
        layout->addWidget(m_totals);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Add(new QPushButton("Agregar", this), kAdd, [this] { add(); }));
        buttons->addWidget(Add(new QPushButton("Borrar", this), kDelete, [this] { remove(); }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        connect(m_grid, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* i) { edited(i); });
        Text("Modificación de Plazos");
        resize(560, 360);
        show_rows();
        return true;
    }

    void SAVE_DATOS() override {
        if (m_editor.save(m_db, m_port, m_business)) EndDialog(kCmdOk);
    }

private:
    void show_rows() {
        m_filling = true;
        const auto& rows = m_editor.rows();
        m_grid->setRowCount(static_cast<int>(rows.size()));
        for (size_t r = 0; r < rows.size(); ++r) {
            const auto& row = rows[r];
            const int at = static_cast<int>(r);
            m_grid->setItem(at, kDueCol, new QTableWidgetItem(q(row.due.dtoc4())));
            const Decimal values[] = {row.principal, row.interest, row.total()};
            for (int c = kPrincipalCol; c <= kTotalCol; ++c) {
                auto* item = new QTableWidgetItem(q(amount_text(values[c - kPrincipalCol])));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_grid->setItem(at, c, item);
            }
        }
        m_totals->setText(q("Total Principal: " + amount_text(m_editor.principal_total())));
        m_filling = false;
    }

    // What the cell's text does to the row; "" when taken, else the refusal.
    std::string apply(size_t row, int column, const std::string& text) {
        if (column == kDueCol) {
            const auto due = typed_date(text);
            return due ? m_editor.set_due(row, *due) : kBadDateText;
        }
        Decimal value;
        if (auto why = column_field(column).read(text.empty() ? "0" : text, value); !why.empty())
            return why;
        if (column == kPrincipalCol) return m_editor.set_principal(row, value);
        if (column == kInterestCol) return m_editor.set_interest(row, value);
        return m_editor.set_total(row, value);
    }

    void edited(QTableWidgetItem* item) {
        if (m_filling) return;
        const int at = item->row(), column = item->column();
        const size_t row = static_cast<size_t>(at);
        std::string why = apply(row, column, trim(item->text().toStdString()));
        if (why.empty() && column == kTotalCol && m_editor.has_rows_below(row) &&
            m_port.confirm("Advertencia", dl::kRecomputeBelow))
            why = m_editor.spread_below(row);
        show_rows();
        if (why.empty()) return;
        dl::refuse(m_port, why);
        m_grid->setCurrentCell(at, column);
    }

    void add() {
        m_editor.add_row();
        show_rows();
        m_grid->setCurrentCell(m_grid->rowCount() - 1, kTotalCol);
    }

    void remove() {
        if (m_grid->currentRow() < 0) return;
        m_editor.remove_row(static_cast<size_t>(m_grid->currentRow()));
        show_rows();
    }

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    dl::PlanEditor m_editor;
    QTableWidget* m_grid = nullptr;
    QLabel* m_totals = nullptr;
    bool m_filling = false;
};

}  // namespace

bool ED2_DOC(QWidget* owner, data::Db& db, UserPort& port, const std::string& business,
             const std::string& document) {
    auto doc = dl::read_instalment_document(db, business, document);
    if (!doc) {
        port.message(MsgStyle::Error, "Error", "El documento no existe: " + document);
        return false;
    }
    PlanDialog dialog(owner, db, port, business, dl::PlanEditor(std::move(*doc)));
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
