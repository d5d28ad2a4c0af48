#include <QTreeWidget>
#include <optional>

#include "domain/session/log_diag.h"
#include "gui/logs/log_screen.h"
#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

constexpr int kUsuarioRole = Qt::UserRole;

class ScreenUsage : public LogScreen {
public:
    ScreenUsage(QWidget* owner, data::Db& db, std::string negocio, int id_diag)
        : LogScreen(owner, "LOG_DIAG", 0, "Uso de Pantallas - Opción " + std::to_string(id_diag),
                    {"Fecha", "Hora", "Usuario", "Info Usuario"}, db),
          m_negocio(std::move(negocio)),
          m_id(id_diag) {}

protected:
    void load(std::vector<Row>& rows, std::vector<std::string>& details) override {
        for (auto& r : domain::screen_usage(m_db, m_negocio, m_id, m_usuario)) {
            rows.push_back({date_text(r.fecha), r.hora, r.usuario, r.info_user});
            details.push_back("Pantalla: " + r.dialogo + "\nMódulo: " + r.modulo);
        }
    }

    // "Usuarios" lists everyone who opened the command's screens; choosing one narrows the
    // list to that user, choosing the title shows everyone again.
    QWidget* side_panel() override {
        auto* tree = Add(new QTreeWidget(this), kLogUsers);
        tree->setHeaderHidden(true);
        tree->setMaximumWidth(220);
        auto* root = new QTreeWidgetItem(tree, {"Usuarios"});
        const auto all = domain::screen_usage(m_db, m_negocio, m_id);
        for (const auto& u : domain::screen_usage_users(m_db, m_negocio, all)) {
            auto* item = new QTreeWidgetItem(root, {QString::fromStdString(u.label)});
            item->setData(0, kUsuarioRole, QString::fromStdString(u.usuario));
        }
        tree->expandAll();
        connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
            const QVariant code = item ? item->data(0, kUsuarioRole) : QVariant();
            m_usuario =
                code.isValid() ? std::optional(code.toString().toStdString()) : std::nullopt;
            reload();
        });
        return tree;
    }

private:
    std::string m_negocio;
    int m_id;
    std::optional<std::string> m_usuario;
};

}  // namespace

WDIAG* open_log_diag(QWidget* owner, data::Db& db, const std::string& negocio, int id_diag) {
    return open_screen<ScreenUsage>(owner, db, negocio, id_diag);
}

}  // namespace qz::gui
