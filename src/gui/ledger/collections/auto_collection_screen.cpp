// PAG_AUTO, "Cobros Automáticos": the collection day and the document concepts on top,
// "Actualizar" to build the work list, the grid (a click on its first column marks a row to
// apply) and the buttons of the run.
#include "gui/ledger/collections/auto_collection_screen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "domain/ledger/concepts.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/collections/collection_receipts.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace {

using namespace pag_auto_ids;
namespace dl = qz::domain;

constexpr int kCollectionScreen = 6518;

QString q(const std::string& s) { return QString::fromStdString(s); }

class AutoCollectionScreen : public WDIAG {
public:
    AutoCollectionScreen(QWidget* owner, data::Db& db, std::string business,
                         const IniFile* workstation)
        : WDIAG(owner, "PAG_AUTO", kCollectionScreen, {true, true}),
          m_db(db),
          m_port(this),
          m_list(db, m_port, std::move(business)),
          m_workstation(workstation) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(build_choices());
        m_grid = Add(value_table(this,
                                 {"Aplicar", "Cliente", "Sucursal", "Nombre", "Documento", "Monto",
                                  "Saldo", "Moneda", "Cuota", "Principal", "Interés", "Cargo"},
                                 3),
                     kGrid);
        connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int column) {
            if (column == 0 && m_list.toggle_mark(static_cast<size_t>(row))) show_rows(row);
        });
        layout->addWidget(m_grid, 1);
        layout->addLayout(build_buttons());
        setWindowTitle(QString::fromUtf8("Cobros Automáticos"));
        resize(1000, 560);
        Create();
        return true;
    }

private:
    QFormLayout* build_choices() {
        auto* form = new QFormLayout;
        auto* day = Add(new QComboBox(this), kDay);
        day->addItem("", 0);
        for (int d = 1; d <= 31; ++d) day->addItem(QString::number(d), d);
        form->addRow(QString::fromUtf8("Día de Pago :"), day);
        auto* concepts = Add(new QListWidget(this), kConcepts);
        for (const auto& c : dl::business_document_concepts(m_db, m_list.business())) {
            auto* item = new QListWidgetItem(q(c.code + " - " + c.name), concepts);
            item->setData(Qt::UserRole, q(c.code));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        concepts->setMaximumHeight(110);
        form->addRow("Concepto :", concepts);
        return form;
    }

    QHBoxLayout* build_buttons() {
        auto* row = new QHBoxLayout;
        const std::pair<int, const char*> buttons[] = {{kRefresh, "Actualizar"},
                                                       {kChange, "Cambiar Datos"},
                                                       {kTotals, "Ver Totales"},
                                                       {kGenerate, "Generar Abonos"},
                                                       {kFile, "Procesar Archivo"}};
        for (const auto& [id, text] : buttons)
            row->addWidget(Add(new QPushButton(QString::fromUtf8(text), this), id,
                               [this, id = id] { command(id); }));
        row->addStretch();
        row->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        return row;
    }

    void command(int id) {
        switch (id) {
            case kRefresh:
                refresh();
                break;
            case kChange:
                change();
                break;
            case kTotals:
                collection_totals_dialog(this, m_list.totals());
                break;
            case kGenerate:
                generate();
                break;
            case kFile:
                collection_file_dialog(this, m_db, m_list);
                break;
            default:
                break;
        }
    }

    void refresh() {
        std::set<std::string> concepts;
        auto* list = control_as<QListWidget>(kConcepts);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                concepts.insert(list->item(i)->data(Qt::UserRole).toString().toStdString());
        const int day = control_as<QComboBox>(kDay)->currentData().toInt();
        if (m_list.Actualizar(day, concepts)) show_rows(0);
    }

    void change() {
        const int row = m_grid->currentRow();
        if (row < 0) {
            m_list.change_row(std::nullopt, "", {}, {});  // tells the user to choose a row
            return;
        }
        if (change_row_dialog(this, m_list, static_cast<size_t>(row))) show_rows(row);
    }

    void generate() {
        const auto run = collection_run_dialog(this, m_db, m_list);
        if (!run) return;
        const auto result = dl::generate_payments(m_db, m_port, m_list, *run, m_workstation);
        show_rows(0);
        if (run->print_receipts && !result.paid.empty())
            print_collection_receipts(this, m_db, m_list.business(), result.paid);
    }

    void show_rows(int current) {
        std::vector<std::vector<std::string>> rows;
        for (const auto& r : m_list.rows())
            rows.push_back({r.marked ? "X" : "", r.customer, r.branch, r.name, r.document,
                            shown_money(r.amount), shown_money(r.balance), r.currency,
                            shown_money(r.instalment), shown_money(r.principal),
                            shown_money(r.interest), r.charge_code});
        put_rows(*m_grid, rows, {5, 6, 8, 9, 10});
        if (current >= 0 && current < m_grid->rowCount()) m_grid->selectRow(current);
    }

    data::Db& m_db;
    QtUserPort m_port;
    dl::AutoCollection m_list;
    const IniFile* m_workstation;
    QTableWidget* m_grid = nullptr;
};

}  // namespace

WDIAG* open_auto_collection(QWidget* owner, data::Db& db, const std::string& business,
                            const IniFile* workstation) {
    return open_screen<AutoCollectionScreen>(owner, db, business, workstation);
}

}  // namespace qz::gui
