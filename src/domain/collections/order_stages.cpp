#include "domain/collections/order_stages.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/collections/collection_stages.h"
#include "domain/collections/stage_moves.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

struct OrderRow {
    std::string customer, branch;
};

std::optional<OrderRow> read_order(data::Db& db, const StageWorkflow& w,
                                   const std::string& business, const std::string& order) {
    return read_keyed_row<OrderRow>(
        db, w.documents, w.documents, data::order_key(w.documents, w.documents, {business, order}),
        [](const data::WDBTable& t) {
            return OrderRow{trim(t.str("CLIENTE")), trim(t.str("SUBCLIENTE"))};
        });
}

StageMove move_of(const OrderMoveRequest& r, const std::string& to, bool approve, MoveKind kind) {
    StageMove m;
    m.business = r.business;
    m.from_stage = r.stage;
    m.to_stage = to;
    m.rows = {r.order};
    m.approve_credit = approve;
    m.kind = kind;
    m.authoriser = r.authoriser.code;
    m.authoriser_name = r.authoriser.name;
    m.reason = r.reason;
    m.user = r.user;
    m.info_user = r.info_user;
    m.date = r.date;
    m.time = r.time;
    return m;
}

OrderMoveResult refused(std::string why) { return {false, std::move(why), ""}; }

OrderMoveResult apply(data::Db& db, const StageWorkflow& w, const StageMove& m) {
    if (std::string why = apply_stage_move(db, w, m); !why.empty()) return refused(why);
    return {true, "", m.to_stage};
}

// The checks of a forward move or an approval, in the screen's order.
std::string ahead_refusal(const StageChain& chain, const OrderStageSettings& s,
                          const OrderMoveRequest& r) {
    if (trim(r.stage).empty() || !chain.find(r.stage)) return kNoStageChosen;
    if (trim(r.order).empty()) return kNoOrderChosen;
    if (r.stage == s.invoiced || r.stage == s.annulled) return kStageAllowsNoNext;
    if (!chain.next(r.stage)) return kNoLaterStage;
    if (!r.authoriser.may_move_from(r.stage)) return kNoRightsForStage;
    return "";
}

std::optional<std::string> credit_refusal(data::Db& db, const StageWorkflow& w,
                                          const OrderMoveRequest& r, bool approval,
                                          bool into_controlled) {
    const auto order = read_order(db, w, r.business, r.order);
    if (!order) return moved_meanwhile(r.order);
    const OverdueFigures f = order_overdue(db, r.business, order->customer, r.date);
    const Decimal limit = branch_limit(db, r.business, order->customer, order->branch);
    return order_credit_refusal(f, r.authoriser, approval, into_controlled, limit);
}

// The first credit-approval stage of the business: CTRL_CRED 0, in code order.
std::string first_approval_stage(const StageChain& chain) {
    for (const Stage& s : chain.stages())
        if (s.credit_controlled) return s.code;
    return "";
}

// Gives back what the order's lines hold of each article's stock in their warehouse.
void release_stock(data::Db& db, const StageWorkflow& w, const std::string& business,
                   const std::string& order) {
    data::Table lines = data::USE(db, w.lines, "DET_DOC");
    const std::string key = data::order_key(w.lines, "DET_DOC", {business, order});
    lines->SetScope(key, key);
    data::Table stock = data::USE(db, "ARTICULO", "ARTIC1");
    for (lines->GoTop(); !lines->Eof(); lines->Skip()) {
        const std::string at =
            data::order_key("ARTICULO", "ARTIC1",
                            {business, trim(lines->str("CODIGO")), trim(lines->str("BODEGA"))});
        if (!lock_at_key(*stock, at)) continue;
        stock->FieldPut("BLOQUEO", stock->num("BLOQUEO") - lines->num("CANTIDAD"));
        data::UNLOCK_FOR_MODIFY(*stock);
    }
    data::KILLTABLA(db, stock);
    data::KILLTABLA(db, lines);
}

void mark_annulled(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r) {
    data::Table t = data::USE(db, w.documents, w.documents);
    if (lock_at_key(*t, data::order_key(w.documents, w.documents, {r.business, r.order}))) {
        t->FieldPut("ANULADO", trim(r.order) + "-A");
        t->FieldPut("F_ANULA", r.date);
        t->FieldPut("H_ANULA", r.time);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

}  // namespace

OrderStageSettings read_order_stage_settings(data::Db& db, const StageWorkflow& w,
                                             const std::string& business) {
    OrderStageSettings s;
    const bool orders = std::string(w.documents) == kOrderWorkflow.documents;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business})) && orders) {
        s.invoiced = trim(t->str("ETAP_FACT"));
        s.invoiced_back = trim(t->str("ETAP_FACT2"));
        s.annulled = trim(t->str("ETAP_ANUL"));
        s.annulled_back = trim(t->str("ETAP_ANUL2"));
    } else if (t->Found()) {
        s.invoiced = trim(t->str("PROF_FACT"));
        s.annulled = trim(t->str("PROF_ANUL"));
        s.ordered = trim(t->str("PROF_PED"));
    }
    data::KILLTABLA(db, t);
    return s;
}

OrderMoveResult move_order_forward(data::Db& db, const StageWorkflow& w,
                                   const OrderMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, w, r.business);
    const OrderStageSettings s = read_order_stage_settings(db, w, r.business);
    if (std::string why = ahead_refusal(chain, s, r); !why.empty()) return refused(why);
    const Stage& next = *chain.next(r.stage);
    if (auto why = credit_refusal(db, w, r, false, next.credit_controlled)) return refused(*why);
    return apply(db, w, move_of(r, next.code, next.credit_controlled, MoveKind::Forward));
}

OrderMoveResult approve_order_credit(data::Db& db, const StageWorkflow& w,
                                     const OrderMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, w, r.business);
    const OrderStageSettings s = read_order_stage_settings(db, w, r.business);
    if (std::string why = ahead_refusal(chain, s, r); !why.empty()) return refused(why);
    if (auto why = credit_refusal(db, w, r, true, true)) return refused(*why);
    const std::string to = first_approval_stage(chain);
    if (to.empty()) return {true, "", r.stage};  // nothing to approve into
    return apply(db, w, move_of(r, to, true, MoveKind::Approval));
}

OrderMoveResult move_order_back(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, w, r.business);
    const OrderStageSettings s = read_order_stage_settings(db, w, r.business);
    if (trim(r.stage).empty() || !chain.find(r.stage)) return refused(kNoStageChosen);
    if (trim(r.order).empty()) return refused(kNoOrderChosenBack);
    std::string to;
    if (r.stage == s.invoiced && !s.invoiced_back.empty())
        to = s.invoiced_back;
    else if (r.stage == s.annulled && !s.annulled_back.empty())
        to = s.annulled_back;
    else if (const Stage* previous = chain.previous(r.stage))
        to = previous->code;
    if (to.empty()) return refused(kNoEarlierStage);
    if (!r.authoriser.may_move_from(r.stage)) return refused(kNoRightsForStage);
    const Stage* target = chain.find(to);
    return apply(db, w, move_of(r, to, target && target->credit_controlled, MoveKind::Back));
}

OrderMoveResult annul_order(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, w, r.business);
    const OrderStageSettings s = read_order_stage_settings(db, w, r.business);
    if (trim(r.stage).empty() || !chain.find(r.stage)) return refused(kNoStageChosen);
    if (trim(r.order).empty()) return refused(kNoOrderChosen);
    if (r.stage == s.invoiced || r.stage == s.annulled) return refused(kStageAllowsNoAnnul);
    // Stock, header and stage change together: the annulment is the outer transaction and the
    // stage move joins it.
    try {
        data::Transaction tx(db);
        const StageMove m = move_of(r, s.annulled, false, MoveKind::Annulled);
        if (std::string why = apply_stage_move(db, w, m); !why.empty()) {
            tx.rollback();
            return refused(why);
        }
        if (w.holds_stock) release_stock(db, w, r.business, r.order);
        mark_annulled(db, w, r);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refused(locked_elsewhere(r.order));
    }
    return {true, "", s.annulled};
}

std::optional<std::string> order_conversion_refusal(data::Db& db, const StageWorkflow& w,
                                                    const std::string& business,
                                                    const std::string& stage) {
    const StageChain chain = read_stage_chain(db, w, business);
    const Stage* s = chain.find(stage);
    if (!s) return std::string(kNoStageChosen);
    if (!w.holds_stock) {
        const OrderStageSettings settings = read_order_stage_settings(db, w, business);
        const bool done = s->code == settings.invoiced || s->code == settings.annulled ||
                          s->code == settings.ordered;
        return done ? std::optional<std::string>(kProformaAllowsNoConversion) : std::nullopt;
    }
    if (!s->to_invoice) return std::string(kStageAllowsNoInvoice);
    return std::nullopt;
}

std::string annul_order_question(const std::string& order) {
    return "¿Desea Borrar el pedido: " + trim(order) + "?";
}

}  // namespace qz::domain
