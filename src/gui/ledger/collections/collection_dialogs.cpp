// The small windows of "Cobros Automáticos": "Generar Abonos" (PAG_AUT2), "Ver Totales"
// (PAG_AUT3), "Generar Archivo Plano" (PAG_AUT4) and "Cambiar Datos".
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/auto_collection_file.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/collections/auto_collection_screen.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace {

using namespace pag_auto_ids;
namespace dl = qz::domain;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& text) { return text.toStdString(); }

QComboBox* code_combo(QWidget* parent, const std::vector<dl::CodeName>& codes) {
    auto* box = new QComboBox(parent);
    box->addItem("", "");
    for (const auto& c : codes) box->addItem(q(c.code + " - " + c.name), q(c.code));
    return box;
}

std::string chosen(DialogFrame& d, int id) {
    return s(d.control_as<QComboBox>(id)->currentData().toString());
}

// "Cambio monetario": one editable rate per currency.
QTableWidget* rates_table(QWidget* parent, const std::vector<dl::PaymentRate>& rates) {
    auto* t = new QTableWidget(static_cast<int>(rates.size()), 2, parent);
    t->setHorizontalHeaderLabels({"Moneda", "Cambio"});
    t->horizontalHeader()->setStretchLastSection(true);
    for (size_t i = 0; i < rates.size(); ++i) {
        auto* code = new QTableWidgetItem(q(rates[i].currency));
        code->setFlags(code->flags() & ~Qt::ItemIsEditable);
        t->setItem(static_cast<int>(i), 0, code);
        t->setItem(static_cast<int>(i), 1, new QTableWidgetItem(q(rates[i].rate.to_string(5))));
    }
    t->setMaximumHeight(120);
    return t;
}

// A rate that does not read as a number is no rate: the run then asks for it.
std::vector<dl::PaymentRate> typed_rates(const QTableWidget& t) {
    std::vector<dl::PaymentRate> out;
    for (int r = 0; r < t.rowCount(); ++r) {
        std::string text = s(t.item(r, 1)->text());
        std::erase(text, ',');
        Decimal rate;
        if (!Decimal::try_parse(text, rate)) rate = Decimal();
        out.push_back({s(t.item(r, 0)->text()), rate});
    }
    return out;
}

class RunDialog : public DIALOG_BOX {
public:
    RunDialog(QWidget* owner, data::Db& db, const dl::AutoCollection& list)
        : DIALOG_BOX("PAG_AUT2", owner), m_db(db), m_list(list) {}

    bool Init() override {
        const auto choices = dl::collection_choices(m_db, m_list.business());
        QtUserPort port(this);
        const Date today = m_db.clock().XDATE();
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Forma de Pago:", Add(code_combo(this, choices.methods), kMethod));
        form->addRow("Block:", Add(code_combo(this, choices.blocks), kBlock));
        form->addRow("Caja:", Add(code_combo(this, choices.registers), kRegister));
        auto* pass = Add(new QLineEdit(this), kPassCode);
        pass->setEchoMode(QLineEdit::Password);
        pass->setMaxLength(10);
        form->addRow("Clave:", pass);
        form->addRow("Digitador:", Add(code_combo(this, choices.clerks), kClerk));
        form->addRow("Fecha:", Add(new LR_MASKED(this, kDate, today), kDate));
        const auto rates = dl::collection_rates(m_db, port, m_list.business(), today);
        form->addRow("Cambio monetario:", Add(rates_table(this, rates), kRates));
        form->addRow("", Add(new QCheckBox("Imprimir Recibos", this), kPrint));
        layout->addLayout(form);
        auto* bottom = new QHBoxLayout;
        bottom->addStretch();
        bottom->addWidget(
            Add(new QPushButton("Generar Abonos", this), kCmdOk, [this] { SAVE_DATOS(); }));
        bottom->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(bottom);
        Text("Generar Abonos");
        return true;
    }

    void SAVE_DATOS() override {
        auto* date = control_as<LR_MASKED>(kDate);
        if (!date->commit()) return;
        dl::CollectionRun r;
        r.method = chosen(*this, kMethod);
        r.block = chosen(*this, kBlock);
        r.register_code = chosen(*this, kRegister);
        r.pass_code = s(control_as<QLineEdit>(kPassCode)->text());
        r.clerk = chosen(*this, kClerk);
        r.date = date->date();
        r.rates = typed_rates(*control_as<QTableWidget>(kRates));
        r.print_receipts = control_as<QCheckBox>(kPrint)->isChecked();
        m_run = r;
        EndDialog(kCmdOk);
    }

    const std::optional<dl::CollectionRun>& run_data() const { return m_run; }

private:
    data::Db& m_db;
    const dl::AutoCollection& m_list;
    std::optional<dl::CollectionRun> m_run;
};

QLabel* shown(const Decimal& v) { return new QLabel(q(shown_money(v))); }
QLabel* shown(long n) { return new QLabel(QString::number(n)); }

}  // namespace

std::optional<domain::CollectionRun> collection_run_dialog(QWidget* owner, data::Db& db,
                                                           const domain::AutoCollection& list) {
    RunDialog dialog(owner, db, list);
    if (dialog.run() != kCmdOk) return std::nullopt;
    return dialog.run_data();
}

void collection_totals_dialog(QWidget* owner, const domain::CollectionTotals& totals) {
    DIALOG_BOX dialog("PAG_AUT3", owner, [&totals](DIALOG_BOX& d, int message, int) {
        if (message != DIALOG_BOX::kInitDialog) return false;
        auto* form = new QFormLayout(&d);
        form->addRow("Aplicados:", d.Add(shown(totals.applied), kApplied));
        form->addRow("Documentos aplicados:", d.Add(shown(totals.applied_rows), kAppliedRows));
        form->addRow("No Aplicados:", d.Add(shown(totals.pending), kPending));
        form->addRow("Documentos no aplicados:", d.Add(shown(totals.pending_rows), kPendingRows));
        form->addRow("", d.Add(new QPushButton("Aceptar", &d), kCmdOk));
        d.Text("Ver Totales");
        return true;
    });
    dialog.run();
}

void collection_file_dialog(QWidget* owner, data::Db& db, const domain::AutoCollection& list) {
    DIALOG_BOX dialog("PAG_AUT4", owner, [&](DIALOG_BOX& d, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            auto* form = new QFormLayout(&d);
            form->addRow("Path:",
                         d.Add(new QLineEdit(q(dl::default_collection_directory()), &d), kPath));
            form->addRow("Fecha:",
                         d.Add(new LR_MASKED(&d, kFileDate, db.clock().XDATE()), kFileDate));
            auto* buttons = new QHBoxLayout;
            buttons->addWidget(d.Add(new QPushButton("Generar", &d), kCmdOk));
            buttons->addWidget(d.Add(new QPushButton("Cancelar", &d), kCmdCancel));
            form->addRow(buttons);
            d.Text("Generar Archivo Plano");
            return true;
        }
        if (message != DIALOG_BOX::kCommand || id != kCmdOk) return false;
        auto* date = d.control_as<LR_MASKED>(kFileDate);
        if (!date->commit()) return true;
        QtUserPort port(&d);
        const auto rates = dl::collection_rates(db, port, list.business(), date->date());
        const auto path = dl::write_collection_file(
            port, list, trim(s(d.control_as<QLineEdit>(kPath)->text())), date->date(), rates);
        if (!path) return true;
        MESSAGE_BOX(&d, "Archivo generado: " + *path, "Aviso", kMbOk | kMbIconInformation);
        d.EndDialog(kCmdOk);
        return true;
    });
    dialog.run();
}

bool change_row_dialog(QWidget* owner, domain::AutoCollection& list, size_t index) {
    const dl::CollectionRow row = list.rows().at(index);
    bool changed = false;
    DIALOG_BOX dialog("PAG_AUT5", owner, [&](DIALOG_BOX& d, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            auto* form = new QFormLayout(&d);
            form->addRow("Documento:", new QLabel(q(row.document)));
            form->addRow("Cargo:", d.Add(new QLineEdit(q(row.charge_code), &d), kChargeCode));
            const auto field = data::amount_field("DOCUMENT", "CUOTA", "Principal");
            form->addRow("Principal:",
                         d.Add(amount_edit(&d, kPrincipal, field, row.principal), kPrincipal));
            form->addRow(QString::fromUtf8("Interés:"),
                         d.Add(amount_edit(&d, kInterest, field, row.interest), kInterest));
            auto* buttons = new QHBoxLayout;
            buttons->addWidget(d.Add(new QPushButton("Aceptar", &d), kCmdOk));
            buttons->addWidget(d.Add(new QPushButton("Cancelar", &d), kCmdCancel));
            form->addRow(buttons);
            d.Text("Cambiar Datos");
            return true;
        }
        if (message != DIALOG_BOX::kCommand || id != kCmdOk) return false;
        auto* principal = d.control_as<LR_MASKED>(kPrincipal);
        auto* interest = d.control_as<LR_MASKED>(kInterest);
        if (!principal->commit() || !interest->commit()) return true;
        changed = list.change_row(index, s(d.control_as<QLineEdit>(kChargeCode)->text()),
                                  principal->number(), interest->number());
        if (changed) d.EndDialog(kCmdOk);
        return true;
    });
    dialog.run();
    return changed;
}

}  // namespace qz::gui
