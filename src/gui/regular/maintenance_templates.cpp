// The templates of regular invoices: models shared by the regular documents built from a
// template, listed with their concept and currency, each edited on the same model editor as a
// regular document's own model.
#include "domain/regular/regular_maintenance_model.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"
#include "gui/regular/maintenance_screens.h"

namespace qz::gui {

namespace {

namespace dr = qz::domain::regular;
using K = FormField::Kind;

// The code and description of a new template, then its concept, currency, lines and plan.
bool add_template(QWidget* owner, data::Db& db, const std::string& business) {
    std::optional<dr::Model> model;
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        QtUserPort port(owner);
        model = dr::new_template(db, port, business, v.at(kRfCode), v.at(kRfDescription));
        return model.has_value();
    };
    if (!run_master_form(owner, "TMPL_REG_F", "Plantilla de Facturas Regulares",
                         {{kRfCode, "Código", K::Text, "", 15},
                          {kRfDescription, "Descripción", K::Text, "", 60}},
                         take))
        return false;
    return edit_model(owner, db, business, dr::kTemplates, *model);
}

}  // namespace

MasterListScreen* open_regular_templates(QWidget* owner, data::Db& db,
                                         const std::string& business) {
    MasterListSpec s{"TMPL_REG", kCmdRegularTemplates, "Plantillas de Facturas Regulares",
                     "ENC_TMPL", "ENC_TMPL"};
    s.columns = {{"Código", "DOCUMENTO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Concepto", "CONCEPTO", ""},
                 {"Moneda", "MONEDA", ""},
                 {"Monto", "MONTO", "99,999,999,999.99"}};
    s.add = [&db, business](QWidget* o) { return add_template(o, db, business); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        const auto header = dr::model_header_from_row(t);
        const auto model = dr::read_model(db, dr::kTemplates, business, header.number);
        return model && edit_model(o, db, business, dr::kTemplates, *model);
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dr::delete_template(db, port, business, dr::model_header_from_row(t).number);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
