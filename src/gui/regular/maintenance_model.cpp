// E_FACREG: the model of a regular document (or a template) on one dialog: its concept and
// currency, its lines (code, quantity, price, discount and tax) and its instalment plan (days
// and amount). "Aceptar" hands everything to the model's rules, which work the totals out,
// check and write it whole; the dialog closes only once saved.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/regular/regular_maintenance_model.h"
#include "domain/session/master_rows.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/regular/maintenance_screens.h"

namespace qz::gui {

namespace {

namespace dr = qz::domain::regular;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string cell(const QTableWidget& t, int row, int col) {
    const auto* item = t.item(row, col);
    return item ? trim(item->text().toStdString()) : "";
}
bool number(const std::string& text, Decimal& out) {
    return Decimal::try_parse(text.empty() ? "0" : text, out);
}

class ModelDialog : public DIALOG_BOX {
public:
    ModelDialog(QWidget* owner, data::Db& db, std::string business, dr::ModelTables tables,
                dr::Model model)
        : DIALOG_BOX("E_FACREG", owner),
          m_db(db),
          m_port(this),
          m_business(std::move(business)),
          m_tables(tables),
          m_model(std::move(model)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        const bool shared = std::string(m_tables.header) == dr::kTemplates.header;
        layout->addWidget(new QLabel(
            q((shared ? "Plantilla: " : "Documento modelo: ") + m_model.header.number +
              (shared && !m_model.header.description.empty() ? "  " + m_model.header.description
                                                             : "")),
            this));
        auto* header = new QHBoxLayout;
        header->addWidget(new QLabel("Concepto:", this));
        m_concept = Add(new QLineEdit(q(m_model.header.concept_code), this), kModelConcept);
        header->addWidget(m_concept);
        header->addWidget(new QLabel("Moneda:", this));
        m_currency = Add(new QLineEdit(q(m_model.header.currency), this), kModelCurrency);
        header->addWidget(m_currency);
        layout->addLayout(header);
        m_lines = grid(kModelLines, {"Código", "Cantidad", "Precio", "Descuento %", "Impuesto %"});
        for (const auto& l : m_model.lines)
            add_row(*m_lines, {l.code, l.quantity.to_string(3), l.price.to_string(2),
                               l.discount.to_string(2), l.tax.to_string(2)});
        layout->addWidget(m_lines, 3);
        m_plan = grid(kModelPlan, {"Días", "Monto"});
        for (const auto& i : m_model.instalments)
            add_row(*m_plan, {std::to_string(i.days), i.principal.to_string(2)});
        layout->addWidget(m_plan, 1);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Add(new QPushButton("Agregar Línea", this), kModelAddLine, [this] {
            add_row(*m_lines, {"", "1", "0", "0", "0"});
        }));
        buttons->addWidget(Add(new QPushButton("Agregar Plazo", this), kModelAddPlan, [this] {
            add_row(*m_plan, {"30", "0"});
        }));
        buttons->addWidget(
            Add(new QPushButton("Borrar", this), kModelRemove, [this] { remove(); }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Documento Regular");
        resize(640, 460);
        return true;
    }

    void SAVE_DATOS() override {
        dr::Model m = m_model;
        if (!read(m)) return;
        if (dr::save_model(m_db, m_port, m_tables, m_business, m)) EndDialog(kCmdOk);
    }

private:
    QTableWidget* grid(int id, const QStringList& headings) {
        auto* t = Add(new QTableWidget(0, static_cast<int>(headings.size()), this), id);
        t->setHorizontalHeaderLabels(headings);
        t->horizontalHeader()->setStretchLastSection(true);
        return t;
    }
    static void add_row(QTableWidget& t, const std::vector<std::string>& cells) {
        const int row = t.rowCount();
        t.setRowCount(row + 1);
        for (size_t c = 0; c < cells.size(); ++c)
            t.setItem(row, static_cast<int>(c), new QTableWidgetItem(q(cells[c])));
    }
    // Removes the current row of the grid that has the focus last (lines, else the plan).
    void remove() {
        QTableWidget* t = m_plan->hasFocus() ? m_plan : m_lines;
        if (t->currentRow() >= 0) t->removeRow(t->currentRow());
    }

    // The dialog's values on the model; false (after telling the user) at a cell that is no
    // number.
    bool read(dr::Model& m) {
        m.header.concept_code = domain::normal_code(m_concept->text().toStdString());
        m.header.currency = domain::normal_code(m_currency->text().toStdString());
        m.lines.clear();
        for (int r = 0; r < m_lines->rowCount(); ++r) {
            dr::ModelLine l;
            l.index = r;
            l.code = domain::normal_code(cell(*m_lines, r, 0));
            l.price_type = m.header.price_type;
            if (!number(cell(*m_lines, r, 1), l.quantity) ||
                !number(cell(*m_lines, r, 2), l.price) ||
                !number(cell(*m_lines, r, 3), l.discount) || !number(cell(*m_lines, r, 4), l.tax))
                return domain::refuse(m_port, kModelBadNumber);
            if (!l.code.empty()) m.lines.push_back(l);
        }
        m.instalments.clear();
        for (int r = 0; r < m_plan->rowCount(); ++r) {
            Decimal days, amount;
            if (!number(cell(*m_plan, r, 0), days) || !number(cell(*m_plan, r, 1), amount))
                return domain::refuse(m_port, kModelBadNumber);
            m.instalments.push_back({static_cast<int>(days.to_int()), amount, Decimal()});
        }
        return true;
    }

    data::Db& m_db;
    QtUserPort m_port;
    std::string m_business;
    dr::ModelTables m_tables;
    dr::Model m_model;
    QLineEdit* m_concept = nullptr;
    QLineEdit* m_currency = nullptr;
    QTableWidget* m_lines = nullptr;
    QTableWidget* m_plan = nullptr;
};

}  // namespace

bool edit_model(QWidget* owner, data::Db& db, const std::string& business,
                const domain::regular::ModelTables& tables, const domain::regular::Model& model) {
    ModelDialog dialog(owner, db, business, tables, model);
    return dialog.run() == kCmdOk;
}

bool E_FACREG(QWidget* owner, data::Db& db, const std::string& business,
              const domain::regular::RegularDocument& d) {
    return edit_model(owner, db, business, dr::kRegularModels, dr::regular_model(db, business, d));
}

}  // namespace qz::gui
