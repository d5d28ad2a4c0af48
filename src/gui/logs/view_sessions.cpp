#include <QHBoxLayout>
#include <QPushButton>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/session/log_record.h"
#include "domain/session/log_sessions.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/qt_user_port.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

// Older session logs lack some fields: those read blank.
std::string text(const data::WDBTable& t, const char* field) { return domain::text_of(t, field); }

std::string moment(const data::WDBTable& t, const char* date, const char* time) {
    return t.FieldPos(date) == 0 ? std::string() : moment_text(t.date(date), text(t, time));
}

class ViewSessions : public LogScreen {
public:
    ViewSessions(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_E_S", 2590, "Log de Entradas Registradas", db) {}

protected:
    data::Table open_table() override { return data::USE(m_db, "LOG_E_S", "LOG_E_S"); }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        // The picture only sizes the column: a plain "X" picture shows the text as it is.
        auto col = [&](const char* heading, int width, std::function<std::string()> block) {
            AGREGARCOL(g, t, heading, "", std::string(width, 'X'),
                       [block] { return CellValue(block()); });
        };
        col("Entrada", 19, [&t] { return moment(t, "FECHA", "HORA"); });
        col("Salida", 19, [&t] { return moment(t, "FECHA_SAL", "HORA_SAL"); });
        col("Última Señal", 19, [&t] { return moment(t, "POLL_F", "POLL_H"); });
        col("Módulo", 6, [&t] { return text(t, "MODULO"); });
        col("Usuario", 14, [&t] { return text(t, "USUARIO"); });
        col("Código", 6, [&t] { return text(t, "ID_USUARIO"); });
        col("Computador", 14, [&t] { return text(t, "WS_HOST"); });
        // A session that died in a fatal error is marked the way the log marks it.
        col("Error", 60, [&t] {
            return (text(t, "ERR_CHECK") == "*" ? "* " : "") + one_line(text(t, "DESC_ERR"));
        });
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.sortable = {{"Entrada", "LOG_E_S"}};
        return o;
    }
    std::string detail(data::WDBTable& t) override {
        const std::string err = text(t, "DESC_ERR");
        return text(t, "INFO_USER") + (err.empty() ? "" : "\n" + err);
    }
    void add_buttons(QHBoxLayout* buttons) override {
        buttons->addWidget(
            Add(new QPushButton("Borrar Historial", this), kLogClearSessions, [this] {
                QtUserPort port(this);
                if (domain::clear_session_log(m_db, port)) reload();
            }));
    }
};

}  // namespace

WDIAG* open_view_sessions(QWidget* owner, data::Db& db) {
    return open_screen<ViewSessions>(owner, db);
}

}  // namespace qz::gui
