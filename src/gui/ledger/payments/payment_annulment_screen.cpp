// ANULA_MOVE, "Anulación de Movimientos": the payments of the business newest first (by date),
// the number of the one to annul (typed, or taken from the browse with a double click), the
// annulment date and "Anular". The question, the refusals and the outcome are the domain's.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/payment_annulment.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/payments/payment_screens.h"

namespace qz::gui {

namespace {

using namespace anula_move;

constexpr int kAnnulmentScreen = 6517;

class PaymentAnnulment : public WDIAG {
public:
    PaymentAnnulment(QWidget* owner, data::Db& db, std::string business)
        : WDIAG(owner, "ANULA_MOVE", kAnnulmentScreen, {true, true}),
          m_db(db),
          m_business(std::move(business)) {}

    bool Init() override {
        m_t = data::USE(m_db, "ENC_MOVE", "ENC_MOV3");
        auto* layout = new QVBoxLayout(this);
        m_grid = Add(new WBLISTBOX(this, *m_t, "ANULA_MOVE", kGrid), kGrid);
        MontarColumnas();
        layout->addWidget(m_grid, 1);
        auto* bottom = new QHBoxLayout;
        auto* form = new QFormLayout;
        m_number = Add(new QLineEdit(this), kNumber);
        m_number->setMaxLength(15);
        form->addRow("Movimiento:", m_number);
        auto* date = new LR_MASKED(this, kDate, m_db.clock().XDATE());
        date->setMaximumWidth(110);
        form->addRow(QString::fromUtf8("Fecha de Anulación:"), date);
        bottom->addLayout(form);
        bottom->addStretch();
        bottom->addWidget(Add(new QPushButton("Anular", this), kAnnul, [this] { ANULAR(); }));
        bottom->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(bottom);
        setWindowTitle(QString::fromUtf8("Anulación de Movimientos"));
        resize(900, 520);
        Create();
        BrowMarksOptions o;
        o.scope_start = data::business_key(m_business);
        o.sortable = {{"FECHA", "ENC_MOV3"}, {"MOVIMIENTO", "ENC_MOVE"}, {"CLIENTE", "ENC_MOV2"}};
        o.no_marks = true;
        m_grid->BrowMarks(std::move(o));
        m_grid->GOBOTTOM();
        m_grid->Double_Block = [this] { take_chosen(); };
        return true;
    }

    void MontarColumnas() override {
        data::WDBTable& t = *m_t;
        AGREGARCOL(*m_grid, t, "Movimiento", "MOVIMIENTO");
        AGREGARCOL(*m_grid, t, "Fecha", "FECHA", "", {}, 0, false, 16);
        AGREGARCOL(*m_grid, t, "Cliente", "CLIENTE");
        AGREGARCOL(*m_grid, t, "Moneda", "MONEDA", "", {}, 0, false, 40);
        AGREGARCOL(*m_grid, t, "Monto", "MONTO", "999,999,999.99");
        AGREGARCOL(*m_grid, t, "Anulado", "ANULADO");
        AGREGARCOL(*m_grid, t, "Nombre", "NOM_CLIENT");
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_t) data::KILLTABLA(m_db, m_t);
    }

    // The payment under the cursor goes to the number field.
    void take_chosen() {
        const long recno = m_grid->nCrecNo();
        if (recno <= 0) return;
        m_t->GoTo(recno);
        if (!m_t->Eof()) m_number->setText(QString::fromStdString(trim(m_t->str("MOVIMIENTO"))));
    }

    void ANULAR() {
        if (trim(m_number->text().toStdString()).empty()) take_chosen();
        const std::string number = trim(m_number->text().toStdString());
        if (number.empty()) {
            MESSAGE_BOX(this, "Debe seleccionar un movimiento", "Atencion",
                        kMbOk | kMbIconExclamation);
            return;
        }
        auto* date = control_as<LR_MASKED>(kDate);
        if (!date->commit()) return;
        QtUserPort port(this);
        if (!domain::ANULA_MOVE(m_db, port, m_business, number, date->date())) return;
        m_number->clear();
        m_grid->REFRESHALL();
    }

private:
    data::Db& m_db;
    std::string m_business;
    data::Table m_t;
    WBLISTBOX* m_grid = nullptr;
    QLineEdit* m_number = nullptr;
};

}  // namespace

WDIAG* open_payment_annulment(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<PaymentAnnulment>(owner, db, business);
}

}  // namespace qz::gui
