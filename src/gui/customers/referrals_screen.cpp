// CLIENT_4 "Referidos": the chosen customer's referrals. Every change names the clerk at the
// keyboard and his pass code; the rules are the domain's.
#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_codes.h"
#include "domain/customers/referrals.h"
#include "domain/session/master_rows.h"
#include "gui/customers/satellite_screens.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using K = FormField::Kind;

// The clerk to choose (none chosen first) and the field for his pass code.
std::vector<FormField> clerk_fields(data::Db& db, const std::string& business) {
    FormField clerk{kSatClerk, "Digitador :", K::Choice};
    clerk.choices.push_back({"", ""});
    for (const auto& c : dc::choices(db, "DIGITA", business, "CODIGO", "NOMBRE"))
        clerk.choices.push_back({c.code, c.code + " " + c.description});
    FormField pass{kSatPassCode, "Clave de Paso :", K::Text, "", 10};
    pass.secret = true;
    return {clerk, pass};
}

dc::ClerkProof proof_of(const FormValues& v) { return {v.at(kSatClerk), v.at(kSatPassCode)}; }

bool referral_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& customer, const std::optional<dc::Referral>& old) {
    const dc::Referral r = old.value_or(dc::Referral{});
    std::vector<FormField> fields = {
        {kSatCode, "Código :", K::Text, r.code, 4, old.has_value()},
        {kSatName, "Nombre :", K::Text, r.name, 60},
        {kSatPhone, "Teléfono :", K::Text, r.phone, 30},
        {kSatPhone2, "Teléfono 2 :", K::Text, r.phone2, 30},
        {kSatEmail, "E-Mail :", K::Text, r.email, 60},
        {kSatPoBox, "Apartado :", K::Text, r.po_box, 20},
    };
    for (auto& f : clerk_fields(db, business)) fields.push_back(std::move(f));
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        const dc::Referral n{v.at(kSatCode),  v.at(kSatName),  v.at(kSatPhone), v.at(kSatPhone2),
                             v.at(kSatEmail), v.at(kSatPoBox), r.clerk};
        return old ? dc::modify_referral(db, port, business, customer, n, proof_of(v))
                   : dc::add_referral(db, port, business, customer, n, proof_of(v));
    };
    return run_master_form(owner, "E_REFERIDO", old ? "Modificar Referido" : "Agregar Referido",
                           std::move(fields), save);
}

bool remove_referral(QWidget* owner, data::Db& db, const std::string& business,
                     const std::string& customer, const std::string& code) {
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dc::delete_referral(db, port, business, customer, code, proof_of(v));
    };
    return run_master_form(owner, "E_DIGITADOR", "Borrar Referido " + code,
                           clerk_fields(db, business), save);
}

}  // namespace

MasterListScreen* open_referrals(QWidget* owner, data::Db& db, const std::string& business,
                                 const std::string& customer) {
    const std::string code = domain::normal_code(customer);
    MasterListSpec s;
    s.dlg_name = "CLIENT_4";
    s.context_id = 3624;
    s.caption = "Referidos del Cliente " + code;
    s.table = s.order = "DET_CLI2";
    s.scope = data::order_key("DET_CLI2", "DET_CLI2", {business, code});
    s.columns = {{"Código", "CODIGO", ""},
                 {"Nombre", "NOMBRE", ""},
                 {"Teléfono", "TELEFONO", ""},
                 {"E-Mail", "EMAIL", ""},
                 {"Digitador", "DIGITADOR", ""}};
    s.add = [&db, business, code](QWidget* o) {
        return referral_form(o, db, business, code, std::nullopt);
    };
    s.modify = [&db, business, code](QWidget* o, data::WDBTable& t) {
        return referral_form(o, db, business, code, dc::referral_from_row(t));
    };
    s.remove = [&db, business, code](QWidget* o, data::WDBTable& t) {
        return remove_referral(o, db, business, code, trim(t.str("CODIGO")));
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
