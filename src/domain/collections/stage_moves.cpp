#include "domain/collections/stage_moves.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string row_key(const StageWorkflow& w, const char* table, const std::string& business,
                    const std::string& number) {
    return data::order_key(table, table == std::string(w.documents) ? w.documents : "ENC_DOC2",
                           {business, number});
}

// A row that is not where the move found it refuses the move (thrown to end the transaction).
struct Refused {
    std::string why;
};

void move_row(data::Db& db, const StageWorkflow& w, const StageMove& m, const std::string& n) {
    data::Table t = data::USE(db, w.documents, w.documents);
    if (!lock_at_key(*t, row_key(w, w.documents, m.business, n))) {
        data::KILLTABLA(db, t);
        throw Refused{moved_meanwhile(n)};
    }
    if (trim(t->str(w.stage_field)) != trim(m.from_stage)) {
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        throw Refused{moved_meanwhile(n)};
    }
    t->FieldPut(w.stage_field, m.to_stage);
    if (m.collector) t->FieldPut("COBRADOR", *m.collector);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);

    data::Table s = data::USE(db, w.second_header, "ENC_DOC2");
    if (lock_at_key(*s, row_key(w, w.second_header, m.business, n))) {
        s->FieldPut("APROB_CRED", Decimal(m.approve_credit ? 1 : 0));
        data::UNLOCK_FOR_MODIFY(*s);
    }
    data::KILLTABLA(db, s);
}

void write_history(data::Db& db, const StageWorkflow& w, const StageMove& m, const std::string& n) {
    data::Table h = data::USE(db, "HIST_ETAP", "HIST_ETAP");
    data::ADD_NEW_REC(*h);
    h->FieldPut("NEGOCIO", m.business);
    h->FieldPut("TIPO", std::string(w.history_kind));
    h->FieldPut("DOCUMENTO", n);
    h->FieldPut("FECHA", m.date);
    h->FieldPut("HORA", m.time);
    h->FieldPut("DE_ETAPA", m.from_stage);
    h->FieldPut("A_ETAPA", m.to_stage);
    h->FieldPut("MOVIDA", std::string(1, static_cast<char>(m.kind)));
    h->FieldPut("AUTORIZA", m.authoriser);
    h->FieldPut("NOM_AUTO", m.authoriser_name);
    h->FieldPut("COBRADOR", m.collector.value_or(""));
    h->FieldPut("MOTIVO", m.reason);
    h->FieldPut("USUARIO", m.user);
    h->FieldPut("INFO_USER", m.info_user);
    data::UNLOCK_NEW_REC(*h);
    data::KILLTABLA(db, h);
}

}  // namespace

std::string moved_meanwhile(const std::string& number) {
    return "El documento " + trim(number) +
           " cambió de etapa en otra estación; no se movió ningún documento.";
}

std::string locked_elsewhere(const std::string& number) {
    return "El documento " + trim(number) +
           " está siendo modificado en otra estación; no se movió ningún documento.";
}

std::string apply_stage_move(data::Db& db, const StageWorkflow& w, const StageMove& m) {
    std::string current;
    try {
        data::Transaction tx(db);
        for (const std::string& n : m.rows) {
            current = n;
            move_row(db, w, m, n);
            write_history(db, w, m, n);
        }
        tx.commit();
    } catch (const Refused& r) {
        return r.why;
    } catch (const data::TransactionAborted&) {
        return locked_elsewhere(current);
    }
    return "";
}

std::vector<StageHistoryLine> stage_history(data::Db& db, const StageWorkflow& w,
                                            const std::string& business, const std::string& row) {
    std::vector<StageHistoryLine> out;
    data::Table h = data::USE(db, "HIST_ETAP", "HIST_ETAP");
    const std::string key =
        data::order_key("HIST_ETAP", "HIST_ETAP", {business, std::string(w.history_kind), row});
    h->SetScope(key, key);
    for (h->GoTop(); !h->Eof(); h->Skip()) {
        StageHistoryLine l;
        l.date = h->date("FECHA");
        l.time = trim(h->str("HORA"));
        l.from_stage = trim(h->str("DE_ETAPA"));
        l.to_stage = trim(h->str("A_ETAPA"));
        l.authoriser = trim(h->str("AUTORIZA"));
        l.authoriser_name = trim(h->str("NOM_AUTO"));
        l.collector = trim(h->str("COBRADOR"));
        l.reason = trim(h->str("MOTIVO"));
        l.user = trim(h->str("USUARIO"));
        const std::string kind = trim(h->str("MOVIDA"));
        l.kind = static_cast<MoveKind>(kind.empty() ? 'S' : kind[0]);
        out.push_back(std::move(l));
    }
    data::KILLTABLA(db, h);
    return out;
}

}  // namespace qz::domain
