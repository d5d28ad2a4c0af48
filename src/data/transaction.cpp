#include "data/transaction.h"

#include <exception>

#include "core/stamp.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::data {

namespace {

void release_remembered(Db& db) {
    for (const auto& [area, recno] : db.XA_RECORDS) {
        WDBTable* t = db.area(area);
        if (!t) continue;
        if (db.XTRANS_TIPO == 1)
            t->UnlockRecord(recno);
        else
            t->Unlock();
    }
    db.XA_RECORDS.clear();
}

void finish(Db& db) {
    db.XADSTRANS = 0;
    db.tx_depth = 0;
    db.tx_doomed = false;
    release_remembered(db);
    CLEAR_FILEBAG(db);
}

void write_log_roll(Db& db) {
    if (!db.catalogue().find("LOG_ROLL")) return;
    Table log = USE(db, "LOG_ROLL");
    DateTime now = db.clock().now();
    ADD_WITHOUT_LOG(*log);
    log->FieldPut("FECHA", now.date);
    log->FieldPut("HORA", now.time);
    log->FieldPut("USUARIO", db.XUSER_ABREVIA);
    log->FieldPut("INFO_USER", info_user(now));
    log->FieldPut("MOTIVO", db.XADS_T_ERR);
    if (db.XTRANS_ID) log->FieldPut("TRANS_ID", Decimal(*db.XTRANS_ID));
    UNLOCK_WITHOUT_LOG(*log);
    KILLTABLA(db, log);
}

}  // namespace

void START_TRANSACTION(Db& db, int kind, std::optional<int> id) {
    if (db.tx_depth > 0) {
        ++db.tx_depth;
        return;
    }
    // Every posting runs as one database transaction whatever the old per-id switches say:
    // a posting that is half written after a crash is never acceptable.
    if (db.ads() && db.ads()->force_kind2) kind = 2;
    db.conn().begin();
    db.XA_RECORDS.clear();
    db.XADSTRANS = 1;
    db.XTRANS_TIPO = kind == 1 ? 1 : 2;
    db.XTRANS_ID = id;
    db.XADS_T_ERR.clear();
    db.tx_depth = 1;
    db.tx_doomed = false;
}

void END_TRANSACTION(Db& db) {
    if (db.tx_depth == 0) return;
    if (db.tx_depth > 1) {
        --db.tx_depth;
        return;
    }
    if (db.tx_doomed) {
        ROLLBACK_TRANSACTION(db);
        throw TransactionAborted("La transacción fue anulada por un bloque interno");
    }
    try {
        XDBCOMMIT(db);
        db.conn().commit();
    } catch (const std::exception& e) {
        db.XADS_T_ERR = e.what();
        ROLLBACK_TRANSACTION(db);
        throw;
    }
    finish(db);
}

void ROLLBACK_TRANSACTION(Db& db) {
    if (db.tx_depth == 0) return;
    if (db.tx_depth > 1) {
        --db.tx_depth;
        db.tx_doomed = true;
        return;
    }
    db.conn().rollback();
    for (const auto& [area, name] : std::vector(db.XFILES_AREA))
        if (WDBTable* t = db.area(area)) t->after_rollback();
    finish(db);
    write_log_roll(db);
}

Transaction::Transaction(Db& db, std::optional<int> id, int kind)
    : m_db(db), m_unwinding(std::uncaught_exceptions()) {
    START_TRANSACTION(db, kind, id);
}

Transaction::~Transaction() {
    if (m_done) return;
    // Left by an exception that said nothing to the table layer: the rollback log still says
    // why the posting was undone; the error handler records the details.
    if (m_db.XADS_T_ERR.empty() && std::uncaught_exceptions() > m_unwinding)
        m_db.XADS_T_ERR = "Transacción interrumpida por un error";
    try {
        ROLLBACK_TRANSACTION(m_db);
    } catch (...) {
        // Rolling back while unwinding: the database undoes the work even if the log fails.
    }
}

void Transaction::commit() {
    m_done = true;
    END_TRANSACTION(m_db);
}

void Transaction::rollback() {
    m_done = true;
    ROLLBACK_TRANSACTION(m_db);
}

}  // namespace qz::data
