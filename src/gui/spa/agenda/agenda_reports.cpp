#include "gui/spa/agenda/agenda_reports.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/picture.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/lists/combobox.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace {

using domain::spa::AgendaReportRequest;

bool by_agent(AgendaReportKind k) { return k == AgendaReportKind::ByAgent; }

std::string report_title(AgendaReportKind k) {
    return by_agent(k) ? "Agenda Spa por Encargado" : "Agenda Spa";
}

// The days and the room or person to report.
class AgendaReportDialog : public DIALOG_BOX {
public:
    AgendaReportDialog(QWidget* owner, data::Db& db, std::string negocio, Date today,
                       AgendaReportKind kind)
        : DIALOG_BOX(by_agent(kind) ? "REP_AGENC" : "REP_AGSPA", owner),
          m_db(db),
          m_negocio(std::move(negocio)),
          m_today(today),
          m_kind(kind) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Desde", new LR_MASKED(this, kRepFrom, m_today));
        form->addRow("Hasta", new LR_MASKED(this, kRepTo, m_today));
        auto* box = Add(new QComboBox(this), kRepFilter);
        m_filter = std::make_unique<CCOMBOBOX>(box);
        fill_filter();
        form->addRow(by_agent(m_kind) ? "Encargado" : "Sala", box);
        form->addRow(Add(new QCheckBox("Incluir reservas anuladas", this), kRepCancelled));
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(report_title(m_kind));
        return true;
    }

    void SAVE_DATOS() override {
        AgendaReportRequest r;
        r.from = control_as<LR_MASKED>(kRepFrom)->date();
        r.to = control_as<LR_MASKED>(kRepTo)->date();
        const auto cargo = m_filter->CurCargo();
        const std::string code = cargo ? std::get<std::string>(*cargo) : std::string();
        (by_agent(m_kind) ? r.agent : r.room) = code;
        r.include_cancelled = control_as<QCheckBox>(kRepCancelled)->isChecked();
        if (const std::string why = domain::spa::check_report_request(r); !why.empty()) {
            MESSAGE_BOX(this, why, "Error", kMbOk | kMbIconStop);
            control(r.from.empty() ? kRepFrom : kRepTo)->setFocus();
            return;
        }
        m_request = r;
        EndDialog(kCmdOk);
    }

    const AgendaReportRequest& request() const { return m_request; }

private:
    void fill_filter() {
        const bool agents = by_agent(m_kind);
        m_filter->Add(agents ? "TODOS" : "TODAS", 0, std::string());
        const auto list = agents ? domain::spa::report_agents(m_db, m_negocio)
                                 : domain::spa::report_rooms(m_db, m_negocio);
        for (const auto& [code, name] : list)
            m_filter->Add(code + " - " + (agents ? upper_latin(name) : name), 0, code);
        m_filter->GoTop();
    }

    data::Db& m_db;
    std::string m_negocio;
    Date m_today;
    AgendaReportKind m_kind;
    std::unique_ptr<CCOMBOBOX> m_filter;
    AgendaReportRequest m_request;
};

std::string period(const AgendaReportRequest& r) {
    if (r.from == r.to) return "Fecha: " + r.from.dtoc4();
    return "Del " + r.from.dtoc4() + " al " + r.to.dtoc4();
}

}  // namespace

void open_agenda_report(QWidget* owner, data::Db& db, const std::string& negocio,
                        const Clock& clock, AgendaReportKind kind) {
    AgendaReportDialog dialog(owner, db, negocio, clock.XDATE(), kind);
    if (dialog.run() != kCmdOk) return;
    const AgendaReportRequest& req = dialog.request();
    const auto groups = by_agent(kind) ? domain::spa::agenda_by_agent(db, negocio, req)
                                       : domain::spa::agenda_by_room(db, negocio, req);
    if (groups.empty()) {
        MESSAGE_BOX(owner, "No hay reservaciones en el período indicado.", "Atención",
                    kMbOk | kMbIconExclamation);
        return;
    }
    services::PrinterFunction job;
    prepare_job(job);
    job.ORIENTACION(2);
    job.TITLE1(report_title(kind));
    job.TITLE2(period(req));
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, report_title(kind))) draw_agenda_report(job, groups, kind);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
