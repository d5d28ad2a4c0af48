// "Configuración de Estaciones": the business's card terminals, one per station, network and
// currency, with the parameters each network reads when it is called.
#include <optional>

#include "domain/ledger/currencies.h"
#include "gui/card/card_screens.h"
#include "gui/card/terminal_table.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using card::TerminalRow;

constexpr int kContextId = 6190;

FormField choice(int id, const char* label, const std::string& value,
                 std::vector<std::pair<std::string, std::string>> choices) {
    FormField f{id, label, K::Choice, value};
    f.choices = std::move(choices);
    return f;
}

std::vector<FormField> terminal_fields(data::Db& db, const std::string& business,
                                       const TerminalRow& r) {
    std::vector<std::pair<std::string, std::string>> currencies;
    for (const auto& c : domain::business_currencies(db, business))
        currencies.push_back({c.code, c.code + " - " + c.name});
    const std::string bank = r.bank.empty() ? card::kBankCredomatic : r.bank;
    return {
        {kTermStation, "Estación:", K::Text, r.station, 15},
        choice(kTermBank, "Red:", bank,
               {{card::kBankPosware, card::bank_caption(card::kBankPosware)},
                {card::kBankCredomatic, card::bank_caption(card::kBankCredomatic)}}),
        choice(kTermCurrency, "Moneda:", r.currency, std::move(currencies)),
        {kTermDescription, "Descripción:", K::Text, r.description, 60},
        {kTermParam1, "Parámetro 1 (Red 1: Comercio; Red 2: Número de Terminal):", K::Text,
         r.param1, 20},
        {kTermParam2, "Parámetro 2 (Red 1: Número de Comercio):", K::Text, r.param2, 20},
        {kTermParam3, "Parámetro 3 (Red 1: Número de Terminal):", K::Text, r.param3, 20},
    };
}

bool terminal_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::optional<TerminalRow>& old) {
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        const TerminalRow row{business,
                              v.at(kTermStation),
                              v.at(kTermBank),
                              v.at(kTermCurrency),
                              v.at(kTermDescription),
                              v.at(kTermParam1),
                              v.at(kTermParam2),
                              v.at(kTermParam3)};
        QtUserPort port(owner);
        return card::save_terminal(db, port, business, old, row);
    };
    return run_master_form(owner, "MOD_P_ELECT", "Terminal de Tarjetas",
                           terminal_fields(db, business, old.value_or(TerminalRow{})), save);
}

}  // namespace

MasterListScreen* open_card_stations(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s;
    s.dlg_name = "P_ELECT";
    s.context_id = kContextId;
    s.caption = "Configuración de Estaciones";
    s.table = "P_ELECT";
    s.order = "P_ELECT";
    s.columns = {{"Estación", "CODIGO", ""},    {"Red", "BANCO", ""},
                 {"Moneda", "MONEDA", ""},      {"Descripción", "DESCRIP", ""},
                 {"Parámetro 1", "PARAM1", ""}, {"Parámetro 2", "PARAM2", ""},
                 {"Parámetro 3", "PARAM3", ""}};
    s.add = [&db, business](QWidget* o) { return terminal_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return terminal_form(o, db, business, card::terminal_from_row(t));
    };
    s.remove = [&db](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return card::delete_terminal(db, port, card::terminal_from_row(t));
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
