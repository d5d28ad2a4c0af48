#include "domain/session/log_sessions.h"

#include <functional>

#include "core/stamp.h"
#include "core/text.h"
#include "data/table_ops.h"

namespace qz::domain {

namespace {

bool update_session(data::Db& db, long rec_e_s, const std::function<void(RecordSlot&)>& fill) {
    if (rec_e_s <= 0) return false;
    data::Table log = data::USE(db, "LOG_E_S");
    log->GoTo(rec_e_s);
    bool found = !log->Eof();
    if (found) {
        data::LOCK_FOR_MODIFY(*log);
        TableSlot slot(*log);
        fill(slot);
        data::UNLOCK_FOR_MODIFY(*log);
    }
    data::KILLTABLA(db, log);
    return found;
}

std::string replace_all(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

}  // namespace

std::string session_info_user() { return os_user_name() + " / " + computer_name(); }

void fill_session_entry(RecordSlot& r, const SessionStamp& who, const std::string& user_identifier,
                        const DateTime& now) {
    r.put("FECHA", now.date);
    r.put("HORA", now.time);
    r.put("USUARIO", user_identifier);
    put_if_present(r, "INFO_USER", session_info_user());
    put_if_present(r, "WS_HOST", upper_ascii(computer_name()));
    put_if_present(r, "MODULO", who.modulo);
    put_if_present(r, "ID_USUARIO", who.usuario);
    fill_session_poll(r, now);
}

void fill_session_poll(RecordSlot& r, const DateTime& now) {
    put_if_present(r, "POLL_F", now.date);
    put_if_present(r, "POLL_H", now.time);
}

void fill_session_exit(RecordSlot& r, const DateTime& now) {
    r.put("FECHA_SAL", now.date);
    r.put("HORA_SAL", now.time);
}

std::string fatal_error_text(const std::string& message, const std::string& detail) {
    std::string s = replace_all(message + "|" + detail, "\n", "");
    s = replace_all(s, "\r", " ");
    return replace_all(s, "Called from", ">");
}

void fill_fatal_mark(RecordSlot& r, const std::string& message, const std::string& detail,
                     const DateTime& now) {
    fill_session_exit(r, now);
    put_if_present(r, "DESC_ERR", fatal_error_text(message, detail));
    put_if_present(r, "ERR_CHECK", std::string("*"));
}

long log_session_entry(data::Db& db, const SessionStamp& who, const std::string& user_identifier) {
    data::Table log = data::USE(db, "LOG_E_S");
    data::ADD_NEW_REC(*log);
    TableSlot slot(*log);
    fill_session_entry(slot, who, user_identifier, db.clock().now());
    long recno = log->RecNo();
    data::UNLOCK_NEW_REC(*log);
    data::KILLTABLA(db, log);
    return recno;
}

bool log_session_poll(data::Db& db, long rec_e_s) {
    DateTime now = db.clock().now();
    return update_session(db, rec_e_s, [&](RecordSlot& r) { fill_session_poll(r, now); });
}

bool log_session_exit(data::Db& db, long rec_e_s) {
    DateTime now = db.clock().now();
    return update_session(db, rec_e_s, [&](RecordSlot& r) { fill_session_exit(r, now); });
}

bool mark_session_fatal(data::Db& db, long rec_e_s, const std::string& message,
                        const std::string& detail) {
    return mark_session_fatal(db, rec_e_s, message, detail, db.clock().now());
}

bool mark_session_fatal(data::Db& db, long rec_e_s, const std::string& message,
                        const std::string& detail, const DateTime& at) {
    return update_session(db, rec_e_s,
                          [&](RecordSlot& r) { fill_fatal_mark(r, message, detail, at); });
}

std::vector<SessionLogRow> session_log(data::Db& db, const std::optional<DateRange>& range) {
    std::vector<SessionLogRow> rows;
    data::Table log = data::USE(db, "LOG_E_S", "LOG_E_S");
    walk_newest_first(*log, range, [&](data::WDBTable& t) {
        rows.push_back({t.RecNo(), date_of(t, "FECHA"), text_of(t, "HORA"), date_of(t, "FECHA_SAL"),
                        text_of(t, "HORA_SAL"), date_of(t, "POLL_F"), text_of(t, "POLL_H"),
                        text_of(t, "MODULO"), text_of(t, "USUARIO"), text_of(t, "ID_USUARIO"),
                        text_of(t, "WS_HOST"), text_of(t, "INFO_USER"), text_of(t, "DESC_ERR"),
                        text_of(t, "ERR_CHECK") == "*"});
    });
    data::KILLTABLA(db, log);
    return rows;
}

bool clear_session_log(data::Db& db, UserPort& port) {
    if (!port.confirm("Advertencia", "Desea borrar el Historial de Entradas y Salidas?"))
        return false;
    delete_every_record(db, "LOG_E_S");
    return true;
}

}  // namespace qz::domain
