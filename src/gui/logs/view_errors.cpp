#include <QHBoxLayout>
#include <QPushButton>

#include "domain/session/log_viewers.h"
#include "gui/framework/qt_user_port.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

class ViewErrors : public LogScreen {
public:
    ViewErrors(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_ERRORS", 2588, "Log de Errores Registrados",
                    {"Fecha", "Hora", "Descripción"}, db) {}

    void LIMPIAR() {
        QtUserPort port(this);
        if (!domain::clear_error_log(m_db, port)) return;
        m_cleared = true;
        reload();
    }

protected:
    void load(std::vector<Row>& rows, std::vector<std::string>& details) override {
        for (auto& r : domain::error_log(m_db)) {
            rows.push_back({date_text(r.fecha), r.hora, r.descrip});
            details.push_back(std::move(r.detalle));
        }
    }
    void add_buttons(QHBoxLayout* buttons) override {
        buttons->addWidget(Add(new QPushButton("Limpiar Log de Errores", this), kClearErrorLog,
                               [this] { LIMPIAR(); }));
    }
    // The deleted records are removed for good only now that the list no longer reads them.
    void CerrarBases() override {
        if (m_cleared) domain::pack_error_log(m_db);
    }

private:
    bool m_cleared = false;
};

}  // namespace

WDIAG* open_view_errors(QWidget* owner, data::Db& db) { return open_screen<ViewErrors>(owner, db); }

bool LIMPIAR_LOG(QWidget* screen) {
    auto* viewer = dynamic_cast<ViewErrors*>(screen);
    if (!viewer) return false;
    viewer->LIMPIAR();
    return true;
}

}  // namespace qz::gui
