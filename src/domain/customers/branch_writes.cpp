#include "domain/customers/branch_writes.h"

#include "data/table_ops.h"
#include "domain/customers/customer_recode.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

// Documents going from one branch code to another.
struct Move {
    std::string from, to;
};

std::string principal_code(const CustomerForm& form) {
    for (const auto& r : form.branches)
        if (!r.deleted && r.branch.principal) return normal_code(r.branch.code);
    return "";
}

bool renamed(const BranchRow& r) {
    return !r.deleted && r.recno != 0 && normal_code(r.original_code) != normal_code(r.branch.code);
}

std::vector<Move> document_moves(const CustomerForm& form, const BranchPlan& plan) {
    std::vector<Move> moves;
    for (size_t i = 0; i < form.branches.size(); ++i) {
        const BranchRow& r = form.branches[i];
        if (renamed(r))
            moves.push_back({normal_code(r.original_code), normal_code(r.branch.code)});
        else if (plan.actions[i] == BranchAction::MoveThenDelete)
            moves.push_back({normal_code(r.original_code), principal_code(form)});
    }
    return moves;
}

// Whether a move lands on a code another move takes documents from: done one after the other,
// the second would carry the first one's documents along (two branches swapping codes).
bool moves_overlap(const std::vector<Move>& moves) {
    for (const auto& a : moves)
        for (const auto& b : moves)
            if (&a != &b && a.to == b.from) return true;
    return false;
}

// A code no branch has: "~" cannot be typed into a branch code that reaches the key.
std::string parking_code(size_t k) { return "~" + std::to_string(k); }

// The stored branch at `recno` under its lock; false when another workstation deleted it.
bool lock_branch(data::WDBTable& t, long recno) {
    t.GoTo(recno);
    if (t.Eof()) return false;
    data::LOCK_FOR_MODIFY(t);
    if (!t.Eof() && !t.Deleted()) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

void move_documents(data::Db& db, const std::string& business, const std::string& customer,
                    std::vector<Move> moves, WaitWindow* wait) {
    if (moves_overlap(moves))
        for (size_t k = 0; k < moves.size(); ++k) {
            recode_branch(db, business, customer, moves[k].from, parking_code(k), wait);
            moves[k].from = parking_code(k);
        }
    for (const auto& m : moves) recode_branch(db, business, customer, m.from, m.to, wait);
}

}  // namespace

BranchPlan plan_branches(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& customer, const CustomerForm& form) {
    BranchPlan plan;
    for (const auto& r : form.branches) {
        if (!r.deleted) {
            plan.actions.push_back(BranchAction::Write);
        } else if (r.recno == 0) {
            plan.actions.push_back(BranchAction::Skip);
        } else if (branch_has_documents(db, business, customer, normal_code(r.original_code))) {
            plan.actions.push_back(port.confirm("Advertencia", kBranchDocsAsk)
                                       ? BranchAction::MoveThenDelete
                                       : BranchAction::Keep);
        } else {
            plan.actions.push_back(BranchAction::Delete);
        }
    }
    for (size_t i = 0; i < form.branches.size(); ++i) {
        if (plan.actions[i] != BranchAction::Keep) continue;
        for (size_t j = 0; j < form.branches.size(); ++j)
            if (!form.branches[j].deleted && normal_code(form.branches[j].branch.code) ==
                                                 normal_code(form.branches[i].original_code))
                plan.refusal = Refusal{"Código de Sucursal ya definido... ", Focus::BranchCode,
                                       static_cast<int>(j)};
    }
    return plan;
}

void write_branches(data::Db& db, const std::string& business, const std::string& customer,
                    const CustomerForm& form, const BranchPlan& plan, WaitWindow* wait) {
    data::Table t = data::USE(db, "DET_CLIE", "DET_CLIE7");
    const auto& rows = form.branches;
    for (size_t i = 0; i < rows.size(); ++i) {
        const BranchAction a = plan.actions[i];
        if ((a == BranchAction::Delete || a == BranchAction::MoveThenDelete) &&
            lock_branch(*t, rows[i].recno)) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
    }
    const auto moves = document_moves(form, plan);
    move_documents(db, business, customer, moves, wait);
    // Swapped codes would meet in the branches' unique order: park them first.
    if (moves_overlap(moves))
        for (size_t i = 0; i < rows.size(); ++i)
            if (renamed(rows[i]) && lock_branch(*t, rows[i].recno)) {
                t->FieldPut("CODIGO", parking_code(i));
                data::UNLOCK_FOR_MODIFY(*t);
            }
    // Stored rows before new ones: a new branch may take the code a stored one gives up.
    for (const bool stored : {true, false})
        for (size_t i = 0; i < rows.size(); ++i) {
            if (plan.actions[i] != BranchAction::Write || (rows[i].recno != 0) != stored) continue;
            if (!stored || !lock_branch(*t, rows[i].recno)) data::ADD_NEW_REC(*t);
            put_branch_row(*t, business, customer, rows[i].branch);
            data::UNLOCK_FOR_MODIFY(*t);
        }
    data::KILLTABLA(db, t);
}

}  // namespace qz::domain::customers
