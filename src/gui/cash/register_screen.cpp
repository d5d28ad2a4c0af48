// "Definición de Cajas": the business's point-of-sale registers above, the shifts of the chosen
// one below, and the "Editar" operations on both.
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_maintenance.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/cash/cash_screens.h"
#include "gui/cash/closing_report.h"
#include "gui/cash/register_form.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace dc = qz::domain::cash;

namespace {

constexpr int kFStartDate = kShiftStartDate, kFStartTime = kShiftStartTime,
              kFEndDate = kShiftEndDate, kFEndTime = kShiftEndTime, kFFund = kShiftFund;

bool read_date(UserPort& port, const std::string& typed, Date& out, bool required) {
    const auto d = typed_date(trim(typed));
    if (d && (!d->empty() || !required)) {
        out = *d;
        return true;
    }
    port.message(MsgStyle::Error, "Error", "Fecha inválida: " + typed);
    return false;
}

// The add / modify form of a shift row: start, end and opening fund.
bool shift_form(QWidget* owner, data::Db& db, const std::string& business, dc::CashShift s,
                bool is_new) {
    const AmountField fund = data::amount_field("CAJA_DET", "MONTO_INI", "Monto Inicial");
    FormField fund_field{kFFund, "Monto Inicial", FormField::Kind::Number,
                         fund.show(s.opening_fund)};
    fund_field.amount = fund;
    std::vector<FormField> fields = {
        {kFStartDate, "Fecha Ap.", FormField::Kind::Text,
         s.start_date.empty() ? "" : s.start_date.dtoc4(), 10},
        {kFStartTime, "Hora Ap.", FormField::Kind::Text, s.start_time, 8},
        {kFEndDate, "F. Cierre", FormField::Kind::Text,
         s.end_date.empty() ? "" : s.end_date.dtoc4(), 10},
        {kFEndTime, "H. Cierre", FormField::Kind::Text, s.end_time, 8},
        fund_field,
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        if (!read_date(port, v.at(kFStartDate), s.start_date, true) ||
            !read_date(port, v.at(kFEndDate), s.end_date, false) ||
            !read_form_numbers(port, v, {{&fund, kFFund, &s.opening_fund}}))
            return false;
        s.start_time = trim(v.at(kFStartTime));
        s.end_time = trim(v.at(kFEndTime));
        return is_new ? dc::ADD_DETALLE(db, port, dc::kPosRegisters, business, s)
                      : dc::MOD_DETALLE(db, port, dc::kPosRegisters, business, s);
    };
    return run_master_form(owner, "CAJA_DET", is_new ? "Agregar Cierre Manual" : "Modificar Cierre",
                           std::move(fields), save);
}

}  // namespace

class RegisterScreen : public WDIAG {
public:
    RegisterScreen(QWidget* owner, data::Db& db, std::string business)
        : WDIAG(owner, "CAJAS", 2788, ScreenOptions{true, true}),
          m_db(db),
          m_business(std::move(business)) {}

    bool Init() override {
        m_registers = data::USE(m_db, "CAJA_ENC", "CAJA_ENC");
        m_shifts = data::USE(m_db, "CAJA_DET", "CAJA_DET");
        auto* layout = new QVBoxLayout(this);
        m_grid = new WBLISTBOX(this, *m_registers, "CAJAS_GRID", kCajasGrid);
        Add(m_grid, kCajasGrid);
        AGREGARCOL(*m_grid, *m_registers, "Código", "CODIGO", "XXXXXX");
        AGREGARCOL(*m_grid, *m_registers, "Descripción", "DESCRIP");
        AGREGARCOL(*m_grid, *m_registers, "Estado", "ESTADO", "XXXXXX");
        layout->addWidget(m_grid, 3);
        m_shift_grid = new WBLISTBOX(this, *m_shifts, "CAJAS_DET_GRID", kCajasShifts);
        Add(m_shift_grid, kCajasShifts);
        AGREGARCOL(*m_shift_grid, *m_shifts, "Fecha Ap.", "FECHA_INI");
        AGREGARCOL(*m_shift_grid, *m_shifts, "Hora Ap.", "HORA_INI");
        AGREGARCOL(*m_shift_grid, *m_shifts, "F. Cierre", "FECHA_FIN");
        AGREGARCOL(*m_shift_grid, *m_shifts, "H. Cierre", "HORA_FIN");
        AGREGARCOL(*m_shift_grid, *m_shifts, "Monto Inicial", "MONTO_INI", "999,999,999,999.99");
        AGREGARCOL(*m_shift_grid, *m_shifts, "Digitador", "AGENTE", "XXXXXXXXX");
        layout->addWidget(m_shift_grid, 2);
        layout->addLayout(buttons());
        Text("Definición de Cajas");
        resize(760, 520);
        Create();
        BrowMarksOptions o;
        o.scope_start = data::business_key(m_business);
        o.no_marks = true;
        o.no_refresh = true;
        m_grid->BrowMarks(o);
        o.scope_start = shift_scope();
        m_shift_grid->BrowMarks(o);
        m_grid->Sel_Block = [this] { m_shift_grid->SET_SCOPE(shift_scope()); };
        m_grid->Double_Block = [this] { MOD_Caja(); };
        m_shift_grid->Double_Block = [this] { MOD_DETALLE(); };
        return true;
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_shift_grid) m_shift_grid->DISABLE_BROWSE();
        if (m_registers) data::KILLTABLA(m_db, m_registers);
        if (m_shifts) data::KILLTABLA(m_db, m_shifts);
    }

    void ADD_Caja() {
        if (register_form(this, m_db, m_business, std::nullopt)) refresh();
    }
    void MOD_Caja() {
        const auto r = current_register();
        if (r && register_form(this, m_db, m_business, r)) refresh();
    }
    void DEL_Caja() {
        QtUserPort port(this);
        const auto r = current_register();
        if (r && dc::DEL_Caja(m_db, port, dc::kPosRegisters, m_business, r->code)) refresh();
    }
    void ADD_DETALLE() {
        const auto r = current_register();
        if (!r) return;
        dc::CashShift s;
        s.register_code = r->code;
        if (shift_form(this, m_db, m_business, s, true)) refresh();
    }
    void MOD_DETALLE() {
        const auto s = current_shift();
        if (s && shift_form(this, m_db, m_business, *s, false)) refresh();
    }
    void DEL_DETALLE() {
        QtUserPort port(this);
        const auto s = current_shift();
        if (s && dc::DEL_DETALLE(m_db, port, dc::kPosRegisters, s->recno)) refresh();
    }

    // The chosen shift's closing; a running one gives a preliminary closing.
    void PRINT_CIERRE() {
        if (const auto s = current_shift())
            print_shift_closing(this, m_db, m_business, *s, dc::kPosRegisters);
    }

private:
    QHBoxLayout* buttons() {
        auto* b = new QHBoxLayout;
        auto button = [&](const char* caption, int id, Block block) {
            b->addWidget(Add(new QPushButton(caption, this), id, std::move(block)));
        };
        button("Crear Caja", kCajasAdd, [this] { ADD_Caja(); });
        button("Modificar Caja", kCajasModify, [this] { MOD_Caja(); });
        button("Borrar Caja", kCajasDelete, [this] { DEL_Caja(); });
        button("Agregar Cierre", kShiftAdd, [this] { ADD_DETALLE(); });
        button("Modificar Cierre", kShiftModify, [this] { MOD_DETALLE(); });
        button("Borrar Cierre", kShiftDelete, [this] { DEL_DETALLE(); });
        button("Imprimir Cierre", kPrintClosing, [this] { PRINT_CIERRE(); });
        b->addStretch();
        b->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        return b;
    }

    std::string shift_scope() {
        std::string code;
        const long recno = m_grid ? m_grid->nCrecNo() : 0;
        if (recno > 0) {
            m_registers->GoTo(recno);
            if (!m_registers->Eof()) code = trim(m_registers->str("CODIGO"));
        }
        // Without a register the scope is one no shift has.
        return data::order_key("CAJA_DET", "CAJA_DET", {m_business, code.empty() ? "\x01" : code});
    }

    std::optional<dc::CashRegister> current_register() {
        const long recno = m_grid->nCrecNo();
        if (recno > 0) {
            m_registers->GoTo(recno);
            if (!m_registers->Eof()) return dc::register_from_row(*m_registers);
        }
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return std::nullopt;
    }

    std::optional<dc::CashShift> current_shift() {
        const long recno = m_shift_grid->nCrecNo();
        if (recno > 0) {
            m_shifts->GoTo(recno);
            if (!m_shifts->Eof()) return dc::shift_from_row(*m_shifts);
        }
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return std::nullopt;
    }

    void refresh() {
        m_grid->REFRESHALL();
        m_shift_grid->SET_SCOPE(shift_scope());
    }

    data::Db& m_db;
    std::string m_business;
    data::Table m_registers, m_shifts;
    WBLISTBOX* m_grid = nullptr;
    WBLISTBOX* m_shift_grid = nullptr;
};

WDIAG* open_register_screen(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<RegisterScreen>(owner, db, business);
}

void register_screen_operation(QWidget* screen, const std::string& operation) {
    auto* s = dynamic_cast<RegisterScreen*>(screen);
    if (!s) return;
    if (operation == "ADD_CAJA")
        s->ADD_Caja();
    else if (operation == "MOD_CAJA")
        s->MOD_Caja();
    else if (operation == "DEL_CAJA")
        s->DEL_Caja();
    else if (operation == "ADD_DETALLE")
        s->ADD_DETALLE();
    else if (operation == "MOD_DETALLE")
        s->MOD_DETALLE();
    else if (operation == "DEL_DETALLE")
        s->DEL_DETALLE();
}

}  // namespace qz::gui
