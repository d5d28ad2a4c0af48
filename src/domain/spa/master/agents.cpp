#include "domain/spa/master/agents.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::spa {

namespace {

std::string agent_key(const std::string& business, const std::string& code) {
    return data::order_key("AGENTES", "AGENTES", {business, code});
}

}  // namespace

Agent agent_from_row(const data::WDBTable& t) {
    return Agent{trim(t.str("CODIGO")),         trim(t.str("NOMBRE")), trim(t.str("DIRECCION")),
                 trim(t.str("TELEFONO")),       t.num("DESCUENTO"),    trim(t.str("ACTIVO")) != "N",
                 t.num("VER_SPA") == Decimal(1)};
}

void put_agent_row(data::WDBTable& t, const std::string& business, const Agent& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(a.code));
    t.FieldPut("NOMBRE", trim(a.name));
    t.FieldPut("DIRECCION", trim(a.address));
    t.FieldPut("TELEFONO", trim(a.phone));
    t.FieldPut("DESCUENTO", a.discount);
    t.FieldPut("ACTIVO", std::string(a.active ? "S" : "N"));
    t.FieldPut("VER_SPA", Decimal(a.spa ? 1 : 0));
}

std::optional<Agent> read_agent(data::Db& db, const std::string& business,
                                const std::string& code) {
    return read_code_row<Agent>(db, "AGENTES", business, code, agent_from_row);
}

std::vector<Agent> business_agents(data::Db& db, const std::string& business) {
    return business_rows<Agent>(db, "AGENTES", business, agent_from_row);
}

std::string check_agent(const Agent& a) {
    const std::string code = normal_code(a.code);
    if (code.empty()) return "El código de agente es requerido...";
    if (auto problem = code_width_problem("El código de agente", code, "AGENTES", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(a.name).empty()) return "El nombre del agente es requerido...";
    if (a.discount < Decimal(0) || a.discount > Decimal(100))
        return "El descuento del agente debe estar entre 0 y 100...";
    return "";
}

bool add_agent(data::Db& db, UserPort& port, const std::string& business, const Agent& agent) {
    if (auto problem = check_agent(agent); !problem.empty()) return refuse(port, problem);
    if (key_exists(db, "AGENTES", "AGENTES", {business, normal_code(agent.code)}))
        return refuse(port, kAgentDuplicate);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "AGENTES", "AGENTES");
    data::ADD_NEW_REC(*t);
    put_agent_row(*t, business, agent);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

long recode_agent_references(data::Db& db, const std::string& business, const std::string& old_code,
                             const std::string& new_code) {
    const auto by = [&](const char* table, const char* order, const char* field) {
        return recode_by_order(db, table, order, {business, old_code}, field, new_code);
    };
    long done = by("SPA_RESE", "SPA_HEC", "ENCARGADO");
    done += by("DOCUMENT", "DOCUMEN11", "AGENTE");
    done += by("DET_CLIE", "DET_CLIE15", "SUGIERE_A");
    // A business has a handful of registers: walking them is cheaper than another order.
    done += recode_in_scope(db, "CAJA_ENC", "CAJA_ENC", business, "DEF_AGENTE", old_code, new_code);
    return done;
}

bool modify_agent(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& old_code, const Agent& agent) {
    if (auto problem = check_agent(agent); !problem.empty()) return refuse(port, problem);
    const std::string old_c = normal_code(old_code), new_c = normal_code(agent.code);
    if (!read_agent(db, business, old_c))
        return refuse(port, "El agente " + old_c + " ya no existe...");
    const bool recode = old_c != new_c;
    if (recode && key_exists(db, "AGENTES", "AGENTES", {business, new_c}))
        return refuse(port, kAgentDuplicate);
    auto wait = recode ? port.wait("Un momento por favor...") : nullptr;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "AGENTES", "AGENTES");
        // Another workstation may have deleted or re-coded it since: nothing is written.
        if (!lock_at_key(*t, agent_key(business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, "El agente " + old_c + " ya no existe...");
        }
        put_agent_row(*t, business, agent);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (recode) recode_agent_references(db, business, old_c, new_c);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_agent(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& code) {
    if (!port.confirm("Advertencia", kAgentDeleteAsk)) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "AGENTES", "AGENTES");
    const bool found = lock_at_key(*t, agent_key(business, normal_code(code)));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

}  // namespace qz::domain::spa
