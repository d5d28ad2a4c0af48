#include "gui/customers/credit_control.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/amount.h"
#include "domain/ledger/rates.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

const AmountField kFigure{"Monto", 11, 2, true};  // "999,999,999.99"

QLineEdit* key_edit(QWidget* parent, bool enabled) {
    auto* e = new QLineEdit(parent);
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(10);
    e->setEnabled(enabled);
    return e;
}

}  // namespace

LIM_CREDITO::LIM_CREDITO(QWidget* owner, data::Db& db, CreditControlRequest request)
    : DIALOG_BOX("LIM_CREDITO", owner), m_db(db), m_req(std::move(request)) {
    build();
    m_timer = new QTimer(this);
    m_timer->setObjectName("poll");
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, [this] { poll(); });
    // Information only authorises nothing, so it must not use up a pre-authorisation either.
    if (!m_req.info_only) m_timer->start();
}

void LIM_CREDITO::build() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    build_figures(form);
    layout->addLayout(form);
    build_documents(layout);
    const bool keys = !m_req.info_only && !m_req.no_keys;
    auto* keys_form = new QFormLayout;
    m_overdue_key = Add(key_edit(this, keys && m_req.figures.overdue_key()), kCcOverdueKey);
    m_excess_key = Add(key_edit(this, keys && m_req.figures.excess_key()), kCcExcessKey);
    m_observation = Add(new QLineEdit(this), kCcObservation);
    m_id = Add(new QLineEdit(this), kCcRemoteId);
    m_id->setReadOnly(true);
    keys_form->addRow(QString::fromUtf8("Autorización Vencimiento:"), m_overdue_key);
    keys_form->addRow(QString::fromUtf8("Autorización Exceso Saldo:"), m_excess_key);
    keys_form->addRow(QString::fromUtf8("Observación:"), m_observation);
    keys_form->addRow("ID:", m_id);
    layout->addLayout(keys_form);
    auto* buttons = new QHBoxLayout;
    m_remote = Add(new QPushButton("Solicitar Clave Remota", this), kCcRemoteButton,
                   [this] { request_remote(); });
    m_remote->setVisible(!m_req.info_only);
    m_ok = Add(new QPushButton("Aceptar", this), kCmdOk, [this] { try_keys(); });
    m_ok->setVisible(!m_req.info_only);
    auto* cancel =
        Add(new QPushButton(m_req.info_only ? "Salir" : "Cancelar", this), kCmdCancel);
    for (QWidget* b : {static_cast<QWidget*>(m_remote), static_cast<QWidget*>(m_ok),
                       static_cast<QWidget*>(cancel)})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    Text("Control de Crédito");
    resize(760, 520);
}

void LIM_CREDITO::build_figures(QFormLayout* form) {
    const dc::CreditFigures& f = m_req.figures;
    const std::pair<int, const char*> rows[] = {{kCcBalance, "Saldo Actual:"},
                                                {kCcCredit, "Crédito Aplicable:"},
                                                {kCcOverdue, "Saldo Vencido:"},
                                                {kCcLimit, "Límite Autorizado:"},
                                                {kCcExcess, "Exceso Saldo:"}};
    const Decimal values[] = {f.balance, f.credit, f.overdue, f.limit, f.excess()};
    for (int i = 0; i < 5; ++i) {
        auto* e = amount_edit(this, rows[i].first, kFigure, values[i]);
        e->setReadOnly(true);
        form->addRow(QString::fromUtf8(rows[i].second), e);
    }
}

void LIM_CREDITO::build_documents(QVBoxLayout* into) {
    into->addWidget(
        new QLabel(QString::fromUtf8("Los siguientes documentos muestran saldo pendiente:"), this));
    auto* table = Add(new QTableWidget(this), kCcDocuments);
    const QStringList heads = {"Fecha", "Documento", "Monto Neto", "Saldo", "Monto Bruto",
                               "Cliente", "Nombre Cliente", "Vence"};
    table->setColumnCount(heads.size());
    table->setHorizontalHeaderLabels(heads);
    const auto docs = dc::open_documents(m_db, m_req.business, m_req.customer);
    table->setRowCount(static_cast<int>(docs.size()));
    for (int i = 0; i < static_cast<int>(docs.size()); ++i) {
        const auto& d = docs[i];
        const std::string cells[] = {d.date.dtoc(),          d.number,
                                     kFigure.show(d.net),    kFigure.show(d.balance),
                                     kFigure.show(d.gross),  d.customer,
                                     d.name,                 d.due.dtoc()};
        for (int c = 0; c < 8; ++c)
            table->setItem(i, c, new QTableWidgetItem(QString::fromStdString(cells[c])));
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    into->addWidget(table);
}

dc::RemoteAsk LIM_CREDITO::ask() const {
    dc::RemoteAsk a{m_req.business, m_req.user, m_req.module, m_req.branch.name, m_req.document};
    a.user_number = m_req.user_number;
    a.excess = m_req.figures.excess();
    return a;
}

void LIM_CREDITO::accept_as(const std::string& user) {
    m_timer->stop();
    m_result.accepted = true;
    m_result.authorised_by = user;
    m_result.observation = m_observation->text().toStdString();
    EndDialog(kCmdOk);
}

void LIM_CREDITO::try_keys() {
    if (m_req.info_only) return;
    if (!m_req.no_keys) {
        const auto refusal = dc::check_credit_keys(
            m_db, m_req.business, m_req.figures, m_overdue_key->text().toStdString(),
            m_excess_key->text().toStdString());
        if (refusal) {
            MESSAGE_BOX(this, *refusal, "Atencion", kMbOk | kMbIconExclamation);
            return;
        }
    }
    accept_as(m_req.user);
}

void LIM_CREDITO::poll() {
    if (m_req.info_only || m_result.accepted) return;
    const DateTime now = m_db.clock().now();
    if (auto a = dc::usable_pre_authorisation(m_db, m_req.business, m_req.customer,
                                              m_req.branch.code, m_req.figures)) {
        if (auto by = dc::consume_pre_authorisation(m_db, a->recno, m_req.figures, now)) {
            m_timer->stop();
            MESSAGE_BOX(this, kAutoConfirmed + *by, "Aviso", kMbOk | kMbIconInformation);
            accept_as(*by);
            return;
        }
    }
    if (m_remote_id == 0) return;
    const dc::RemoteAnswer answer = dc::take_remote_answer(m_db, ask(), m_remote_id, now);
    if (answer.kind == dc::RemoteAnswer::Granted) {
        accept_as(answer.approver);
    } else if (answer.kind == dc::RemoteAnswer::Rejected) {
        m_timer->stop();
        MESSAGE_BOX(this, dc::kRemoteRejected, "Atencion", kMbOk | kMbIconExclamation);
        EndDialog(kCmdCancel);
    }
}

void LIM_CREDITO::request_remote() {
    if (m_remote_id != 0) {
        MESSAGE_BOX(this, dc::kRemoteAlreadyAsked, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    m_remote_id = dc::request_remote_authorisation(m_db, ask(), m_db.clock().now());
    m_id->setText(QString::number(m_remote_id).rightJustified(12, ' '));
    m_ok->setEnabled(false);
    m_remote->setEnabled(false);
    MESSAGE_BOX(this,
                "Clave remota solicitada...\rID de Referencia: " + std::to_string(m_remote_id) +
                    "\rEste ID es válido solamente para el presente Sobregiro",
                "Aviso", kMbOk | kMbIconInformation);
}

dc::CreditRateLookup ledger_credit_rates(data::Db& db, const std::string& business,
                                         const Date& day) {
    return [&db, business, day](const std::string& to, const std::string& from) {
        const domain::RequiredRate r = domain::required_rate(db, business, to, from, day);
        return dc::CreditRate{r.factor, r.problem};
    };
}

CreditControlResult run_credit_control(QWidget* owner, data::Db& db,
                                       const CreditControlRequest& request) {
    LIM_CREDITO box(owner, db, request);
    box.run();
    if (box.remote_id() != 0 && !box.result().accepted)
        dc::abandon_remote_request(db, request.business, box.remote_id());
    return box.result();
}

}  // namespace qz::gui
