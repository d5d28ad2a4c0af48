// V_PARC: a read-only grid of the instalments due over the totals, the amount to pay under it.
// "Aceptar" takes the payment through the domain, which refuses an amount over what is due and
// asks for the extra instalment a partial payment of an instalment needs.
#include "gui/ledger/documents/partial_instalments.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/printable_document.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"

namespace qz::gui {

namespace {

using namespace v_parc;
namespace dl = qz::domain;

QString q(const std::string& s) { return QString::fromStdString(s); }
QString money(const Decimal& v) { return q(trim(pic_format(v, dl::kAmountPicture))); }

class PartialInstalments : public DIALOG_BOX {
public:
    PartialInstalments(QWidget* owner, data::Db& db, UserPort& port, std::string business,
                       dl::InstalmentDocument doc, const Date& today)
        : DIALOG_BOX("V_PARC", owner),
          m_db(db),
          m_port(port),
          m_business(std::move(business)),
          m_doc(std::move(doc)),
          m_today(today),
          m_due(dl::instalments_due(m_doc, today)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Add(new QLabel(q("Documento: " + m_doc.number)), kDocument));
        layout->addWidget(build_grid());
        layout->addLayout(build_totals());
        auto* bottom = new QHBoxLayout;
        bottom->addWidget(new QLabel("Monto a Abonar:"));
        m_amount =
            Add(amount_edit(this, kAmount,
                            data::amount_field("DET_MOVE", "MONTO", "Monto a Abonar"), Decimal()),
                kAmount);
        bottom->addWidget(m_amount);
        bottom->addStretch();
        bottom->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        bottom->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(bottom);
        Text("Plazos Parciales");
        resize(720, 380);
        return true;
    }

    void SAVE_DATOS() override {
        if (!m_amount->commit()) return;
        m_payment = dl::take_instalment_payment(m_db, m_port, m_business, m_doc, m_today,
                                                m_amount->number());
        if (m_payment) EndDialog(kCmdOk);
    }

    const std::optional<dl::InstalmentPayment>& payment() const { return m_payment; }

private:
    QTableWidget* build_grid() {
        auto* grid = Add(new QTableWidget(static_cast<int>(m_due.rows.size()), 7, this), kGrid);
        grid->setHorizontalHeaderLabels(
            {"Vence", "Días", "Atraso", "Principal", "Interés", "I. Mora", "Total"});
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        for (size_t r = 0; r < m_due.rows.size(); ++r) {
            const auto& d = m_due.rows[r];
            const QString cells[] = {q(d.due.dtoc4()),
                                     QString::number(d.days_since_issue),
                                     QString::number(d.days_overdue),
                                     money(d.principal),
                                     money(d.interest),
                                     money(d.late),
                                     money(d.total())};
            for (int c = 0; c < 7; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                grid->setItem(static_cast<int>(r), c, item);
            }
        }
        // Paying down to an instalment: every instalment before it and itself, whole.
        connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
            Decimal through;
            for (int r = 0; r <= row; ++r) through += m_due.rows[static_cast<size_t>(r)].total();
            m_amount->set_value(through);
        });
        return grid;
    }

    QFormLayout* build_totals() {
        const auto& t = m_due.totals;
        auto* form = new QFormLayout;
        const std::tuple<int, const char*, Decimal> lines[] = {
            {kBalance, "Saldo:", t.balance},
            {kOverdueBalance, "Saldo Vencido:", t.overdue_balance},
            {kInterest, "Intereses:", t.interest},
            {kOverdueInterest, "Intereses Vencidos:", t.overdue_interest},
            {kLate, "I. Mora:", t.late},
            {kDue, "Total:", t.due()}};
        for (const auto& [id, label, value] : lines)
            form->addRow(label, Add(new QLabel(money(value)), id));
        return form;
    }

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    dl::InstalmentDocument m_doc;
    Date m_today;
    dl::DueInstalments m_due;
    LR_MASKED* m_amount = nullptr;
    std::optional<dl::InstalmentPayment> m_payment;
};

}  // namespace

std::optional<domain::InstalmentPayment> V_PARC(QWidget* owner, data::Db& db, UserPort& port,
                                                const std::string& business,
                                                const std::string& document, const Date& today) {
    auto doc = dl::read_instalment_document(db, business, document);
    if (!doc) {
        port.message(MsgStyle::Error, "Error", "El documento no existe: " + document);
        return std::nullopt;
    }
    PartialInstalments dialog(owner, db, port, business, std::move(*doc), today);
    if (dialog.run() != kCmdOk) return std::nullopt;
    return dialog.payment();
}

}  // namespace qz::gui
