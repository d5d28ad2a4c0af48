// E_MONEDA, the pending payments and "Últimos Abonos": each a table over rows the domain read,
// with the one or two buttons it needs.
#include "gui/ledger/payments/payment_dialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/ledger/payment_history.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/documents/value_table.h"
#include "gui/ledger/payments/receipt_print.h"

namespace qz::gui {

using namespace payment_dialogs;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// A dialog of one table and its buttons; "Salir" always closes it.
class TableDialog : public DIALOG_BOX {
public:
    TableDialog(QWidget* owner, const std::string& name, std::string caption, QTableWidget* table)
        : DIALOG_BOX(name, owner), m_caption(std::move(caption)), m_table(table) {}

    void add_button(int id, const char* caption, Block block) {
        m_buttons.push_back({id, caption, std::move(block)});
    }

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        m_table->setParent(this);
        layout->addWidget(Add(m_table, kGrid), 1);
        auto* row = new QHBoxLayout;
        row->addStretch();
        for (auto& b : m_buttons)
            row->addWidget(Add(new QPushButton(QString::fromUtf8(b.caption), this), b.id, b.block));
        row->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(row);
        Text(m_caption);
        resize(620, 360);
        return true;
    }

    // The row under the cursor; -1 (told) when there is none.
    int chosen() {
        const int row = m_table->currentRow();
        if (row < 0)
            MESSAGE_BOX(this, "Debe seleccionar un item del grid", "Atencion",
                        kMbOk | kMbIconExclamation);
        return row;
    }

private:
    struct Button {
        int id;
        const char* caption;
        Block block;
    };
    std::string m_caption;
    QTableWidget* m_table;
    std::vector<Button> m_buttons;
};

QTableWidget* rates_table(const domain::PaymentDraft& draft) {
    auto* t = new QTableWidget(static_cast<int>(draft.rates().size()), 2);
    t->setHorizontalHeaderLabels({"Moneda", "Tipo de Cambio"});
    t->horizontalHeader()->setStretchLastSection(true);
    for (size_t i = 0; i < draft.rates().size(); ++i) {
        const auto& r = draft.rates()[i];
        auto* code = new QTableWidgetItem(q(r.currency));
        code->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* rate = new QTableWidgetItem(q(r.rate.to_string(4)));
        rate->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!draft.rates_editable()) rate->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        t->setItem(static_cast<int>(i), 0, code);
        t->setItem(static_cast<int>(i), 1, rate);
    }
    return t;
}

// The rates as typed; none (told) when one does not read as a positive number.
std::optional<std::vector<domain::PaymentRate>> typed_rates(QWidget* owner, QTableWidget& t) {
    std::vector<domain::PaymentRate> out;
    for (int r = 0; r < t.rowCount(); ++r) {
        const std::string text = trim(t.item(r, 1)->text().toStdString());
        Decimal rate;
        if (!Decimal::try_parse(text, rate) || rate.sign() < 0) {
            MESSAGE_BOX(owner, "Tipo de Cambio inválido: " + text, "Atencion",
                        kMbOk | kMbIconExclamation);
            return std::nullopt;
        }
        out.push_back({t.item(r, 0)->text().toStdString(), rate});
    }
    return out;
}

}  // namespace

bool edit_payment_rates(QWidget* owner, domain::PaymentDraft& draft) {
    QTableWidget* table = rates_table(draft);
    TableDialog d(owner, "E_MONEDA", "Cambios Monetarios", table);
    bool taken = false;
    if (draft.rates_editable())
        d.add_button(kCmdOk, "Aceptar", [&] {
            const auto rates = typed_rates(&d, *table);
            if (!rates) return;
            taken = draft.set_rates(*rates);
            if (taken) d.EndDialog(kCmdOk);
        });
    d.run();
    return taken;
}

std::optional<std::string> choose_pending_payment(
    QWidget* owner, const std::vector<domain::PendingPayment>& pending) {
    QTableWidget* table =
        value_table(nullptr, {"Número", "Fecha", "Cliente", "Nombre", "Moneda", "Monto"}, 3);
    std::vector<std::vector<std::string>> rows;
    for (const auto& p : pending)
        rows.push_back({p.number, shown_date(p.date), p.customer, p.customer_name, p.currency,
                        shown_money(p.amount)});
    put_rows(*table, rows, {5});
    TableDialog d(owner, "ABONOS_PEND", "Abonos Pendientes", table);
    std::optional<std::string> out;
    const auto take = [&] {
        const int row = d.chosen();
        if (row < 0) return;
        out = pending[static_cast<size_t>(row)].number;
        d.EndDialog(kCmdOk);
    };
    d.add_button(kCmdOk, "Aceptar", take);
    QObject::connect(table, &QTableWidget::cellDoubleClicked, table, [&] { take(); });
    d.run();
    return out;
}

void show_last_payments(QWidget* owner, data::Db& db, const std::string& business,
                        const std::string& customer) {
    const auto payments = domain::last_payments(db, business, customer);
    QTableWidget* table =
        value_table(nullptr, {"Recibo", "Fecha", "Moneda", "Monto", "Anulado", "Comentario"}, 5);
    std::vector<std::vector<std::string>> rows;
    for (const auto& p : payments)
        rows.push_back({p.number, shown_date(p.date), p.currency, shown_money(p.amount), p.annulled,
                        p.comment});
    put_rows(*table, rows, {3});
    TableDialog d(owner, "ULT_ABONOS", "Últimos Abonos", table);
    d.add_button(kReprint, "Reimprimir", [&] {
        const int row = d.chosen();
        if (row >= 0) print_receipt(&d, db, business, payments[static_cast<size_t>(row)].number);
    });
    d.run();
}

}  // namespace qz::gui
