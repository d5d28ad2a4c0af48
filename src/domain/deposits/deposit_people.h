#pragma once
// The people who bring deposits to the desk (HECHOPOR): a code table of the business that every
// deposit names as who made it (ENC_HLIB.HECHO_POR). One row mapper here; the list screen and the
// deposit screen only show these structs.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct DepositPerson {
    std::string code, name;  // CODIGO, NOMBRE
};

DepositPerson deposit_person_from_row(const data::WDBTable& t);
std::optional<DepositPerson> read_deposit_person(data::Db& db, const std::string& business,
                                                 const std::string& code);
std::vector<DepositPerson> deposit_people(data::Db& db, const std::string& business);

// Add (`old_code` empty) or change one in one transaction; a code never changes, the deposits
// made by the person keep it. Every refusal is shown through `port` and writes nothing.
bool save_deposit_person(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const DepositPerson& p);
// Delete after the question; refused while a deposit names the person.
bool delete_deposit_person(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code);

inline constexpr const char* kDepositPersonDuplicate = "Este Código de Depositante ya existe...";

}  // namespace qz::domain
