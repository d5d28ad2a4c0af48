#pragma once
// Moving rows between stages, all or nothing. Every row of a move is locked and must still stand
// where the screen saw it; one that another workstation moved meanwhile, or that stays locked
// elsewhere, refuses the whole move and leaves every row as it was. Each row moved gets its
// credit approval from the stage it enters and a line in the stage history.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/collections/stage_chain.h"

namespace qz::domain {

// HIST_ETAP.MOVIDA
enum class MoveKind : char {
    Forward = 'S',
    Back = 'A',
    Approval = 'P',
    Invoiced = 'F',
    Annulled = 'N',
};

struct StageMove {
    std::string business, from_stage, to_stage;
    std::vector<std::string> rows;         // document or order numbers
    bool approve_credit = false;           // APROB_CRED of the rows moved
    std::optional<std::string> collector;  // COBRADOR of the rows moved, when it changes
    MoveKind kind = MoveKind::Forward;
    std::string authoriser, authoriser_name, reason;
    std::string user, info_user;
    Date date;
    std::string time;
};

// "" when every row moved; else why none did.
std::string apply_stage_move(data::Db& db, const StageWorkflow& w, const StageMove& m);

// One line of a row's stage history, oldest first.
struct StageHistoryLine {
    Date date;
    std::string time, from_stage, to_stage, authoriser, authoriser_name, collector, reason, user;
    MoveKind kind = MoveKind::Forward;
};
std::vector<StageHistoryLine> stage_history(data::Db& db, const StageWorkflow& w,
                                            const std::string& business, const std::string& row);

// The row `number` of the workflow no longer stands in `stage`.
std::string moved_meanwhile(const std::string& number);
// The row `number` stayed locked by another workstation.
std::string locked_elsewhere(const std::string& number);

}  // namespace qz::domain
