// CLIENT_6 "Asociados": the chosen customer's associates, edited in CLIENT_7. A new associate
// whose card is left blank gets the next number of the business's membership cards.
#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/associates.h"
#include "domain/ledger/membership_cards.h"
#include "domain/session/master_rows.h"
#include "gui/customers/satellite_screens.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using K = FormField::Kind;

// {"1", first name}, {"2", second name}, ...; with a blank "none chosen" first when asked.
std::vector<std::pair<std::string, std::string>> numbered(const std::vector<std::string>& names,
                                                          bool none_first) {
    std::vector<std::pair<std::string, std::string>> out;
    if (none_first) out.push_back({"0", ""});
    for (size_t i = 0; i < names.size(); ++i) out.push_back({std::to_string(i + 1), names[i]});
    return out;
}

int number_of(const std::string& s) { return std::atoi(s.c_str()); }

bool associate_form(QWidget* owner, data::Db& db, const std::string& business,
                    const std::string& customer, const std::optional<dc::Associate>& old) {
    const dc::Associate a = old.value_or(dc::Associate{});
    FormField sex{kSatSex, "Sexo :", K::Choice, std::to_string(a.sex)};
    sex.choices = numbered(dc::sex_names(), false);
    FormField relation{kSatRelation, "Relación :", K::Choice, std::to_string(a.relation)};
    relation.choices = numbered(dc::relation_names(), true);
    std::vector<FormField> fields = {
        {kSatCode, "Código :", K::Text, a.code, 15},
        {kSatName, "Nombre :", K::Text, a.name, 60},
        {kSatBirth, "Fecha Nacimiento :", K::Text, a.birth.empty() ? "" : a.birth.dtoc4(), 10},
        {kSatAddress, "Dirección :", K::Text, a.address, 100},
        sex,
        relation,
        {kSatSelfConsumption, "Auto Consumo :", K::Check, a.self_consumption ? "1" : "0"},
        {kSatCard, "Carnet :", K::Text, a.card, 15},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dc::Associate n;
        n.code = v.at(kSatCode);
        n.name = v.at(kSatName);
        n.birth = Date::from_ctod(trim(v.at(kSatBirth))).value_or(Date());
        n.address = v.at(kSatAddress);
        n.sex = number_of(v.at(kSatSex));
        n.relation = number_of(v.at(kSatRelation));
        n.self_consumption = v.at(kSatSelfConsumption) == "1";
        n.card = v.at(kSatCard);
        const dc::AssociateContext ctx{
            [&business](data::Db& d) { return domain::draw_membership_card(d, business); }};
        return dc::save_associate(db, port, business, customer, old ? a.code : "", n, ctx);
    };
    return run_master_form(owner, "CLIENT_7", old ? "Modificar Asociado" : "Agregar Asociado",
                           std::move(fields), save);
}

}  // namespace

MasterListScreen* open_associates(QWidget* owner, data::Db& db, const std::string& business,
                                  const std::string& customer) {
    const std::string code = domain::normal_code(customer);
    MasterListSpec s;
    s.dlg_name = "CLIENT_6";
    s.context_id = 4365;
    s.caption = "Asociados del Cliente " + code;
    s.table = s.order = "DET_CLI3";
    s.scope = data::order_key("DET_CLI3", "DET_CLI3", {business, code});
    s.columns = {{"Código", "CODIGO", ""},
                 {"Nombre", "NOMBRE", ""},
                 {"Fecha Nacimiento", "FECHA_NACI", ""},
                 {"Carnet", "CARNET", ""}};
    s.add = [&db, business, code](QWidget* o) {
        return associate_form(o, db, business, code, std::nullopt);
    };
    s.modify = [&db, business, code](QWidget* o, data::WDBTable& t) {
        return associate_form(o, db, business, code, dc::associate_from_row(t));
    };
    s.remove = [&db, business, code](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dc::delete_associate(db, port, business, code, trim(t.str("CODIGO")));
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
