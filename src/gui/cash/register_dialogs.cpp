#include "gui/cash/register_dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <functional>

#include "data/amount_field.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

namespace dc = qz::domain::cash;

namespace {

// What the dialog asks for and what it does with the answer.
struct DialogSpec {
    std::string title;
    std::vector<dc::CashRegister> registers;  // offered; empty with a fixed register
    std::string fixed_register;               // shown only
    std::vector<dc::Operator> operators;
    bool ask_register_code = true;
    bool ask_fund = false;
};

struct Typed {
    std::string register_code, operator_code, operator_password, register_password;
    Decimal fund;
};

class CtrlAbreCaja : public DIALOG_BOX {
public:
    CtrlAbreCaja(QWidget* owner, DialogSpec spec, std::function<bool(const Typed&)> attempt)
        : DIALOG_BOX("CtrlAbreCaja", owner),
          m_spec(std::move(spec)),
          m_attempt(std::move(attempt)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = session_form();
        m_register = Add(new QComboBox(this), kDlgRegister);
        if (m_spec.fixed_register.empty()) {
            // The only register the workstation may open is taken without being chosen, as the
            // only operator is.
            if (m_spec.registers.size() != 1) m_register->addItem("", "");
            for (const auto& r : m_spec.registers)
                m_register->addItem(QString::fromStdString(r.code + " " + r.description),
                                    QString::fromStdString(r.code));
        } else {
            m_register->addItem(QString::fromStdString(m_spec.fixed_register),
                                QString::fromStdString(m_spec.fixed_register));
            m_register->setEnabled(false);
        }
        form->addRow("Caja:", m_register);
        m_operator = Add(new QComboBox(this), kDlgOperator);
        // The only operator is taken without being chosen.
        if (m_spec.operators.size() != 1) m_operator->addItem("", "");
        for (const auto& o : m_spec.operators)
            m_operator->addItem(QString::fromStdString(o.code + " " + o.name),
                                QString::fromStdString(o.code));
        form->addRow("Digitador:", m_operator);
        m_operator_code = secret(kDlgOperatorCode);
        form->addRow("Clave Digitador:", m_operator_code);
        if (m_spec.ask_register_code) {
            m_register_code = secret(kDlgRegisterCode);
            form->addRow("Clave Caja:", m_register_code);
        }
        if (m_spec.ask_fund) {
            m_fund = amount_edit(this, kDlgFund,
                                 data::amount_field("CAJA_DET", "MONTO_INI", "Monto Inicial"),
                                 Decimal(0));
            Add(m_fund, kDlgFund);
            form->addRow("Monto Inicial:", m_fund);
        }
        layout->addLayout(form);
        add_dialog_buttons(*this, this, layout);
        Text(m_spec.title);
        return true;
    }

    void OK() override {
        Typed t;
        t.register_code = m_register->currentData().toString().toStdString();
        t.operator_code = m_operator->currentData().toString().toStdString();
        t.operator_password = m_operator_code->text().toStdString();
        if (m_register_code) t.register_password = m_register_code->text().toStdString();
        if (m_fund) t.fund = m_fund->number();
        if (m_attempt(t)) {
            EndDialog(kCmdOk);
            return;
        }
        m_operator_code->clear();
        if (m_register_code) m_register_code->clear();
    }

private:
    QLineEdit* secret(int id) {
        auto* e = Add(new QLineEdit(this), id);
        e->setEchoMode(QLineEdit::Password);
        return e;
    }

    DialogSpec m_spec;
    std::function<bool(const Typed&)> m_attempt;
    QComboBox* m_register = nullptr;
    QComboBox* m_operator = nullptr;
    QLineEdit* m_operator_code = nullptr;
    QLineEdit* m_register_code = nullptr;
    LR_MASKED* m_fund = nullptr;
};

bool run(QWidget* owner, DialogSpec spec, std::function<bool(const Typed&)> attempt) {
    CtrlAbreCaja dlg(owner, std::move(spec), std::move(attempt));
    return dlg.run() == kCmdOk;
}

dc::OpenRequest request(const std::string& business, const Typed& t) {
    return {business, t.register_code, t.operator_code, t.register_password, t.operator_password,
            t.fund};
}

std::optional<dc::TakenRegister> take_pos(QWidget* owner, data::Db& db, const IniFile* ini,
                                          const std::string& business, domain::Session* session,
                                          bool reopen) {
    DialogSpec spec;
    spec.title = reopen ? "Reabrir Caja" : "Abrir Caja";
    spec.registers = dc::registers_to_open(db, ini, business, reopen);
    spec.operators = dc::business_operators(db, business);
    spec.ask_fund = !reopen;
    std::optional<dc::TakenRegister> taken;
    run(owner, spec, [&](const Typed& t) {
        QtUserPort port(owner);
        const auto r = request(business, t);
        taken = reopen ? dc::REABRE_CAJA(db, port, dc::kPosRegisters, r)
                       : dc::ABRE_CAJA(db, port, dc::kPosRegisters, r);
        return taken.has_value();
    });
    if (taken && session) dc::take_register(*session, dc::kFamilyPos, taken->reg, taken->op);
    return taken;
}

}  // namespace

std::optional<dc::TakenRegister> open_register_dialog(QWidget* owner, data::Db& db,
                                                      const IniFile* ini,
                                                      const std::string& business,
                                                      const std::string& screen_register,
                                                      domain::Session* session) {
    QtUserPort port(owner);
    if (!dc::screen_may_open(port, screen_register)) return std::nullopt;
    return take_pos(owner, db, ini, business, session, false);
}

std::optional<dc::TakenRegister> reopen_register_dialog(QWidget* owner, data::Db& db,
                                                        const IniFile* ini,
                                                        const std::string& business,
                                                        domain::Session* session) {
    return take_pos(owner, db, ini, business, session, true);
}

bool close_register(QWidget* owner, data::Db& db, const std::string& business,
                    const std::string& screen_register, const dc::ClosingReport& report,
                    domain::Session* session) {
    QtUserPort port(owner);
    dc::CloseRequest r;
    r.business = business;
    r.register_code = screen_register;
    r.report = report;
    r.skip_report = dc::read_register_settings(db, business).no_closing_report;
    if (!dc::CLOSE_CAJA(db, port, dc::kPosRegisters, r)) return false;
    if (session) dc::drop_register(*session, dc::kFamilyPos, screen_register);
    return true;
}

bool open_front_desk_dialog(QWidget* owner, data::Db& db, domain::Session& session,
                            const IniFile* ini, const std::string& code, bool reopen) {
    QtUserPort port(owner);
    if (!dc::front_desk_may_open(db, port, session, ini, code, reopen)) return false;
    DialogSpec spec;
    spec.title = reopen ? "Reabrir Caja" : "Abrir Caja";
    spec.fixed_register = code;
    spec.operators = dc::business_operators(db, session.XU_COMP);
    return run(owner, spec, [&](const Typed& t) {
        const auto r = request(session.XU_COMP, t);
        return reopen ? dc::reopen_front_desk(db, port, session, r)
                      : dc::open_front_desk(db, port, session, r);
    });
}

bool supervisor_close_dialog(QWidget* owner, data::Db& db, domain::Session& session,
                             const std::string& code, const dc::FrontDeskReport& report) {
    DialogSpec spec;
    spec.title = "Cierre de Caja por Supervisor";
    spec.fixed_register = code;
    for (auto& o : dc::business_operators(db, session.XU_COMP))
        if (o.may_close) spec.operators.push_back(std::move(o));
    spec.ask_register_code = false;
    bool closed = false;
    run(owner, spec, [&](const Typed& t) {
        QtUserPort port(owner);
        closed =
            dc::PASS_CAJA(db, port, session, code, {t.operator_code, t.operator_password}, report);
        // A declined confirmation closes the dialog too: there is nothing to try again.
        return true;
    });
    return closed;
}

}  // namespace qz::gui
