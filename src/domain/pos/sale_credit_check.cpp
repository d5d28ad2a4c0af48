#include "domain/pos/sale_credit_check.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/credit_figures.h"
#include "domain/ledger/rates.h"

namespace qz::domain::pos {

namespace {

// A sale opened from an order or a proforma keeps the credit approval that document got.
bool source_approved(SaleRun& r) {
    const SaleMode& m = r.draft.mode();
    const char* table =
        m.source_mode == kInvoiceFromOrder                                             ? "ENC_PED2"
        : m.source_mode == kOrderFromProforma || m.source_mode == kInvoiceFromProforma ? "ENC_PRO2"
                                                                                       : nullptr;
    if (!table || trim(m.source_document).empty()) return false;
    data::Table t = data::USE(r.db, table, "ENC_DOC2");
    const bool approved =
        t->Seek(data::order_key(table, "ENC_DOC2", {r.business, trim(m.source_document)})) &&
        t->num("APROB_CRED") == 1;
    data::KILLTABLA(r.db, t);
    return approved;
}

}  // namespace

bool CHECK_CREDITOS(SaleRun& r) {
    const SaleSettings& s = r.settings.sale;
    const auto& branch = r.draft.branch();
    if (s.no_credit_check || !branch || branch->no_check) return true;
    const RateOptions column{.column = s.rate_column};
    const Date today = r.ctx.date;
    const auto lookup = [&](const std::string& to, const std::string& from) {
        const RequiredRate rate = required_rate(r.db, r.business, to, from, today, column);
        return customers::CreditRate{rate.factor, rate.problem};
    };
    const std::string limit_currency =
        branch->limit_currency.empty() ? s.limit_currency : branch->limit_currency;
    // A cash concept is paid in full at the counter: the sale adds nothing to what the customer
    // owes, so a walk-in customer without a limit is not stopped for credit on every cash sale.
    // What the customer already owes, overdue or over the limit, is still judged.
    Decimal amount =
        r.concept_def.flag("CANCELA") ? Decimal(0) : r.amount_due() + r.draft.figures().others();
    if (!limit_currency.empty()) {
        const auto rate = lookup(limit_currency, r.draft.header().currency);
        if (!rate.problem.empty()) return r.refuse(rate.problem);
        amount = (amount * rate.factor).round(2);
    }
    const customers::CreditFigures f = customers::branch_credit_figures(
        r.db, r.business, r.customer->code, branch->code, amount, today, lookup);
    // Credit is never judged on a sum that left a document out.
    if (!f.rate_problem.empty()) return r.refuse(f.rate_problem);
    const bool over = f.overdue_key() || f.excess_key();
    if (r.concept_def.debit != 1 || !over || source_approved(r) ||
        !customers::credit_keys_set(r.db, r.business))
        return true;
    const SaleMode& m = r.draft.mode();
    const bool no_keys = m.kind == SaleKind::Order || m.source_mode == kOrderFromProforma;
    if (r.hooks.credit_control(*branch, f, no_keys)) {
        r.credit_accepted = true;
        return true;
    }
    r.hooks.focus_lines();
    return false;
}

}  // namespace qz::domain::pos
