#pragma once
// Associates (members) of a customer (DET_CLI3, windows CLIENT_6 and CLIENT_7) with their
// membership cards. CLIENTES->ASOCIADOS says whether a customer has any: it is set by the first
// associate and cleared with the last, in the same transaction as the row.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::customers {

struct Associate {
    std::string code, name;
    Date birth;  // FECHA_NACI
    std::string address;
    int sex = 1;                    // SEXO: 1 or 2
    int relation = 0;               // RELACION, 1.. (relation_names); 0 = none chosen
    bool self_consumption = false;  // AUTO_CONSU
    std::string card;               // CARNET
};

// The relations the editor offers, index = RELACION - 1; and the two sexes, index = SEXO - 1.
const std::vector<std::string>& relation_names();
const std::vector<std::string>& sex_names();

Associate associate_from_row(const data::WDBTable& t);
std::vector<Associate> customer_associates(data::Db& db, const std::string& business,
                                           const std::string& customer);

struct AssociateContext {
    // A new associate whose card was left blank gets the next number of the membership cards'
    // series; runs inside the save's transaction and answers "" when there is no series.
    std::function<std::string(data::Db&)> draw_card;
};

// Adds (old_code empty) or rewrites the associate `old_code`; refuses with its message.
bool save_associate(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& customer, const std::string& old_code, const Associate& a,
                    const AssociateContext& ctx = {});
bool delete_associate(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& customer, const std::string& code);

inline constexpr const char* kBadBirthDate = "Debe de digitar la Fecha de Nacimiento correctamente";
inline constexpr const char* kNoRelation = "Debe de seleccionar un tipo de Relación";
inline constexpr const char* kAssociateCodeTaken = "Codigo ya definido";
inline constexpr const char* kNoAssociateCode = "Falta el código del asociado";
inline constexpr const char* kAssociateGone = "El asociado ya no existe";
inline constexpr const char* kDeleteAssociateAsk = "¿Desea borrar el asociado?";

}  // namespace qz::domain::customers
