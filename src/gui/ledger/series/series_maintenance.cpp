// MANT_SER: the business's number series in a tree by module, with the form that adds and
// changes them. Every rule is the domain's; the screen only shows and asks.
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/ledger/series.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/series/series_screens.h"
#include "gui/lists/master_form.h"
#include "gui/lists/treeview.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;

std::vector<FormField> series_fields(const std::optional<domain::Series>& s) {
    const auto v = s.value_or(domain::Series{.module = "02"});
    std::vector<std::pair<std::string, std::string>> modules;
    for (const auto& [code, label] : domain::series_modules())
        modules.emplace_back(code, code + " " + label);
    FormField code{kSCode, "Código", K::Text, v.code, 15, s.has_value()};
    FormField module{kSModule, "Módulo", K::Choice, v.module};
    module.choices = modules;
    return {code,
            {kSName, "Descripción", K::Text, v.name, 60},
            module,
            {kSPrefix, "Prefijo", K::Text, v.prefix, 10},
            {kSSuffix, "Posfijo", K::Text, v.suffix, 10},
            {kSNumber, "Último número emitido", K::Number, std::to_string(v.number), 10},
            {kSLimit, "Límite (0 = sin límite)", K::Number, std::to_string(v.limit), 10},
            {kSIndent, "Ancho del número", K::Number, std::to_string(v.indent), 2},
            {kSUnpadded, "Sin ceros a la izquierda", K::Check, v.unpadded ? "1" : "0"},
            {kSMutuo, "Mutuo", K::Text, v.mutuo, 2},
            {kSDisabled, "Inactivo", K::Check, v.disabled ? "1" : "0"},
            {kSCurrent, "Último número formateado", K::Text, v.current, 15, true}};
}

domain::SeriesInput input_of(const FormValues& v) {
    domain::SeriesInput in;
    in.code = v.at(kSCode);
    in.name = v.at(kSName);
    in.module = v.at(kSModule);
    in.prefix = v.at(kSPrefix);
    in.suffix = v.at(kSSuffix);
    in.number = v.at(kSNumber);
    in.limit = v.at(kSLimit);
    in.indent = v.at(kSIndent);
    in.unpadded = v.at(kSUnpadded) == "1";
    in.mutuo = v.at(kSMutuo);
    in.disabled = v.at(kSDisabled) == "1";
    return in;
}

}  // namespace

MANT_SER::MANT_SER(QWidget* owner, data::Db& db, std::string business)
    : WDIAG(owner, "MANT_SER", 2841, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)) {}

bool MANT_SER::Init() {
    auto* layout = new QVBoxLayout(this);
    m_tree = Add(new TREEVIEW(this), kSeriesTree);
    m_tree->_ON_LEFT_DBLCLICK([this](TREELINK* node) {
        if (node && !node->IsParent() && node->GetParent() && !node->GetParent()->IsRoot()) MOD();
    });
    layout->addWidget(m_tree);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kSeriesAdd, [this] { ADD(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kSeriesModify, [this] { MOD(); }));
    buttons->addWidget(Add(new QPushButton("Eliminar", this), kSeriesDelete, [this] { DEL(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Definición de Seriales");
    resize(620, 460);
    Create();
    load_tree();
    return true;
}

void MANT_SER::load_tree(const std::string& select) {
    m_tree->ZAP_TREE();
    TREELINK* module_node = nullptr;
    std::string module;
    TREELINK* chosen = nullptr;
    for (const auto& s : domain::business_series(m_db, m_business)) {
        if (!module_node || s.module != module) {
            module = s.module;
            module_node = m_tree->GetRoot()->AddLastChild(
                module + " " + trim(domain::module_label(module)), std::string("M" + module));
        }
        const std::string text = s.code + " - " + s.name + (s.disabled ? " (inactivo)" : "");
        TREELINK* leaf = module_node->AddLastChild(text, std::string("S" + s.code));
        if (s.code == select) chosen = leaf;
    }
    m_tree->EXPAND(-1);
    if (chosen) m_tree->select_node(chosen);
}

std::string MANT_SER::chosen_code() {
    TREELINK* node = m_tree->current_node();
    const auto cargo = node ? node->TreeItem().Getcargo() : std::nullopt;
    const auto* text = cargo ? std::get_if<std::string>(&*cargo) : nullptr;
    if (text && text->rfind("S", 0) == 0) return text->substr(1);
    MESSAGE_BOX(this, "Debe seleccionar un Serial", "Atencion", kMbOk | kMbIconExclamation);
    return "";
}

void MANT_SER::ADD() {
    std::string added;
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(this);
        added = v.at(kSCode);
        return domain::add_series(m_db, port, m_business, input_of(v));
    };
    if (run_master_form(this, "MANT_SERF", "Agregar Serial", series_fields(std::nullopt), save))
        load_tree(upper_ascii(trim(added)));
}

void MANT_SER::MOD() {
    const std::string code = chosen_code();
    if (code.empty()) return;
    const auto before = domain::read_series(m_db, m_business, code);
    if (!before) {
        MESSAGE_BOX(this, domain::series_gone(code), "Error", kMbOk | kMbIconStop);
        return load_tree();
    }
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(this);
        return domain::modify_series(m_db, port, m_business, *before, input_of(v));
    };
    if (run_master_form(this, "MANT_SERF", "Modificar Serial", series_fields(before), save))
        load_tree(code);
}

void MANT_SER::DEL() {
    const std::string code = chosen_code();
    if (code.empty()) return;
    QtUserPort port(this);
    if (domain::delete_series(m_db, port, m_business, code)) load_tree();
}

MANT_SER* open_series_maintenance(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<MANT_SER>(owner, db, business);
}

}  // namespace qz::gui
