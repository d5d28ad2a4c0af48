#pragma once
// The viewers of the system's logs, each an MDI screen with a grid over its log table, standing on
// the newest row, and an "Imprimir" that prints the grid's rows: "Log de Errores Registrados"
// (ERROR), "Log de Entradas Registradas" (LOG_E_S), "Log de Rollbacks Transaccionales" (LOG_ROLL)
// and the screen-usage viewer a supervisor opens for one menu command (LOG_DIAG). Each returns the
// open screen, or null when it could not open.
#include <string>

class QWidget;

namespace qz::data {
class Db;
}

namespace qz::gui {

class WDIAG;

// Controls the viewers share.
inline constexpr int kLogGrid = 101;    // the rows
inline constexpr int kLogDetail = 102;  // full text of the selected row
inline constexpr int kLogUsers = 103;   // the "Usuarios" tree of the screen-usage viewer
inline constexpr int kLogClearSessions = 104;
inline constexpr int kLogPrint = 105;  // "Imprimir": the grid's rows as a report
// "Limpiar Log de Errores", the error viewer's command.
inline constexpr int kClearErrorLog = 2589;

// "VIEW_ERRORS" (context 2588). Its "Limpiar Log de Errores" asks first, deletes every record and
// removes them for good once the viewer closes.
WDIAG* open_view_errors(QWidget* owner, data::Db& db);
// The "Editar" operation of context 2588: runs "Limpiar Log de Errores" on `screen` when it is
// the error viewer; false otherwise.
bool LIMPIAR_LOG(QWidget* screen);

// "VIEW_E_S" (context 2590): sessions with entry, exit, last sign of life, module, user,
// computer and fatal-error text; can delete the whole history.
WDIAG* open_view_sessions(QWidget* owner, data::Db& db);

// "VIEW_ROLL" (context 4146): rolled-back transactions and why.
WDIAG* open_view_rollbacks(QWidget* owner, data::Db& db);

// "LOG_DIAG": who opened the screens of command `id_diag` in business `negocio`, with a tree of
// the users that narrows the list to one of them.
WDIAG* open_log_diag(QWidget* owner, data::Db& db, const std::string& negocio, int id_diag);

}  // namespace qz::gui
