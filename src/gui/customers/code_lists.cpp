// The code tables of the customer master: list screens with a code / description form. Every
// rule (duplicates, re-coding of users, deletions refused while in use) is the domain's.
#include <optional>

#include "core/text.h"
#include "gui/customers/customer_screens.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using K = FormField::Kind;

struct CodeScreen {
    dc::CodeKind kind;
    const char* dlg_name;
    int context_id;
    const char* caption;
    const char* form_dlg;
    const char* noun;  // "Agregar <noun>" / "Modificar <noun>"
    int code_width;
};

const CodeScreen& screen_of(dc::CodeKind kind) {
    static const CodeScreen screens[] = {
        {dc::CodeKind::Classification, "CLASCLIE", 6570, "Clasificaciones de Clientes",
         "E_CLASCLIE", "Clasificación", 2},
        {dc::CodeKind::BranchClassification, "CLASCL2", 6571, "Clasificaciones de Sucursales",
         "E_CLASCL2", "Clasificación", 2},
        {dc::CodeKind::Category, "CATEGORS", 6572, "Categorías de Clientes", "E_CATEGORS",
         "Categoría", 2},
        {dc::CodeKind::Zone, "DEF_ZONA", 6573, "Zonas de Cobro", "MNT_ZONA", "Zona", 4},
    };
    return screens[static_cast<int>(kind)];
}

bool code_form(QWidget* owner, data::Db& db, const std::string& business, dc::CodeKind kind,
               const std::optional<dc::CodeEntry>& old) {
    const CodeScreen& s = screen_of(kind);
    const dc::CodeEntry e = old.value_or(dc::CodeEntry{});
    std::vector<FormField> fields = {
        {kFCodeCode, "Código :", K::Text, e.code, s.code_width},
        {kFCodeDescription, "Descripción :", K::Text, e.description, 60},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        const dc::CodeEntry n{v.at(kFCodeCode), v.at(kFCodeDescription)};
        return old ? dc::modify_code(db, port, kind, business, e.code, n)
                   : dc::add_code(db, port, kind, business, n);
    };
    const std::string caption = std::string(old ? "Modificar " : "Agregar ") + s.noun;
    return run_master_form(owner, s.form_dlg, caption, std::move(fields), save);
}

dc::CodeEntry entry_of(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")), trim(t.str("DESCRIP"))};
}

}  // namespace

MasterListScreen* open_code_list(QWidget* owner, data::Db& db, const std::string& business,
                                 dc::CodeKind kind) {
    const CodeScreen& cs = screen_of(kind);
    MasterListSpec s;
    s.dlg_name = cs.dlg_name;
    s.context_id = cs.context_id;
    s.caption = cs.caption;
    s.table = s.order = dc::code_table(kind);
    s.columns = {{"Código", "CODIGO", ""}, {"Descripción", "DESCRIP", ""}};
    s.add = [&db, business, kind](QWidget* o) {
        return code_form(o, db, business, kind, std::nullopt);
    };
    s.modify = [&db, business, kind](QWidget* o, data::WDBTable& t) {
        return code_form(o, db, business, kind, entry_of(t));
    };
    s.remove = [&db, business, kind](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dc::delete_code(db, port, kind, business, entry_of(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
