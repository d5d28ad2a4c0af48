#include "gui/ledger/viewer/document_viewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_rows.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/lists/row_chooser.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using State = domain::DocumentState;

constexpr const char* kAmountPicture = "999,999,999.99";
constexpr State kStates[] = {State::Open, State::Settled, State::Annulled, State::All};

QString q(const std::string& s) { return QString::fromStdString(s); }

// Annulled documents in red, settled ones in grey, open ones as the grid draws them.
int state_colour(const data::WDBTable& t) {
    if (!trim(t.str("ANULADO")).empty()) return 1;
    return t.num("SALDO").is_zero() ? 2 : 0;
}

std::string state_caption(const data::WDBTable& t) {
    if (!trim(t.str("ANULADO")).empty()) return "Anulado";
    return t.num("SALDO").is_zero() ? "Cancelado" : "Pendiente";
}

}  // namespace

DocumentViewer::DocumentViewer(QWidget* owner, ViewerDesk desk)
    : WDIAG(owner, "VIEW_DOC", kContext, ScreenOptions{true, true}), m_desk(std::move(desk)) {}

bool DocumentViewer::Init() {
    m_table = data::USE(m_desk.db, "DOCUMENT", "DOCUMEN13");
    auto* layout = new QVBoxLayout(this);
    build_filters(layout);
    m_grid = new WBLISTBOX(this, *m_table, "VIEW_DOC_GRID", kViewGrid);
    Add(m_grid, kViewGrid);
    data::WDBTable& t = *m_table;
    AGREGARCOL(*m_grid, t, "Fecha", "FECHA", "", {}, 0, false, 16);
    AGREGARCOL(*m_grid, t, "Documento", "DOCUMENTO");
    // Short codes get a picture as wide as their heading; a branch code is a few characters
    // however wide its field.
    AGREGARCOL(*m_grid, t, "Conc.", "CONCEPTO", "XXXXX");
    AGREGARCOL(*m_grid, t, "Cliente", "CLIENTE");
    AGREGARCOL(*m_grid, t, "Suc.", "SUBCLIENTE", "XXXXX");
    AGREGARCOL(*m_grid, t, "Nombre", "NOM_CLIENT", std::string(40, 'X'));
    AGREGARCOL(*m_grid, t, "Mon.", "MONEDA", "XXXX");
    AGREGARCOL(*m_grid, t, "Monto", "MONTO", kAmountPicture);
    AGREGARCOL(*m_grid, t, "Saldo", "SALDO", kAmountPicture);
    AGREGARCOL(*m_grid, t, "Vence", "VENCE", "", {}, 0, false, 16);
    AGREGARCOL(*m_grid, t, "Estado", "", "", [&t] { return CellValue(state_caption(t)); });
    AGREGARCOL(*m_grid, t, "Entregado", "", "", [&t] {
        return CellValue(t.num("ENTREGADO") == 1 ? t.date("FECHAENT").dtoc() : std::string());
    });
    m_grid->SET_COLOR_VECTOR(
        {{QColor(170, 20, 20), QColor(Qt::white)}, {QColor(110, 110, 110), QColor(Qt::white)}});
    m_grid->COLOR_BLOCK([&t] { return state_colour(t); });
    layout->addWidget(m_grid, 1);
    build_buttons(layout);
    Text("Consulta de Documentos");
    resize(1000, 520);
    Create();
    BrowMarksOptions o;
    o.scope_start = viewer_scope(m_desk.business, filter()).key;
    o.no_search = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    return true;
}

void DocumentViewer::build_filters(QLayout* into) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Cliente:", this));
    m_customer = Add(new QLineEdit(this), kViewCustomer);
    m_customer->setMaxLength(15);
    m_customer->setMaximumWidth(140);
    QObject::connect(m_customer, &QLineEdit::editingFinished, this, [this] { customer_typed(); });
    row->addWidget(m_customer);
    auto* choose = Add(new QPushButton("...", this), kViewChoose, [this] { choose_customer(); });
    choose->setMaximumWidth(32);
    row->addWidget(choose);
    m_customer_name = Add(new QLabel("Todos los clientes", this), kViewCustomerName);
    m_customer_name->setMinimumWidth(260);
    row->addWidget(m_customer_name, 1);
    row->addWidget(new QLabel("Sucursal:", this));
    m_branch = Add(new QComboBox(this), kViewBranch);
    m_branch->setMinimumWidth(200);
    m_branch->addItem("Todas", QString());
    row->addWidget(m_branch);
    row->addWidget(new QLabel("Estado:", this));
    m_state = Add(new QComboBox(this), kViewState);
    for (State s : kStates) m_state->addItem(domain::document_state_name(s), static_cast<int>(s));
    row->addWidget(m_state);
    QObject::connect(m_branch, &QComboBox::currentIndexChanged, this, [this] { apply_filter(); });
    QObject::connect(m_state, &QComboBox::currentIndexChanged, this, [this] { apply_filter(); });
    static_cast<QVBoxLayout*>(into)->addLayout(row);
}

void DocumentViewer::build_buttons(QLayout* into) {
    auto* row = new QHBoxLayout;
    row->addWidget(
        Add(new QPushButton("Reimprimir", this), kViewReprint, [this] { REIMPRIMIR(); }));
    row->addWidget(
        Add(new QPushButton("Entregado", this), kViewDelivered, [this] { MARCA_ENTREGA(); }));
    row->addWidget(
        Add(new QPushButton("Trasladar a Cliente", this), kViewMove, [this] { MOV_CLIENTE(); }));
    row->addWidget(Add(new QPushButton("Bloquear", this), kViewBlock, [this] { BLOQ_DOC(); }));
    row->addStretch();
    row->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    static_cast<QVBoxLayout*>(into)->addLayout(row);
}

void DocumentViewer::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_desk.db, m_table);
}

domain::ViewerFilter DocumentViewer::filter() const {
    domain::ViewerFilter f;
    f.customer = m_customer_name ? m_customer_name->property("code").toString().toStdString() : "";
    f.branch = m_branch ? m_branch->currentData().toString().toStdString() : "";
    f.state = m_state ? static_cast<State>(m_state->currentData().toInt()) : State::Open;
    return f;
}

void DocumentViewer::apply_filter() {
    if (!m_grid || !m_grid->browse_active()) return;
    const auto scope = viewer_scope(m_desk.business, filter());
    m_grid->NUB_CLEAR();
    m_table->SetOrder(scope.order);
    m_grid->SET_SCOPE(scope.key);
}

void DocumentViewer::customer_typed() {
    const std::string code = upper_ascii(trim(m_customer->text().toStdString()));
    if (code == m_customer_name->property("code").toString().toStdString()) return;
    const auto customer =
        code.empty() ? std::nullopt : dc::read_customer(m_desk.db, m_desk.business, code);
    if (!code.empty() && !customer) {
        MESSAGE_BOX(this, "Debe seleccionar un Cliente válido", "Error", kMbOk | kMbIconStop);
        m_customer->setText(m_customer_name->property("code").toString());
        return;
    }
    m_customer->setText(q(code));
    m_customer_name->setProperty("code", q(code));
    m_customer_name->setText(customer ? q(customer->name) : "Todos los clientes");
    fill_branches(code);
    apply_filter();
}

void DocumentViewer::choose_customer() {
    RowChooserSpec spec{"VIEW_DOC_CLIENTES",
                        "Clientes Definidos",
                        "CLIENTES",
                        data::business_key(m_desk.business),
                        {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                        {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
    choose_row(this, m_desk.db, spec,
               [this](const data::WDBTable& t) { m_customer->setText(q(trim(t.str("CODIGO")))); });
    customer_typed();
}

void DocumentViewer::fill_branches(const std::string& customer) {
    QSignalBlocker quiet(m_branch);
    m_branch->clear();
    m_branch->addItem("Todas", QString());
    if (customer.empty()) return;
    for (const auto& s : dc::customer_branches(m_desk.db, m_desk.business, customer))
        m_branch->addItem(q(s.branch.code + " - " + s.branch.name), q(s.branch.code));
}

std::optional<domain::ViewedDocument> DocumentViewer::chosen() {
    const long recno = m_grid ? m_grid->nCrecNo() : 0;
    if (recno > 0) {
        m_table->GoTo(recno);
        if (!m_table->Eof()) {
            auto d = domain::viewed_document_from_row(*m_table);
            d.recno = recno;
            return d;
        }
    }
    MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
    return std::nullopt;
}

std::vector<std::string> DocumentViewer::marked() {
    std::vector<std::string> out;
    for (long recno : GET_MARKS(*m_grid)) {
        m_table->GoTo(recno);
        if (!m_table->Eof() && !m_table->Deleted()) out.push_back(trim(m_table->str("DOCUMENTO")));
    }
    return out;
}

std::vector<std::string> DocumentViewer::marked_or_chosen() {
    auto out = marked();
    if (out.empty())
        if (const auto d = chosen()) out.push_back(d->number);
    return out;
}

void DocumentViewer::refresh() {
    m_grid->NUB_CLEAR();
    m_grid->REFRESHALL();
}

DocumentViewer* open_document_viewer(QWidget* owner, const ViewerDesk& desk) {
    return open_screen<DocumentViewer>(owner, desk);
}

DocumentViewer* as_document_viewer(QWidget* screen) {
    return dynamic_cast<DocumentViewer*>(screen);
}

}  // namespace qz::gui
