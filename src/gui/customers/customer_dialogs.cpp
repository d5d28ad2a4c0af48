#include "gui/customers/customer_dialogs.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "domain/customers/customer_codes.h"
#include "domain/customers/customer_ops.h"
#include "gui/framework/dialog_box.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace dc = qz::domain::customers;
using K = FormField::Kind;

std::optional<std::string> choose_classification(QWidget* owner, data::Db& db,
                                                 const std::string& business,
                                                 const std::string& current) {
    FormField f{kDlgClass, "Clasificación:", K::Choice, current};
    for (const auto& e : dc::code_entries(db, dc::CodeKind::Classification, business))
        f.choices.emplace_back(e.code, e.code + " " + e.description);
    std::optional<std::string> out;
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        if (!v.at(kDlgClass).empty()) out = v.at(kDlgClass);
        return true;
    };
    run_master_form(owner, "DEF_CLASCLI", "Clasificación de Cliente", {f}, take);
    return out;
}

void show_status_history(QWidget* owner, data::Db& db, const std::string& business,
                         const std::string& code) {
    DIALOG_BOX box("EST_CLI", owner);
    auto* layout = new QVBoxLayout(&box);
    auto* table = box.Add(new QTableWidget(&box), kDlgHistory);
    table->setColumnCount(5);
    table->setHorizontalHeaderLabels(
        {"Fecha", "Estado Inicial", "Estado Final", "Tipo Anulación", "Usuario"});
    const auto rows = dc::status_history(db, business, code);
    table->setRowCount(static_cast<int>(rows.size()));
    const auto state = [](bool active) { return QString(active ? "Activo" : "Inactivo"); };
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& r = rows[i];
        const QString reason =
            r.reason > 0 && r.reason <= static_cast<int>(dc::reason_names().size())
                ? QString::fromStdString(dc::reason_names()[r.reason - 1])
                : QString();
        const QString cells[] = {QString::fromStdString(r.date.dtoc()), state(r.was_active),
                                 state(r.active), reason, QString::fromStdString(r.user)};
        for (int c = 0; c < 5; ++c) table->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    layout->addWidget(box.Add(new QPushButton("Salir", &box), kCmdCancel));
    box.Text("Historial de Estados del Cliente");
    box.resize(560, 300);
    box.run();
}

bool edit_branch_managers(QWidget* owner, dc::Branch& b) {
    std::vector<FormField> fields = {
        {kDlgGeneral, "Gerente General:", K::Text, b.general_manager, 60},
        {kDlgFinancial, "Gerente Financiero:", K::Text, b.financial_manager, 60},
        {kDlgPresident, "Presidente:", K::Text, b.president, 60}};
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        b.general_manager = v.at(kDlgGeneral);
        b.financial_manager = v.at(kDlgFinancial);
        b.president = v.at(kDlgPresident);
        return true;
    };
    return run_master_form(owner, "MODIGERENTE", "Gerentes", std::move(fields), take);
}

bool edit_branch_guarantee(QWidget* owner, dc::Branch& b) {
    std::vector<FormField> fields = {
        {kDlgGuaranteeType,
         "Tipo de Garantía:",
         K::Choice,
         std::to_string(b.guarantee_type),
         0,
         false,
         {{"0", "Ninguno"},
          {"1", "Letra de Cambio"},
          {"2", "Cheque"},
          {"3", "Hipotecaria"},
          {"4", "Otras"}}},
        {kDlgGuaranteeDoc, "Documento:", K::Text, b.guarantee_doc, 60},
        {kDlgGuaranteeNotes, "Comentarios:", K::Memo, b.guarantee_notes}};
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        b.guarantee_type = v.at(kDlgGuaranteeType).empty() ? 0 : std::stoi(v.at(kDlgGuaranteeType));
        b.guarantee_doc = v.at(kDlgGuaranteeDoc);
        b.guarantee_notes = v.at(kDlgGuaranteeNotes);
        return true;
    };
    return run_master_form(owner, "E_CLIEN3", "Garantía", std::move(fields), take);
}

}  // namespace qz::gui
