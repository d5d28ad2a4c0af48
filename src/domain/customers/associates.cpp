#include "domain/customers/associates.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

std::string associate_key(const std::string& business, const std::string& customer,
                          const std::string& code) {
    return data::order_key("DET_CLI3", "DET_CLI3",
                           {business, normal_code(customer), normal_code(code)});
}

void put_associate_row(data::WDBTable& t, const std::string& business, const std::string& customer,
                       const Associate& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", normal_code(customer));
    t.FieldPut("CODIGO", normal_code(a.code));
    t.FieldPut("NOMBRE", trim(a.name));
    t.FieldPut("FECHA_NACI", a.birth);
    t.FieldPut("DIRECCION", trim(a.address));
    t.FieldPut("SEXO", Decimal(a.sex));
    t.FieldPut("RELACION", Decimal(a.relation));
    t.FieldPut("AUTO_CONSU", Decimal(a.self_consumption ? 1 : 0));
    t.FieldPut("CARNET", trim(a.card));
}

// The refusal of an associate as typed, in the editor's order; "" when it may be saved. An
// associate's code names one member of the whole business (the card desk finds him by it).
std::string check_associate(data::Db& db, const std::string& business, const std::string& old_code,
                            const Associate& a) {
    if (a.birth.empty() || a.birth > db.clock().now().date) return kBadBirthDate;
    if (a.relation < 1 || a.relation > static_cast<int>(relation_names().size()))
        return kNoRelation;
    if (normal_code(a.code).empty()) return kNoAssociateCode;
    if (std::string why = code_width_problem("El código", a.code, "DET_CLI3", "CODIGO");
        !why.empty())
        return why;
    if (normal_code(a.code) != normal_code(old_code) &&
        key_exists(db, "DET_CLI3", "DET_CLI2", {business, normal_code(a.code)}))
        return kAssociateCodeTaken;
    return "";
}

// CLIENTES->ASOCIADOS of the customer after its associates changed; the caller's transaction.
void flag_associates(data::Db& db, const std::string& business, const std::string& customer) {
    const bool has = key_exists(db, "DET_CLI3", "DET_CLI3", {business, normal_code(customer)});
    data::Table t = data::USE(db, "CLIENTES", "CLIENTES");
    if (lock_at_key(*t,
                    data::order_key("CLIENTES", "CLIENTES", {business, normal_code(customer)}))) {
        t->FieldPut("ASOCIADOS", Decimal(has ? 1 : 0));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

// Writes through `write` and sets the customer's flag in one transaction.
template <class Write>
bool in_transaction(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& customer, Write write) {
    try {
        data::Transaction tx(db);
        if (!write()) {
            tx.rollback();
            return refuse(port, kAssociateGone);
        }
        flag_associates(db, business, customer);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace

const std::vector<std::string>& relation_names() {
    static const std::vector<std::string> names = {"Cónyuge", "Hijo(a)", "Padre / Madre",
                                                   "Hermano(a)", "Otro"};
    return names;
}

const std::vector<std::string>& sex_names() {
    static const std::vector<std::string> names = {"Masculino", "Femenino"};
    return names;
}

Associate associate_from_row(const data::WDBTable& t) {
    Associate a;
    a.code = trim(t.str("CODIGO"));
    a.name = trim(t.str("NOMBRE"));
    a.birth = t.date("FECHA_NACI");
    a.address = trim(t.str("DIRECCION"));
    a.sex = static_cast<int>(t.num("SEXO").to_int());
    a.relation = static_cast<int>(t.num("RELACION").to_int());
    a.self_consumption = t.num("AUTO_CONSU") != 0;
    a.card = trim(t.str("CARNET"));
    return a;
}

std::vector<Associate> customer_associates(data::Db& db, const std::string& business,
                                           const std::string& customer) {
    std::vector<Associate> out;
    data::Table t = data::USE(db, "DET_CLI3", "DET_CLI3");
    const std::string scope =
        data::order_key("DET_CLI3", "DET_CLI3", {business, normal_code(customer)});
    t->SetScope(scope, scope);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(associate_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

bool save_associate(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& customer, const std::string& old_code, const Associate& a,
                    const AssociateContext& ctx) {
    if (std::string problem = check_associate(db, business, old_code, a); !problem.empty())
        return refuse(port, problem);
    const bool is_new = normal_code(old_code).empty();
    return in_transaction(db, port, business, customer, [&] {
        Associate row = a;
        // Drawn inside the transaction: a save that fails gives its number back.
        if (is_new && trim(row.card).empty() && ctx.draw_card) row.card = ctx.draw_card(db);
        data::Table t = data::USE(db, "DET_CLI3", "DET_CLI3");
        const bool found = is_new || lock_at_key(*t, associate_key(business, customer, old_code));
        if (is_new && found) data::ADD_NEW_REC(*t);
        if (found) {
            put_associate_row(*t, business, customer, row);
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        return found;
    });
}

bool delete_associate(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& customer, const std::string& code) {
    if (!port.confirm("Advertencia", kDeleteAssociateAsk)) return false;
    return in_transaction(db, port, business, customer, [&] {
        data::Table t = data::USE(db, "DET_CLI3", "DET_CLI3");
        const bool found = lock_at_key(*t, associate_key(business, customer, code));
        if (found) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        return found;
    });
}

}  // namespace qz::domain::customers
