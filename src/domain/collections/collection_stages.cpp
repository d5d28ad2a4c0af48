#include "domain/collections/collection_stages.h"

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_moves.h"

namespace qz::domain {

namespace {

long valid_documents_in(data::Db& db, const std::string& business, const std::string& stage) {
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN24");
    const std::string key = data::order_key("DOCUMENT", "DOCUMEN24", {business, "", stage});
    t->SetScope(key, key);
    const long n = t->KeyCount();
    data::KILLTABLA(db, t);
    return n;
}

std::string caption(const Stage& s, long count) {
    if (count <= 0) return s.name + std::string(7, ' ');
    return s.name + " (" + trim(pic_format(Decimal(count), "999,999")) + ")";
}

HandedDocument handed(data::Db& db, const std::string& business, const std::string& number) {
    HandedDocument h{number, "", "", {}, {}};
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, number}))) {
        h.customer = trim(t->str("CLIENTE"));
        h.name = trim(t->str("NOM_CLIENT"));
        h.date = t->date("FECHA");
        h.amount = t->num("MONTO");
    }
    data::KILLTABLA(db, t);
    return h;
}

StageMove move_of(const CollectionMoveRequest& r, const Stage& to, MoveKind kind) {
    StageMove m;
    m.business = r.business;
    m.from_stage = r.stage;
    m.to_stage = to.code;
    m.rows = r.documents;
    m.approve_credit = to.credit_controlled;
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

CollectionMoveResult refused(std::string why) { return {false, std::move(why), {}}; }

}  // namespace

std::vector<StageNode> collection_tree(data::Db& db, const std::string& business) {
    std::vector<StageNode> out;
    const StageChain chain = read_stage_chain(db, kCollectionWorkflow, business);
    for (const Stage& s : chain.stages()) {
        if (s.hidden) continue;
        const long n = s.uncounted ? 0 : valid_documents_in(db, business, s.code);
        out.push_back({s, n, caption(s, n)});
    }
    return out;
}

StageScope collection_scope(const std::string& business, const std::string& entry_stage,
                            const std::string& stage, const std::string& collector,
                            bool by_number) {
    if (trim(stage) == trim(entry_stage)) {
        const std::string order = by_number ? "DOCUMEN24" : "DOCUMEN23";
        return {order, data::order_key("DOCUMENT", order, {business, "", stage}), false};
    }
    const std::string order = by_number ? "DOCUMEN22" : "DOCUMEN21";
    if (trim(collector).empty()) return {order, "", true};
    return {order, data::order_key("DOCUMENT", order, {business, "", stage, collector}), false};
}

std::string collection_move_refusal(const StageChain& chain, const std::string& stage,
                                    const std::string& collector, bool any_marked, bool forward) {
    if (trim(stage).empty() || !chain.find(stage)) return kNoStageChosen;
    if (trim(collector).empty()) return kNoCollectorChosen;
    if (!any_marked) return kNoDocumentsMarked;
    if (forward && !chain.next(stage)) return kNoLaterStage;
    if (!forward && !chain.previous(stage)) return kNoEarlierStage;
    return "";
}

CollectionMoveResult move_collection_forward(data::Db& db, const CollectionMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, kCollectionWorkflow, r.business);
    if (std::string why =
            collection_move_refusal(chain, r.stage, r.collector, !r.documents.empty(), true);
        !why.empty())
        return refused(why);
    const Stage* next = chain.next(r.stage);
    if (!r.authoriser.may_move_from(r.stage)) return refused(kNoRightsForStage);
    StageMove m = move_of(r, *next, MoveKind::Forward);
    m.collector = r.collector;
    if (std::string why = apply_stage_move(db, kCollectionWorkflow, m); !why.empty())
        return refused(why);
    CollectionMoveResult out{true, "", {}};
    for (const auto& d : r.documents) out.handed.push_back(handed(db, r.business, d));
    return out;
}

CollectionMoveResult move_collection_back(data::Db& db, const CollectionMoveRequest& r) {
    const StageChain chain = read_stage_chain(db, kCollectionWorkflow, r.business);
    if (std::string why =
            collection_move_refusal(chain, r.stage, r.collector, !r.documents.empty(), false);
        !why.empty())
        return refused(why);
    const Stage* previous = chain.previous(r.stage);
    if (!r.authoriser.may_move_from(r.stage)) return refused(kNoRightsForStage);
    StageMove m = move_of(r, *previous, MoveKind::Back);
    // Back in the first stage a document is nobody's to collect.
    m.collector = previous == chain.first() ? std::string() : r.collector;
    if (std::string why = apply_stage_move(db, kCollectionWorkflow, m); !why.empty())
        return refused(why);
    return {true, "", {}};
}

}  // namespace qz::domain
