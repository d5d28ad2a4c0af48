#include "domain/session/log_viewers.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

class ViewRollbacks : public LogScreen {
public:
    ViewRollbacks(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_ROLL", 4146, "Log de Rollbacks Transaccionales",
                    {"Fecha", "Hora", "Usuario", "Info Usuario", "Transacción", "Motivo"}, db) {}

protected:
    void load(std::vector<Row>& rows, std::vector<std::string>& details) override {
        for (auto& r : domain::rollback_log(m_db)) {
            rows.push_back({date_text(r.fecha), r.hora, r.usuario, r.info_user,
                            r.trans_id ? std::to_string(r.trans_id) : std::string(), r.motivo});
            details.push_back(std::move(r.motivo));
        }
    }
};

}  // namespace

WDIAG* open_view_rollbacks(QWidget* owner, data::Db& db) {
    return open_screen<ViewRollbacks>(owner, db);
}

}  // namespace qz::gui
