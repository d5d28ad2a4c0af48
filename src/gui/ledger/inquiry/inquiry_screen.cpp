#include "gui/ledger/inquiry/inquiry_screen.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/session/master_rows.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"

namespace qz::gui {

namespace dl = qz::domain;
using namespace inquiry;

namespace {

constexpr const char* kMoney = "999,999,999.99";

// A swatch of a highlight with its meaning, under the documents.
QLabel* legend(QWidget* parent, const char* text, const QColor& fore, const QColor& back) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(
        QString("color: %1; background: %2; padding: 1px 6px;").arg(fore.name(), back.name()));
    return label;
}

std::string classes(const dl::InquiryCustomer& c) {
    std::string out;
    for (const auto* n : {&c.clas1, &c.clas2, &c.clas3})
        if (!n->code.empty()) out += (out.empty() ? "" : ", ") + n->shown();
    return out;
}

}  // namespace

CustomerInquiryScreen::CustomerInquiryScreen(QWidget* owner, data::Db& db, std::string business,
                                             std::string user)
    : WDIAG(owner, "RES_CXC", 6508, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_user(std::move(user)) {}

bool CustomerInquiryScreen::Init() {
    m_customer_table = data::USE(m_db, "CLIENTES", "CLIENTE6");
    m_document_table = data::USE(m_db, "DOCUMENT", "DOCUMEN3");
    auto* layout = new QVBoxLayout(this);
    build_top(layout);
    auto* middle = new QHBoxLayout;
    m_customers =
        Add(new WBLISTBOX(this, *m_customer_table, "RES_CXC_CLIENTES", kCustomers), kCustomers);
    middle->addWidget(m_customers, 3);
    middle->addLayout(build_side(), 2);
    layout->addLayout(middle, 3);
    auto* bottom = new QHBoxLayout;
    auto* documents = new QVBoxLayout;
    m_documents =
        Add(new WBLISTBOX(this, *m_document_table, "RES_CXC_DOCUMENTOS", kDocuments), kDocuments);
    documents->addWidget(m_documents);
    auto* legends = new QHBoxLayout;
    legends->addWidget(legend(this, "Utilizado 1", kUsedOneText, kUsedOneBack));
    legends->addWidget(legend(this, "Utilizado 2", kUsedTwoText, kUsedTwoBack));
    legends->addStretch();
    documents->addLayout(legends);
    bottom->addLayout(documents, 3);
    bottom->addLayout(build_buttons(), 2);
    layout->addLayout(bottom, 2);
    Text("Consultas Clientes / CxC");
    resize(1060, 640);
    Create();
    build_documents();
    build_customers();
    return true;
}

void CustomerInquiryScreen::build_top(QLayout* into) {
    auto* top = new QHBoxLayout;
    m_filter_box = Add(new QComboBox(this), kFilter);
    for (const auto& name : dl::customer_filter_names())
        m_filter_box->addItem(QString::fromStdString(name));
    QObject::connect(m_filter_box, &QComboBox::activated, this,
                     [this](int index) { set_filter(static_cast<dl::CustomerFilter>(index)); });
    top->addWidget(m_filter_box);
    top->addStretch();
    top->addWidget(new QLabel("Buscar :", this));
    m_search = Add(new QLineEdit(this), kSearch);
    QObject::connect(m_search, &QLineEdit::textEdited, this,
                     [this](const QString& text) { search(text.toStdString()); });
    top->addWidget(m_search, 1);
    static_cast<QBoxLayout*>(into)->addLayout(top);
}

QLayout* CustomerInquiryScreen::build_side() {
    auto* side = new QVBoxLayout;
    m_branch_list = Add(new QListWidget(this), kBranches);
    QObject::connect(m_branch_list, &QListWidget::currentRowChanged, this,
                     [this](int row) { show_branch(row); });
    side->addWidget(m_branch_list, 1);
    auto* form = new QFormLayout;
    const std::pair<int, const char*> fields[] = {{kPhone, "Teléfono:"},
                                                  {kFax, "Fax:"},
                                                  {kEmail, "E-mail:"},
                                                  {kPoBox, "Apartado:"},
                                                  {kAgent, "Agente:"},
                                                  {kBranchClass, "Clasif. Sucursal:"},
                                                  {kCustomerClass, "Clasif. Cliente:"},
                                                  {kCategory, "Categoría:"}};
    for (const auto& [id, label] : fields) {
        auto* edit = Add(new QLineEdit(this), id);
        edit->setReadOnly(true);
        form->addRow(QString::fromUtf8(label), edit);
        m_fields.push_back(edit);
    }
    side->addLayout(form);
    m_all_branches = Add(new QCheckBox("Documentos de todas las sucursales", this), kAllBranches);
    m_all_branches->setChecked(true);
    QObject::connect(m_all_branches, &QCheckBox::toggled, this, [this] { show_documents(); });
    side->addWidget(m_all_branches);
    return side;
}

void CustomerInquiryScreen::build_customers() {
    data::WDBTable& t = *m_customer_table;
    AGREGARCOL(*m_customers, t, "Código", "CODIGO");
    // Names and identifications run long: the columns show their usual length, so the dates
    // stay in sight.
    AGREGARCOL(*m_customers, t, "Contrato ", "JURIDICA", std::string(14, 'X'));
    AGREGARCOL(*m_customers, t, "Nombre", "NOMBRE", std::string(36, 'X'));
    AGREGARCOL(*m_customers, t, "F.Inicio", "F_INGRESO");
    AGREGARCOL(*m_customers, t, "F.Retiro", "F_RETIRO");
    m_customers->Sel_Block = [this] { show_customer(); };
    set_filter(m_filter);
}

void CustomerInquiryScreen::build_documents() {
    data::WDBTable& t = *m_document_table;
    AGREGARCOL(*m_documents, t, "Fecha", "FECHA");
    AGREGARCOL(*m_documents, t, "Documento", "DOCUMENTO");
    AGREGARCOL(*m_documents, t, "Monto Neto", "MONTO", kMoney);
    AGREGARCOL(*m_documents, t, "Saldo", "SALDO", kMoney);
    AGREGARCOL(*m_documents, t, "Nulo", "", "", [&t] {
        return CellValue(std::string(trim(t.str("ANULADO")).empty() ? "" : dl::kAnnulledMark));
    });
    m_documents->SET_COLOR_VECTOR({{kUsedOneText, kUsedOneBack}, {kUsedTwoText, kUsedTwoBack}});
    m_documents->COLOR_BLOCK(
        [&t] { return dl::usage_highlight(static_cast<int>(t.num("UTILIZADO").to_int())); });
    BrowMarksOptions o;
    o.scope_start = dl::customer_document_scope(m_business, "", "").scope;
    o.no_marks = true;
    o.no_search = true;
    o.no_refresh = true;
    m_documents->BrowMarks(std::move(o));
}

void CustomerInquiryScreen::CerrarBases() {
    for (auto* grid : {m_customers, m_documents})
        if (grid) grid->DISABLE_BROWSE();
    if (m_customer_table) data::KILLTABLA(m_db, m_customer_table);
    if (m_document_table) data::KILLTABLA(m_db, m_document_table);
}

void CustomerInquiryScreen::set_filter(dl::CustomerFilter filter) {
    m_filter = filter;
    m_filter_box->setCurrentIndex(static_cast<int>(filter));
    const dl::ListOrders orders = dl::customer_list_orders(m_business, filter);
    BrowMarksOptions o;
    o.sortable = {{"CODIGO", orders.by_code}, {"NOMBRE", orders.by_name}};
    o.initial_sort = std::max(1, m_customers->GET_OB_ORDER());
    o.scope_start = orders.scope;
    o.no_marks = true;
    o.no_refresh = true;
    // The grid starts again on the filter's orders and scope; the sorted column stays. Its first
    // row is shown once, below, not also as a selection while the grid starts.
    auto select = std::exchange(m_customers->Sel_Block, {});
    m_customers->BrowMarks(std::move(o));
    m_customers->Sel_Block = std::move(select);
    m_search->clear();
    show_customer();
}

void CustomerInquiryScreen::search(const std::string& typed) {
    if (trim(typed).empty()) {
        m_customers->GOTOP();
        return;
    }
    // Codes are kept upper-cased and without blanks around; names are sought as typed.
    const bool by_code = m_customers->GET_OB_ORDER() == 1;
    m_customers->SEARCH(by_code ? dl::normal_code(typed) : typed, true);
}

std::string CustomerInquiryScreen::current_customer() {
    const long recno = m_customers ? m_customers->nCrecNo() : 0;
    if (recno <= 0) return "";
    m_customer_table->GoTo(recno);
    return m_customer_table->Eof() ? "" : trim(m_customer_table->str("CODIGO"));
}

std::string CustomerInquiryScreen::current_document() {
    const long recno = m_documents ? m_documents->nCrecNo() : 0;
    if (recno <= 0) return "";
    m_document_table->GoTo(recno);
    return m_document_table->Eof() ? "" : trim(m_document_table->str("DOCUMENTO"));
}

std::string CustomerInquiryScreen::chosen_branch() const {
    const int row = m_branch_list->currentRow();
    return m_customer && row >= 0 && row < static_cast<int>(m_customer->branches.size())
               ? m_customer->branches[static_cast<size_t>(row)].code
               : "";
}

void CustomerInquiryScreen::show_customer() {
    const std::string code = current_customer();
    m_customer = code.empty() ? std::nullopt : dl::inquiry_customer(m_db, m_business, code);
    const QSignalBlocker quiet(m_branch_list);
    m_branch_list->clear();
    if (m_customer)
        for (const auto& b : m_customer->branches)
            m_branch_list->addItem(
                QString::fromStdString(b.code + "  " + b.name + (b.principal ? " *" : "")));
    if (m_branch_list->count()) m_branch_list->setCurrentRow(0);
    show_branch(m_branch_list->currentRow());
    show_documents();
}

void CustomerInquiryScreen::show_branch(int row) {
    const bool any = m_customer && row >= 0 && row < static_cast<int>(m_customer->branches.size());
    const dl::InquiryBranch b =
        any ? m_customer->branches[static_cast<size_t>(row)] : dl::InquiryBranch{};
    const std::string values[] = {b.phone,
                                  b.fax,
                                  b.email,
                                  b.po_box,
                                  b.agent.shown(),
                                  b.classification.shown(),
                                  m_customer ? classes(*m_customer) : "",
                                  m_customer ? m_customer->category.shown() : ""};
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(QString::fromStdString(values[i]));
    if (!m_all_branches->isChecked()) show_documents();
}

void CustomerInquiryScreen::show_documents() {
    const std::string code = m_customer ? m_customer->code : "";
    const dl::DocumentScope s = dl::customer_document_scope(
        m_business, code, m_all_branches->isChecked() ? "" : chosen_branch());
    if (m_document_table->order() != s.order) m_document_table->SetOrder(s.order);
    m_documents->SET_SCOPE(s.scope);
}

CustomerInquiryScreen* open_customer_inquiry(QWidget* owner, data::Db& db,
                                             const std::string& business, const std::string& user) {
    return open_screen<CustomerInquiryScreen>(owner, db, business, user);
}

}  // namespace qz::gui
