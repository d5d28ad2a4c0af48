#include "gui/cash/register_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/cash/register_maintenance.h"
#include "domain/customers/customer_codes.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace dc = qz::domain::cash;
using Reg = dc::CashRegister;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

struct FlagControl {
    const char* caption;
    bool Reg::*member;
};
const FlagControl kRegisterFlags[] = {
    {"Punto de Venta (aplicar valores por defecto)", &Reg::POS},
    {"Leer forma de pago siempre", &Reg::LEER_PAGO},
    {"Restringir Bodega", &Reg::REST_BOD},
    {"Restringir Agente", &Reg::REST_AGE},
    {"Restringir Moneda", &Reg::REST_MON},
    {"Restringir Concepto", &Reg::REST_CON},
    {"Restringir Tipo de Precio", &Reg::REST_PRE},
    {"Restringir Cliente", &Reg::REST_CL},
    {"Reiniciar al facturar", &Reg::RESET1},
    {"Leer Vuelto al Facturar", &Reg::LEE_CAMBIO},
    {"Contado directo", &Reg::DO_CONTADO},
    {"No cambiar concepto", &Reg::NO_CONC1},
    {"Requiere captura de datos (cuenta tarjeta)", &Reg::REQ_CAP_DA},
};
const char* const kBlockCaptions[] = {"Bloquear datos de atención",
                                      "Bloquear descuentos",
                                      "Bloquear fletes",
                                      "Bloquear formas de pago",
                                      "Bloquear textos de artículo",
                                      "Bloquear condiciones de pago",
                                      "Bloquear grabar pedido",
                                      "Bloquear grabar proforma",
                                      "Bloquear datos del cliente",
                                      "Bloqueo 10"};

using Choices = std::vector<std::pair<std::string, std::string>>;

Choices choices(data::Db& db, const char* table, const std::string& business,
                const char* name_field = "DESCRIP", const std::string& blank = "",
                const char* code_field = "CODIGO") {
    Choices out{{"", blank}};
    for (const auto& c : domain::customers::choices(db, table, business, code_field, name_field))
        out.push_back({c.code, c.code + " " + c.description});
    return out;
}

class RegisterDialog : public DIALOG_BOX {
public:
    RegisterDialog(QWidget* owner, data::Db& db, std::string business, std::optional<Reg> current)
        : DIALOG_BOX("CAJAS", owner),
          m_db(db),
          m_business(std::move(business)),
          m_current(std::move(current)),
          m_r(m_current.value_or(Reg{})) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* columns = new QHBoxLayout;
        columns->addWidget(general());
        columns->addWidget(tenders());
        columns->addWidget(flags());
        layout->addLayout(columns);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(m_current ? "Modificar Caja" : "Crear Caja");
        return true;
    }

    void SAVE_DATOS() override {
        read_back();
        QtUserPort port(this);
        const std::string password = control_as<QLineEdit>(kRegPassword)->text().toStdString();
        const bool saved =
            m_current ? dc::MOD_Caja(m_db, port, dc::kPosRegisters, m_business, m_r, password)
                      : dc::ADD_Caja(m_db, port, dc::kPosRegisters, m_business, m_r, password);
        if (saved) EndDialog(kCmdOk);
    }

private:
    QLineEdit* text(int id, const std::string& value, int max) {
        auto* e = Add(new QLineEdit(q(value), this), id);
        e->setMaxLength(max);
        return e;
    }
    QComboBox* combo(int id, const Choices& c, const std::string& value) {
        auto* b = Add(new QComboBox(this), id);
        for (const auto& [code, caption] : c) b->addItem(q(caption), q(code));
        b->setCurrentIndex(std::max(0, b->findData(q(value))));
        return b;
    }
    std::string chosen(int id) const {
        return control_as<QComboBox>(id)->currentData().toString().toStdString();
    }

    QGroupBox* general() {
        auto* box = new QGroupBox("Caja", this);
        auto* f = new QFormLayout(box);
        auto* code = text(kRegCode, m_r.code, 4);
        code->setReadOnly(m_current.has_value());  // shifts and sales keep the code
        f->addRow("Código:", code);
        f->addRow("Descripción:", text(kRegName, m_r.description, 60));
        auto* pass = text(kRegPassword, "", 10);
        pass->setEchoMode(QLineEdit::Password);
        if (m_current) pass->setPlaceholderText("(sin cambio)");
        f->addRow("Clave:", pass);
        auto* state = new QHBoxLayout;
        auto* open = Add(new QRadioButton("Abierta", this), kRegOpen);
        auto* closed = Add(new QRadioButton("Cerrada", this), kRegClosed);
        (m_r.is_open() ? open : closed)->setChecked(true);
        state->addWidget(open);
        state->addWidget(closed);
        f->addRow("Estado:", state);
        f->addRow("Bodega:",
                  combo(kRegWarehouse, choices(m_db, "BODEGAS", m_business), m_r.DEF_BODEGA));
        f->addRow("Agente:",
                  combo(kRegAgent, choices(m_db, "AGENTES", m_business, "NOMBRE"), m_r.DEF_AGENTE));
        const Choices currencies = choices(m_db, "MONEDAS", m_business);
        f->addRow("Moneda:", combo(kRegCurrency, currencies, m_r.DEF_MONEDA));
        // The customers may be many: the code is typed.
        f->addRow("Cliente:", text(kRegCustomer, m_r.DEF_CLIEN, 15));
        f->addRow(
            "Concepto:",
            combo(kRegConcept, choices(m_db, "CONCEPT1", m_business, "DESCRIP", "", "CONCEPTO"),
                  m_r.DEF_CONC));
        f->addRow("Tipo de Precio:",
                  combo(kRegPriceType, choices(m_db, "ENC_PREC", m_business), m_r.DEF_PREC));
        f->addRow("Centro de Ventas:", combo(kRegCentre,
                                             choices(m_db, "DEF_VENT", m_business, "DESCRIP",
                                                     "Sin Centro de Ventas asociado"),
                                             m_r.DEF_VENT));
        f->addRow("Tipo de Recibo:",
                  combo(kRegReceipt, choices(m_db, "T_RECIBO", m_business), m_r.TIP_RECIBO));
        Choices closing = currencies;
        closing.front() = {kAccountingCurrency, "***Según Moneda Contabilidad"};
        f->addRow("Moneda de Cierre:", combo(kRegClosingCurrency, closing, m_r.MON_CIERRE));
        return box;
    }

    QGroupBox* tenders() {
        auto* box = new QGroupBox("Formas de Pago Rápidas", this);
        auto* g = new QGridLayout(box);
        const Choices types = choices(m_db, "TIPO_MOV", m_business);
        for (int i = 0; i < 7; ++i) {
            g->addWidget(new QLabel(q("F" + std::to_string(i + 2) + ":"), this), i, 0);
            g->addWidget(combo(kRegTender1 + i, types, m_r.DEF_B[static_cast<size_t>(i)]), i, 1);
            if (i > 0)
                g->addWidget(text(kRegLabel2 + i - 1, m_r.ROTULO[static_cast<size_t>(i - 1)], 20),
                             i, 2);
        }
        return box;
    }

    QGroupBox* flags() {
        auto* box = new QGroupBox("Opciones", this);
        auto* v = new QVBoxLayout(box);
        int id = kRegFlag1;
        for (const auto& f : kRegisterFlags) {
            auto* c = Add(new QCheckBox(f.caption, this), id++);
            c->setChecked(m_r.*f.member);
            v->addWidget(c);
        }
        for (int i = 0; i < 10; ++i) {
            auto* c = Add(new QCheckBox(kBlockCaptions[i], this), kRegBlock1 + i);
            c->setChecked(m_r.BLOQUEO[static_cast<size_t>(i)]);
            v->addWidget(c);
        }
        return box;
    }

    void read_back() {
        auto txt = [this](int id) { return control_as<QLineEdit>(id)->text().toStdString(); };
        m_r.code = txt(kRegCode);
        m_r.description = txt(kRegName);
        m_r.state = control_as<QRadioButton>(kRegOpen)->isChecked() ? dc::kOpen : dc::kClosed;
        m_r.DEF_BODEGA = chosen(kRegWarehouse);
        m_r.DEF_AGENTE = chosen(kRegAgent);
        m_r.DEF_MONEDA = chosen(kRegCurrency);
        m_r.DEF_CLIEN = trim(txt(kRegCustomer));
        m_r.DEF_CONC = chosen(kRegConcept);
        m_r.DEF_PREC = chosen(kRegPriceType);
        m_r.DEF_VENT = chosen(kRegCentre);
        m_r.TIP_RECIBO = chosen(kRegReceipt);
        m_r.MON_CIERRE = chosen(kRegClosingCurrency);
        for (int i = 0; i < 7; ++i) m_r.DEF_B[static_cast<size_t>(i)] = chosen(kRegTender1 + i);
        for (int i = 0; i < 6; ++i) m_r.ROTULO[static_cast<size_t>(i)] = txt(kRegLabel2 + i);
        int id = kRegFlag1;
        for (const auto& f : kRegisterFlags)
            m_r.*f.member = control_as<QCheckBox>(id++)->isChecked();
        for (int i = 0; i < 10; ++i)
            m_r.BLOQUEO[static_cast<size_t>(i)] =
                control_as<QCheckBox>(kRegBlock1 + i)->isChecked();
    }

    data::Db& m_db;
    std::string m_business;
    std::optional<Reg> m_current;
    Reg m_r;
};

}  // namespace

bool register_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::optional<dc::CashRegister>& current) {
    RegisterDialog dlg(owner, db, business, current);
    return dlg.run() == kCmdOk;
}

}  // namespace qz::gui
