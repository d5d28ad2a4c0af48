#pragma once
// Concept sets (ENC_CCON with their members in DET_CCON): named groups of document concepts by
// which reports add up documents. A concept is a member of a set once.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

struct ConceptSet {
    std::string code, name;  // CODIGO (10 characters), DESCRIP
};

std::vector<ConceptSet> concept_sets(data::Db& db, const std::string& business);
// The member concepts of a set, in the order they were added.
std::vector<std::string> set_members(data::Db& db, const std::string& business,
                                     const std::string& set);

// Adds (`old_code` empty) or renames a set; a new code moves its members along in the same
// transaction. "Código ya definido..." for a code another set has.
bool save_concept_set(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const ConceptSet& s);
// After the question, removes the set with its memberships.
bool delete_concept_set(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code);

// "-->": the concept joins the set; "<--": it leaves it. Refusals are told; true when done.
bool add_set_member(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& set, const std::string& concept_code);
bool remove_set_member(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& set, const std::string& concept_code);

// Removes a concept from every set; the caller holds the transaction.
void remove_from_every_set(data::Db& db, const std::string& business,
                           const std::string& concept_code);

inline constexpr const char* kSetDuplicate = "Código ya definido...";

}  // namespace qz::domain
