#include "gui/ledger/setup/active_month_dialog.h"

#include "data/amount_field.h"
#include "domain/ledger/active_month.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

bool edit_active_month(QWidget* owner, data::Db& db, const std::string& business) {
    using namespace active_month_form;
    using K = FormField::Kind;
    const domain::ActiveMonth m = domain::read_active_month(db, business);
    const AmountField month = data::amount_field("F_FAC", "MES", "Mes");
    const AmountField year = data::amount_field("F_FAC", "ANHO", "Año");
    FormField month_field{kMonth, "Mes Activo :", K::Number, std::to_string(m.month)};
    month_field.amount = month;
    FormField year_field{kYear, "Año Activo :", K::Number, std::to_string(m.year)};
    year_field.amount = year;
    std::vector<FormField> fields = {
        month_field,
        year_field,
        {kEnforced, "Obligar documentos dentro del mes activo", K::Check, m.enforced ? "1" : "0"}};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        Decimal mm, yy;
        if (!read_form_numbers(port, v, {{&month, kMonth, &mm}, {&year, kYear, &yy}})) return false;
        return domain::save_active_month(
            db, port, business,
            {static_cast<int>(mm.to_int()), static_cast<int>(yy.to_int()), v.at(kEnforced) == "1"});
    };
    return run_master_form(owner, "MES_ACT", "Meses Activos Módulos", std::move(fields), save);
}

}  // namespace qz::gui
