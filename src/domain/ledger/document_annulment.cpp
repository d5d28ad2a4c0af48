#include "domain/ledger/document_annulment.h"

#include <optional>
#include <variant>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/document_annulment_listeners.h"
#include "domain/ledger/journal.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

using annulment::Doc;
using annulment::Rules;

namespace {

AnnulmentResult refused(std::string message, AnnulmentStatus status = AnnulmentStatus::Refused) {
    AnnulmentResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

AnnulmentResult refused_shown(UserPort& port, const std::string& message) {
    refuse(port, message);
    return refused(message);
}

// Checks 1 to 3: what the document's own state forbids; "" when nothing. They run again on the
// locked row, since a payment may have come in while the user was confirming.
std::string state_problem(const Doc& d, const std::optional<DocumentConcept>& c) {
    const bool cash_sale = c && c->flag("NO_CXC");
    if (!d.annulled.empty()) return "Este documento ya se encuentra anulado";
    if (!cash_sale && d.amount != d.balance)
        return "Este documento ya ha recibido Abonos.No se puede anular...";
    if (cash_sale && d.balance == d.amount)
        return "Este documento ya ha recibido Anulación de Abonos.Debe volver a aplicar un pago "
               "y dejar el saldo en Cero, antes de poder anular el presente documento\rNo se "
               "puede anular...";
    return "";
}

// Check 6: a credit note that an over-payment created goes with its payment.
bool made_by_payment(data::Db& db, const std::string& business, const std::string& number) {
    return key_exists(db, "ENC_MOVE", "ENC_MOV11", {business, number});
}

AnnulmentPreview preview_of(const Doc& d) {
    return {d.number, d.customer, d.name, d.currency, d.date, d.due, d.amount, d.balance};
}

// Checks 1 to 8 in order, each refusal shown; the plan when the annulment may go ahead.
std::variant<AnnulmentPlan, AnnulmentResult> decide(data::Db& db, UserPort& port,
                                                    const AnnulmentRequest& r,
                                                    const ConfirmAnnulment& confirm) {
    const auto doc = annulment::read_doc(db, r.business, r.document);
    if (!doc) return refused_shown(port, "El documento " + trim(r.document) + " no existe");
    AnnulmentPlan p{*doc, read_document_concept(db, r.business, doc->concept_code), {}, {}, {},
                    false};
    if (auto problem = state_problem(p.doc, p.concept_row); !problem.empty())
        return refused_shown(port, problem);
    const Rules rules = annulment::read_rules(db, r.business);
    if (auto problem = annulment::date_problem(r.date, p.doc.date, rules); !problem.empty())
        return refused_shown(port, problem);
    p.posts = rules.posts;
    if (p.posts && !check_mayorizar(db, port, r.business, r.date))
        return refused("Período contable cerrado");
    if (made_by_payment(db, r.business, p.doc.number))
        return refused_shown(port,
                             "La nota de crédito que desea anular, se creo producto de un "
                             "abono\r\nPara anularlo se debe anular el abono");
    if (!confirm(preview_of(p.doc))) return refused("", AnnulmentStatus::Declined);
    const std::string opposite = p.concept_row ? p.concept_row->opposite : "";
    const auto opposite_row = read_document_concept(db, r.business, opposite);
    if (!opposite_row)
        return refused_shown(port, "El concepto de Anulación " + opposite + " no está definido");
    p.opposite = *opposite_row;
    p.mirror = annulment::mirror_number(p.doc.number, data::field_width("DOCUMENT", "DOCUMENTO"));
    if (key_exists(db, "DOCUMENT", "DOCUMENT", {r.business, p.mirror}))
        return refused_shown(port, "Ya existe un documento con el número de anulación " + p.mirror +
                                       ". No se puede anular...");
    if (p.concept_row && p.concept_row->flag("NO_CXC")) {
        auto payments = annulment::plan_payment_mirrors(db, r.business, p.doc);
        if (!payments.refusal.empty()) return refused_shown(port, payments.refusal);
        p.payments = std::move(payments.payments);
    }
    return p;
}

// Writes the annulment; the refusal when the locked document no longer allows it.
std::optional<std::string> write(data::Db& db, const annulment::Stamp& s, const AnnulmentPlan& p,
                                 std::string& journal_problem) {
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (!lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {s.business, p.doc.number}))) {
        data::KILLTABLA(db, t);
        return "El documento " + p.doc.number + " no existe";
    }
    const Doc now = annulment::doc_from_row(*t);
    if (auto problem = state_problem(now, p.concept_row); !problem.empty()) {
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        return problem;
    }
    annulment::release_work_orders(db, s.business, p.doc.number);
    annulment::append_mirror(db, s, *t, p.opposite.code, p.mirror);
    annulment::mark_annulled(*t, s, p.mirror);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    annulment::reverse_lines_and_stock(db, s, now, p.opposite, p.mirror);
    if (p.posts)
        journal_problem =
            annulment::reverse_postings(db, s, now, *p.concept_row, p.mirror, p.payments);
    annulment::mirror_payments(db, s, now, p.payments);
    return std::nullopt;
}

}  // namespace

std::variant<AnnulmentDecision, AnnulmentResult> decide_annulment(data::Db& db, UserPort& port,
                                                                  const AnnulmentRequest& r,
                                                                  const ConfirmAnnulment& confirm) {
    auto decided = decide(db, port, r, confirm);
    if (auto* refusal = std::get_if<AnnulmentResult>(&decided)) return *refusal;
    return AnnulmentDecision{
        std::make_shared<const AnnulmentPlan>(std::move(std::get<AnnulmentPlan>(decided)))};
}

AnnulmentResult annul_document(data::Db& db, UserPort& port, const AnnulmentRequest& r,
                               const ConfirmAnnulment& confirm) {
    auto decided = decide_annulment(db, port, r, confirm);
    if (auto* refusal = std::get_if<AnnulmentResult>(&decided)) return *refusal;
    return write_annulment(db, port, r, std::get<AnnulmentDecision>(decided));
}

AnnulmentResult write_annulment(data::Db& db, UserPort& port, const AnnulmentRequest& r,
                                const AnnulmentDecision& decision) {
    const AnnulmentPlan& p = *decision.plan;
    const annulment::Stamp s{r.business, r.user, info_user(db.clock().now()), r.date,
                             db.clock().now()};
    std::string journal_problem;
    try {
        data::Transaction tx(db, data::kTransDocCancel);
        if (auto problem = write(db, s, p, journal_problem)) {
            tx.commit();  // nothing was written: this only gives the lock back
            return refused_shown(port, *problem);
        }
        tx.commit();
    } catch (const data::DbError&) {
        port.message(MsgStyle::Error, "Error", kAnnulmentFailed);
        return refused(kAnnulmentFailed, AnnulmentStatus::Failed);
    }
    if (!journal_problem.empty()) port.message(MsgStyle::Error, "Error", journal_problem);
    port.message(MsgStyle::Aviso, "Aviso", kAnnulled);
    AnnulmentResult out;
    out.status = AnnulmentStatus::Annulled;
    out.mirror = p.mirror;
    for (const auto& pay : p.payments) out.payments.push_back(pay.mirror);
    out.message = kAnnulled;
    notify_document_annulled(db, port, {r.business, p.doc.number, p.mirror, r.user, r.date});
    return out;
}

}  // namespace qz::domain
