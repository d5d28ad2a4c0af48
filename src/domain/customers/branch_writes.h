#pragma once
// The branches' part of a customer's save: what to do with each row of the editor (decided, with
// the user's answers, before the transaction) and the writes themselves (inside it).
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_save.h"

namespace qz::domain::customers {

enum class BranchAction {
    Write,           // a live row: rewritten (re-coding its documents if its code changed) or added
    Skip,            // a deleted row that never reached DET_CLIE
    Delete,          // a deleted branch without documents
    MoveThenDelete,  // a deleted branch whose documents go to the principal branch
    Keep,            // a deleted branch with documents the user chose to keep
};

struct BranchPlan {
    std::vector<BranchAction> actions;  // one per form row
    std::optional<Refusal> refusal;
};

// Asks, for each deleted branch with documents, whether to move them to the principal branch.
// A kept branch whose code a live row now uses is refused: both cannot stay.
BranchPlan plan_branches(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& customer, const CustomerForm& form);

// Deletions first (freeing their codes), then code changes, then every live row's fields. The
// customer's rows already carry `customer`.
void write_branches(data::Db& db, const std::string& business, const std::string& customer,
                    const CustomerForm& form, const BranchPlan& plan, WaitWindow* wait);

}  // namespace qz::domain::customers
