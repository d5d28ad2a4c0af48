#pragma once
// Where a new receivable document enters the collection stages (ETAPA_COB): the stage of the
// customer's branch, else the stage of the document's concept, else the business's.
#include <string>

#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/ledger_settings.h"

namespace qz::domain {

std::string collection_stage(const std::string& branch_stage, const DocumentConcept& c,
                             const LedgerSettings& settings);

// The ETAPA_COB of the customer's branch (DET_CLIE); "" when it has none.
std::string branch_collection_stage(data::Db& db, const std::string& business,
                                    const std::string& customer, const std::string& branch);

}  // namespace qz::domain
