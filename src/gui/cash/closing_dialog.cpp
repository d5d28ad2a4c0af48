#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "core/text.h"
#include "domain/cash/workstation_register.h"
#include "gui/cash/closing_print.h"
#include "gui/cash/closing_report.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

namespace dc = domain::cash;

constexpr const char* kJobName = "Cierre de Caja";
constexpr const char* kNoRegister =
    "El Código de Caja no está definido en la Base de Datos de Cajas";

class ClosingDialog : public DIALOG_BOX {
public:
    ClosingDialog(QWidget* owner, data::Db& db, dc::ClosingRequest request, dc::Closing first)
        : DIALOG_BOX("P_CIERRE", owner),
          m_db(db),
          m_request(std::move(request)),
          m_closing(std::move(first)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        label(layout, "CAJA", "Caja: " + m_closing.register_code + " " + m_closing.register_name);
        label(layout, "PERIODO", dc::closing_period(m_closing));
        label(layout, "CAJERO", "Cajero: " + m_closing.cashier);
        label(layout, "TOTALES",
              "Gran Total: " + money(m_closing.grand_total) +
                  "    Recaudado: " + money(m_closing.collected));
        m_detail = Add(new QCheckBox("Detallado", this), kClosingDetail);
        m_ticket = Add(new QCheckBox("Formato Tiquete", this), kClosingTicket);
        m_detail->setChecked(true);
        layout->addWidget(m_detail);
        layout->addWidget(m_ticket);
        auto* b = new QHBoxLayout;
        b->addWidget(Add(new QPushButton("Imprimir", this), kClosingPrint, [this] { IMPRIMIR(); }));
        b->addWidget(
            Add(new QPushButton("Cierre 2", this), kClosingSecond, [this] { CIERRE_DOS(); }));
        b->addStretch();
        b->addWidget(Add(new QPushButton("Cerrar", this), kCmdCancel));
        layout->addLayout(b);
        Text("Cierre de Caja");
        return true;
    }

    // Asks for the printer, prints the listing and closes; a cancelled printer choice leaves the
    // dialog open.
    void IMPRIMIR() {
        if (!reread()) return;
        services::PrinterFunction job;
        prepare_job(job);
        closing_titles(job, m_closing);
        if (!SETUPPRINTER(job, 1, true, this)) return;
        ClosingLayout layout;
        layout.detail = m_detail->isChecked();
        layout.ticket = m_ticket->isChecked();
        if (layout.ticket) {
            layout.logo = ticket_logo(m_db.home());
            const DateTime now = m_db.clock().now();
            layout.printed_at = "Fecha/Hora: " + now.date.dtoc4() + "  " + now.time;
        }
        if (START_DOC(this, job, kJobName)) draw_closing(job, m_closing, layout);
        RESETPRINT(this, job);
        EndDialog(kCmdOk);
    }

    // R_CICAJA for the same period.
    void CIERRE_DOS() {
        if (!reread()) return;
        services::PrinterFunction job;
        prepare_job(job);
        job.TITLE1("CIERRE DE CAJA POR FORMA DE PAGO");
        job.TITLE2(dc::closing_period(m_closing));
        if (!SETUPPRINTER(job, 1, true, this)) return;
        if (START_DOC(this, job, kJobName)) draw_closing_by_type(job, m_closing);
        RESETPRINT(this, job);
    }

private:
    void label(QVBoxLayout* layout, const char* name, const std::string& text) {
        auto* l = new QLabel(QString::fromStdString(text), this);
        l->setObjectName(name);
        layout->addWidget(l);
    }
    std::string money(const Decimal& d) const {
        return trim(m_closing.symbol + " " + services::format_number(d, "99,999,999,999.99"));
    }
    // A preliminary closing prints what the register holds when it is printed.
    bool reread() {
        auto again = dc::read_closing(m_db, m_request);
        if (!again) return false;
        m_closing = std::move(*again);
        return true;
    }

    data::Db& m_db;
    dc::ClosingRequest m_request;
    dc::Closing m_closing;
    QCheckBox* m_detail = nullptr;
    QCheckBox* m_ticket = nullptr;
};

}  // namespace

void open_closing_dialog(QWidget* owner, data::Db& db, const dc::ClosingRequest& r) {
    auto closing = dc::read_closing(db, r);
    if (!closing) {
        MESSAGE_BOX(owner, kNoRegister, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    ClosingDialog dialog(owner, db, r, std::move(*closing));
    dialog.run();
}

dc::ClosingReport closing_report_for(QWidget* owner, data::Db& db, const std::string& business) {
    return [owner, &db, business](const dc::CashShift& shift, const DateTime& end) {
        open_closing_dialog(owner, db, dc::shift_closing(business, shift, dc::kPosRegisters, end));
    };
}

void print_shift_closing(QWidget* owner, data::Db& db, const std::string& business,
                         const dc::CashShift& shift, const dc::RegisterTables& family) {
    open_closing_dialog(owner, db, dc::shift_closing(business, shift, family, db.clock().now()));
}

void print_workstation_closing(QWidget* owner, data::Db& db, domain::Session& session) {
    // Asking re-reads the register rows: one closed elsewhere is not this workstation's any more.
    dc::CAJA_ABIERTA(db, session);
    dc::CAJA2_ABIERTA(db, session);
    const auto& st = dc::state_for_family(session, dc::kFamilyPos);
    std::optional<dc::CashShift> shift;
    if (st.family == dc::kFamilyPos && st.open == 1)
        shift = dc::running_shift(db, dc::kPosRegisters, session.XU_COMP, st.code);
    if (!shift) {
        MESSAGE_BOX(owner, dc::kNoRegisterOnScreen, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    print_shift_closing(owner, db, session.XU_COMP, *shift, dc::kPosRegisters);
}

}  // namespace qz::gui
