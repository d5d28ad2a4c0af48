#include <QHBoxLayout>
#include <QPushButton>

#include "domain/session/log_sessions.h"
#include "gui/framework/qt_user_port.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

std::string moment(const Date& d, const std::string& time) {
    return d.empty() ? std::string() : date_text(d) + " " + time;
}

class ViewSessions : public LogScreen {
public:
    ViewSessions(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_E_S", 2590, "Log de Entradas Registradas",
                    {"Entrada", "Salida", "Última Señal", "Módulo", "Usuario", "Código",
                     "Computador", "Error"},
                    db) {}

protected:
    void load(std::vector<Row>& rows, std::vector<std::string>& details) override {
        for (auto& r : domain::session_log(m_db)) {
            // A session that died in a fatal error is marked the way the log marks it.
            rows.push_back({moment(r.fecha, r.hora), moment(r.fecha_sal, r.hora_sal),
                            moment(r.poll_f, r.poll_h), r.modulo, r.usuario, r.id_usuario,
                            r.ws_host, (r.fatal ? "* " : "") + r.desc_err});
            details.push_back(r.info_user + (r.desc_err.empty() ? "" : "\n" + r.desc_err));
        }
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
