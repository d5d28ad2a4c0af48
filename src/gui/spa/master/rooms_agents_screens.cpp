// Rooms and persons in charge: list screens over SPA_SALA and AGENTES with their forms.
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/spa/master/agents.h"
#include "domain/spa/master/spa_rooms.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"
#include "gui/spa/master/spa_master_screens.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;

bool room_form(QWidget* owner, data::Db& db, const std::string& business,
               const std::optional<domain::spa::SpaRoom>& room) {
    const auto r = room.value_or(domain::spa::SpaRoom{});
    // A capacity counts persons: "2.7" is refused, not cut to 2.
    const AmountField capacity = data::amount_field("SPA_SALA", "CAPAC_MAX", "Capacidad máxima");
    FormField capacity_field{kFCapacity, "Capacidad máxima (personas)", K::Number,
                             room ? std::to_string(r.capacity) : "1"};
    capacity_field.amount = capacity;
    std::vector<FormField> fields = {
        {kFCode, "Código", K::Text, r.code, 4},
        {kFName, "Descripción", K::Text, r.name, 60},
        capacity_field,
        {kFBlocked, "Bloqueada", K::Check, r.blocked ? "1" : "0"},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        Decimal persons;
        if (const std::string why = capacity.read(v.at(kFCapacity), persons); !why.empty()) {
            port.message(MsgStyle::Error, "Error", why);
            return false;
        }
        domain::spa::SpaRoom n{v.at(kFCode), v.at(kFName), static_cast<long>(persons.to_int()),
                               v.at(kFBlocked) == "1"};
        return room ? domain::spa::modify_room(db, port, business, r.code, n)
                    : domain::spa::add_room(db, port, business, n);
    };
    return run_master_form(owner, "SPA_ESAL", room ? "Modificar Sala" : "Agregar Sala",
                           std::move(fields), save);
}

bool agent_form(QWidget* owner, data::Db& db, const std::string& business,
                const std::optional<domain::spa::Agent>& agent) {
    const auto a = agent.value_or(domain::spa::Agent{});
    std::vector<FormField> fields = {
        {kFCode, "Código", K::Text, a.code, 2},
        {kFName, "Nombre", K::Text, a.name, 60},
        {kFAddress, "Dirección", K::Text, a.address, 100},
        {kFPhone, "Teléfono", K::Text, a.phone, 30},
        {kFDiscount, "Descuento %", K::Number, a.discount.to_string(2), 7},
        {kFActive, "Activo", K::Check, a.active ? "1" : "0"},
        {kFSpa, "Encargado del Spa", K::Check, a.spa ? "1" : "0"},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        Decimal discount;
        if (!Decimal::try_parse(trim(v.at(kFDiscount)).empty() ? "0" : trim(v.at(kFDiscount)),
                                discount)) {
            port.message(MsgStyle::Error, "", "El descuento no es un número válido...");
            return false;
        }
        domain::spa::Agent n{v.at(kFCode), v.at(kFName),          v.at(kFAddress),   v.at(kFPhone),
                             discount,     v.at(kFActive) == "1", v.at(kFSpa) == "1"};
        return agent ? domain::spa::modify_agent(db, port, business, a.code, n)
                     : domain::spa::add_agent(db, port, business, n);
    };
    return run_master_form(owner, "AGENTE_F", agent ? "Modificar Agente" : "Agregar Agente",
                           std::move(fields), save);
}

}  // namespace

MasterListScreen* open_spa_rooms(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s;
    s.dlg_name = "SPA_SALA";
    s.context_id = 6416;
    s.caption = "Definición de Salas";
    s.table = s.order = "SPA_SALA";
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Capacidad", "CAPAC_MAX", "9999"},
                 {"Bloqueada", "BLOQUEADO", "9"}};
    s.add = [&db, business](QWidget* o) { return room_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return room_form(o, db, business,
                         domain::spa::read_room(db, business, domain::spa::room_from_row(t).code));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return domain::spa::delete_room(db, port, business, domain::spa::room_from_row(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

MasterListScreen* open_agents(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s;
    s.dlg_name = "AGENTE";
    s.context_id = 2831;
    s.caption = "Definición de Agentes";
    s.table = s.order = "AGENTES";
    s.columns = {{"Código", "CODIGO", ""},
                 {"Nombre", "NOMBRE", ""},
                 {"Teléfono", "TELEFONO", ""},
                 {"Activo", "ACTIVO", ""}};
    s.add = [&db, business](QWidget* o) { return agent_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return agent_form(
            o, db, business,
            domain::spa::read_agent(db, business, domain::spa::agent_from_row(t).code));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return domain::spa::delete_agent(db, port, business, domain::spa::agent_from_row(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
