// The screen-usage viewer. LOG_DIAG is ordered by business and command only, and recycled records
// keep their old record numbers, so the command's records are copied into a temporary table of
// the same structure, where the order by date and time (LOG_DIA2) lists them as they happened.
// Choosing a user in the tree copies only that user's records.
#include <QTreeWidget>
#include <optional>

#include "data/table_ops.h"
#include "domain/session/log_diag.h"
#include "domain/session/log_record.h"
#include "gui/browse/add2browse.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

constexpr int kUsuarioRole = Qt::UserRole;

class ScreenUsage : public LogScreen {
public:
    ScreenUsage(QWidget* owner, data::Db& db, std::string negocio, int id_diag)
        : LogScreen(owner, "LOG_DIAG", 0, "Uso de Pantallas - Opción " + std::to_string(id_diag),
                    db),
          m_negocio(std::move(negocio)),
          m_id(id_diag) {}

protected:
    data::Table open_table() override {
        data::Table copy = data::USE(m_db, "LOG_DIAG.DBF", "LOG_DIA2");
        fill(*copy);
        return copy;
    }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        AGREGARCOL(g, t, "Fecha", "FECHA");
        AGREGARCOL(g, t, "Hora", "HORA");
        AGREGARCOL(g, t, "Usuario", "USUARIO");
        AGREGARCOL(g, t, "Info Usuario", "INFO_USER");
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.sortable = {{"FECHA", "LOG_DIA2"}};
        return o;
    }
    std::string detail(data::WDBTable& t) override {
        return "Pantalla: " + domain::text_of(t, "DIALOGO") +
               "\nMódulo: " + domain::text_of(t, "MODULO");
    }

    // "Usuarios" lists everyone who opened the command's screens, the latest first; choosing one
    // narrows the list to that user, choosing the title shows everyone again.
    QWidget* side_panel() override {
        auto* tree = Add(new QTreeWidget(this), kLogUsers);
        tree->setHeaderHidden(true);
        tree->setMaximumWidth(220);
        auto* root = new QTreeWidgetItem(tree, {"Usuarios"});
        const auto everyone = domain::screen_usage(m_db, m_negocio, m_id);
        for (const auto& [code, label] : domain::screen_usage_users(m_db, m_negocio, everyone)) {
            auto* item = new QTreeWidgetItem(root, {QString::fromStdString(label)});
            item->setData(0, kUsuarioRole, QString::fromStdString(code));
        }
        tree->expandAll();
        connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
            const QVariant code = item ? item->data(0, kUsuarioRole) : QVariant();
            m_usuario =
                code.isValid() ? std::optional(code.toString().toStdString()) : std::nullopt;
            grid()->DISABLE_BROWSE();
            fill(*m_table);
            grid()->ENABLE_BROWSE();
            reload();
        });
        return tree;
    }

private:
    void fill(data::WDBTable& copy) {
        domain::copy_screen_usage(m_db, m_negocio, m_id, m_usuario, copy);
        copy.GoBottom();
    }

    std::string m_negocio;
    int m_id;
    std::optional<std::string> m_usuario;
};

}  // namespace

WDIAG* open_log_diag(QWidget* owner, data::Db& db, const std::string& negocio, int id_diag) {
    return open_screen<ScreenUsage>(owner, db, negocio, id_diag);
}

}  // namespace qz::gui
