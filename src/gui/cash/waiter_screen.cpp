// The waiters' shifts: a waiter chosen by name (with his pass code) or by his pass code alone
// opens his shift, prints its report (IMP_TURN) and closes it.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/amount.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/waiter_shifts.h"
#include "gui/cash/cash_screens.h"
#include "gui/cash/turn_report.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace dc = qz::domain::cash;

namespace {

class WaiterScreen : public WDIAG {
public:
    WaiterScreen(QWidget* owner, data::Db& db, std::string business)
        : WDIAG(owner, "REG_TURN", 0), m_db(db), m_business(std::move(business)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        m_choice = Add(new QComboBox(this), kWaiterChoice);
        m_choice->addItem("", "");
        for (const auto& w : dc::business_waiters(m_db, m_business))
            m_choice->addItem(
                QString::fromStdString(w.code + " " + w.name + (w.active ? "  (en turno)" : "")),
                QString::fromStdString(w.code));
        form->addRow("Mesero:", m_choice);
        m_code = Add(new QLineEdit(this), kWaiterCode);
        m_code->setEchoMode(QLineEdit::Password);
        form->addRow("Clave:", m_code);
        layout->addLayout(form);
        auto* b = new QHBoxLayout;
        b->addWidget(
            Add(new QPushButton("Abrir Turno", this), kWaiterOpen, [this] { open_shift(); }));
        b->addWidget(
            Add(new QPushButton("Cerrar Turno", this), kWaiterClose, [this] { close_shift(); }));
        b->addStretch();
        b->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(b);
        Text("Turnos de Meseros");
        Create();
        return true;
    }

private:
    std::optional<dc::Waiter> who(UserPort& port) {
        auto w = dc::identify_waiter(
            m_db, port, m_business,
            {m_choice->currentData().toString().toStdString(), m_code->text().toStdString()});
        m_code->clear();
        return w;
    }
    void open_shift() {
        QtUserPort port(this);
        if (const auto w = who(port)) dc::open_waiter_shift(m_db, port, m_business, w->code);
    }
    // An active waiter first gets his shift's report; the shift is then closed.
    void close_shift() {
        QtUserPort port(this);
        const auto w = who(port);
        if (!w) return;
        if (w->active) print_turn_report(this, dc::IMP_TURN(m_db, *w, {}));
        dc::close_waiter_shift(m_db, port, m_business, w->code);
    }

    data::Db& m_db;
    std::string m_business;
    QComboBox* m_choice = nullptr;
    QLineEdit* m_code = nullptr;
};

}  // namespace

WDIAG* open_waiter_screen(QWidget* owner, data::Db& db, const std::string& business) {
    if (!dc::read_register_settings(db, business).waiter_shifts) {
        QtUserPort(owner).message(MsgStyle::Aviso, "Aviso",
                                  "El punto de venta no trabaja con turnos de meseros.");
        return nullptr;
    }
    return open_screen<WaiterScreen>(owner, db, business);
}

}  // namespace qz::gui
