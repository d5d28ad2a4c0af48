// The approver's side of a remote credit authorisation: the requests still open in the
// business, answered from this workstation while the requester's credit control polls them.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/amount.h"
#include "domain/customers/credit_authorisations.h"
#include "gui/customers/credit_screens.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

const AmountField kAmount{"Monto", 11, 2, true};  // "999,999,999.99"

QTableWidgetItem* cell(const std::string& text, bool right = false) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

RemoteApprovalScreen::RemoteApprovalScreen(QWidget* owner, data::Db& db, std::string business,
                                           std::string user, QTimer* timer)
    : WDIAG(owner, "AUT_REMOTA", 6590, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_user(std::move(user)),
      m_timer(timer ? timer : new QTimer(this)) {}

bool RemoteApprovalScreen::Init() {
    auto* layout = new QVBoxLayout(this);
    m_grid = Add(new QTableWidget(this), kGrid);
    const QStringList heads = {"ID",        "Fecha",  "Hora", "Usuario",
                               "Información", "Módulo", "Monto"};
    m_grid->setColumnCount(heads.size());
    m_grid->setHorizontalHeaderLabels(heads);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Aprobar", this), kApprove, [this] { APROBAR(); }));
    buttons->addWidget(Add(new QPushButton("Rechazar", this), kReject, [this] { RECHAZAR(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Autorizaciones Remotas");
    resize(760, 380);
    Create();
    refresh();
    connect(m_timer, &QTimer::timeout, this, [this] { refresh(); });
    if (m_timer->parent() == this) m_timer->start(kRefreshMs);
    return true;
}

void RemoteApprovalScreen::refresh() {
    const int row = m_grid->currentRow();
    const QString chosen = row >= 0 && m_grid->item(row, 0) ? m_grid->item(row, 0)->text() : "";
    const auto requests = dc::open_remote_requests(m_db, m_business);
    m_grid->setRowCount(static_cast<int>(requests.size()));
    for (int i = 0; i < static_cast<int>(requests.size()); ++i) {
        const dc::RemoteRequest& r = requests[i];
        m_grid->setItem(i, 0, cell(QString::number(r.id).rightJustified(12).toStdString(), true));
        m_grid->setItem(i, 1, cell(r.date.dtoc()));
        m_grid->setItem(i, 2, cell(r.time));
        m_grid->setItem(i, 3, cell(r.user));
        m_grid->setItem(i, 4, cell(r.info_user));
        m_grid->setItem(i, 5, cell(r.module));
        m_grid->setItem(i, 6, cell(kAmount.show(r.amount), true));
        // The approver keeps the request chosen while others come and go around it.
        if (m_grid->item(i, 0)->text() == chosen) m_grid->setCurrentCell(i, 0);
    }
}

void RemoteApprovalScreen::APROBAR() { answer(true); }
void RemoteApprovalScreen::RECHAZAR() { answer(false); }

void RemoteApprovalScreen::answer(bool approve) {
    const int row = m_grid->currentRow();
    if (row < 0 || !m_grid->item(row, 0)) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    const long id = m_grid->item(row, 0)->text().trimmed().toLong();
    if (!dc::answer_remote_request(m_db, m_business, id, approve, m_user))
        MESSAGE_BOX(this, kAnsweredElsewhere, "Atencion", kMbOk | kMbIconExclamation);
    refresh();
}

RemoteApprovalScreen* open_remote_approvals(QWidget* owner, data::Db& db,
                                            const std::string& business, const std::string& user) {
    return open_screen<RemoteApprovalScreen>(owner, db, business, user);
}

RemoteApprovalScreen* as_remote_approvals(QWidget* screen) {
    return dynamic_cast<RemoteApprovalScreen*>(screen);
}

}  // namespace qz::gui
