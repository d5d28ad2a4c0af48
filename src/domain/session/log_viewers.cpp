#include "domain/session/log_viewers.h"

#include "data/table_ops.h"

namespace qz::domain {

std::vector<ErrorLogRow> error_log(data::Db& db, const std::optional<DateRange>& range) {
    std::vector<ErrorLogRow> rows;
    data::Table log = data::USE(db, "ERROR", "ERROR");
    walk_newest_first(*log, range, [&](data::WDBTable& t) {
        rows.push_back({t.RecNo(), date_of(t, "FECHA"), text_of(t, "HORA"), text_of(t, "DESCRIP"),
                        text_of(t, "DETALLE"), text_of(t, "INFO")});
    });
    data::KILLTABLA(db, log);
    return rows;
}

bool clear_error_log(data::Db& db, UserPort& port) {
    if (!port.confirm("Advertencia", "Desea borrar el Historial de Errores?")) return false;
    delete_every_record(db, "ERROR");
    return true;
}

void pack_error_log(data::Db& db) { data::SAVE_PACK(db, "ERROR"); }

std::vector<RollbackRow> rollback_log(data::Db& db, const std::optional<DateRange>& range) {
    std::vector<RollbackRow> rows;
    data::Table log = data::USE(db, "LOG_ROLL", "LOG_ROLL");
    walk_newest_first(*log, range, [&](data::WDBTable& t) {
        rows.push_back({t.RecNo(), date_of(t, "FECHA"), text_of(t, "HORA"), text_of(t, "USUARIO"),
                        text_of(t, "INFO_USER"), text_of(t, "MOTIVO"),
                        static_cast<int>(number_of(t, "TRANS_ID"))});
    });
    data::KILLTABLA(db, log);
    return rows;
}

}  // namespace qz::domain
