#include "gui/pos/tenders/change_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

using namespace ctrl_cambio;

namespace {

constexpr const char* kMoney = "999,999,999.99";

QString money(const Decimal& v) { return QString::fromStdString(trim(pic_format(v, kMoney))); }

class CtrlCambioDialog : public DIALOG_BOX {
public:
    CtrlCambioDialog(QWidget* owner, domain::pos::CtrlCambio& change)
        : DIALOG_BOX("CtrlCambio", owner), m_change(change) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        const auto row = [&](int r, const char* caption, QWidget* w) {
            grid->addWidget(new QLabel(caption, this), r, 0);
            grid->addWidget(w, r, 1);
        };
        m_currency = Add(new QLabel(this), kCurrency);
        grid->addWidget(m_currency, 0, 1);
        m_to_pay = Add(new QLabel(this), kToPay);
        row(1, "Monto a Pagar:", m_to_pay);
        m_received = Add(new QLineEdit("0", this), kReceived);
        m_received->setAlignment(Qt::AlignRight);
        row(2, "Monto Recibido:", m_received);
        m_change_label = Add(new QLabel(this), kChange);
        row(3, "Cambio:", m_change_label);
        for (auto* l : {m_to_pay, m_change_label}) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont f = l->font();
            f.setPointSize(f.pointSize() + 6);
            f.setBold(true);
            l->setFont(f);
        }
        grid->addWidget(
            Add(new QLabel(QString::fromStdString(m_change.rate_line(1)), this), kRate1), 4, 1);
        grid->addWidget(
            Add(new QLabel(QString::fromStdString(m_change.rate_line(2)), this), kRate2), 5, 1);
        layout->addLayout(grid);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Add(new QPushButton("Moneda Tiquete", this), kTicketCurrency,
                               [this] { switch_to(true); }));
        buttons->addWidget(Add(new QPushButton("Moneda Venta", this), kSaleCurrency,
                               [this] { switch_to(false); }));
        buttons->addStretch();
        buttons->addWidget(
            Add(new QPushButton("Aceptar", this), kCmdOk, [this] { accept_change(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        connect(m_received, &QLineEdit::textEdited, this, [this] { recompute(); });
        Text("Cambio");
        recompute();
        m_received->selectAll();
        m_received->setFocus();
        return true;
    }

    void PROC_BOK() override { accept_change(); }

private:
    void switch_to(bool ticket) {
        m_change.show_ticket_currency(ticket);
        recompute();
    }
    // Every keystroke: what does not read as an amount counts as nothing received yet.
    void recompute() {
        Decimal received;
        if (!pic_parse(m_received->text().toStdString(), kMoney, received)) received = Decimal();
        m_change.set_received(received);
        m_currency->setText(QString::fromStdString(m_change.shown_currency()));
        m_to_pay->setText(money(m_change.to_pay()));
        m_change_label->setText(money(m_change.change()));
    }
    void accept_change() {
        if (MESSAGE_BOX(this, "Desea continuar?", "Atencion", kMbYesNo | kMbIconQuestion) == kIdYes)
            EndDialog(kCmdOk);
    }

    domain::pos::CtrlCambio& m_change;
    QLabel* m_currency = nullptr;
    QLabel* m_to_pay = nullptr;
    QLineEdit* m_received = nullptr;
    QLabel* m_change_label = nullptr;
};

}  // namespace

bool run_change_dialog(QWidget* owner, domain::pos::CtrlCambio& change) {
    CtrlCambioDialog d(owner, change);
    return d.run() == kCmdOk;
}

bool run_change_dialog(QWidget* owner, data::Db& db, const std::string& business,
                       const std::string& currency, const Decimal& to_pay) {
    domain::pos::CtrlCambio change(to_pay, domain::pos::read_change_rates(db, business, currency));
    return run_change_dialog(owner, change);
}

}  // namespace qz::gui
