// "Log Envío de emails": the mail queue on a grid over E_MSGS, standing on the newest message. In
// record order the queue reads as it was written; the "Enviado" column sorts by the queue's own
// order (unsent before sent, each by date and time).
#include <QHBoxLayout>
#include <QPushButton>

#include "data/table_ops.h"
#include "domain/session/log_record.h"
#include "gui/browse/add2browse.h"
#include "gui/logs/log_screen.h"
#include "gui/mail/mail_screens.h"

namespace qz::gui {

namespace {

class MailLogScreen : public LogScreen {
public:
    MailLogScreen(QWidget* owner, data::Db& db)
        : LogScreen(owner, "LOG_EMAILS", 6282, "Log Envío de emails", db) {
        m_grid_id = kMailLogGrid;
        m_with_detail = false;
    }

protected:
    data::Table open_table() override { return data::USE(m_db, "E_MSGS", ""); }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        AGREGARCOL(g, t, "Fecha", "FECHA");
        AGREGARCOL(g, t, "Hora", "HORA");
        AGREGARCOL(g, t, "Destinatario", "TO_USER");
        AGREGARCOL(g, t, "Asunto", "SUBJECT");
        AGREGARCOL(g, t, "Enviado", "", "", [&t] {
            return CellValue(std::string(t.num("ENVIADO").to_int() == 1 ? "Sí" : "No"));
        });
        AGREGARCOL(g, t, "F. Envío", "F_ENVIO");
        AGREGARCOL(g, t, "H. Envío", "H_ENVIO");
        AGREGARCOL(g, t, "Errores", "ERR_COUNT", "9999");
        AGREGARCOL(g, t, "Último Error", "", std::string(60, 'X'),
                   [&t] { return CellValue(one_line(domain::text_of(t, "ERR_TEXT"))); });
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.sortable = {{"FECHA", ""}, {"Enviado", "E_MSGS"}};
        return o;
    }
    void add_buttons(QHBoxLayout* buttons) override {
        buttons->addWidget(Add(new QPushButton("Refrescar", this), 201, [this] { reload(); }));
    }
};

}  // namespace

WDIAG* open_mail_log(QWidget* owner, data::Db& db) { return open_screen<MailLogScreen>(owner, db); }

}  // namespace qz::gui
