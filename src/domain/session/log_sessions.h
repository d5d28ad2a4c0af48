#pragma once
// The session log LOG_E_S: one record per session, written at login, refreshed as a sign of life,
// closed at exit and marked "*" when the session ended in a fatal error; and the rows of its
// viewer ("Log de Entradas Registradas").
//
// Every writer comes in two layers: a fill_* rule that puts the fields into a RecordSlot, skipping
// the optional fields an older table lacks, and the function that positions LOG_E_S and runs it.
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/log_record.h"
#include "domain/session/log_stamp.h"

namespace qz::domain {

// INFO_USER of the session log: operating-system user " / " computer, without the moment, which
// FECHA and HORA already hold.
std::string session_info_user();

// The entry record: FECHA, HORA, USUARIO (the user identifier) always; INFO_USER, WS_HOST (the
// computer name in upper case), MODULO, ID_USUARIO (short code), POLL_F and POLL_H where the
// table has them.
void fill_session_entry(RecordSlot& r, const SessionStamp& who, const std::string& user_identifier,
                        const DateTime& now);
// POLL_F, POLL_H where the table has them.
void fill_session_poll(RecordSlot& r, const DateTime& now);
// FECHA_SAL, HORA_SAL.
void fill_session_exit(RecordSlot& r, const DateTime& now);
// The exit, then DESC_ERR (see fatal_error_text) and ERR_CHECK "*" where the table has them.
void fill_fatal_mark(RecordSlot& r, const std::string& message, const std::string& detail,
                     const DateTime& now);
// The error on one line: message + "|" + detail, line feeds removed, carriage returns turned into
// blanks and every "Called from" shortened to ">".
std::string fatal_error_text(const std::string& message, const std::string& detail);

// Appends the entry of this session; returns its record number (XREC_E_S).
long log_session_entry(data::Db& db, const SessionStamp& who, const std::string& user_identifier);
// The writers of the session's own record; a record number that names no record writes nothing.
// Each returns whether the record was written.
bool log_session_poll(data::Db& db, long rec_e_s);
bool log_session_exit(data::Db& db, long rec_e_s);
bool mark_session_fatal(data::Db& db, long rec_e_s, const std::string& message,
                        const std::string& detail);
// The same with the moment the session ended (a crash recorded at a later start).
bool mark_session_fatal(data::Db& db, long rec_e_s, const std::string& message,
                        const std::string& detail, const DateTime& at);

struct SessionLogRow {
    long recno = 0;
    Date fecha;  // entry
    std::string hora;
    Date fecha_sal;  // exit; empty while the session runs or when it died without one
    std::string hora_sal;
    Date poll_f;  // last sign of life
    std::string poll_h;
    std::string modulo;
    std::string usuario;     // user identifier
    std::string id_usuario;  // short code
    std::string ws_host;     // computer
    std::string info_user;
    std::string desc_err;  // fatal-error text
    bool fatal = false;    // ERR_CHECK "*"
};

// The sessions newest first, within `range` (entry dates) when given.
std::vector<SessionLogRow> session_log(data::Db& db,
                                       const std::optional<DateRange>& range = std::nullopt);

// Deletes the whole history after "Desea borrar el Historial de Entradas y Salidas?"; returns
// whether the user agreed.
bool clear_session_log(data::Db& db, UserPort& port);

}  // namespace qz::domain
