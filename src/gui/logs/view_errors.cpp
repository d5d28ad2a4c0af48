#include <QHBoxLayout>
#include <QPushButton>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/session/log_viewers.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/qt_user_port.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

class ViewErrors : public LogScreen {
public:
    ViewErrors(QWidget* owner, data::Db& db)
        : LogScreen(owner, "VIEW_ERRORS", 2588, "Log de Errores Registrados", db) {}

    void LIMPIAR() {
        QtUserPort port(this);
        if (!domain::clear_error_log(m_db, port)) return;
        m_cleared = true;
        reload();
    }

protected:
    data::Table open_table() override { return data::USE(m_db, "ERROR", "ERROR"); }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        AGREGARCOL(g, t, "Fecha", "FECHA");
        AGREGARCOL(g, t, "Hora", "HORA");
        AGREGARCOL(g, t, "Descripción", "", std::string(80, 'X'),
                   [&t] { return CellValue(one_line(t.str("DESCRIP"))); });
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.sortable = {{"FECHA", "ERROR"}};
        return o;
    }
    std::string detail(data::WDBTable& t) override { return trim(t.str("DETALLE")); }
    void add_buttons(QHBoxLayout* buttons) override {
        buttons->addWidget(Add(new QPushButton("Limpiar Log de Errores", this), kClearErrorLog,
                               [this] { LIMPIAR(); }));
    }
    // The deleted records are removed for good only now that the grid's handle is closed.
    void CerrarBases() override {
        LogScreen::CerrarBases();
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
