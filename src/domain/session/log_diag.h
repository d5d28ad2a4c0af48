#pragma once
// The screen-usage log LOG_DIAG: who opened which screen, from which menu command. The dialog
// framework writes a record every time a screen or modal dialog is created; the supervisor's
// viewer lists the records of one menu command.
//
// The log never grows without bound: the oldest record, once it is more than 240 days old, is
// overwritten instead of appending. Several workstations write at once, so only the one that
// gets the oldest record's lock recycles it; the others append.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/session/log_stamp.h"

namespace qz::domain {

// Days a screen-usage record is kept before it may be recycled.
inline constexpr long kScreenLogDays = 240;

// Whether opening this dialog leaves no trace (login, waits, searches, print previews...).
bool screen_log_excluded(const std::string& dialog_name);

// Writes the screen-usage record of `dialog_name`, stamped with `id_menu` (XID_MENU, the menu
// command that opened it; 0 when none). Once a record is written `id_menu` is cleared, so only
// the first screen a command opens carries the command's id; an excluded dialog writes nothing
// and leaves it for the screen that follows. Returns whether a record was written.
bool NEW_LOG_DIAG(data::Db& db, const SessionStamp& who, int& id_menu,
                  const std::string& dialog_name);

struct ScreenUseRow {
    long recno = 0;
    Date fecha;
    std::string hora;
    std::string usuario;  // short code
    std::string info_user;
    std::string dialogo;
    std::string modulo;
};

// The records of one business and command id, newest first; with `usuario` only that user's.
std::vector<ScreenUseRow> screen_usage(data::Db& db, const std::string& negocio, int id_diag,
                                       const std::optional<std::string>& usuario = std::nullopt);

// Empties `copy` (a temporary table of LOG_DIAG's structure) and fills it with the records of
// screen_usage(), in one transaction: the viewer's grid orders them by date and time there.
void copy_screen_usage(data::Db& db, const std::string& negocio, int id_diag,
                       const std::optional<std::string>& usuario, data::WDBTable& copy);

struct ScreenUser {
    std::string usuario;  // short code, what the list is narrowed by
    std::string label;    // the user's identifier (USUARIOS.USUARIO); the short code if unknown
};

// The "Usuarios" tree of the viewer: one entry per distinct short code of `rows`, in the order
// they first appear.
std::vector<ScreenUser> screen_usage_users(data::Db& db, const std::string& negocio,
                                           const std::vector<ScreenUseRow>& rows);

}  // namespace qz::domain
