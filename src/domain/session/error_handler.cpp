#include "domain/session/error_handler.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/log_sessions.h"

namespace qz::domain {

void write_error_record(data::Db& db, const std::string& message, const std::string& detail) {
    DateTime now = db.clock().now();
    data::Table err = data::USE(db, "ERROR");
    data::ADD_NEW_REC(*err);
    err->FieldPut("FECHA", now.date);
    err->FieldPut("HORA", now.time);
    err->FieldPut("DESCRIP", message);
    err->FieldPut("DETALLE", detail);
    err->FieldPut("INFO", info_user(now));
    data::UNLOCK_NEW_REC(*err);
    data::KILLTABLA(db, err);
}

namespace {

// The mail service sends the rows that are ready and not yet sent.
void queue_mail(data::Db& db, const ErrorMail& mail) {
    DateTime now = db.clock().now();
    data::Table q = data::USE(db, "E_MSGS");
    data::ADD_NEW_REC(*q);
    q->FieldPut("FECHA", now.date);
    q->FieldPut("HORA", now.time);
    q->FieldPut("TO_USER", mail.to);
    q->FieldPut("SUBJECT", mail.subject);
    q->FieldPut("BODY", mail.body);
    q->FieldPut("USERNAME", mail.username);
    q->FieldPut("USERADDR", mail.useraddr);
    q->FieldPut("ENVIADO", Decimal(0));
    q->FieldPut("LISTO", Decimal(1));
    data::UNLOCK_NEW_REC(*q);
    data::KILLTABLA(db, q);
}

}  // namespace

template <class F>
void ErrorHandler::guarded(const char* step, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        m_failures.push_back(std::string(step) + ": " + e.what());
    } catch (...) {
        m_failures.push_back(std::string(step) + ": ?");
    }
}

const AppSettings& ErrorHandler::settings() const {
    static const AppSettings kDefaults;
    return m_settings ? *m_settings : kDefaults;
}

ErrorOutcome ErrorHandler::handle(const std::exception& e, std::source_location where) {
    ErrorInfo info =
        describe(e, m_db ? std::optional<data::Dialect>(m_db->dialect()) : std::nullopt);
    info.calls.push_back(call_frame(where));
    return handle(info);
}

ErrorOutcome ErrorHandler::handle(const ErrorInfo& info) {
    ErrorClass kind = classify(info);
    if (kind == ErrorClass::Retry) m_network_error = true;
    if (kind != ErrorClass::Window) return {kind, std::nullopt};
    return {kind, handle_failure(info)};
}

std::optional<ErrorWindow> ErrorHandler::handle_failure(const ErrorInfo& info) {
    // The flag goes up before anything else, so that a failure while rolling back or recording,
    // or one raised by whatever runs while the window waits, finds the window already up.
    bool already_up = m_in_error;
    m_in_error = true;
    if (!already_up) m_failures.clear();
    std::string message = error_message(info);
    // Deleted records are always hidden by the table layer, so only the transaction is left to
    // undo; it goes even when a window is already up, as its writes are part of the failure.
    roll_back(message);
    if (already_up) return std::nullopt;

    ErrorWindow w = compose(info);
    m_message = message;
    m_detail = error_detail(info);
    record(m_message, m_detail);
    notify(w, m_detail);
    return w;
}

void ErrorHandler::roll_back(const std::string& message) {
    if (!m_db) return;
    guarded("ROLLBACK_TRANSACTION", [&] {
        if (!m_db->XADSTRANS) return;
        m_db->XADS_T_ERR = message;
        // Nested blocks each give up one level; the outermost undoes the work and logs it.
        while (m_db->XADSTRANS && m_db->tx_depth > 0) data::ROLLBACK_TRANSACTION(*m_db);
    });
}

ErrorWindow ErrorHandler::compose(const ErrorInfo& info) const {
    ErrorWindow w;
    w.message = error_message(info);
    DateTime at = m_db ? m_db->clock().now(true) : workstation_now();
    w.header = "Módulo  : " + settings().EXT_MODULO + kCrLf + "Fecha/H.: " + at.date.dtoc() + " " +
               at.time + kCrLf + "Computer: " + computer_name() + kCrLf +
               "V32 WinUser : " + os_user_name() + kCrLf + w.message;
    w.detail_box = w.header + kCrLf + error_detail(info);
    w.buttons = {{kErrRetryButton, "Reintentar", info.can_retry},
                 {kErrDefaultButton, "Ignorar", info.can_default},
                 {kErrLeaveButton, "Salir", true}};
    return w;
}

void ErrorHandler::record(const std::string& message, const std::string& detail) {
    if (!m_db) return;
    guarded("ERROR", [&] { write_error_record(*m_db, message, detail); });
    if (m_rec_e_s)
        guarded("LOG_E_S", [&] { mark_session_fatal(*m_db, *m_rec_e_s, message, detail); });
}

void ErrorHandler::notify(const ErrorWindow& w, const std::string& detail) {
    const AppSettings& s = settings();
    if (trim(s.XEMAILDEST).empty()) return;
    ErrorMail mail{trim(s.XEMAILDEST), "Error: " + s.XEMAIL_ID, w.header + kCrLf + detail,
                   s.XEMAILNAME, s.XEMAILADDR};
    bool sent = false;
    if (s.XEMAILSEND == 1 && m_send) guarded("mail", [&] { sent = m_send(mail); });
    // A mail that could not go at once waits in the queue rather than being lost.
    if (!sent && m_db) guarded("E_MSGS", [&] { queue_mail(*m_db, mail); });
}

std::optional<int> ErrorHandler::answer(ErrorAnswer a) {
    if (!m_in_error) return std::nullopt;
    std::optional<int> exit_code;
    if (a == ErrorAnswer::Leave) {
        if (m_db && m_rec_e_s)
            guarded("LOG_E_S", [&] { mark_session_fatal(*m_db, *m_rec_e_s, m_message, m_detail); });
        if (m_db) guarded("XDBCOMMIT", [&] { data::XDBCOMMIT(*m_db); });
        exit_code = 1;
    }
    m_in_error = false;
    return exit_code;
}

void retry_contention(data::Db& db, const std::function<void()>& op) {
    std::string last;
    data::wait_for(
        db,
        [&] {
            try {
                op();
                return true;
            } catch (const std::exception& e) {
                if (classify(describe(e, db.dialect())) != ErrorClass::Retry) throw;
                last = e.what();
                return false;
            }
        },
        [&] { return last; }, 1);
}

}  // namespace qz::domain
