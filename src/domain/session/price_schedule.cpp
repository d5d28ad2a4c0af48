#include "domain/session/price_schedule.h"

#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/keys.h"

namespace qz::domain {

namespace {

struct DueSchedule {
    long recno = 0;
    std::string code;        // CODIGO as stored (padded)
    std::string price_type;  // T_PRECIO as stored (padded)
};

bool is_due(const Date& on, const std::string& at, const DateTime& now) {
    if (on < now.date) return true;
    return on == now.date && trim(at) <= trim(now.time);
}

std::vector<DueSchedule> due_schedules(data::Db& db, const std::string& business,
                                       const DateTime& now) {
    std::vector<DueSchedule> due;
    data::Table enc = data::USE(db, "ENC_PPRE", "ENC_PPR2");
    const std::string scope = data::order_key("ENC_PPRE", "ENC_PPR2", {business, 1LL});
    enc->SetScope(scope, scope);
    for (enc->GoTop(); !enc->Eof(); enc->Skip()) {
        if (enc->num("PENDIENTE") != Decimal(1)) continue;
        if (!is_due(enc->date("F_APLICA"), enc->str("H_APLICA"), now)) continue;
        due.push_back({enc->RecNo(), enc->str("CODIGO"), enc->str("T_PRECIO")});
    }
    data::KILLTABLA(db, enc);
    return due;
}

// One schedule, inside the caller's transaction. False when another session applied it first.
bool apply_schedule(data::Db& db, const std::string& business, const DueSchedule& s,
                    const DateTime& now) {
    data::Table enc = data::USE(db, "ENC_PPRE", "ENC_PPRE");
    enc->GoTo(s.recno);
    data::LOCK_FOR_MODIFY(*enc);
    if (enc->num("PENDIENTE") != Decimal(1)) {
        data::UNLOCK_FOR_MODIFY(*enc);
        data::KILLTABLA(db, enc);
        return false;
    }

    data::Table lines = data::USE(db, "DET_PPRE", "DET_PPRE");
    data::Table list = data::USE(db, "DET_PREC", "DET_PRC1");
    const std::string scope = data::order_key("DET_PPRE", "DET_PPRE", {business, s.code});
    lines->SetScope(scope, scope);
    for (lines->GoTop(); !lines->Eof(); lines->Skip()) {
        const std::string key = data::order_key("DET_PREC", "DET_PRC1",
                                                {business, s.price_type, lines->str("ARTICULO")});
        if (!list->Seek(key)) continue;
        data::LOCK_FOR_MODIFY(*list);
        list->FieldPut("PRECIO", lines->num("PRECIO"));
        data::UNLOCK_FOR_MODIFY(*list);
    }
    data::KILLTABLA(db, list);
    data::KILLTABLA(db, lines);

    enc->FieldPut("PENDIENTE", Decimal(0));
    enc->FieldPut("F_PROCESA", now.date);
    enc->FieldPut("H_PROCESA", now.time);
    data::UNLOCK_FOR_MODIFY(*enc);
    data::KILLTABLA(db, enc);
    return true;
}

}  // namespace

bool price_check_enabled(data::Db& db, const std::string& business) {
    data::Table f = data::USE(db, "F_INV", "F_INV");
    const bool on = f->Seek(keys::business(business)) && f->num("PREC_AUTO") == Decimal(1);
    data::KILLTABLA(db, f);
    return on;
}

int apply_due_price_changes(data::Db& db, const std::string& business, const DateTime& now) {
    int applied = 0;
    for (const DueSchedule& s : due_schedules(db, business, now)) {
        data::Transaction tx(db);
        if (!apply_schedule(db, business, s, now)) {
            tx.rollback();
            continue;
        }
        tx.commit();
        ++applied;
    }
    return applied;
}

}  // namespace qz::domain
