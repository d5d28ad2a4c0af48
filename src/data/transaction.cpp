#include "data/transaction.h"

#include <exception>
#include <utility>

#include "core/stamp.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::data {

namespace {

// Gives up what the transaction kept: the locks of records released inside it (by area, or of
// tables closed meanwhile) and the parked tables. Runs whatever failed before it.
void release_remembered(Db& db) {
    for (const auto& [area, recno] : std::exchange(db.XA_RECORDS, {})) {
        WDBTable* t = db.area(area);
        if (!t) continue;
        if (db.XTRANS_TIPO == 1)
            t->UnlockRecord(recno);
        else
            t->release_locks();
    }
    db.release_transaction_locks();
}

void finish(Db& db) noexcept {
    db.forget_remembered_rows();
    db.XADSTRANS = 0;
    db.tx_depth = 0;
    db.tx_doomed = false;
    release_remembered(db);
    try {
        CLEAR_FILEBAG(db);
    } catch (...) {
        // A parked table has nothing left to write after the transaction; its close still gave
        // back its locks and its area.
    }
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
    db.forget_remembered_rows();
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
        try {
            ROLLBACK_TRANSACTION(db);
        } catch (...) {
            // The failure of the commit is the one to report; the session has left the
            // transaction all the same.
        }
        throw;
    }
    finish(db);
}

// Whatever fails on the way (the engine, re-reading a row, the log), the session leaves the
// transaction: depth 0, its locks given back, its parked tables closed. The first failure is
// raised afterwards.
void ROLLBACK_TRANSACTION(Db& db) {
    if (db.tx_depth == 0) return;
    if (db.tx_depth > 1) {
        --db.tx_depth;
        db.tx_doomed = true;
        return;
    }
    std::exception_ptr failure;
    try {
        db.conn().rollback();
    } catch (...) {
        failure = std::current_exception();
    }
    for (const auto& [area, name] : std::vector(db.XFILES_AREA)) {
        try {
            if (WDBTable* t = db.area(area)) t->after_rollback();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    finish(db);
    try {
        write_log_roll(db);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
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
