#include "gui/ledger/inquiry/payments_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/wdiag.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace {

using namespace registered_payments;
namespace dl = qz::domain;

class RegisteredPaymentsWindow : public WDIAG {
public:
    RegisteredPaymentsWindow(QWidget* owner, data::Db& db, std::string business,
                             std::string customer, std::string name)
        : WDIAG(owner, "PAGOS_REG", 0, ScreenOptions{true, true}),
          m_db(db),
          m_business(std::move(business)),
          m_customer(std::move(customer)),
          m_name(std::move(name)) {}

    bool Init() override {
        m_payments = dl::customer_payments(m_db, m_business, m_customer);
        auto* layout = new QVBoxLayout(this);
        m_list =
            Add(value_table(this, {"Recibo", "Fecha", "Monto", "Moneda", "Nulo", "Descripción"}, 5),
                kPayments);
        std::vector<std::vector<std::string>> rows;
        for (const auto& p : m_payments)
            rows.push_back({p.movement, shown_date(p.date), shown_money(p.amount), p.currency,
                            p.annulled() ? dl::kAnnulledMark : "", p.description});
        put_rows(*m_list, rows, {2});
        QObject::connect(m_list, &QTableWidget::currentCellChanged, this,
                         [this](int row) { show_applications(row); });
        layout->addWidget(m_list, 3);
        layout->addWidget(new QLabel("Aplicado a:", this));
        m_applications = Add(
            value_table(
                this, {"Documento", "Concepto", "Descripción", "Monto", "Saldo Anterior", "Saldo"},
                2),
            kApplications);
        layout->addWidget(m_applications, 2);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Pagos Registrados de " + m_customer + " " + m_name);
        resize(820, 520);
        Create();
        if (!m_payments.empty()) m_list->setCurrentCell(0, 0);
        return true;
    }

private:
    void show_applications(int row) {
        std::vector<std::vector<std::string>> rows;
        if (row >= 0 && row < static_cast<int>(m_payments.size()))
            for (const auto& a : dl::payment_applications(
                     m_db, m_business, m_payments[static_cast<size_t>(row)].movement))
                rows.push_back({a.document, a.concept_code.shown(), a.description,
                                shown_money(a.amount), shown_money(a.balance_before),
                                shown_money(a.balance_after)});
        put_rows(*m_applications, rows, {3, 4, 5});
    }

    data::Db& m_db;
    std::string m_business, m_customer, m_name;
    std::vector<dl::CustomerPayment> m_payments;
    QTableWidget* m_list = nullptr;
    QTableWidget* m_applications = nullptr;
};

}  // namespace

void open_registered_payments(QWidget* owner, data::Db& db, const std::string& business,
                              const std::string& customer, const std::string& name) {
    open_screen<RegisteredPaymentsWindow>(owner, db, business, customer, name);
}

}  // namespace qz::gui
