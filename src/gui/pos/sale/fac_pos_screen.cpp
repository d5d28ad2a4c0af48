// The layout of FAC_POS: the register and the header on top, the lines grid, the totals with
// the large amount due, and the buttons. Every figure shown comes from the draft; the screen
// redraws itself from it after each change.
#include "gui/pos/sale/fac_pos_screen.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "domain/pos/sale_card_void.h"
#include "domain/session/master_rows.h"
#include "gui/card/card_terminal_factory.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

using namespace fac_pos;
namespace pos = domain::pos;

namespace {

constexpr const char* kMoney = "999,999,999.99";
constexpr int kTimerMs = 20000;
// The order stages are looked at every tenth tick of the number's refresh.
constexpr int kStageTicks = 10;

QString q(const std::string& s) { return QString::fromStdString(s); }
QString money(const Decimal& d) { return q(trim(pic_format(d, kMoney))); }

}  // namespace

LineColumns::LineColumns(bool others) {
    if (!others) return;
    freight = 7;
    load = 8;
    supplier = 9;
    supplier_name = 10;
    count = 11;
}

FAC_POS::FAC_POS(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini,
                 pos::SaleMode mode, FacPosSource source)
    : WDIAG(owner, "FAC_POS", 0, ScreenOptions{true, true}),
      m_db(db),
      m_session(session),
      m_ini(ini),
      m_source(std::move(source)),
      m_port(this),
      m_draft(db, m_port, session.XU_COMP, std::move(mode)),
      m_hooks(*this),
      m_terminal(make_card_terminal(this, db, m_port, ini, session.XU_COMP)),
      m_save(db, m_port, m_hooks, *m_terminal),
      m_cols(m_draft.settings().other_columns) {}

bool FAC_POS::Init() {
    m_choices = pos::LOAD_DATOS(m_db, m_session.XU_COMP);
    const bool big = m_draft.settings().big_layout;
    if (big) enlarge_font();
    auto* layout = new QVBoxLayout(this);
    build_top(*layout);
    build_lines();
    layout->addWidget(m_grid, 1);
    auto* bottom = new QHBoxLayout;
    build_totals(*bottom);
    layout->addLayout(bottom);
    build_buttons(*layout);
    const std::string title = m_draft.mode().title();
    Text(title.empty() ? "Punto de Venta" : title);
    resize(big ? 1280 : 1100, big ? 800 : 680);
    Create();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] { UPDATE_TIMER(); });
    m_timer->start(kTimerMs);
    start_lines();
    return true;
}

void FAC_POS::build_top(QVBoxLayout& into) {
    auto* reg = new QHBoxLayout;
    m_register_label = Add(new QLabel(this), kRegisterLabel);
    m_operator_label = Add(new QLabel(this), kOperatorLabel);
    reg->addWidget(m_register_label);
    reg->addSpacing(24);
    reg->addWidget(m_operator_label);
    reg->addStretch();
    button(*reg, "Abrir Caja", kOpenRegister, [this] { ABRE_CAJA(); });
    button(*reg, "Reabrir Caja", kReopenRegister, [this] { REABRE_CAJA(); });
    button(*reg, "Cerrar Caja", kCloseRegister, [this] { CLOSE_CAJA(); });
    into.addLayout(reg);
    auto* grid = new QGridLayout;
    build_header(*grid);
    into.addLayout(grid);
}

void FAC_POS::build_totals(QHBoxLayout& into) {
    auto* small = new QGridLayout;
    const std::pair<const char*, int> rows[] = {{"Facturado:", kInvoiced},
                                                {"Devuelto:", kReturned},
                                                {"Subtotal:", kSubtotal},
                                                {"Impuesto:", kTax}};
    int r = 0;
    for (const auto& [caption, id] : rows) {
        auto* name = new QLabel(caption, this);
        name->setObjectName(QString("caption_%1").arg(id));
        small->addWidget(name, r, 0);
        auto* value = Add(new QLabel(this), id);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(120);
        small->addWidget(value, r++, 1);
    }
    into.addLayout(small);
    into.addStretch();
    auto* big = new QVBoxLayout;
    auto* due = Add(new QLabel(this), kAmountDue);
    QFont f = font();
    f.setPointSize(f.pointSize() * 2 + 4);
    f.setBold(true);
    due->setFont(f);
    due->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    big->addWidget(due);
    auto* ticket = new QHBoxLayout;
    ticket->addStretch();
    ticket->addWidget(Add(new QLabel(this), kTicketLabel));
    ticket->addWidget(Add(new QLabel(this), kTicketTotal));
    big->addLayout(ticket);
    into.addLayout(big);
}

QPushButton* FAC_POS::button(QLayout& into, const char* caption, int id, Block block) {
    auto* b = Add(new QPushButton(caption, this), id, std::move(block));
    b->setAutoDefault(false);
    into.addWidget(b);
    return b;
}

void FAC_POS::build_buttons(QVBoxLayout& into) {
    auto* first = new QHBoxLayout;
    button(*first, "F2: Buscar", kSearch, [this] { Buscar_Art(); });
    button(*first, "Formas de Pago", kTenders, [this] { FORMA_P("Formas de Pago", false); });
    button(*first, "Plazos", kPlan, [this] { PLAZOS_P(); });
    button(*first, "Descuentos", kDiscounts, [this] { DESCUENTOS(); });
    button(*first, "Fletes", kFreight, [this] { FLETES(); });
    button(*first, "Texto Artículo", kTexts, [this] { READ_SPECFAC(current_row()); });
    m_exempt = Add(new QCheckBox("Exento", this), kExempt);
    connect(m_exempt, &QCheckBox::clicked, this, [this](bool on) { EXENTO(on); });
    first->addWidget(m_exempt);
    first->addStretch();
    into.addLayout(first);
    auto* second = new QHBoxLayout;
    button(*second, "Datos Atención", kAttention, [this] { DATOS_ATENCION(); });
    button(*second, "Datos Cliente", kCustomerData, [this] { DATOS_CLIENTE(); });
    button(*second, "Cond. de Pago", kConditions, [this] { READ_CPAGO(); });
    button(*second, "Saldo Cliente", kBalance, [this] { VER_SALDO(); });
    button(*second, "Grabar Pedido", kToOrder, [this] { SAVE_TO_PEDIDO(); });
    button(*second, "Grabar Proforma", kToProforma, [this] { SAVE_TO_PROFORMA(); });
    second->addStretch();
    m_ok = button(*second, "Aceptar", kCmdOk, [this] { SAVE_DATOS(); });
    button(*second, "Cancelar", kCmdCancel, [this] { Finalizar(); });
    into.addLayout(second);
}

// FACPOS_BIG: a cashier reading from a step back gets larger text everywhere; the controls are
// built after, so they size themselves to it.
void FAC_POS::enlarge_font() {
    QFont f = font();
    f.setPointSize(f.pointSize() + 4);
    setFont(f);
}

void FAC_POS::UPDATE_TIMER() {
    refresh_number();
    if (++m_ticks % kStageTicks != 0) return;
    // No sound library is part of this build: a stage that calls for attention rings the
    // workstation's bell instead of playing its wave file.
    if (!pos::stages_calling(m_db, m_session.XU_COMP, m_ini).empty()) QApplication::beep();
}

// A number the cashier types is left alone; a preview left from a concept that numbered by
// itself goes, so it is never taken for a typed one.
void FAC_POS::refresh_number() {
    if (m_draft.number_editable()) {
        if (m_number->text() == m_previewed) m_number->clear();
        m_previewed.clear();
        return;
    }
    m_previewed = q(pos::preview_number(m_db, m_session.XU_COMP, m_draft.mode(),
                                        m_draft.document_concept(), m_ini));
    m_number->setText(m_previewed);
}

void FAC_POS::DISPLAY_TOT() {
    const pos::SaleDisplay d = m_draft.DISPLAY_TOT();
    control_as<QLabel>(kAmountDue)->setText(money(d.amount_due));
    control_as<QLabel>(kInvoiced)->setText(money(d.invoiced));
    control_as<QLabel>(kReturned)->setText(money(d.returned));
    control_as<QLabel>(kSubtotal)->setText(money(d.subtotal));
    control_as<QLabel>(kTax)->setText(money(d.tax));
    control_as<QLabel>(kTicketLabel)->setText(q(d.ticket_label));
    control_as<QLabel>(kTicketTotal)->setText(d.ticket_total ? money(*d.ticket_total) : "");
    const bool card = m_taken && m_taken->reg.REQ_CAP_DA;
    findChild<QLabel*>(QString("caption_%1").arg(kReturned))
        ->setText(card ? "Disponible:" : "Devuelto:");
}

void FAC_POS::refresh_buttons() {
    const std::pair<int, pos::SaleButton> blocked[] = {
        {kAttention, pos::SaleButton::Attention},
        {kDiscounts, pos::SaleButton::Discounts},
        {kFreight, pos::SaleButton::Freight},
        {kTenders, pos::SaleButton::Tenders},
        {kTexts, pos::SaleButton::ArticleTexts},
        {kConditions, pos::SaleButton::PaymentConditions},
        {kToOrder, pos::SaleButton::SaveToOrder},
        {kToProforma, pos::SaleButton::SaveToProforma},
        {kCustomerData, pos::SaleButton::CustomerData},
    };
    for (const auto& [id, which] : blocked) control(id)->setEnabled(m_draft.button_enabled(which));
    m_exempt->setChecked(m_draft.header().exempt);
    m_exempt->setEnabled(!m_draft.exempt_locked());
    m_ok->setEnabled(!m_save.busy());
}

void FAC_POS::refresh() {
    refresh_header();
    refresh_lines();
    DISPLAY_TOT();
    refresh_buttons();
}

void FAC_POS::Finalizar() {
    if (MESSAGE_BOX(this, kAskLeave, "Atención", kMbYesNo | kMbIconQuestion) == kIdYes)
        CLOSEIT(kCmdEnd);
}

void FAC_POS::CerrarBases() {
    if (m_timer) m_timer->stop();
    // A sale left unsaved gives back the cards the terminal charged for it.
    pos::void_abandoned_cards(m_db, m_port, *m_terminal, m_session.XU_COMP,
                              domain::normal_code(m_draft.header().currency), m_tenders);
    if (m_source.refresh_parent) m_source.refresh_parent();
}

}  // namespace qz::gui
