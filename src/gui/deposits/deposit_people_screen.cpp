#include "gui/deposits/deposit_people_screen.h"

#include "domain/deposits/deposit_people.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using namespace deposit_person_form;
namespace dl = qz::domain;

bool person_form(QWidget* owner, data::Db& db, const std::string& business,
                 const std::optional<dl::DepositPerson>& old) {
    const auto p = old.value_or(dl::DepositPerson{});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_deposit_person(db, port, business, old ? p.code : "",
                                       {v.at(kCode), v.at(kName)});
    };
    return run_master_form(owner, "E_HECHOPOR",
                           old ? "Modificar Persona que Deposita" : "Agregar Persona que Deposita",
                           {field_code(kCode, "Código :", p.code, 4, old.has_value()),
                            {kName, "Nombre :", K::Text, p.name, 60}},
                           save);
}

}  // namespace

MasterListScreen* open_deposit_people(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"HECHOPOR", kCmdDepositPeople, "Personas que Depositan", "HECHOPOR"};
    s.columns = {{"Código", "CODIGO", ""}, {"Nombre", "NOMBRE", ""}};
    return open_list<dl::DepositPerson>(owner, db, business, std::move(s),
                                        dl::deposit_person_from_row, dl::read_deposit_person,
                                        person_form, dl::delete_deposit_person);
}

}  // namespace qz::gui
