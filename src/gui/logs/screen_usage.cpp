// The screen-usage viewer. LOG_DIAG is ordered by business and command only, and recycled records
// keep their old record numbers, so the command's records are copied into a temporary table of
// the same structure, where the order by date and time (LOG_DIA2) lists them as they happened.
// Choosing a user in the tree copies only that user's records.
#include <QTreeWidget>
#include <optional>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
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
        o.sortable = {{1, "LOG_DIA2"}};
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
        for (const auto& [code, label] : users()) {
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
    // Empties the copy and fills it with the command's records (one user's when narrowed): one
    // walk over the command's scope of LOG_DIAG, written in one transaction.
    void fill(data::WDBTable& copy) {
        data::Table log = data::USE(m_db, "LOG_DIAG", "LOG_DIAG");
        const std::string key = pad_right(m_negocio, 15) + str_int(m_id, 10);
        log->SetScope(key, key);
        {
            data::Transaction tx(m_db);
            for (copy.GoTop(); !copy.Eof(); copy.GoTop()) copy.Delete();
            for (log->GoTop(); !log->Eof(); log->Skip()) {
                if (m_usuario && !iequals(domain::text_of(*log, "USUARIO"), trim(*m_usuario)))
                    continue;
                data::ADD_NEW_REC(copy);
                for (int f = 1; f <= copy.FCount(); ++f) copy.FieldPut(f, log->FieldGet(f));
                data::UNLOCK_NEW_REC(copy);
            }
            tx.commit();
        }
        data::KILLTABLA(m_db, log);
        copy.GoBottom();
    }

    // Distinct short codes of the copy, newest first, with their user identifiers.
    std::vector<std::pair<std::string, std::string>> users() {
        std::vector<std::pair<std::string, std::string>> out;
        data::Table usr = data::USE(m_db, "USUARIOS", "USUARIO4");
        for (m_table->GoBottom(); !m_table->Eof() && !m_table->BOF(); m_table->Skip(-1)) {
            const std::string code = domain::text_of(*m_table, "USUARIO");
            if (std::any_of(out.begin(), out.end(), [&](const auto& u) { return u.first == code; }))
                continue;
            std::string label;
            if (usr->Seek(pad_right(m_negocio, 15) + pad_right(code, 10)))
                label = domain::text_of(*usr, "USUARIO");
            out.emplace_back(code, label.empty() ? code : label);
        }
        data::KILLTABLA(m_db, usr);
        return out;
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
