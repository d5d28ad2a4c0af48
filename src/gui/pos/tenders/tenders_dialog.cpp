// FORMA_PAGO: a grid of tender rows over the domain's TenderSet, the amount paid, the quick
// tenders of the register's buttons and the accept that checks everything before the sale goes
// on. The grid shows what the set holds; every edit goes through the set and the grid is
// redrawn from it.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "domain/pos/sale_card_void.h"
#include "domain/session/master_rows.h"
#include "gui/framework/amount_edit.h"
#include "gui/pos/tenders/change_dialog.h"
#include "gui/pos/tenders/room_select_dialog.h"
#include "gui/pos/tenders/signature_window.h"
#include "gui/pos/tenders/tenders_dialog_impl.h"

namespace qz::gui {

using namespace forma_pago;
namespace pos = domain::pos;

namespace {

constexpr const char* kMoney = "999,999,999.99";
const AmountField kPaidField{"Monto Abonado", 14, 2};

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FormaPago::FormaPago(QWidget* owner, data::Db& db, const TendersRequest& request,
                     pos::TenderSet& set)
    : DIALOG_BOX("FORMA_PAGO", owner), m_db(db), m_req(request), m_set(set), m_port(this) {
    m_terminal = request.terminal;
    if (!m_terminal) {
        m_own_terminal = std::make_unique<pos::UnconfiguredCardTerminal>(m_port);
        m_terminal = m_own_terminal.get();
    }
}

bool FormaPago::Init() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Monto Abonado:", this));
    m_paid = Add(amount_edit(this, kPaid, kPaidField, m_set.paid()), kPaid);
    m_paid->setEnabled(!m_set.paid_locked());
    top->addWidget(m_paid);
    top->addWidget(Add(new QLabel(q(m_set.note()), this), kNote));
    top->addStretch();
    m_total = Add(new QLabel(this), kTotal);
    top->addWidget(m_total);
    layout->addLayout(top);
    build_grid();
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    for (int n = 1; n <= 7; ++n) {
        const std::string caption = n == 1 ? "F2: Efectivo" : m_set.quick_caption(n);
        auto* b =
            Add(new QPushButton(q(caption), this), kQuick1 + n - 1, [this, n] { DO_FORMA_P(n); });
        b->setVisible(m_set.quick_enabled(n) && !caption.empty());
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* rooms = Add(new QPushButton("F11: Habitación", this), kRooms, [this] { DO_SEL_ROOM(); });
    rooms->setAutoDefault(false);
    buttons->addWidget(rooms);
    buttons->addWidget(Add(new QPushButton("F12: Aceptar", this), kCmdOk, [this] { Terminar(); }));
    buttons->addWidget(
        Add(new QPushButton("Cancelar", this), kCmdCancel, [this] { DO_CANCELAR(); }));
    layout->addLayout(buttons);
    Teclas();
    Text(m_req.caption.empty() ? "Formas de Pago" : m_req.caption);
    resize(880, 420);
    refresh();
    if (m_set.accept_at_once())
        QTimer::singleShot(0, this, [this] {
            DO_FORMA_P(1);
            if (isVisible()) Terminar();
        });
    return true;
}

void FormaPago::build_grid() {
    m_grid = Add(new QTableWidget(this), kGrid);
    MontarColumnas();
    connect(m_grid, &QTableWidget::cellChanged, this, [this](int r, int c) { cell_changed(r, c); });
}

void FormaPago::MontarColumnas() {
    m_grid->setColumnCount(7);
    m_grid->setHorizontalHeaderLabels({"Código", "Descripción", "Monto", "Room/CM", "Voucher",
                                       "Código Autorización", "File Firma"});
    const int widths[] = {60, 200, 120, 90, 90, 140, 120};
    for (int c = 0; c < 7; ++c) m_grid->setColumnWidth(c, widths[c]);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    amount_column(m_grid, pos::kColAmount, kPaidField);
}

void FormaPago::Teclas() {
    for (int n = 1; n <= 7; ++n)
        connect(new QShortcut(QKeySequence(Qt::Key_F1 + n), this), &QShortcut::activated, this,
                [this, n] { DO_FORMA_P(n); });
    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, this,
            [this] { DO_SEL_ROOM(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this,
            [this] { Terminar(); });
    auto* del = new QShortcut(QKeySequence(Qt::Key_Delete), m_grid);
    del->setContext(Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, [this] {
        m_set.remove_row(m_grid->currentRow());
        refresh();
    });
}

void FormaPago::refresh() {
    m_filling = true;
    const auto& rows = m_set.rows();
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& t = rows[static_cast<size_t>(r)];
        const std::string amount = t.used() ? trim(pic_format(t.amount, kMoney)) : "";
        const std::string cells[] = {t.code,    t.name,          amount,     t.room.substr(0, 10),
                                     t.voucher, t.authorisation, t.signature};
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(q(cells[c]));
            if (c == pos::kColName || c == pos::kColSignature)
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (c == pos::kColAmount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    m_filling = false;
    refresh_total();
}

void FormaPago::refresh_total() {
    m_total->setText(q("Total: " + trim(pic_format(m_set.total(), kMoney))));
}

void FormaPago::go_to(const pos::CellFocus& f) {
    m_grid->setCurrentCell(f.row, f.column);
    m_grid->setFocus();
}

void FormaPago::cell_changed(int row, int column) {
    if (m_filling) return;
    const std::string text = m_grid->item(row, column)->text().toStdString();
    pos::CellFocus next{row, column + 1};
    if (column == pos::kColCode) {
        if (!m_set.set_code(row, text, m_port))
            next = {row, pos::kColCode};
        else
            next = {row, pos::kColAmount};
    } else if (column == pos::kColAmount) {
        Decimal amount;
        if (pic_parse(text, kMoney, amount)) {
            m_set.set_amount(row, amount);
            next = m_set.after_amount(row);
        } else {
            next = {row, pos::kColAmount};
        }
    } else {
        m_set.set_text(row, column, text);
        if (column == pos::kColAuth) next = {row + 1, pos::kColCode};
    }
    QTimer::singleShot(0, this, [this, next] {
        refresh();
        go_to(next);
    });
}

bool FormaPago::read_paid() {
    if (!m_paid->isEnabled()) return true;
    if (!m_paid->commit()) return false;
    m_set.set_paid(m_paid->number());
    return true;
}

void FormaPago::DO_FORMA_P(int n) {
    if (!read_paid()) return;
    const auto out = m_set.DO_FORMA_P(n, std::max(0, m_grid->currentRow()), *m_terminal, m_port);
    refresh();
    if (!out.applied) return;
    if (out.accept_now) return Terminar();
    go_to(out.focus);
}

void FormaPago::DO_SEL_ROOM() {
    const int row = std::max(0, m_grid->currentRow());
    if (auto chosen = choose_room(this, m_db, m_req.inputs.business)) {
        m_set.set_room(row, chosen->code);
        refresh();
        go_to({row, pos::kColVoucher});
    }
}

void FormaPago::take_signatures() {
    for (int r = 0; r < static_cast<int>(m_set.rows().size()); ++r) {
        const auto& t = m_set.rows()[static_cast<size_t>(r)];
        const auto* type = m_set.type_of(t.code);
        if (!type || !type->to_hotel || !t.signature.empty()) continue;
        SignatureTarget target{m_req.inputs.business, t.account,   t.room,
                               t.room_type,           t.room_item, t.master};
        if (auto file = capture_signature(this, m_db, target)) m_set.set_signature(r, *file);
    }
}

void FormaPago::Terminar() {
    if (!read_paid()) return;
    const auto out = m_set.Terminar(m_db, m_port);
    refresh();
    if (!out.accepted) return;
    take_signatures();
    bool go_on = true;
    if (out.change_for)
        go_on = run_change_dialog(this, m_db, m_req.inputs.business, m_req.inputs.currency,
                                  *out.change_for);
    if (m_req.rows) *m_req.rows = m_set.used_rows();
    if (m_req.paid) *m_req.paid = m_set.paid();
    m_outcome = go_on ? TendersOutcome::Continue : TendersOutcome::Stay;
    EndDialog(kCmdOk);
}

void FormaPago::DO_CANCELAR() {
    // The cashier gives up this payment: a card the terminal charged in this dialog is given
    // back now, since nothing else will ever pay with it. Cards the sale already held stay.
    auto rows = m_set.used_rows();
    pos::void_abandoned_cards(m_db, m_port, *m_terminal, m_req.inputs.business,
                              domain::normal_code(m_req.inputs.currency), rows,
                              m_req.rows ? *m_req.rows : std::vector<pos::TenderRow>{});
    m_outcome = TendersOutcome::Stay;
    EndDialog(kCmdCancel);
}

void FormaPago::PROC_BOK() {
    if (focused_id() == kPaid) {
        read_paid();
        return go_to({std::max(0, m_grid->currentRow()), pos::kColCode});
    }
    DIALOG_BOX::PROC_BOK();
}

TendersOutcome run_tenders_dialog(QWidget* owner, data::Db& db, const TendersRequest& request) {
    const auto types = domain::business_rows<domain::PaymentMethod>(
        db, "TIPO_MOV", request.inputs.business, domain::payment_method_from_row);
    pos::TenderSet set(request.inputs, types,
                       request.rows ? *request.rows : std::vector<pos::TenderRow>{});
    set.open();
    FormaPago dialog(owner, db, request, set);
    dialog.run();
    return dialog.outcome();
}

}  // namespace qz::gui
