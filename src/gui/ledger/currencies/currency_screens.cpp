// Currencies, exchange-difference types and the stale-rate check: list screens and small forms
// over the ledger's rules.
#include "gui/ledger/currencies/currency_screens.h"

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/diff_types.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;

// Reads an amount typed in a form; shows the refusal and returns false when it is not one.
bool read_amount(QWidget* owner, const AmountField& f, const std::string& typed, Decimal& out) {
    if (const std::string why = f.read(trim(typed).empty() ? "0" : typed, out); !why.empty()) {
        QtUserPort(owner).message(MsgStyle::Error, "Error", why);
        return false;
    }
    return true;
}

FormField amount(int id, const std::string& label, const AmountField& f, const Decimal& v) {
    FormField field{id, label, K::Number, v.to_string(f.decimals)};
    field.amount = f;
    return field;
}

bool currency_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::optional<domain::Currency>& currency) {
    const auto c = currency.value_or(domain::Currency{});
    const AmountField min_rate = rate_amount("T.C. Mínimo");
    const AmountField cxc = data::amount_field("MONEDAS", "SAL_CXC", "Cuentas por Cobrar");
    const AmountField cxp = data::amount_field("MONEDAS", "SAL_CXP", "Cuentas por Pagar");
    std::vector<std::pair<std::string, std::string>> others = {{"", ""}};
    for (const auto& o : domain::business_currencies(db, business))
        if (o.code != c.code) others.push_back({o.code, o.code + " - " + o.name});
    FormField equivalent{kCurEquivalent, "Equivalencia :", K::Choice, c.equivalent};
    equivalent.choices = others;
    std::vector<FormField> fields = {
        {kCurCode, "Codigo:", K::Text, c.code, 2},
        {kCurName, "Descripcion:", K::Text, c.name, 60},
        {kCurSymbol, "Símbolo", K::Text, c.symbol, 5},
        {kCurInitials, "Siglas :", K::Text, c.initials, 10},
        amount(kCurMinRate, "T.C. Mínimo:", min_rate, c.min_rate),
        amount(kCurCxc, "Redondeo de Saldos: Cuentas por Cobrar", cxc, c.margin_cxc),
        amount(kCurCxp, "Redondeo de Saldos: Cuentas por Pagar", cxp, c.margin_cxp),
        {kCurNegative, "Cambio de Moneda Negativo", K::Check, c.negative ? "1" : "0"},
        equivalent,
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        domain::Currency n{v.at(kCurCode), v.at(kCurName), v.at(kCurSymbol), v.at(kCurInitials)};
        if (!read_amount(owner, min_rate, v.at(kCurMinRate), n.min_rate) ||
            !read_amount(owner, cxc, v.at(kCurCxc), n.margin_cxc) ||
            !read_amount(owner, cxp, v.at(kCurCxp), n.margin_cxp))
            return false;
        n.negative = v.at(kCurNegative) == "1";
        n.equivalent = v.at(kCurEquivalent);
        QtUserPort port(owner);
        return currency ? domain::modify_currency(db, port, business, c.code, n)
                        : domain::add_currency(db, port, business, n);
    };
    return run_master_form(owner, "MODIMONEDA", "Mantenimiento de Moneda", std::move(fields), save);
}

bool diff_type_form(QWidget* owner, data::Db& db, const std::string& business,
                    const std::optional<domain::DiffType>& type) {
    const auto d = type.value_or(domain::DiffType{});
    std::vector<FormField> fields = {
        {kDiffCode, "Código:", K::Text, d.code, 2},
        {kDiffName, "Descripción:", K::Text, d.name, 60},
        {kDiffLink, "Liga:", K::Text, d.link, 15},
        {kDiffAdjust, "Generar Ajuste de Diferencial", K::Check, d.adjust ? "1" : "0"},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        domain::DiffType n{v.at(kDiffCode), v.at(kDiffName), v.at(kDiffLink),
                           v.at(kDiffAdjust) == "1"};
        QtUserPort port(owner);
        return type ? domain::modify_diff_type(db, port, business, d.code, n)
                    : domain::add_diff_type(db, port, business, n);
    };
    return run_master_form(owner, "ED_COD_DIFF", "Edición de Código de Diferencial Cambiario",
                           std::move(fields), save);
}

}  // namespace

AmountField rate_amount(const std::string& label) {
    // The stored field keeps 9 whole digits; a rate shows 6, as "999,999.99999".
    return AmountField{label, 11, 5};
}

MasterListScreen* open_currencies(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s;
    s.dlg_name = "MONEDAS";
    s.context_id = kCmdCurrencies;
    s.caption = "Definición de Monedas";
    s.table = "MONEDAS";
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Símbolo", "SIMBOLO", ""},
                 {"Siglas", "SIGLAS", ""},
                 {"T.C. Mínimo", "CAMBIO_MIN", "999,999.99999"}};
    return open_list<domain::Currency>(owner, db, business, std::move(s), domain::currency_from_row,
                                       domain::read_currency, currency_form,
                                       domain::delete_currency);
}

MasterListScreen* open_diff_types(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s;
    s.dlg_name = "DIFERENC";
    s.context_id = kCmdDiffTypes;
    s.caption = "Tipos de Diferencial Cambiario";
    s.table = "COD_DIFF";
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Liga", "LIGA_DIFF", ""},
                 {"Ajustar", "AJUSTAR", "9"}};
    return open_list<domain::DiffType>(owner, db, business, std::move(s),
                                       domain::diff_type_from_row, domain::read_diff_type,
                                       diff_type_form, domain::delete_diff_type);
}

bool open_rate_check(QWidget* owner, data::Db& db, const std::string& business) {
    const auto s = domain::read_rate_check(db, business);
    const AmountField range = data::amount_field("NEGOCIOS", "CANT_MON", "Rango");
    FormField mode{kCheckMode, "", K::Choice, s.by_days ? "1" : "0"};
    mode.choices = {{"1", "Rango en Días"}, {"0", "Rango en Meses"}};
    std::vector<FormField> fields = {mode,
                                     amount(kCheckAmount, "Rango :", range, Decimal(s.amount))};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        Decimal amount;
        if (!read_amount(owner, range, v.at(kCheckAmount), amount)) return false;
        QtUserPort port(owner);
        return domain::save_rate_check(
            db, port, business, {v.at(kCheckMode) == "1", static_cast<long>(amount.to_int())});
    };
    return run_master_form(owner, "NEG_CAMB", "Revisión  de  Tipos de Cambio", std::move(fields),
                           save);
}

}  // namespace qz::gui
