#include "domain/ledger/instalments.h"

#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/printable_document.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

bool covers(const Decimal& paid, const Decimal& owed) { return paid.round(2) >= owed.round(2); }

// The first instalment that `covered` does not pay (the plan's size when it pays them all);
// `covered` keeps what is left of it.
size_t first_uncovered(const std::vector<PlanInstalment>& plan, Decimal& covered,
                       bool principal_only) {
    size_t i = 0;
    for (; i < plan.size(); ++i) {
        const Decimal owed = principal_only ? plan[i].principal : plan[i].total();
        if (!covers(covered, owed)) break;
        covered -= owed;
    }
    return i;
}

// What `covered` leaves owed of an instalment when it paid its interest first.
InstalmentPart reduced(const PlanInstalment& row, size_t index, const Decimal& covered) {
    if (row.interest >= covered) return {index, row.principal, row.interest - covered, {}};
    return {index, row.total() - covered, Decimal(), {}};
}

Decimal covered_by_payments(const InstalmentDocument& doc) {
    return doc.principal_paid() + doc.interest_paid;
}

// The first instalment due by the document's method, reduced to what is still owed of it.
std::optional<InstalmentPart> first_due(const InstalmentDocument& doc) {
    const bool by_principal = doc.method == 1;
    Decimal covered = by_principal ? doc.principal_paid() : covered_by_payments(doc);
    const size_t i = first_uncovered(doc.plan, covered, by_principal);
    if (i == doc.plan.size()) return std::nullopt;
    const PlanInstalment& row = doc.plan[i];
    if (by_principal) return InstalmentPart{i, row.principal - covered, row.interest, {}};
    return reduced(row, i, covered);
}

// Takes from `rest` what it can of `owed`.
Decimal take(Decimal& rest, const Decimal& owed) {
    const Decimal paid = std::max(Decimal(), std::min(rest, owed));
    rest -= paid;
    return paid;
}

long days_between(const Date& later, const Date& earlier) {
    return later.empty() || earlier.empty() ? 0 : later - earlier;
}

std::string amount_text(const Decimal& v) { return trim(pic_format(v, kAmountPicture)); }

void add_to_totals(DueTotals& t, const DueInstalment& d) {
    t.balance += d.principal;
    t.interest += d.interest;
    t.late += d.late;
    if (!d.overdue()) return;
    t.overdue_balance += d.principal;
    t.overdue_interest += d.interest;
}

int interest_method(data::Db& db, const std::string& business) {
    UsedTable fac(db, "F_FAC", "F_FAC");
    if (!fac->Seek(data::order_key("F_FAC", "F_FAC", {business}))) return 0;
    return static_cast<int>(fac->num("TIPO_INT_X").to_int());
}

InstalmentDocument document_from_row(const data::WDBTable& t) {
    InstalmentDocument d;
    d.number = trim(t.str("DOCUMENTO"));
    d.concept_code = trim(t.str("CONCEPTO"));
    d.currency = trim(t.str("MONEDA"));
    d.date = t.date("FECHA");
    d.amount = t.num("MONTO");
    d.balance = t.num("SALDO");
    d.interest_paid = t.num("INTERES");
    d.late_rate = t.num("I_MORA");
    return d;
}

}  // namespace

AmountSplit split_amount(const InstalmentDocument& doc, const Decimal& amount) {
    AmountSplit s;
    if (amount <= 0) return s;
    const auto first = first_due(doc);
    if (!first) {
        s.unapplied = amount;
        return s;
    }
    if (!covers(amount, first->interest)) {
        s.needed = first->interest;
        return s;
    }
    Decimal rest = amount;
    for (size_t i = first->index; i < doc.plan.size() && rest > 0; ++i) {
        const InstalmentPart owed =
            i == first->index ? *first
                              : InstalmentPart{i, doc.plan[i].principal, doc.plan[i].interest, {}};
        InstalmentPart paid{i, {}, {}, {}};
        paid.interest = take(rest, owed.interest);
        paid.principal = take(rest, owed.principal);
        s.principal += paid.principal;
        s.interest += paid.interest;
        s.parts.push_back(paid);
    }
    s.unapplied = rest;
    return s;
}

std::string interest_refusal(const Decimal& needed) {
    return kInterestRefusal + amount_text(needed);
}

Decimal late_interest(const Decimal& owed, const Decimal& rate, long days_overdue) {
    if (days_overdue <= 0) return Decimal();
    return ROUND5(owed * rate / 30 * days_overdue / 100);
}

DueInstalments instalments_due(const InstalmentDocument& doc, const Date& today) {
    DueInstalments out;
    Decimal covered = covered_by_payments(doc);
    const size_t first = first_uncovered(doc.plan, covered, false);
    for (size_t i = first; i < doc.plan.size(); ++i) {
        const PlanInstalment& row = doc.plan[i];
        const InstalmentPart owed = i == first ? reduced(row, i, covered)
                                               : InstalmentPart{i, row.principal, row.interest, {}};
        DueInstalment d;
        d.index = i;
        d.due = row.due;
        d.days_since_issue = days_between(row.due, doc.date);
        d.days_overdue = days_between(today, row.due);
        d.principal = owed.principal;
        d.interest = owed.interest;
        if (doc.late_interest && d.overdue())
            d.late = late_interest(d.principal + d.interest, doc.late_rate, d.days_overdue);
        add_to_totals(out.totals, d);
        out.rows.push_back(d);
    }
    return out;
}

std::string pay_instalments(const DueInstalments& due, const Decimal& amount,
                            InstalmentPayment& out) {
    if (!covers(due.totals.due(), amount)) return kOverBalance;
    InstalmentPayment pay;
    Decimal rest = amount;
    for (const auto& row : due.rows) {
        if (rest <= 0) break;
        InstalmentPart p{row.index, {}, {}, {}};
        p.late = take(rest, row.late);
        p.interest = take(rest, row.interest);
        p.principal = take(rest, row.principal);
        const ExtraInstalment left{row.index, row.principal - p.principal,
                                   row.interest - p.interest};
        if (p.principal + p.interest > 0 && left.total() > 0) pay.extra = left;
        pay.principal += p.principal;
        pay.interest += p.interest;
        pay.late += p.late;
        pay.parts.push_back(p);
    }
    out = pay;
    return "";
}

bool write_extra_instalment(data::Db& db, UserPort& port, const std::string& business,
                            const InstalmentDocument& doc, const ExtraInstalment& extra) {
    const PlanInstalment& row = doc.plan.at(extra.index);
    try {
        data::Transaction tx(db);
        bool unchanged = false;
        {
            UsedTable parc(db, "DOC_PARC", "DOC_PARC");
            unchanged = lock_plan_row(*parc, business, doc.number, row);
            if (unchanged) {
                parc->FieldPut("MONTO", row.principal - extra.principal);
                parc->FieldPut("INTERES", row.interest - extra.interest);
                data::UNLOCK_FOR_MODIFY(*parc);
                data::ADD_NEW_REC(*parc);
                parc->FieldPut("NEGOCIO", business);
                parc->FieldPut("DOCUMENTO", doc.number);
                parc->FieldPut("FECHA", row.due);
                parc->FieldPut("MONTO", extra.principal);
                parc->FieldPut("INTERES", extra.interest);
                data::UNLOCK_NEW_REC(*parc);
            }
        }
        tx.commit();  // nothing was written when the row had changed
        return unchanged || refuse(port, kPlanChanged);
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
}

std::optional<InstalmentPayment> take_instalment_payment(data::Db& db, UserPort& port,
                                                         const std::string& business,
                                                         const InstalmentDocument& doc,
                                                         const Date& today, const Decimal& amount) {
    InstalmentPayment pay;
    if (auto why = pay_instalments(instalments_due(doc, today), amount, pay); !why.empty()) {
        refuse(port, why);
        return std::nullopt;
    }
    if (pay.extra) {
        const std::string question =
            kExtraInstalment + amount_text(pay.extra->total()) + "\r¿Desea continuar?";
        if (!port.confirm("Advertencia", question)) return std::nullopt;
        if (!write_extra_instalment(db, port, business, doc, *pay.extra)) return std::nullopt;
    }
    return pay;
}

std::optional<NextCharge> next_charge(const InstalmentDocument& doc) {
    Decimal covered = covered_by_payments(doc);
    const size_t i = first_uncovered(doc.plan, covered, false);
    if (i == doc.plan.size()) return std::nullopt;
    const InstalmentPart owed = reduced(doc.plan[i], i, covered);
    return NextCharge{i, owed.principal, owed.interest};
}

bool lock_plan_row(data::WDBTable& parc, const std::string& business, const std::string& document,
                   const PlanInstalment& row) {
    if (row.source <= 0) return false;
    parc.GoTo(row.source);
    if (parc.Eof()) return false;
    data::LOCK_FOR_MODIFY(parc);  // reads the row again
    if (!parc.Deleted() && trim(parc.str("NEGOCIO")) == business &&
        trim(parc.str("DOCUMENTO")) == document && parc.date("FECHA") == row.due &&
        parc.num("MONTO") == row.principal && parc.num("INTERES") == row.interest)
        return true;
    data::UNLOCK_FOR_MODIFY(parc);
    return false;
}

std::vector<PlanInstalment> read_plan(data::Db& db, const std::string& business,
                                      const std::string& document) {
    UsedTable parc(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, document});
    parc->SetScope(key, key);
    std::vector<PlanInstalment> out;
    for (parc->GoTop(); !parc->Eof(); parc->Skip())
        out.push_back(
            {parc->date("FECHA"), parc->num("MONTO"), parc->num("INTERES"), parc->RecNo()});
    return out;
}

std::optional<InstalmentDocument> read_instalment_document(data::Db& db,
                                                           const std::string& business,
                                                           const std::string& document) {
    std::optional<InstalmentDocument> out;
    {
        UsedTable doc(db, "DOCUMENT", "DOCUMENT");
        if (!doc->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, document}))) return out;
        out = document_from_row(*doc);
    }
    if (auto c = read_document_concept(db, business, out->concept_code)) {
        out->instalments = c->flag("CUOTAS");
        out->late_interest = c->flag("INTERES");
    }
    out->method = interest_method(db, business);
    out->plan = read_plan(db, business, out->number);
    return out;
}

}  // namespace qz::domain
