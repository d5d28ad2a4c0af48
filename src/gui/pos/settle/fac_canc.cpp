// The settling screen: a thin view over domain::pos::Settlement. The register it holds comes
// from the workstation (a point-of-sale register already open here) or from its own register
// commands; without one the screen shows "Caja Cerrada" and takes nothing.
#include "gui/pos/settle/fac_canc.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "domain/cash/register_defaults.h"
#include "domain/cash/register_rows.h"
#include "domain/cash/workstation_register.h"
#include "domain/customers/customer_rows.h"
#include "domain/pos/sale_card_void.h"
#include "domain/pos/settle.h"
#include "domain/session/log_sessions.h"
#include "gui/cash/closing_report.h"
#include "gui/card/card_terminal_factory.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/payments/receipt_print.h"
#include "gui/lists/row_chooser.h"
#include "gui/pos/tenders/tenders_dialog.h"

namespace qz::gui {

using namespace fac_canc;
namespace pos = domain::pos;
namespace dc = domain::cash;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// A point-of-sale register this workstation already has open, with its operator.
std::optional<dc::TakenRegister> workstation_register(data::Db& db, domain::Session& s) {
    if (!dc::CAJA_ABIERTA(db, s) && !dc::CAJA2_ABIERTA(db, s)) return std::nullopt;
    for (const auto* st : {&s.registers.XH_CAJAS, &s.registers.XH2_CAJAS}) {
        if (st->open != 1 || st->family != dc::kFamilyPos) continue;
        const auto reg = dc::read_register(db, dc::kPosRegisters, s.XU_COMP, st->code);
        if (!reg || !reg->is_open()) continue;
        const auto op = dc::read_operator(db, s.XU_COMP, st->operator_code);
        return dc::TakenRegister{*reg,
                                 op.value_or(dc::Operator{st->operator_code, st->operator_name})};
    }
    return std::nullopt;
}

class FAC_CANC : public WDIAG {
public:
    FAC_CANC(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini)
        : WDIAG(owner, "FAC_CANC", kCmdSettle, ScreenOptions{true, true}),
          m_db(db),
          m_session(session),
          m_ini(ini),
          m_settle(db, session.XU_COMP, db.clock().now().date) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        build_header(*layout);
        m_grid = Add(new QTableWidget(0, 7, this), kGrid);
        m_grid->setHorizontalHeaderLabels(
            {"Pagar", "Documento", "Fecha", "Concepto", "Moneda", "Saldo", "Monto a Pagar"});
        m_grid->horizontalHeader()->setStretchLastSection(true);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(m_grid, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* item) { mark_changed(item); });
        layout->addWidget(m_grid, 1);
        build_footer(*layout);
        Text("Cancelación de Facturas");
        resize(760, 480);
        Create();
        if (auto t = workstation_register(m_db, m_session)) take(*t);
        show_register();
        return true;
    }

private:
    void build_header(QVBoxLayout& into) {
        m_register_label = Add(new QLabel(this), kRegisterLabel);
        auto* top = new QHBoxLayout;
        top->addWidget(m_register_label, 1);
        top->addWidget(
            Add(new QPushButton("Abrir Caja", this), kOpenRegister, [this] { ABRE_CAJA(); }));
        top->addWidget(
            Add(new QPushButton("Reabrir Caja", this), kReopenRegister, [this] { REABRE_CAJA(); }));
        top->addWidget(
            Add(new QPushButton("Cerrar Caja", this), kCloseRegister, [this] { CLOSE_CAJA(); }));
        into.addLayout(top);
        auto* customer = new QHBoxLayout;
        customer->addWidget(new QLabel("Cliente:", this));
        m_customer = Add(new QLineEdit(this), kCustomer);
        m_customer->setMaxLength(15);
        m_customer->setMaximumWidth(140);
        connect(m_customer, &QLineEdit::editingFinished, this, [this] { customer_typed(); });
        customer->addWidget(m_customer);
        m_choose =
            Add(new QPushButton("...", this), kChooseCustomer, [this] { choose_customer(); });
        customer->addWidget(m_choose);
        m_customer_name = Add(new QLabel(this), kCustomerName);
        customer->addWidget(m_customer_name, 1);
        into.addLayout(customer);
    }

    void build_footer(QVBoxLayout& into) {
        auto* bottom = new QHBoxLayout;
        m_caption = Add(new QLabel(this), kTotalCaption);
        m_total = Add(new QLabel(this), kTotal);
        QFont big = m_total->font();
        big.setPointSize(big.pointSize() + 4);
        big.setBold(true);
        m_caption->setFont(big);
        m_total->setFont(big);
        bottom->addWidget(m_caption);
        bottom->addWidget(m_total);
        bottom->addStretch();
        m_ok = Add(new QPushButton("Aceptar", this), kCmdOk, [this] { settle(); });
        bottom->addWidget(m_ok);
        bottom->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        into.addLayout(bottom);
    }

    // The register: taken here or found open on the workstation.
    void take(const dc::TakenRegister& t) {
        m_taken = t;
        const std::string currency = trim(t.reg.DEF_MONEDA);
        m_settle.set_register(pos::SettleRegister{t.reg.code, t.reg.TIP_RECIBO, currency});
    }
    void ABRE_CAJA() {
        const std::string held = m_taken ? m_taken->reg.code : domain::kNoRegister;
        if (auto t = open_register_dialog(this, m_db, m_ini, m_session.XU_COMP, held, &m_session))
            take(*t);
        show_register();
    }
    void REABRE_CAJA() {
        if (m_taken) return;
        if (auto t = reopen_register_dialog(this, m_db, m_ini, m_session.XU_COMP, &m_session))
            take(*t);
        show_register();
    }
    void CLOSE_CAJA() {
        const std::string held = m_taken ? m_taken->reg.code : "";
        // The shift's cash closing is shown before the close is confirmed, as on the sale screen.
        if (!close_register(this, m_db, m_session.XU_COMP, held,
                            closing_report_for(this, m_db, m_session.XU_COMP), &m_session))
            return;
        m_taken.reset();
        m_settle.set_register(std::nullopt);
        show_register();
    }
    void show_register() {
        const bool open = m_taken.has_value();
        m_register_label->setText(q("Caja: " + (open ? m_taken->reg.description : "")));
        control(kOpenRegister)->setEnabled(!open);
        control(kReopenRegister)->setEnabled(!open);
        control(kCloseRegister)->setEnabled(open);
        for (QWidget* w : {static_cast<QWidget*>(m_customer), static_cast<QWidget*>(m_choose),
                           static_cast<QWidget*>(m_grid), static_cast<QWidget*>(m_ok)})
            w->setEnabled(open);
        refresh();
    }

    void customer_typed() {
        const std::string code = trim(m_customer->text().toStdString());
        if (code == m_settle.customer()) return;
        set_customer(code);
    }
    void choose_customer() {
        RowChooserSpec spec{"FAC_CANC_CLIENTES",
                            "Clientes Definidos",
                            "CLIENTES",
                            data::business_key(m_session.XU_COMP),
                            {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                            {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
        std::string code;
        if (choose_row(this, m_db, spec,
                       [&](const data::WDBTable& t) { code = trim(t.str("CODIGO")); }))
            set_customer(code);
    }
    void set_customer(const std::string& code) {
        m_customer->setText(q(code));
        const auto c = domain::customers::read_customer(m_db, m_session.XU_COMP, code);
        m_customer_name->setText(q(c ? c->name : ""));
        m_settle.set_customer(code);
        refresh();
    }

    // The grid and the total from the settlement, with the marks as they stand.
    void refresh() {
        m_filling = true;
        const auto& docs = m_settle.documents();
        m_grid->setRowCount(static_cast<int>(docs.size()));
        for (int r = 0; r < static_cast<int>(docs.size()); ++r) {
            const pos::PendingDocument& d = docs[static_cast<size_t>(r)];
            auto* mark = new QTableWidgetItem;
            mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            mark->setCheckState(d.marked ? Qt::Checked : Qt::Unchecked);
            m_grid->setItem(r, kColMark, mark);
            const std::string sign = d.debit ? "" : "-";
            const std::string cells[] = {
                d.document,
                d.date.dtoc(),
                d.concept_code,
                d.currency,
                sign + trim(pic_format(d.balance, pos::kAmountPicture)),
                sign + trim(pic_format(m_settle.in_register_currency(d), pos::kAmountPicture))};
            for (int c = 0; c < 6; ++c) {
                auto* item = new QTableWidgetItem(q(cells[c]));
                if (c >= kColBalance - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_grid->setItem(r, c + 1, item);
            }
        }
        m_filling = false;
        m_caption->setText(q(m_settle.total_caption()));
        m_total->setText(m_taken ? q(trim(m_settle.total_text())) : QString());
    }

    void mark_changed(QTableWidgetItem* item) {
        if (m_filling || item->column() != kColMark) return;
        m_settle.set_marked(static_cast<size_t>(item->row()), item->checkState() == Qt::Checked);
        m_total->setText(q(trim(m_settle.total_text())));
    }

    // OK: the checks, the tenders, the receipt, its print, and the documents listed again.
    void settle() {
        QtUserPort port(this);
        if (!m_settle.check(port)) return;
        std::vector<pos::TenderRow> rows;
        pos::prepare_tenders(m_db, m_settle, rows);
        TendersRequest r;
        r.caption = kTendersCaption;
        pos::TenderInputs& in = r.inputs;
        in.business = m_session.XU_COMP;
        in.amount_due = m_settle.total();
        in.paid = in.amount_due;
        in.cash_concept = true;
        dc::put_register_tenders(m_taken->reg, in);
        in.from_save = true;
        in.currency = m_settle.register_held()->currency;
        Decimal paid = in.paid;
        r.rows = &rows;
        r.paid = &paid;
        const auto terminal = make_card_terminal(this, m_db, port, m_ini, m_session.XU_COMP);
        r.terminal = terminal.get();
        if (run_tenders_dialog(this, m_db, r) != TendersOutcome::Continue) return;
        const pos::SettleStamp stamp{m_session.XUSER_ABREVIA, domain::session_info_user(),
                                     m_taken->op.code, ""};
        const auto number = pos::CANCELA_FAC(m_db, port, m_settle, rows, stamp);
        if (!number) {
            // The receipt was not written: a card the terminal charged for it is given back.
            pos::void_approved_cards(m_db, port, *terminal, in.business, in.currency, rows);
            return;
        }
        m_settle.reload();
        refresh();
        print_receipt(this, m_db, m_session.XU_COMP, *number);
    }

    data::Db& m_db;
    domain::Session& m_session;
    const IniFile* m_ini;
    pos::Settlement m_settle;
    std::optional<dc::TakenRegister> m_taken;
    QLabel* m_register_label = nullptr;
    QLineEdit* m_customer = nullptr;
    QPushButton* m_choose = nullptr;
    QLabel* m_customer_name = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_total = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_filling = false;
};

}  // namespace

WDIAG* open_fac_canc(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini) {
    return open_screen<FAC_CANC>(owner, db, session, ini);
}

}  // namespace qz::gui
