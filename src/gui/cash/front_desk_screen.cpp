// The front desk's register screen (HCAJAS2): the business's front-desk registers with the
// commands that open, close, re-open, close by a supervisor and count the one on the row, and
// the cash count dialog (HCAJAS5).
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/cash_count.h"
#include "domain/cash/front_desk.h"
#include "domain/cash/workstation_register.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/cash/cash_screens.h"
#include "gui/cash/closing_report.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace dc = qz::domain::cash;

namespace {

class FrontDeskScreen : public WDIAG {
public:
    FrontDeskScreen(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini)
        : WDIAG(owner, "HCAJAS2", 0, ScreenOptions{true, true}),
          m_db(db),
          m_session(session),
          m_ini(ini) {}

    bool Init() override {
        m_table = data::USE(m_db, "ENC_HCAJ", "ENC_HCAJ");
        auto* layout = new QVBoxLayout(this);
        m_grid = new WBLISTBOX(this, *m_table, "HCAJAS2_GRID", kHGrid);
        Add(m_grid, kHGrid);
        AGREGARCOL(*m_grid, *m_table, "Código", "CODIGO", "XXXXXX");
        AGREGARCOL(*m_grid, *m_table, "Descripción", "DESCRIP");
        AGREGARCOL(*m_grid, *m_table, "Estado", "ESTADO", "XXXXXX");
        layout->addWidget(m_grid);
        m_state = new QLabel(this);
        m_state->setObjectName("ESTADO_CAJA");
        layout->addWidget(m_state);
        auto* b = new QHBoxLayout;
        auto button = [&](const char* caption, int id, Block block) {
            auto* p = Add(new QPushButton(caption, this), id, std::move(block));
            b->addWidget(p);
            return p;
        };
        button("Abrir Caja", kHOpen, [this] { on_row(false); });
        button("Cerrar Caja", kHClose, [this] {
            QtUserPort port(this);
            dc::close_front_desk(m_db, port, m_session, {});
            refresh();
        });
        button("Reabrir Caja", kHReopen, [this] { on_row(true); });
        button("Cierre Supervisor", kHSupervisor, [this] {
            if (const std::string code = current_code(); !code.empty())
                supervisor_close_dialog(this, m_db, m_session, code, {});
            refresh();
        });
        button("Arqueo", kHCount, [this] { run_cash_count(this, m_db, m_session); });
        button("Imprimir Cierre", kHPrint, [this] { PRINT_CIERRE(); });
        b->addStretch();
        b->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(b);
        Text("Cajas de Recepción");
        resize(640, 400);
        Create();
        BrowMarksOptions o;
        o.scope_start = data::business_key(m_session.XU_COMP);
        o.no_marks = true;
        o.no_refresh = true;
        m_grid->BrowMarks(o);
        refresh();
        return true;
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_table) data::KILLTABLA(m_db, m_table);
    }

private:
    std::string current_code() {
        const long recno = m_grid->nCrecNo();
        if (recno > 0) {
            m_table->GoTo(recno);
            if (!m_table->Eof()) return trim(m_table->str("CODIGO"));
        }
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return "";
    }

    // The running shift's preliminary closing, up to now.
    void PRINT_CIERRE() {
        const std::string code = current_code();
        if (code.empty()) return;
        const auto shift = dc::running_shift(m_db, dc::kFrontDesk, m_session.XU_COMP, code);
        if (!shift) {
            MESSAGE_BOX(this, "Actualmente no se encuentra abierta esta caja.", "Atencion",
                        kMbOk | kMbIconExclamation);
            return;
        }
        print_shift_closing(this, m_db, m_session.XU_COMP, *shift, dc::kFrontDesk);
    }

    void on_row(bool reopen) {
        if (const std::string code = current_code(); !code.empty())
            open_front_desk_dialog(this, m_db, m_session, m_ini, code, reopen);
        refresh();
    }

    void refresh() {
        m_grid->REFRESHALL();
        const auto& st = m_session.registers.XH_CAJAS.family == dc::kFamilyFrontDesk
                             ? m_session.registers.XH_CAJAS
                             : m_session.registers.XH2_CAJAS;
        const bool mine = st.family == dc::kFamilyFrontDesk && st.open == 1;
        m_state->setText(QString::fromStdString(mine ? "Caja: " + st.description +
                                                           "    Digitador: " + st.operator_name
                                                     : std::string("Caja: Ninguna")));
    }

    data::Db& m_db;
    domain::Session& m_session;
    const IniFile* m_ini;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
    QLabel* m_state = nullptr;
};

// HCAJAS5: one amount per payment type, and their total as they are typed.
class CashCountDialog : public DIALOG_BOX {
public:
    CashCountDialog(QWidget* owner, data::Db& db, domain::Session& session, dc::CashShift shift)
        : DIALOG_BOX("HCAJAS5", owner),
          m_db(db),
          m_session(session),
          m_shift(std::move(shift)),
          m_field(data::amount_field("ARQ_HCAJ", "MONTO", "Monto")) {}

    bool Init() override {
        m_lines = dc::read_cash_count(m_db, m_session.XU_COMP, m_shift);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(
            QString::fromStdString("Caja " + m_shift.register_code + "  apertura " +
                                   m_shift.start_date.dtoc4() + " " + m_shift.start_time)));
        auto* form = new QFormLayout;
        int id = 600;
        for (const auto& l : m_lines) {
            auto* e = amount_edit(this, id, m_field, l.amount);
            Add(e, id++);
            QObject::connect(e, &QLineEdit::textChanged, this, [this] { show_total(); });
            m_edits.push_back(e);
            form->addRow(QString::fromStdString(l.payment_type + " " + l.description + ":"), e);
        }
        m_total = new QLabel(this);
        m_total->setObjectName("TOTAL");
        form->addRow("Total:", m_total);
        layout->addLayout(form);
        auto* b = new QHBoxLayout;
        b->addStretch();
        b->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        b->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(b);
        Text("Arqueo de Caja");
        show_total();
        return true;
    }

    void SAVE_DATOS() override {
        if (!read()) return;
        dc::save_cash_count(m_db, m_session.XU_COMP, m_shift, m_lines, m_session.XUSER_ABREVIA);
        EndDialog(kCmdOk);
    }

private:
    bool read() {
        QtUserPort port(this);
        for (size_t i = 0; i < m_lines.size(); ++i) {
            Decimal d;
            if (auto why = m_field.read(m_edits[i]->text().toStdString(), d); !why.empty()) {
                port.message(MsgStyle::Error, "Error", why);
                return false;
            }
            m_lines[i].amount = d;
        }
        return true;
    }
    void show_total() {
        Decimal total;
        for (auto* e : m_edits) {
            Decimal d;
            if (m_field.read(e->text().toStdString(), d).empty()) total = total + d;
        }
        m_total->setText(QString::fromStdString(m_field.show(total)));
    }

    data::Db& m_db;
    domain::Session& m_session;
    dc::CashShift m_shift;
    AmountField m_field;
    std::vector<dc::CountLine> m_lines;
    std::vector<LR_MASKED*> m_edits;
    QLabel* m_total = nullptr;
};

}  // namespace

WDIAG* open_front_desk_screen(QWidget* owner, data::Db& db, domain::Session& session,
                              const IniFile* ini) {
    return open_screen<FrontDeskScreen>(owner, db, session, ini);
}

void run_cash_count(QWidget* owner, data::Db& db, domain::Session& session) {
    QtUserPort port(owner);
    const auto shift = dc::shift_to_count(db, port, session);
    if (!shift) return;
    CashCountDialog dlg(owner, db, session, *shift);
    dlg.run();
}

}  // namespace qz::gui
