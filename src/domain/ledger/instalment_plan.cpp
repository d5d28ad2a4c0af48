#include "domain/ledger/instalment_plan.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

bool has_interest(const std::vector<PlanInstalment>& rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [](const PlanInstalment& r) { return !r.interest.is_zero(); });
}

void put_row(data::WDBTable& parc, const PlanInstalment& r) {
    parc.FieldPut("FECHA", r.due);
    parc.FieldPut("MONTO", r.principal);
    parc.FieldPut("INTERES", r.interest);
}

// Locks every row of the history; false when the stored plan is no longer the history (a row
// gone or changed, or one added). The locks taken stay until the transaction ends.
bool lock_history(data::WDBTable& parc, const std::string& business,
                  const InstalmentDocument& doc) {
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, doc.number});
    parc.SetScope(key, key);
    const bool same_count = parc.KeyCount() == static_cast<long>(doc.plan.size());
    parc.ClearScope();
    if (!same_count) return false;
    for (const auto& h : doc.plan)
        if (!lock_plan_row(parc, business, doc.number, h)) return false;
    return true;
}

void write_rows(data::WDBTable& parc, const std::string& business, const InstalmentDocument& doc,
                const std::vector<PlanInstalment>& rows) {
    for (const auto& h : doc.plan) {
        const auto kept = std::find_if(rows.begin(), rows.end(), [&](const PlanInstalment& r) {
            return r.source == h.source;
        });
        parc.GoTo(h.source);
        if (kept == rows.end())
            parc.Delete();
        else
            put_row(parc, *kept);
        data::UNLOCK_FOR_MODIFY(parc);
    }
    for (const auto& r : rows) {
        if (r.source > 0) continue;
        data::ADD_NEW_REC(parc);
        parc.FieldPut("NEGOCIO", business);
        parc.FieldPut("DOCUMENTO", doc.number);
        put_row(parc, r);
        data::UNLOCK_NEW_REC(parc);
    }
}

}  // namespace

PlanEditor::PlanEditor(InstalmentDocument doc) : m_doc(std::move(doc)), m_rows(m_doc.plan) {}

bool PlanEditor::manages_interest() const { return m_doc.instalments || has_interest(m_doc.plan); }

Decimal PlanEditor::principal_total() const {
    Decimal total;
    for (const auto& r : m_rows) total += r.principal;
    return total;
}

std::string PlanEditor::set_due(size_t row, const Date& due) {
    if (due.empty()) return kBadDateText;
    m_rows.at(row).due = due;
    return "";
}

std::string PlanEditor::set_total(size_t row, const Decimal& total) {
    PlanInstalment& r = m_rows.at(row);
    if (r.interest > total) return kInterestOverInstalment;
    r.principal = total - r.interest;
    return "";
}

std::string PlanEditor::set_principal(size_t row, const Decimal& principal) {
    if (manages_interest()) return kDirectEdit;
    m_rows.at(row).principal = principal;
    return "";
}

std::string PlanEditor::set_interest(size_t row, const Decimal& interest) {
    if (manages_interest()) return kDirectEdit;
    m_rows.at(row).interest = interest;
    return "";
}

std::string PlanEditor::spread_below(size_t row) {
    if (!has_rows_below(row)) return "";
    Decimal rest = m_doc.amount;
    for (size_t i = 0; i <= row; ++i) rest -= m_rows[i].principal;
    if (rest < 0) return kPlanAmountsDiffer;
    const long below = static_cast<long>(m_rows.size() - row - 1);
    // Cut, not rounded, so that the last row never goes below the others.
    const Decimal each = (rest / below).trunc(2);
    for (size_t i = row + 1; i + 1 < m_rows.size(); ++i) m_rows[i].principal = each;
    m_rows.back().principal = rest - each * (below - 1);
    return "";
}

void PlanEditor::add_row() {
    PlanInstalment r;
    r.due = m_rows.empty() ? m_doc.date : m_rows.back().due.add_months(1);
    m_rows.push_back(r);
}

void PlanEditor::remove_row(size_t row) { m_rows.erase(m_rows.begin() + static_cast<long>(row)); }

std::string PlanEditor::check() const {
    for (const auto& r : m_rows) {
        if (r.due.empty()) return kBadDateText;
        if (r.principal < 0) return kInterestOverInstalment;
    }
    if (principal_total().round(2) != m_doc.amount.round(2)) return kPlanAmountsDiffer;
    return "";
}

bool PlanEditor::save(data::Db& db, UserPort& port, const std::string& business) {
    if (auto why = check(); !why.empty()) return refuse(port, why);
    try {
        data::Transaction tx(db);
        bool same = false;
        {
            UsedTable parc(db, "DOC_PARC", "DOC_PARC");
            same = lock_history(*parc, business, m_doc);
            if (same) write_rows(*parc, business, m_doc, m_rows);
        }
        tx.commit();  // nothing was written when the plan had changed
        if (!same) return refuse(port, kPlanChanged);
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    m_doc.plan = read_plan(db, business, m_doc.number);
    m_rows = m_doc.plan;
    return true;
}

}  // namespace qz::domain
