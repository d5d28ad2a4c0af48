#include "gui/ledger/formats/format_list.h"

#include "core/text.h"
#include "domain/ledger/print_formats.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/formats/format_designer.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

enum { kCode = 1, kName = 2 };

// Adds a format, or changes the code and name of `old` (its rows and bindings follow the code).
bool format_form(QWidget* owner, data::Db& db, const std::string& business,
                 const std::optional<domain::FormatEntry>& old) {
    const auto f = old.value_or(domain::FormatEntry{});
    std::vector<FormField> fields = {{kCode, "Código :", FormField::Kind::Text, f.code, 2},
                                     {kName, "Descripción :", FormField::Kind::Text, f.name, 60}};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        if (!old) return domain::add_format(db, port, business, v.at(kCode), v.at(kName));
        return domain::rename_format(db, port, business, f.code, v.at(kCode), v.at(kName));
    };
    return run_master_form(owner, "E_FORM_DOC", old ? "Modificar Formato" : "Agregar Formato",
                           std::move(fields), save);
}

domain::FormatEntry entry_of(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")), trim(t.str("DESCRIP"))};
}

}  // namespace

MasterListScreen* open_format_list(QWidget* owner, data::Db& db, IniFile& ini,
                                   const std::string& business) {
    MasterListSpec s{"FORM_DOC", kFormatListCommand, "Formatos de Impresión", "FORM_DOC",
                     "FORM_DOC"};
    s.columns = {
        {"Código", "CODIGO", ""}, {"Descripción", "DESCRIP", ""}, {"Ancho", "ANCHO", "99999"}};
    s.add = [&db, business](QWidget* o) { return format_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return format_form(o, db, business, entry_of(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return domain::delete_format(db, port, business, entry_of(t).code);
    };
    s.actions = {{"Diseñar", kDesignButton, [&db, &ini, business](QWidget* o, data::WDBTable& t) {
                      open_format_designer(o, db, ini, business, entry_of(t).code);
                      return false;
                  }}};
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
