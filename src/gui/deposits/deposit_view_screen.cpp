#include "gui/deposits/deposit_view_screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/deposits/deposit_listings.h"
#include "domain/deposits/deposit_void.h"
#include "domain/pos/card_log.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/card/card_terminal_factory.h"
#include "gui/deposits/deposit_print.h"
#include "gui/deposits/deposit_text.h"
#include "gui/framework/qt_user_port.h"
#include "gui/session/app_context.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
namespace tx = deposit_text;

constexpr const char* kMoney = "999,999,999.99";

QString q(const std::string& s) { return QString::fromStdString(s); }

QTableWidget* new_table(WDIAG& screen, int id, const QStringList& headings) {
    auto* t = screen.Add(new QTableWidget(0, static_cast<int>(headings.size()), &screen), id);
    t->setHorizontalHeaderLabels(headings);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Figures keep their width; the widest text (a description, else the first column) takes
    // what is left, so amounts are never pushed apart from their headings.
    auto* h = t->horizontalHeader();
    h->setSectionResizeMode(QHeaderView::ResizeToContents);
    const int wide = headings.indexOf("Descripción");
    h->setSectionResizeMode(wide < 0 ? 0 : wide, QHeaderView::Stretch);
    t->verticalHeader()->hide();
    return t;
}

// Appends a row; cells whose heading is an amount are right-aligned.
void add_row(QTableWidget* t, const std::vector<std::string>& cells,
             const std::vector<int>& amounts = {}) {
    const int row = t->rowCount();
    t->insertRow(row);
    for (size_t c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(q(cells[c]));
        for (int a : amounts)
            if (a == static_cast<int>(c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, static_cast<int>(c), item);
    }
}

void clear(QTableWidget* t) { t->setRowCount(0); }

std::string header_text(const dl::DepositView& v) {
    const dl::DepositHeader& h = v.record.header;
    std::string out = "Depósito: " + h.movement + "    Fecha: " + tx::date(h.date) +
                      "    Estado: " + dl::deposit_state_name(h);
    out += "\nConcepto: " + h.concept_code + " " + v.concept_name + "    Moneda: " + h.currency +
           "    Monto: " + tx::money(h.amount) + "    Saldo: " + tx::money(h.balance);
    out += "\nNombre: " + h.full_name + "    Documento: " + h.number +
           "    Hecho por: " + h.made_by + "    Caja: " + h.register_code;
    out += "\nLlegada: " + tx::date(h.arrival) + "    Salida: " + tx::date(h.departure) +
           "    Cambio Reservaciones: " + tx::rate(h.reservation_rate) +
           "    Cambio Contabilidad: " + tx::rate(h.accounting_rate);
    if (!h.comment.empty()) out += "\nComentario: " + h.comment;
    if (!h.card.empty())
        out += "\nTarjeta: " + dl::pos::masked_card(h.card) +
               "    Autorización: " + h.card_authorisation;
    out += "\nRegistrado por: " + h.user + " el " + tx::date(h.created) + " " + h.created_time;
    if (h.voided())
        out += "\nAnulado por: " + h.voided_by + " el " + tx::date(h.voided_on) + " " + h.voided_at;
    return out;
}

void show_journal(QTableWidget* t, const std::string& voucher,
                  const std::vector<dl::VoucherLine>& lines) {
    for (const auto& l : lines)
        add_row(t,
                {voucher, l.account, l.description, l.currency, tx::money(l.debit),
                 tx::money(l.credit)},
                {4, 5});
}

void show_bank(QTableWidget* t, const std::string& movement,
               const std::optional<dl::BankBookEntry>& e) {
    if (!e) return;
    add_row(t,
            {movement, tx::date(e->date), e->book_concept, tx::money(e->amount), e->document,
             e->description},
            {3});
}

}  // namespace

DepositViewScreen::DepositViewScreen(QWidget* owner, AppContext& ctx)
    : WDIAG(owner, "VER_DEP", kCmdDepositView, ScreenOptions{true, true}), m_ctx(ctx) {}

bool DepositViewScreen::Init() {
    m_table = data::USE(*m_ctx.db, "ENC_HLIB", "ENC_HLIB4");
    auto* layout = new QVBoxLayout(this);
    build_grid();
    layout->addWidget(m_grid, 3);
    layout->addWidget(build_details(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Anular", this), kVoid, [this] { void_chosen(); }));
    buttons->addWidget(Add(new QPushButton("Imprimir", this), kPrint, [this] { print_chosen(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Consulta de Depósitos");
    resize(1000, 680);
    Create();
    BrowMarksOptions o;
    o.scope_start = data::business_key(m_ctx.session.XU_COMP);
    o.no_marks = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    // The grid runs by date and number; the latest deposit is the one asked about most.
    m_grid->GOBOTTOM();
    show_details();
    m_grid->Sel_Block = [this] { show_details(); };
    return true;
}

void DepositViewScreen::build_grid() {
    data::WDBTable& t = *m_table;
    m_grid = new WBLISTBOX(this, t, "VER_DEP_GRID", kDeposits);
    Add(m_grid, kDeposits);
    AGREGARCOL(*m_grid, t, "Número", "MOVIMIENTO");
    AGREGARCOL(*m_grid, t, "Fecha", "FECHA");
    AGREGARCOL(*m_grid, t, "Nombre", "NOMBRE");
    AGREGARCOL(*m_grid, t, "Moneda", "MONEDA");
    AGREGARCOL(*m_grid, t, "Monto", "MONTO", kMoney);
    AGREGARCOL(*m_grid, t, "Saldo", "SALDO", kMoney);
    AGREGARCOL(*m_grid, t, "Estado", "", "", [this] {
        return CellValue(dl::deposit_state_name(dl::deposit_header_from_row(*m_table)));
    });
}

QWidget* DepositViewScreen::build_details() {
    auto* tabs = new QTabWidget(this);
    m_header = Add(new QLabel(this), kHeader);
    m_header->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_header->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    tabs->addTab(m_header, "Depósito");
    m_lines = new_table(*this, kLines, {"Cuenta", "Débito", "Crédito"});
    tabs->addTab(m_lines, "Contrapartida");
    m_applications = new_table(
        *this, kApplications, {"Reservación", "Tipo Hab.", "Línea", "Documento", "Fecha", "Monto"});
    tabs->addTab(m_applications, "Reservaciones");
    m_journal = new_table(*this, kJournal,
                          {"Asiento", "Cuenta", "Descripción", "Moneda", "Débito", "Crédito"});
    tabs->addTab(m_journal, "Asientos");
    m_bank = new_table(*this, kBankBook,
                       {"Movimiento", "Fecha", "Concepto", "Monto", "Documento", "Descripción"});
    tabs->addTab(m_bank, "Libro de Bancos");
    return tabs;
}

void DepositViewScreen::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(*m_ctx.db, m_table);
}

std::string DepositViewScreen::chosen() const {
    const long recno = m_grid->nCrecNo();
    if (recno <= 0) return "";
    m_table->GoTo(recno);
    return m_table->Eof() ? "" : trim(m_table->str("MOVIMIENTO"));
}

void DepositViewScreen::show_details() {
    for (auto* t : {m_lines, m_applications, m_journal, m_bank}) clear(t);
    const std::string movement = chosen();
    const auto v = movement.empty()
                       ? std::nullopt
                       : dl::read_deposit_view(*m_ctx.db, m_ctx.session.XU_COMP, movement);
    m_header->setText(v ? q(header_text(*v)) : QString());
    control(kVoid)->setEnabled(v && !v->record.header.voided());
    control(kPrint)->setEnabled(v.has_value());
    if (!v) return;
    const dl::DepositHeader& h = v->record.header;
    for (const auto& l : v->record.lines)
        add_row(m_lines, {l.account, tx::money(l.debit), tx::money(l.credit)}, {1, 2});
    for (const auto& a : v->record.applications)
        add_row(m_applications,
                {a.reservation, a.room_type, std::to_string(a.item), a.document, tx::date(a.date),
                 tx::money(a.amount)},
                {5});
    show_journal(m_journal, h.voucher, v->booking_lines);
    show_journal(m_journal, h.void_voucher, v->void_lines);
    show_bank(m_bank, h.bank_movement, v->bank_movement);
    show_bank(m_bank, h.void_bank_movement, v->void_bank_movement);
}

void DepositViewScreen::void_chosen() {
    const std::string movement = chosen();
    if (movement.empty()) return;
    QtUserPort port(this);
    const auto terminal =
        make_card_terminal(this, *m_ctx.db, port, m_ctx.ini.get(), m_ctx.session.XU_COMP);
    dl::ANUL_DEP(*m_ctx.db, port, m_ctx.session, *terminal, movement);
    // Whether it was voided or refused, the grid and the panes show the deposit as it is now.
    m_grid->REFRESHCURRENT();
    show_details();
}

void DepositViewScreen::print_chosen() {
    const std::string movement = chosen();
    if (!movement.empty()) print_deposit_voucher(this, *m_ctx.db, m_ctx.session, movement);
}

DepositViewScreen* open_deposit_view(QWidget* owner, AppContext& ctx) {
    return open_screen<DepositViewScreen>(owner, ctx);
}

}  // namespace qz::gui
