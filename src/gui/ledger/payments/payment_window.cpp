// ABONOS1: the layout and the header. The header's fields go to the draft as each is left, so
// a change of customer, currency or date that would drop the documents already added is asked
// about at once; PROCESAR reads them all again in case the last one was never left.
#include "gui/ledger/payments/payment_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/printable_document.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/masked_edit.h"
#include "gui/ledger/payments/payment_screens.h"

namespace qz::gui {

using namespace abonos1;

namespace {

constexpr int kPaymentScreen = 6509;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string typed(const QLineEdit* e) { return trim(e->text().toStdString()); }

}  // namespace

PaymentWindow::PaymentWindow(QWidget* owner, data::Db& db, std::string business,
                             const IniFile* workstation)
    : WDIAG(owner, "ABONOS1", kPaymentScreen, {true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_workstation(workstation),
      m_port(this),
      m_draft(db, m_port, m_business) {}

bool PaymentWindow::Init() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(build_header());
    layout->addWidget(build_documents(), 3);
    layout->addWidget(build_tenders(), 2);
    layout->addLayout(build_buttons());
    setWindowTitle("Registro de Abonos");
    resize(1000, 680);
    Create();
    bind_header();
    for (const auto& [key, id] : {std::pair{Qt::Key_F12, kProcess}, {Qt::Key_F4, kInstalments}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { on_command(id); });
    }
    refresh();
    control_as<QLineEdit>(kRegister)->setFocus();
    return true;
}

QLineEdit* PaymentWindow::code_edit(int id, int length) {
    auto* e = Add(new QLineEdit(this), id);
    e->setMaxLength(length);
    // Short codes get a field their size, so the eye finds the longer ones.
    if (length <= 4) e->setMaximumWidth(90);
    return e;
}

QWidget* PaymentWindow::build_header() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    auto* pass = code_edit(kPassCode, 10);
    pass->setEchoMode(QLineEdit::Password);
    auto* customer = new QHBoxLayout;
    customer->addWidget(code_edit(kCustomer, 15));
    customer->addWidget(
        Add(new QPushButton("...", this), kChooseCustomer, [this] { choose_customer(); }));
    m_customer_name = Add(new QLabel(this), kCustomerName);
    customer->addWidget(m_customer_name, 1);
    auto* amount =
        amount_edit(this, kAmount, data::amount_field("ENC_MOVE", "MONTO", "Monto"), Decimal());
    auto* date = new LR_MASKED(this, kDate, m_draft.header().date);
    date->setMaximumWidth(110);
    const std::tuple<int, int, const char*, QWidget*> cells[] = {
        {0, 0, "Caja:", code_edit(kRegister, 4)},
        {0, 2, "Clave:", pass},
        {0, 4, "Digitador:", code_edit(kClerk, 4)},
        {2, 0, "Block:", code_edit(kBlock, 2)},
        {2, 2, "#Recibo:", code_edit(kReceipt, 15)},
        {2, 4, "Moneda:", code_edit(kCurrency, 2)},
        {3, 0, "Monto:", amount},
        {3, 2, "Fecha :", date},
        {3, 4, "Depósito:", code_edit(kDeposit, 15)},
    };
    for (const auto& [row, col, label, w] : cells) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), this), row, col);
        grid->addWidget(w, row, col + 1);
    }
    grid->addWidget(new QLabel("Cliente:", this), 1, 0);
    grid->addLayout(customer, 1, 1, 1, 5);
    grid->addWidget(new QLabel("Comentario:", this), 4, 0);
    grid->addWidget(code_edit(kComment, 60), 4, 1, 1, 5);
    for (int c : {1, 3, 5}) grid->setColumnStretch(c, 1);
    // Tab and Enter walk the header in the order the payment is told, not the order of the grid.
    QWidget* previous = nullptr;
    for (int id = kRegister; id <= kComment; ++id) {
        if (previous) setTabOrder(previous, control(id));
        previous = control(id);
    }
    return box;
}

QBoxLayout* PaymentWindow::build_buttons() {
    auto* rows = new QVBoxLayout;
    auto* tools = new QHBoxLayout;
    tools->addStretch();
    const std::tuple<int, const char*, void (PaymentWindow::*)()> buttons[] = {
        {kLastPayments, "Últimos Abonos", &PaymentWindow::last_payments},
        {kRates, "Cambios Monetarios", &PaymentWindow::edit_rates},
        {kInstalments, "F4: Plazos Parciales", &PaymentWindow::partial_instalments},
        {kCreditNote, "N. C", &PaymentWindow::credit_note},
        {kAdjust, "Ajustar", &PaymentWindow::adjust},
        {kLoadPending, "Cargar Pendiente", &PaymentWindow::load_pending},
        {kPending, "Pendiente", &PaymentWindow::keep_pending},
    };
    for (const auto& [id, caption, action] : buttons)
        tools->addWidget(Add(new QPushButton(QString::fromUtf8(caption), this), id,
                             [this, a = action] { (this->*a)(); }));
    rows->addLayout(tools);
    // What is left to apply stands beside the button that needs it to be zero.
    auto* main = new QHBoxLayout;
    m_available = Add(new QLabel(this), kAvailable);
    QFont big = m_available->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_available->setFont(big);
    main->addWidget(m_available);
    main->addStretch();
    main->addWidget(Add(new QPushButton("F12: PROCESAR", this), kProcess, [this] { process(); }));
    main->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    rows->addLayout(main);
    return rows;
}

void PaymentWindow::bind_header() {
    for (int id :
         {kRegister, kPassCode, kClerk, kCustomer, kBlock, kReceipt, kCurrency, kDeposit, kComment})
        connect(control_as<QLineEdit>(id), &QLineEdit::editingFinished, this,
                [this, id] { take_header(id); });
    for (int id : {kAmount, kDate})
        connect(control_as<LR_MASKED>(id), &LR_MASKED::value_accepted, this,
                [this, id] { take_header(id); });
}

void PaymentWindow::take_header(int id) {
    const std::string text = typed(control_as<QLineEdit>(id));
    switch (id) {
        case kRegister:
            m_draft.set_register(upper_ascii(text));
            break;
        case kPassCode:
            m_draft.set_pass_code(text);
            break;
        case kClerk:
            m_draft.set_clerk(upper_ascii(text));
            break;
        case kCustomer:
            m_draft.set_customer(text);
            break;
        case kBlock:
            m_draft.set_block(upper_ascii(text));
            break;
        case kReceipt:
            m_draft.set_receipt(text);
            break;
        case kCurrency:
            m_draft.set_currency(upper_ascii(text));
            break;
        case kAmount:
            m_draft.set_amount(control_as<LR_MASKED>(id)->number());
            break;
        case kDate:
            m_draft.set_date(control_as<LR_MASKED>(id)->date());
            break;
        case kDeposit:
            m_draft.set_deposit(text);
            break;
        case kComment:
            m_draft.set_comment(text);
            break;
    }
    refresh();
}

bool PaymentWindow::commit_header() {
    for (int id : {kAmount, kDate})
        if (!control_as<LR_MASKED>(id)->commit()) return false;
    const auto& h = m_draft.header();
    // The fields whose change may drop the documents: only when they really changed.
    if (typed(control_as<QLineEdit>(kCustomer)) != h.customer) take_header(kCustomer);
    if (upper_ascii(typed(control_as<QLineEdit>(kCurrency))) != h.currency) take_header(kCurrency);
    if (control_as<LR_MASKED>(kDate)->date() != h.date) take_header(kDate);
    for (int id : {kRegister, kPassCode, kClerk, kBlock, kReceipt, kAmount, kDeposit, kComment})
        take_header(id);
    return true;
}

void PaymentWindow::show_header() {
    const auto& h = m_draft.header();
    const std::pair<int, std::string> texts[] = {
        {kRegister, h.register_code}, {kPassCode, h.pass_code}, {kClerk, h.clerk},
        {kCustomer, h.customer},      {kBlock, h.block},        {kReceipt, h.receipt},
        {kCurrency, h.currency},      {kDeposit, h.deposit},    {kComment, h.comment}};
    for (const auto& [id, value] : texts) {
        auto* e = control_as<QLineEdit>(id);
        if (e->text() != q(value)) e->setText(q(value));
    }
    control_as<LR_MASKED>(kAmount)->set_value(h.amount);
    control_as<LR_MASKED>(kDate)->set_value(h.date);
    m_customer_name->setText(q(h.customer_name));
}

void PaymentWindow::refresh() {
    show_header();
    fill_documents();
    fill_tenders();
    m_available->setText(
        q("Disponible: " + trim(pic_format(m_draft.available(), domain::kAmountPicture))));
}

WDIAG* open_payment_window(QWidget* owner, data::Db& db, const std::string& business,
                           const IniFile* workstation) {
    return open_screen<PaymentWindow>(owner, db, business, workstation);
}

}  // namespace qz::gui
