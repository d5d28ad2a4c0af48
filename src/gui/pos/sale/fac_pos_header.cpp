// The header of FAC_POS: an edit box and a pick list for the customer, concept, agent,
// currency, warehouse and price type (PROCE_* when a code is typed, PROC_* when one is chosen),
// the document number, the date, and the read-only term and customer discount. A refused code
// or a field the register locks leaves the draft as it was, and the header is redrawn from it.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "gui/lists/row_chooser.h"
#include "gui/pos/sale/fac_pos_screen.h"

namespace qz::gui {

using namespace fac_pos;
namespace pos = domain::pos;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

struct HeaderSpec {
    int id;
    const char* caption;
    pos::SaleField field;
    int row, column;
};

constexpr HeaderSpec kFields[] = {
    {kCustomer, "Cliente:", pos::SaleField::Customer, 0, 0},
    {kConcept, "Concepto:", pos::SaleField::Concept, 1, 0},
    {kAgent, "Agente:", pos::SaleField::Agent, 1, 3},
    {kCurrency, "Moneda:", pos::SaleField::Currency, 2, 0},
    {kWarehouse, "Bodega:", pos::SaleField::Warehouse, 2, 3},
    {kPriceType, "Tipo Precio:", pos::SaleField::PriceType, 3, 0},
};

const std::string& header_value(const pos::SaleHeader& h, int id) {
    switch (id) {
        case kCustomer:
            return h.customer;
        case kConcept:
            return h.doc_concept;
        case kAgent:
            return h.agent;
        case kCurrency:
            return h.currency;
        case kWarehouse:
            return h.warehouse;
        default:
            return h.price_type;
    }
}

QLineEdit* read_only(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

}  // namespace

void FAC_POS::build_header(QGridLayout& grid) {
    const std::vector<domain::CodeName>* lists[] = {nullptr,
                                                    &m_choices.concepts,
                                                    &m_choices.agents,
                                                    &m_choices.currencies,
                                                    &m_choices.warehouses,
                                                    &m_choices.price_types};
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const auto& f = kFields[i];
        grid.addWidget(new QLabel(f.caption, this), f.row, f.column);
        auto* edit = Add(new QLineEdit(this), f.id);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(11, 'M')));
        connect(edit, &QLineEdit::editingFinished, this, [this, id = f.id] { header_typed(id); });
        grid.addWidget(edit, f.row, f.column + 1);
        if (!lists[i]) {
            auto* pick =
                Add(new QPushButton("...", this), kCustomerList, [this] { PROC_CLIENTE(); });
            pick->setAutoDefault(false);
            pick->setMaximumWidth(32);
            grid.addWidget(pick, f.row, f.column + 2);
            continue;
        }
        auto* list = Add(new QComboBox(this), f.id + (kCustomerList - kCustomer));
        for (const auto& c : *lists[i]) list->addItem(q(c.code + " - " + c.name), q(c.code));
        list->setCurrentIndex(-1);
        connect(list, &QComboBox::activated, this, [this, id = f.id](int) { header_chosen(id); });
        grid.addWidget(list, f.row, f.column + 2);
    }
    grid.addWidget(Add(read_only(this), kCustomerName), 0, 3, 1, 3);
    grid.addWidget(new QLabel("Número:", this), 0, 6);
    m_number = Add(new QLineEdit(this), kNumber);
    m_number->setMaxLength(15);
    grid.addWidget(m_number, 0, 7);
    grid.addWidget(new QLabel("Fecha:", this), 1, 6);
    auto* date = Add(new QLineEdit(this), kDate);
    const auto& s = m_draft.settings();
    date->setText(q(m_db.clock().XDATE(s.local_date).dtoc4()));
    date->setReadOnly(!s.date_editable);
    grid.addWidget(date, 1, 7);
    grid.addWidget(new QLabel("Plazo:", this), 2, 6);
    grid.addWidget(Add(read_only(this), kTerm), 2, 7);
    grid.addWidget(new QLabel("Desc. Cliente:", this), 3, 3);
    grid.addWidget(Add(read_only(this), kCustomerDiscount), 3, 4);
    auto* max_discount = new QHBoxLayout;
    max_discount->addWidget(new QLabel("Desc. Máximo:", this));
    max_discount->addWidget(Add(read_only(this), kMaxDiscount));
    grid.addLayout(max_discount, 3, 5);
    grid.addWidget(new QLabel("Monto:", this), 3, 6);
    m_amount = Add(new QLineEdit(this), kAmount);
    grid.addWidget(m_amount, 3, 7);
    grid.setColumnStretch(2, 1);
    grid.setColumnStretch(5, 1);
}

bool FAC_POS::PROCE(int id, const std::string& code) {
    switch (id) {
        case kCustomer:
            return m_draft.PROCE_CLIENTE(code);
        case kConcept:
            return m_draft.PROCE_CONCEPTO(code);
        case kAgent:
            return m_draft.PROCE_AGENTE(code);
        case kCurrency:
            return m_draft.PROCE_MONEDA(code);
        case kWarehouse:
            return m_draft.PROCE_BODEGA(code);
        default:
            return m_draft.PROCE_PRECIO(code);
    }
}

void FAC_POS::header_typed(int id) {
    if (m_filling) return;
    const std::string typed = trim(control_as<QLineEdit>(id)->text().toStdString());
    // Leaving a field unchanged is not a new choice: it would repeat the refusal of a blank one.
    if (typed == header_value(m_draft.header(), id)) return;
    if (!typed.empty()) PROCE(id, typed);
    refresh();
    if (id == kConcept) refresh_number();
}

void FAC_POS::header_chosen(int id) {
    if (m_filling) return;
    auto* list = control_as<QComboBox>(id + (kCustomerList - kCustomer));
    PROCE(id, list->currentData().toString().toStdString());
    refresh();
    if (id == kConcept) refresh_number();
}

void FAC_POS::PROC_CLIENTE() {
    RowChooserSpec spec{"FAC_POS_CLIENTES",
                        "Clientes Definidos",
                        "CLIENTES",
                        data::business_key(m_session.XU_COMP),
                        {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                        {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
    std::string chosen;
    choose_row(this, m_db, spec,
               [&chosen](const data::WDBTable& t) { chosen = trim(t.str("CODIGO")); });
    if (chosen.empty()) return;
    m_draft.PROCE_CLIENTE(chosen);
    refresh();
}

void FAC_POS::refresh_header() {
    m_filling = true;
    const auto& h = m_draft.header();
    for (const auto& f : kFields) {
        const bool locked = m_draft.locked(f.field);
        auto* edit = control_as<QLineEdit>(f.id);
        edit->setText(q(header_value(h, f.id)));
        edit->setEnabled(!locked);
        auto* list = control(f.id + (kCustomerList - kCustomer));
        list->setEnabled(!locked);
        if (auto* combo = qobject_cast<QComboBox*>(list))
            combo->setCurrentIndex(combo->findData(q(header_value(h, f.id))));
    }
    control_as<QLineEdit>(kCustomerName)->setText(q(h.contact[pos::kName]));
    control_as<QLineEdit>(kTerm)->setText(QString::number(h.term_days));
    control_as<QLineEdit>(kCustomerDiscount)
        ->setText(q(trim(pic_format(h.customer_discount, "99.99"))));
    refresh_max_discount();
    m_number->setReadOnly(!m_draft.number_editable());
    const auto& c = m_draft.document_concept();
    m_amount->setEnabled(c && !c->flag("DETALLE"));
    m_filling = false;
}

// Blank when the current line has no article or its article has no limit.
void FAC_POS::refresh_max_discount() {
    const auto limit = m_draft.discount_limit(current_row());
    control_as<QLineEdit>(kMaxDiscount)->setText(limit ? q(trim(pic_format(*limit, "99.99"))) : "");
}

}  // namespace qz::gui
