#include "core/text.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

class ViewRollbacks : public LogScreen {
public:
    ViewRollbacks(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_ROLL", 4146, "Log de Rollbacks Transaccionales", db) {}

protected:
    data::Table open_table() override { return data::USE(m_db, "LOG_ROLL", "LOG_ROLL"); }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        AGREGARCOL(g, t, "Fecha", "FECHA");
        AGREGARCOL(g, t, "Hora", "HORA");
        AGREGARCOL(g, t, "Usuario", "USUARIO");
        AGREGARCOL(g, t, "Info Usuario", "INFO_USER");
        // A transaction without a posting id shows blank, not 0.
        AGREGARCOL(
            g, t, "Transacción", "", "",
            [&t] {
                const long id = t.num("TRANS_ID").to_int();
                return CellValue(id ? std::to_string(id) : std::string());
            },
            2, true);
        AGREGARCOL(g, t, "Motivo", "", std::string(70, 'X'),
                   [&t] { return CellValue(one_line(t.str("MOTIVO"))); });
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.sortable = {{"FECHA", "LOG_ROLL"}};
        return o;
    }
    std::string detail(data::WDBTable& t) override { return trim(t.str("MOTIVO")); }
};

}  // namespace

WDIAG* open_view_rollbacks(QWidget* owner, data::Db& db) {
    return open_screen<ViewRollbacks>(owner, db);
}

}  // namespace qz::gui
