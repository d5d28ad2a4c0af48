#pragma once
// Persons in charge of the spa, who are also the business's sales agents (AGENTES). A code is
// kept by reservations, documents, branches and registers, so changing it re-codes them all in
// the transaction that changes the agent.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::spa {

struct Agent {
    std::string code;
    std::string name;
    std::string address;
    std::string phone;
    Decimal discount;    // DESCUENTO, percent
    bool active = true;  // ACTIVO "S"/"N"
    bool spa = true;     // VER_SPA: offered as person in charge of spa reservations
};

// The one place that knows an agent's row: every reader and writer of AGENTES goes through these.
Agent agent_from_row(const data::WDBTable& t);
void put_agent_row(data::WDBTable& t, const std::string& business, const Agent& a);

std::optional<Agent> read_agent(data::Db& db, const std::string& business, const std::string& code);
// Every agent of the business in code order.
std::vector<Agent> business_agents(data::Db& db, const std::string& business);

// What is wrong with an agent form; "" when nothing.
std::string check_agent(const Agent& agent);

// ADD_AGENTE: refuses a bad form or a code already defined ("Código de agente ya definido...").
bool add_agent(data::Db& db, UserPort& port, const std::string& business, const Agent& agent);

// MOD_AGENTE of `old_code`. A new code re-codes, in the same transaction, the persons in charge
// of the business's spa reservations, the agent of its receivable documents, the suggested agent
// of its customer branches and the default agent of its registers.
bool modify_agent(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& old_code, const Agent& agent);

// DEL_AGENTE after "Desea borrar el Agente?".
bool delete_agent(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& code);

// The re-coding of a code change, in the caller's transaction. Returns the rows rewritten.
long recode_agent_references(data::Db& db, const std::string& business, const std::string& old_code,
                             const std::string& new_code);

inline constexpr const char* kAgentDuplicate = "Código de agente ya definido...";
inline constexpr const char* kAgentDeleteAsk = "Desea borrar el Agente?";

}  // namespace qz::domain::spa
