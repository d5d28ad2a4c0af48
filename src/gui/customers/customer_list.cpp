#include "gui/customers/customer_list.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_editor.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

const char* const kCheck = "\u2714";

}  // namespace

CustomerListScreen::CustomerListScreen(QWidget* owner, data::Db& db, std::string business,
                                       std::string user)
    : WDIAG(owner, "CLIENTES", 2833, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_user(std::move(user)) {}

bool CustomerListScreen::Init() {
    m_table = data::USE(m_db, "CLIENTES", "CLIENTES");
    auto* layout = new QHBoxLayout(this);
    m_grid = new WBLISTBOX(this, *m_table, "CLIENTES_GRID", kCliGrid);
    Add(m_grid, kCliGrid);
    data::WDBTable& t = *m_table;
    AGREGARCOL(*m_grid, t, "Código", "CODIGO");
    AGREGARCOL(*m_grid, t, "Nombre", "NOMBRE");
    AGREGARCOL(*m_grid, t, "Activo", "", "",
               [&t] { return data::Value(std::string(t.num("ESTADO") == 1 ? kCheck : "")); });
    AGREGARCOL(*m_grid, t, "NO!", "", "",
               [&t] { return data::Value(std::string(t.num("NO_FACTUR") == 1 ? kCheck : "")); });
    layout->addWidget(m_grid, 3);
    build_side(layout);
    Text("Clientes Definidos");
    resize(900, 480);
    Create();
    BrowMarksOptions o;
    o.scope_start = data::business_key(m_business);
    o.sortable = {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}};
    o.no_marks = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    m_grid->Double_Block = [this] { MOD_CLIENTE(); };
    m_grid->Sel_Block = [this] { show_branches(); };
    show_branches();
    return true;
}

void CustomerListScreen::build_side(QLayout* into) {
    auto* side = new QVBoxLayout;
    m_branch_list = Add(new QListWidget(this), kCliBranches);
    QObject::connect(m_branch_list, &QListWidget::currentRowChanged,
                     [this](int row) { show_branch(row); });
    side->addWidget(m_branch_list);
    auto* form = new QFormLayout;
    const std::pair<int, const char*> fields[] = {{kCliPhone, "Teléfono:"},
                                                  {kCliFax, "Fax:"},
                                                  {kCliAddress, "Dirección:"},
                                                  {kCliPhone2, "Teléfono 2:"},
                                                  {kCliFax2, "Fax 2:"}};
    for (const auto& [id, label] : fields) {
        auto* edit = Add(new QLineEdit(this), id);
        edit->setReadOnly(true);
        form->addRow(QString::fromUtf8(label), edit);
        m_branch_fields.push_back(edit);
    }
    side->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), 201, [this] { ADD_CLIENTE(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), 202, [this] { MOD_CLIENTE(); }));
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    build_statement_buttons(side);
    side->addLayout(buttons);
    add_log_buttons(side);
    static_cast<QHBoxLayout*>(into)->addLayout(side, 2);
}

void CustomerListScreen::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_db, m_table);
}

std::string CustomerListScreen::current_code() {
    const long recno = m_grid ? m_grid->nCrecNo() : 0;
    if (recno <= 0) return "";
    m_table->GoTo(recno);
    return m_table->Eof() ? "" : trim(m_table->str("CODIGO"));
}

std::string CustomerListScreen::current_branch() const {
    const int row = m_branch_list ? m_branch_list->currentRow() : -1;
    return row >= 0 && row < static_cast<int>(m_branches.size()) ? m_branches[row].branch.code
                                                                 : "";
}

void CustomerListScreen::show_branches() {
    const std::string code = current_code();
    m_branches = code.empty() ? std::vector<dc::StoredBranch>{}
                              : dc::branches_principal_first(m_db, m_business, code);
    m_branch_list->clear();
    for (const auto& s : m_branches)
        m_branch_list->addItem(
            QString::fromStdString(s.branch.name + (s.branch.principal ? " *" : "")));
    if (!m_branches.empty()) m_branch_list->setCurrentRow(0);
    show_branch(m_branches.empty() ? -1 : 0);
}

void CustomerListScreen::show_branch(int row) {
    const bool any = row >= 0 && row < static_cast<int>(m_branches.size());
    const dc::Branch b = any ? m_branches[row].branch : dc::Branch{};
    const std::string values[] = {b.phone, b.fax, b.address, b.phone2, b.fax2};
    for (size_t i = 0; i < m_branch_fields.size(); ++i)
        m_branch_fields[i]->setText(QString::fromStdString(values[i]));
}

void CustomerListScreen::after_change() {
    m_grid->REFRESHALL();
    show_branches();
}

void CustomerListScreen::ADD_CLIENTE() {
    if (edit_customer(this, m_db, m_business, m_user, "")) after_change();
}

void CustomerListScreen::MOD_CLIENTE() {
    const std::string code = current_code();
    if (code.empty()) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    if (edit_customer(this, m_db, m_business, m_user, code)) after_change();
}

void CustomerListScreen::DEL_CLIENTE() {
    const std::string code = current_code();
    if (code.empty()) return;
    QtUserPort port(this);
    if (dc::delete_customer(m_db, port, m_business, code)) after_change();
}

void CustomerListScreen::ACT_NAME() {
    const std::string code = current_code();
    if (code.empty()) return;
    QtUserPort port(this);
    dc::update_history_names(m_db, port, m_business, code);
}

void CustomerListScreen::RECALC_ASOCIADOS() {
    QtUserPort port(this);
    if (dc::recalc_associates(m_db, port, m_business) > 0) m_grid->REFRESHALL();
}

void CustomerListScreen::EXPORTAR_XLS() { m_grid->export_workbook(); }

CustomerListScreen* open_customer_list(QWidget* owner, data::Db& db, const std::string& business,
                                       const std::string& user) {
    return open_screen<CustomerListScreen>(owner, db, business, user);
}

CustomerListScreen* as_customer_list(QWidget* screen) {
    return dynamic_cast<CustomerListScreen*>(screen);
}

}  // namespace qz::gui
