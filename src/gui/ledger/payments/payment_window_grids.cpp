// ABONOS1: the documents paid and the tenders. Only the documents' "Total" (what the line pays
// with its interest, payment currency) and the tenders' amount and references are typed; each
// edit goes to the draft and both grids are shown again, since a line's total moves its default
// tender.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/printable_document.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/payments/payment_screens.h"
#include "gui/ledger/payments/payment_window.h"

namespace qz::gui {

using namespace abonos1;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string money(const Decimal& v) { return trim(pic_format(v, domain::kAmountPicture)); }

AmountField total_field() { return data::amount_field("DET_MOVE", "MONTO", "Monto"); }
AmountField tender_field() {
    AmountField f = data::amount_field("DET_MOV2", "MONTO", "Monto");
    f.negative = true;  // a credit note used as payment gives back its amount
    return f;
}

// `stretch`: the column of names, which takes the width the figures leave.
QTableWidget* grid(QWidget* parent, int columns, const QStringList& headings, int stretch) {
    auto* g = new QTableWidget(0, columns, parent);
    g->setHorizontalHeaderLabels(headings);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->setVisible(false);
    g->horizontalHeader()->setDefaultSectionSize(110);
    g->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
    return g;
}

// One cell; typed only when `editable`, amounts aligned right.
void put(QTableWidget& g, int row, int column, const std::string& text, bool editable,
         bool right = false) {
    auto* item = new QTableWidgetItem(q(text));
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (editable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g.setItem(row, column, item);
}

}  // namespace

QWidget* PaymentWindow::build_documents() {
    m_documents =
        Add(grid(this, kDocColumns,
                 {"Documento", "Concepto", "Moneda", "Saldo", "Total", "Interés", "Nuevo Saldo"},
                 kDocConcept),
            kDocuments);
    amount_column(m_documents, kDocTotal, total_field());
    connect(m_documents, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* i) { document_edited(i); });
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel("Documentos", box));
    buttons->addStretch();
    buttons->addWidget(
        Add(new QPushButton("Agregar Documento", box), kAddDocument, [this] { add_document(); }));
    buttons->addWidget(Add(new QPushButton("Quitar Documento", box), kRemoveDocument,
                           [this] { remove_document(); }));
    layout->addLayout(buttons);
    layout->addWidget(m_documents);
    return box;
}

QWidget* PaymentWindow::build_tenders() {
    m_tenders = Add(grid(this, kTenColumns,
                         {"Forma de Pago", "Descripción", "Monto", "Cuenta", "#Documento",
                          "Voucher", "Autorización"},
                         kTenName),
                    kTenders);
    amount_column(m_tenders, kTenAmount, tender_field());
    connect(m_tenders, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* i) { tender_edited(i); });
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel("Forma de Pago", box));
    buttons->addStretch();
    buttons->addWidget(
        Add(new QPushButton("Agregar Forma de Pago", box), kAddTender, [this] { add_tender(); }));
    buttons->addWidget(Add(new QPushButton("Quitar Forma de Pago", box), kRemoveTender,
                           [this] { remove_tender(); }));
    layout->addLayout(buttons);
    layout->addWidget(m_tenders);
    return box;
}

void PaymentWindow::fill_documents() {
    m_filling = true;
    const int current = m_documents->currentRow();
    const auto& lines = m_draft.lines();
    const auto& note = m_draft.note();
    m_documents->setRowCount(static_cast<int>(lines.size() + (note ? 1 : 0)));
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto& l = lines[i];
        const int r = static_cast<int>(i);
        put(*m_documents, r, kDocNumber, l.document, false);
        put(*m_documents, r, kDocConcept, l.concept_def.code + " " + l.concept_def.name, false);
        put(*m_documents, r, kDocCurrency, l.currency, false);
        put(*m_documents, r, kDocBalance, money(l.balance_read), false, true);
        put(*m_documents, r, kDocTotal, money(l.total()), true, true);
        put(*m_documents, r, kDocInterest, money(l.interest + l.late), false, true);
        put(*m_documents, r, kDocNewBalance, money(l.new_balance), false, true);
    }
    // The excess turned into a credit note takes its share of the payment like a line.
    if (note) {
        const int r = static_cast<int>(lines.size());
        put(*m_documents, r, kDocNumber, "N. C", false);
        put(*m_documents, r, kDocConcept, note->concept_code, false);
        put(*m_documents, r, kDocCurrency, m_draft.header().currency, false);
        put(*m_documents, r, kDocBalance, "", false);
        put(*m_documents, r, kDocTotal, money(note->amount), false, true);
        put(*m_documents, r, kDocInterest, "", false);
        put(*m_documents, r, kDocNewBalance, "", false);
    }
    if (current >= 0 && current < m_documents->rowCount()) m_documents->selectRow(current);
    m_filling = false;
}

void PaymentWindow::fill_tenders() {
    m_filling = true;
    const int current = m_tenders->currentRow();
    const auto& tenders = m_draft.tenders();
    m_tenders->setRowCount(static_cast<int>(tenders.size()));
    for (size_t i = 0; i < tenders.size(); ++i) {
        const auto& t = tenders[i];
        const int r = static_cast<int>(i);
        put(*m_tenders, r, kTenMethod, t.method, false);
        put(*m_tenders, r, kTenName, t.description, false);
        put(*m_tenders, r, kTenAmount, money(t.amount), true, true);
        put(*m_tenders, r, kTenAccount, t.account, true);
        put(*m_tenders, r, kTenDocument, t.document, true);
        put(*m_tenders, r, kTenVoucher, t.voucher, true);
        put(*m_tenders, r, kTenAuthorisation, t.authorisation, true);
    }
    if (current >= 0 && current < m_tenders->rowCount()) m_tenders->selectRow(current);
    m_filling = false;
}

std::optional<Decimal> PaymentWindow::read_cell(const QTableWidgetItem* item,
                                                const AmountField& field) {
    Decimal value;
    const std::string refusal = field.read(trim(item->text().toStdString()), value);
    if (refusal.empty()) return value;
    MESSAGE_BOX(this, refusal, "Atencion", kMbOk | kMbIconExclamation);
    return std::nullopt;
}

void PaymentWindow::document_edited(QTableWidgetItem* item) {
    if (m_filling || item->column() != kDocTotal) return;
    const auto row = static_cast<size_t>(item->row());
    if (row < m_draft.lines().size())
        if (const auto total = read_cell(item, total_field())) m_draft.set_line_total(row, *total);
    // Shown again later: the item must outlive this signal.
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

void PaymentWindow::tender_edited(QTableWidgetItem* item) {
    if (m_filling) return;
    const auto row = static_cast<size_t>(item->row());
    if (row >= m_draft.tenders().size()) return;
    domain::PaymentTender t = m_draft.tenders()[row];
    const std::string text = trim(item->text().toStdString());
    bool ok = true;
    switch (item->column()) {
        case kTenAmount:
            if (const auto amount = read_cell(item, tender_field()))
                t.amount = *amount;
            else
                ok = false;
            break;
        case kTenAccount:
            t.account = text;
            break;
        case kTenDocument:
            t.document = text;
            break;
        case kTenVoucher:
            t.voucher = text;
            break;
        case kTenAuthorisation:
            t.authorisation = text;
            break;
        default:
            ok = false;
    }
    if (ok) m_draft.set_tender(row, t);
    QMetaObject::invokeMethod(
        this, [this] { refresh(); }, Qt::QueuedConnection);
}

int PaymentWindow::selected_row(const QTableWidget* grid) const {
    const auto rows = grid->selectionModel()->selectedRows();
    return rows.isEmpty() ? grid->currentRow() : rows.first().row();
}

}  // namespace qz::gui
