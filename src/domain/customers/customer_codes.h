#pragma once
// The customer master's code tables: customer classifications (CLAS_CLI), branch
// classifications (CLAS_CL2), customer categories (CATEGORS) and collection zones (ZONAS). A new
// code is carried into the customers or branches that use it in the transaction that changes
// it; a code in use is not deleted, since its users would be left naming nothing.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::customers {

enum class CodeKind { Classification, BranchClassification, Category, Zone };

struct CodeEntry {
    std::string code;
    std::string description;  // DESCRIP
};

// The table of a kind ("CLAS_CLI", ...).
const char* code_table(CodeKind kind);
std::vector<CodeEntry> code_entries(data::Db& db, CodeKind kind, const std::string& business);
// The rows that use a code (customers or branches).
long code_users(data::Db& db, CodeKind kind, const std::string& business, const std::string& code);

// What the customer editor offers from a table of the business keyed NEGOCIO + code in the
// order of its own name (currencies, price types, agents, concepts and the code tables above).
std::vector<CodeEntry> choices(data::Db& db, const std::string& table, const std::string& business,
                               const std::string& code_field, const std::string& name_field);

bool add_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
              const CodeEntry& entry);
bool modify_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
                 const std::string& old_code, const CodeEntry& entry);
bool delete_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
                 const std::string& code);

}  // namespace qz::domain::customers
