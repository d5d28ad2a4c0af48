// The buttons of FAC_POS and their small dialogs: instalments, attention data, discounts,
// freight and load of a line, the document's customer data, the article text of a line, the
// payment conditions, the customer's balance, the exemption box and the card-account capture.
// What they take goes into the draft (or the extras the save writes with it); the draft refuses
// what the sale's concept does not support before the dialog opens.
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "core/picture.h"
#include "core/text.h"
#include "domain/customers/credit_figures.h"
#include "domain/customers/customer_rows.h"
#include "gui/customers/credit_control.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/pos/sale/fac_pos_screen.h"
#include "gui/pos/tenders/ok_dialog.h"

namespace qz::gui {

namespace pos = domain::pos;
namespace cu = domain::customers;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string text_of(DIALOG_BOX& d, int id) {
    return trim(d.control_as<QLineEdit>(id)->text().toStdString());
}
// Every masked field of the dialog reads; false (the user was told) when one does not.
bool all_read(DIALOG_BOX& d) {
    for (auto* e : d.findChildren<LR_MASKED*>())
        if (!e->commit()) return false;
    return true;
}
LR_MASKED* masked(DIALOG_BOX& d, int id, const AmountField& field, const Decimal& value) {
    return d.Add(amount_edit(&d, id, field, value), id);
}
QLineEdit* line(DIALOG_BOX& d, QFormLayout& form, const char* caption, int id,
                const std::string& value, int width = 60) {
    auto* e = d.Add(new QLineEdit(q(value), &d), id);
    e->setMaxLength(width);
    form.addRow(caption, e);
    return e;
}

constexpr const char* kPlanMoney = "999,999,999.99";
const AmountField kPercentField{"Descuento", 4, 2, false, Decimal(100)};
const AmountField kOtherField{"Monto", 8, 2};
const AmountField kMoneyField{"Monto", 14, 2};

}  // namespace

void FAC_POS::PLAZOS_P() {
    OkDialog d{"PLAZOS_P", "Plazos", 560, 520, {}, {}};
    d.build = [this](DIALOG_BOX& self, QVBoxLayout& layout) {
        auto* grid = self.Add(new QTableWidget(pos::kPlanRows, 4, &self), 500);
        grid->setHorizontalHeaderLabels({"Días", "Monto", "Principal", "Intereses"});
        for (int r = 0; r < pos::kPlanRows; ++r) {
            const auto& p = m_draft.plan()[static_cast<size_t>(r)];
            const bool used = p.days != 0 || !p.amount.is_zero();
            grid->setItem(r, 0, new QTableWidgetItem(used ? QString::number(p.days) : ""));
            const Decimal* amounts[] = {&p.amount, &p.principal, &p.interest};
            for (int c = 0; c < 3; ++c)
                grid->setItem(
                    r, c + 1,
                    new QTableWidgetItem(used ? q(trim(pic_format(*amounts[c], kPlanMoney))) : ""));
        }
        layout.addWidget(grid);
    };
    d.accept = [this](DIALOG_BOX& self) {
        auto* grid = self.control_as<QTableWidget>(500);
        std::vector<pos::PlanRow> rows(pos::kPlanRows);
        for (int r = 0; r < pos::kPlanRows; ++r) {
            auto cell = [&](int c) { return trim(grid->item(r, c)->text().toStdString()); };
            auto& row = rows[static_cast<size_t>(r)];
            Decimal days;
            Decimal* amounts[] = {&row.amount, &row.principal, &row.interest};
            bool ok = pic_parse(cell(0), "9999", days);
            for (int c = 0; c < 3 && ok; ++c) ok = pic_parse(cell(c + 1), kPlanMoney, *amounts[c]);
            if (!ok) {
                MESSAGE_BOX(&self, "Valor inválido en la línea " + std::to_string(r + 1), "Error",
                            kMbOk | kMbIconStop);
                return;
            }
            row.days = static_cast<int>(days.to_int());
        }
        for (size_t i = 0; i < rows.size(); ++i) m_draft.set_plan_row(i, rows[i]);
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(this, d);
    refresh();
}

void FAC_POS::DATOS_ATENCION() {
    static const char* const captions[pos::kContactTexts] = {
        "Sucursal:", "Nombre:",      "Dirección:",  "Teléfono:", "Fax:",       "Atención:",
        "Nombre 2:", "Dirección 2:", "Teléfono 2:", "Fax 2:",    "Atención 2:"};
    OkDialog d{"DATOS_ATENCION", "Datos de Atención", 560, 420, {}, {}};
    d.build = [this](DIALOG_BOX& self, QVBoxLayout& layout) {
        auto* form = new QFormLayout;
        for (int i = 0; i < pos::kContactTexts; ++i)
            line(self, *form, captions[i], 601 + i,
                 m_draft.header().contact[static_cast<size_t>(i)]);
        layout.addLayout(form);
    };
    d.accept = [this](DIALOG_BOX& self) {
        for (int i = 0; i < pos::kContactTexts; ++i)
            m_draft.set_contact(static_cast<pos::ContactText>(i), text_of(self, 601 + i));
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(this, d);
    refresh();
}

void FAC_POS::DESCUENTOS() {
    const auto& h = m_draft.header();
    // The draft refuses amount-only documents before anything is asked.
    if (!m_draft.DESCUENTOS(h.line_discount, h.list_reduction, false)) return;
    OkDialog d{"DESCUENTOS", "Descuentos", 420, 220, {}, {}};
    d.build = [this](DIALOG_BOX& self, QVBoxLayout& layout) {
        const auto& h = m_draft.header();
        auto* form = new QFormLayout;
        form->addRow("Descuento del Cliente:",
                     new QLabel(q(trim(pic_format(h.customer_discount, "99.99"))), &self));
        const auto limit = m_draft.discount_limit(current_row());
        form->addRow("Descuento Máximo:",
                     new QLabel(limit ? q(trim(pic_format(*limit, "99.99"))) : "", &self));
        form->addRow("Descuento por Línea:", masked(self, 601, kPercentField, h.line_discount));
        form->addRow("Rebaja al Precio:", masked(self, 602, kPercentField, h.list_reduction));
        form->addRow("", self.Add(new QCheckBox("Aplicar a todas las líneas", &self), 603));
        layout.addLayout(form);
    };
    d.accept = [this](DIALOG_BOX& self) {
        if (!all_read(self)) return;
        m_draft.DESCUENTOS(self.control_as<LR_MASKED>(601)->number(),
                           self.control_as<LR_MASKED>(602)->number(),
                           self.control_as<QCheckBox>(603)->isChecked());
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(this, d);
    refresh();
}

void FAC_POS::FLETES() {
    const size_t row = current_row();
    if (!m_draft.FLETES()) return;
    if (row >= m_draft.lines().size() || m_draft.lines()[row].empty()) {
        MESSAGE_BOX(this, "Debe seleccionar una línea con artículo", "Atención",
                    kMbOk | kMbIconExclamation);
        return;
    }
    OkDialog d{"FLETES", "Fletes y Cargas", 380, 180, {}, {}};
    d.build = [this, row](DIALOG_BOX& self, QVBoxLayout& layout) {
        const auto& l = m_draft.lines()[row];
        auto* form = new QFormLayout;
        form->addRow("Artículo:", new QLabel(q(l.code + " " + l.description), &self));
        form->addRow("Flete:", masked(self, 601, kOtherField, l.freight));
        form->addRow("Carga:", masked(self, 602, kOtherField, l.load));
        layout.addLayout(form);
    };
    d.accept = [this, row](DIALOG_BOX& self) {
        if (!all_read(self)) return;
        m_draft.set_others(row, self.control_as<LR_MASKED>(601)->number(),
                           self.control_as<LR_MASKED>(602)->number());
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(this, d);
    refresh();
}

void FAC_POS::DATOS_CLIENTE() {
    OkDialog d{"DATOS_CLIENTE", "Datos del Cliente", 520, 340, {}, {}};
    d.build = [this](DIALOG_BOX& self, QVBoxLayout& layout) {
        auto* form = new QFormLayout;
        line(self, *form, "Pedido:", 601, m_extras.order_ref, 15);
        line(self, *form, "Orden de Compra:", 602, m_extras.purchase, 15);
        for (int i = 0; i < 3; ++i)
            line(self, *form, i == 0 ? "Detalle:" : "", 603 + i,
                 m_extras.descriptions[static_cast<size_t>(i)]);
        line(self, *form, "Referido:", 606, m_extras.referred, 15);
        layout.addLayout(form);
    };
    d.accept = [this](DIALOG_BOX& self) {
        m_extras.order_ref = text_of(self, 601);
        m_extras.purchase = text_of(self, 602);
        for (int i = 0; i < 3; ++i)
            m_extras.descriptions[static_cast<size_t>(i)] = text_of(self, 603 + i);
        m_extras.referred = text_of(self, 606);
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(this, d);
}

// A long text typed in its own window: the article text of a line, the payment conditions.
static bool edit_text(QWidget* owner, const char* name, const char* caption, std::string& text) {
    bool taken = false;
    OkDialog d{name, caption, 480, 260, {}, {}};
    d.build = [&text](DIALOG_BOX& self, QVBoxLayout& layout) {
        layout.addWidget(self.Add(new QPlainTextEdit(q(text), &self), 601));
    };
    d.accept = [&](DIALOG_BOX& self) {
        text = self.control_as<QPlainTextEdit>(601)->toPlainText().toStdString();
        taken = true;
        self.EndDialog(kCmdOk);
    };
    run_ok_dialog(owner, d);
    return taken;
}

void FAC_POS::READ_SPECFAC(size_t row) {
    if (!m_draft.READ_SPECFAC()) return;
    if (row >= m_draft.lines().size() || m_draft.lines()[row].empty()) return;
    std::string text = m_draft.lines()[row].invoice_text;
    if (edit_text(this, "SPEC_FAC", "Texto del Artículo", text))
        m_draft.set_invoice_text(row, text);
}

void FAC_POS::READ_CPAGO() {
    edit_text(this, "READ_CPAGO", "Condiciones de Pago", m_extras.payment_conditions);
}

// VER_SALDO: the credit control's figures of the customer's branch, for information only.
void FAC_POS::VER_SALDO() {
    const std::string& business = m_session.XU_COMP;
    const std::string customer = m_draft.header().customer;
    const auto branches = customer.empty() ? std::vector<cu::StoredBranch>{}
                                           : cu::branches_principal_first(m_db, business, customer);
    if (branches.empty()) {
        MESSAGE_BOX(this, "Debe seleccionar un Cliente válido", "Error", kMbOk | kMbIconStop);
        return;
    }
    CreditControlRequest r;
    r.business = business;
    r.customer = customer;
    r.user = m_session.XUSER_ABREVIA;
    r.branch = branches.front().branch;
    const Date today = m_db.clock().XDATE();
    r.figures = cu::branch_credit_figures(m_db, business, customer, r.branch.code, Decimal(0),
                                          today, ledger_credit_rates(m_db, business, today));
    r.info_only = true;
    run_credit_control(this, m_db, r);
}

void FAC_POS::EXENTO(bool on) {
    m_draft.EXENTO(on);
    refresh();
}

// CAPTURA_DATOS: a card-account register knows its customer's card before anything is sold.
bool FAC_POS::CAPTURA_DATOS() {
    OkDialog d{"CAPTURA_DATOS", "Datos de la Tarjeta", 420, 240, {}, {}};
    const pos::CardAccount was = m_extras.card.value_or(pos::CardAccount{});
    d.build = [&was](DIALOG_BOX& self, QVBoxLayout& layout) {
        auto* form = new QFormLayout;
        line(self, *form, "Cédula:", 601, was.identity, 20);
        line(self, *form, "Nombre:", 602, was.name);
        form->addRow("Disponible:", masked(self, 603, kMoneyField, was.available));
        line(self, *form, "Agente:", 604, was.agent, 4);
        layout.addLayout(form);
    };
    d.accept = [this](DIALOG_BOX& self) {
        if (!all_read(self)) return;
        pos::CardAccount c{text_of(self, 601), text_of(self, 602), text_of(self, 604),
                           self.control_as<LR_MASKED>(603)->number()};
        if (c.identity.empty() || c.name.empty() || c.agent.empty()) {
            MESSAGE_BOX(&self, "Debe completar todos los datos de la tarjeta", "Error",
                        kMbOk | kMbIconStop);
            return;
        }
        m_extras.card = std::move(c);
        self.EndDialog(kCmdOk);
    };
    return run_ok_dialog(this, d) == kCmdOk;
}

}  // namespace qz::gui
