#include "domain/ledger/collection_entry.h"

#include "core/text.h"
#include "domain/customers/customer_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

std::string collection_stage(const std::string& branch_stage, const DocumentConcept& c,
                             const LedgerSettings& settings) {
    if (!trim(branch_stage).empty()) return trim(branch_stage);
    if (!c.collection_stage.empty()) return c.collection_stage;
    return settings.collection_stage;
}

std::string branch_collection_stage(data::Db& db, const std::string& business,
                                    const std::string& customer, const std::string& branch) {
    for (const auto& s : customers::customer_branches(db, business, customer))
        if (normal_code(s.branch.code) == normal_code(branch)) return trim(s.branch.stage);
    return "";
}

}  // namespace qz::domain
