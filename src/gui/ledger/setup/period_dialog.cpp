#include "gui/ledger/setup/period_dialog.h"

#include "data/amount_field.h"
#include "domain/ledger/accounting_period.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

bool edit_accounting_period(QWidget* owner, data::Db& db, const std::string& business) {
    using namespace period_form;
    using K = FormField::Kind;
    const domain::PeriodSettings now = domain::read_period_settings(db, business);
    const domain::AccountingPeriod shown = now.current.value_or(domain::AccountingPeriod{});
    const AmountField month = data::amount_field("SALDOS", "MES", "Mes");
    const AmountField year = data::amount_field("SALDOS", "ANO", "Año");
    FormField month_field{kMonth, "Mes :", K::Number, std::to_string(shown.month)};
    month_field.amount = month;
    FormField year_field{kYear, "Año :", K::Number, std::to_string(shown.year)};
    year_field.amount = year;
    std::vector<FormField> fields = {
        month_field,
        year_field,
        {kOneVoucher, "Mayorizar: un asiento por operación, período actual cerrado", K::Check,
         now.one_voucher ? "1" : "0"}};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        Decimal mm, yy;
        if (!read_form_numbers(port, v, {{&month, kMonth, &mm}, {&year, kYear, &yy}})) return false;
        return domain::save_period_settings(
            db, port, business, {static_cast<int>(yy.to_int()), static_cast<int>(mm.to_int())},
            v.at(kOneVoucher) == "1");
    };
    const std::string caption =
        now.current ? "Período Contable" : "Período Contable (sin saldos: abra el primero)";
    return run_master_form(owner, "PERIODO", caption, std::move(fields), save);
}

}  // namespace qz::gui
