#pragma once
// What the error-log viewer ("Log de Errores Registrados") and the rollback viewer ("Log de
// Rollbacks Transaccionales") list, newest first, so their screens only show rows.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/log_record.h"

namespace qz::domain {

struct ErrorLogRow {
    long recno = 0;
    Date fecha;
    std::string hora;
    std::string descrip;  // the message
    std::string detalle;  // shown for the selected row
    std::string info;     // who and where
};

std::vector<ErrorLogRow> error_log(data::Db& db,
                                   const std::optional<DateRange>& range = std::nullopt);

// "Limpiar Log de Errores": after "Desea borrar el Historial de Errores?" (title "Advertencia")
// deletes every record; returns whether the user agreed. The viewer then calls
// pack_error_log when it closes, once its own handle on ERROR is gone.
bool clear_error_log(data::Db& db, UserPort& port);
// Removes the deleted error records for good.
void pack_error_log(data::Db& db);

struct RollbackRow {
    long recno = 0;
    Date fecha;
    std::string hora;
    std::string usuario;
    std::string info_user;
    std::string motivo;  // why the transaction was rolled back
    int trans_id = 0;    // posting id; 0 when the transaction had none
};

std::vector<RollbackRow> rollback_log(data::Db& db,
                                      const std::optional<DateRange>& range = std::nullopt);

}  // namespace qz::domain
