#include "gui/deposits/deposit_entry.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/deposits/deposit_save.h"
#include "gui/card/card_terminal_factory.h"
#include "gui/deposits/deposit_entry_dialogs.h"
#include "gui/deposits/deposit_print.h"
#include "gui/deposits/reservation_list.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/session/app_context.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
using namespace deposit_entry;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QLineEdit* e) { return trim(e->text().toStdString()); }

void fill(QComboBox* c, const std::vector<dl::CodeName>& items) {
    c->addItem("", "");
    for (const auto& i : items) c->addItem(q(i.code + "  " + i.name), q(i.code));
}

// A code typed beside its list chooses the list's entry, and the other way round. A code the
// list does not offer (a concept no longer visible) is not kept: the save then asks for one.
void pair_code_and_list(QLineEdit* code, QComboBox* list, const std::function<void()>& changed) {
    QObject::connect(code, &QLineEdit::editingFinished, list, [code, list, changed] {
        const int i = list->findData(q(dl::normal_code(code->text().toStdString())));
        list->setCurrentIndex(i < 0 ? 0 : i);
        code->setText(list->currentData().toString());
        if (changed) changed();
    });
    QObject::connect(list, &QComboBox::activated, code, [code, list, changed] {
        code->setText(list->currentData().toString());
        if (changed) changed();
    });
}

void select(QComboBox* c, const std::string& code) {
    const int i = c->findData(q(trim(code)));
    c->setCurrentIndex(i < 0 ? 0 : i);
}

}  // namespace

int deposit_entry::focus_id(dl::DepositField f) {
    switch (f) {
        case dl::DepositField::MadeBy:
            return kMadeBy;
        case dl::DepositField::Concept:
            return kConcept;
        case dl::DepositField::Currency:
            return kCurrency;
        case dl::DepositField::ReservationRate:
            return kReservationRate;
        case dl::DepositField::AccountingRate:
            return kAccountingRate;
        case dl::DepositField::Amount:
            return kAmount;
        case dl::DepositField::Date:
            return kDate;
        case dl::DepositField::Reservations:
            return kReservations;
        case dl::DepositField::Counterpart:
            return kDetail;
        case dl::DepositField::None:
            break;
    }
    return kCmdOk;
}

DepositEntryScreen::DepositEntryScreen(QWidget* owner, AppContext& ctx)
    : WDIAG(owner, "DEP_HOT", kCmdDepositEntry, ScreenOptions{true, false}),
      m_ctx(ctx),
      m_form(*ctx.db, ctx.session.XU_COMP) {}

bool DepositEntryScreen::Init() {
    m_lists = dl::read_deposit_form_lists(*m_ctx.db, m_ctx.session.XU_COMP);
    build();
    show_fields();
    Text("Registro de Depósitos");
    Create();
    return true;
}

void DepositEntryScreen::build() {
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    columns->addWidget(build_choices());
    columns->addWidget(build_payer());
    layout->addLayout(columns);
    layout->addWidget(build_amounts());
    layout->addWidget(build_buttons());
}

QWidget* DepositEntryScreen::build_choices() {
    auto* box = new QGroupBox("Depósito", this);
    auto* f = new QFormLayout(box);
    m_concept = Add(new QLineEdit(box), kConcept);
    m_concepts = Add(new QComboBox(box), kConceptList);
    fill(m_concepts, m_lists.concepts);
    auto* concept_row = new QHBoxLayout;
    concept_row->addWidget(m_concept, 1);
    concept_row->addWidget(m_concepts, 4);
    f->addRow("Concepto:", concept_row);
    pair_code_and_list(m_concept, m_concepts, {});
    m_currency = Add(new QLineEdit(box), kCurrency);
    m_currencies = Add(new QComboBox(box), kCurrencyList);
    fill(m_currencies, m_lists.currencies);
    auto* currency_row = new QHBoxLayout;
    currency_row->addWidget(m_currency, 1);
    currency_row->addWidget(m_currencies, 4);
    f->addRow("Moneda:", currency_row);
    pair_code_and_list(m_currency, m_currencies, [this] { currency_or_date_changed(); });
    m_people = Add(new QComboBox(box), kMadeBy);
    fill(m_people, m_lists.people);
    f->addRow("Hecho por:", m_people);
    m_date = Add(new LR_MASKED(box, kDate, m_form.draft.date), kDate);
    connect(m_date, &LR_MASKED::value_accepted, this, [this] { currency_or_date_changed(); });
    f->addRow("Fecha:", m_date);
    m_number = Add(new QLineEdit(box), kNumber);
    f->addRow("No. Depósito:", m_number);
    return box;
}

QWidget* DepositEntryScreen::build_amounts() {
    auto* box = new QGroupBox("Montos", this);
    auto* h = new QHBoxLayout(box);
    auto* f = new QFormLayout;
    m_amount =
        Add(amount_edit(box, kAmount, data::amount_field("ENC_HLIB", "MONTO", "Monto"), Decimal()),
            kAmount);
    f->addRow("Monto:", m_amount);
    h->addLayout(f);
    auto* rates = new QFormLayout;
    m_res_rate =
        Add(amount_edit(box, kReservationRate,
                        data::amount_field("ENC_HLIB", "CAMBIO_RES", "Tipo de Cambio"), Decimal()),
            kReservationRate);
    rates->addRow("T.C. Reservaciones:", m_res_rate);
    m_con_rate =
        Add(amount_edit(box, kAccountingRate,
                        data::amount_field("ENC_HLIB", "CAMBIO_CON", "Tipo de Cambio"), Decimal()),
            kAccountingRate);
    rates->addRow("T.C. Contabilidad:", m_con_rate);
    h->addLayout(rates);
    return box;
}

QWidget* DepositEntryScreen::build_payer() {
    auto* box = new QGroupBox("Depositante", this);
    auto* f = new QFormLayout(box);
    m_name = Add(new QLineEdit(box), kName);
    f->addRow("Nombre:", m_name);
    m_surname = Add(new QLineEdit(box), kSurname);
    f->addRow("Apellido:", m_surname);
    m_arrival = Add(new LR_MASKED(box, kArrival, Date()), kArrival);
    f->addRow("Llegada:", m_arrival);
    m_departure = Add(new LR_MASKED(box, kDeparture, Date()), kDeparture);
    f->addRow("Salida:", m_departure);
    m_comment = Add(new QLineEdit(box), kComment);
    f->addRow("Comentario:", m_comment);
    return box;
}

QWidget* DepositEntryScreen::build_buttons() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* caption, int id, void (DepositEntryScreen::*run)()) {
        h->addWidget(Add(new QPushButton(caption, row), id, [this, run] { (this->*run)(); }));
    };
    button("Detalle Contable", kDetail, &DepositEntryScreen::VER_DETALLE);
    button("Reservaciones", kReservations, &DepositEntryScreen::RESERVAS);
    button("Limpiar", kClear, &DepositEntryScreen::CLEAR_DATOS);
    button("Ver Reservaciones", kViewReservations, &DepositEntryScreen::VER_RESERVAS);
    h->addStretch();
    h->addWidget(Add(new QPushButton("Aceptar", row), kCmdOk, [this] { PROCESAR(); }));
    // Also the close box and Escape: they ask before a typed deposit is lost.
    h->addWidget(Add(new QPushButton("Salir", row), kCmdCancel, [this] { leave(); }));
    return row;
}

void DepositEntryScreen::show_fields() {
    const dl::DepositDraft& d = m_form.draft;
    m_concept->setText(q(d.concept_code));
    select(m_concepts, d.concept_code);
    m_currency->setText(q(d.currency));
    select(m_currencies, d.currency);
    select(m_people, d.made_by);
    m_amount->set_value(d.amount);
    m_res_rate->set_value(d.reservation_rate);
    m_con_rate->set_value(d.accounting_rate);
    m_date->set_value(d.date);
    m_number->setText(q(d.number));
    m_name->setText(q(d.name));
    m_surname->setText(q(d.surname));
    m_arrival->set_value(d.arrival);
    m_departure->set_value(d.departure);
    m_comment->setText(q(d.comment));
}

void DepositEntryScreen::read_fields() {
    dl::DepositDraft& d = m_form.draft;
    d.concept_code = dl::normal_code(s(m_concept));
    d.currency = dl::normal_code(s(m_currency));
    d.made_by = m_people->currentData().toString().toStdString();
    m_form.set_amount(m_amount->number());
    d.reservation_rate = m_res_rate->number();
    d.accounting_rate = m_con_rate->number();
    d.date = m_date->date();
    d.number = s(m_number);
    d.name = s(m_name);
    d.surname = s(m_surname);
    d.arrival = m_arrival->date();
    d.departure = m_departure->date();
    d.comment = s(m_comment);
}

void DepositEntryScreen::currency_or_date_changed() {
    read_fields();
    m_form.propose_rates();
    m_res_rate->set_value(m_form.draft.reservation_rate);
    m_con_rate->set_value(m_form.draft.accounting_rate);
}

void DepositEntryScreen::VER_DETALLE() {
    read_fields();
    run_counterpart_dialog(this, m_form, m_lists.accounts);
}

void DepositEntryScreen::RESERVAS() {
    read_fields();
    run_reservation_lines_dialog(this, *m_ctx.db, m_ctx.session.XU_COMP, m_form);
}

void DepositEntryScreen::CLEAR_DATOS() {
    m_form.clear();
    show_fields();
    m_concept->setFocus();
}

void DepositEntryScreen::VER_RESERVAS() {
    open_deposit_reservations(this, *m_ctx.db, m_ctx.session.XU_COMP);
}

void DepositEntryScreen::PROCESAR() {
    read_fields();
    auto& db = *m_ctx.db;
    QtUserPort port(this);
    const IniFile no_settings{std::filesystem::path()};
    const IniFile& ini = m_ctx.ini ? *m_ctx.ini : no_settings;
    auto card = make_card_terminal(this, db, port, m_ctx.ini.get(), m_ctx.session.XU_COMP);
    const dl::DepositSaveResult r = dl::PROCESAR(db, port, ini, m_ctx.session, *card, m_form.draft);
    if (!r.saved) {
        control(focus_id(r.focus))->setFocus();
        // A counterpart that does not add up is mended where it is typed.
        if (r.focus == dl::DepositField::Counterpart) VER_DETALLE();
        return;
    }
    CLEAR_DATOS();
    port.message(MsgStyle::Aviso, "", kDepositSaved + r.movement);
    if (r.print_voucher) print_deposit_voucher(this, db, m_ctx.session, r.movement);
}

void DepositEntryScreen::leave() {
    read_fields();
    if (m_form.empty() ||
        MESSAGE_BOX(this, kLeaveUnsavedDeposit, "Atención", kMbYesNo | kMbIconQuestion) == kIdYes)
        CLOSEIT(kCmdEnd);
}

DepositEntryScreen* open_deposit_entry(QWidget* owner, AppContext& ctx) {
    return open_screen<DepositEntryScreen>(owner, ctx);
}

}  // namespace qz::gui
