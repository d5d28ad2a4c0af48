#include "domain/deposits/deposit_people.h"

#include "core/text.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

using namespace code_rows;

constexpr CodeTable kPeople{"HECHOPOR", "Depositante", kDepositPersonDuplicate};

}  // namespace

DepositPerson deposit_person_from_row(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")), trim(t.str("NOMBRE"))};
}

std::optional<DepositPerson> read_deposit_person(data::Db& db, const std::string& business,
                                                 const std::string& code) {
    return read_code_row<DepositPerson>(db, kPeople.table, business, code, deposit_person_from_row);
}

std::vector<DepositPerson> deposit_people(data::Db& db, const std::string& business) {
    return business_rows<DepositPerson>(db, kPeople.table, business, deposit_person_from_row);
}

bool save_deposit_person(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const DepositPerson& p) {
    if (auto e = check_code_and_name(kPeople, p.code, p.name); !e.empty()) return refuse(port, e);
    return write(db, port, kPeople, business, old_code, p.code, [&](data::WDBTable& t) {
        t.FieldPut("NEGOCIO", business);
        t.FieldPut("CODIGO", normal_code(p.code));
        t.FieldPut("NOMBRE", trim(p.name));
    });
}

bool delete_deposit_person(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code) {
    const std::string c = normal_code(code);
    return remove(
        db, port, kPeople, business, c,
        {named_by(db, "ENC_HLIB", "HECHO_POR", c, business, "el Depósito", "MOVIMIENTO")});
}

}  // namespace qz::domain
