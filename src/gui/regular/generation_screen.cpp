#include "gui/regular/generation_screen.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/cash/register_rows.h"
#include "domain/regular/regular_rows.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/regular/generation_dialog.h"

namespace qz::gui {

namespace dr = qz::domain::regular;
namespace dc = qz::domain::cash;

namespace {

const QStringList kColumns = {"", "Código", "Cliente", "Nombre", "Descripción", "Corte", "Tipo"};

QTableWidgetItem* cell(const std::string& text) {
    auto* i = new QTableWidgetItem(QString::fromStdString(text));
    i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    return i;
}

}  // namespace

GenerationScreen::GenerationScreen(QWidget* owner, data::Db& db, GenerationSetup setup)
    : WDIAG(owner, "GFAC_REG", 6680, {true, true}), m_db(db), m_setup(std::move(setup)) {}

bool GenerationScreen::Init() {
    auto* layout = new QVBoxLayout(this);
    build_lists(layout);
    auto* choice = new QHBoxLayout;
    m_register = Add(new QComboBox(this), kGenRegister);
    for (const auto& r : dc::business_registers(m_db, dc::kPosRegisters, m_setup.business))
        m_register->addItem(QString::fromStdString(r.code + " - " + r.description),
                            QString::fromStdString(r.code));
    m_operator = Add(new QComboBox(this), kGenOperator);
    m_operator->addItem("", "");
    for (const auto& o : dc::business_operators(m_db, m_setup.business))
        m_operator->addItem(QString::fromStdString(o.code + " - " + o.name),
                            QString::fromStdString(o.code));
    choice->addWidget(new QLabel("Caja:", this));
    choice->addWidget(m_register);
    choice->addWidget(new QLabel("Digitador:", this));
    choice->addWidget(m_operator);
    choice->addStretch();
    layout->addLayout(choice);
    auto* b = new QHBoxLayout;
    const bool customer = !m_setup.customer.empty();
    if (customer) {
        b->addWidget(Add(new QPushButton("Procesar Cliente", this), kGenCustomer,
                         [this] { process(dr::RunMode::Customer); }));
    } else {
        b->addWidget(
            Add(new QPushButton("Marcar Todos", this), kGenMarkAll, [this] { mark_all(); }));
        b->addWidget(Add(new QPushButton("Procesar Marcados", this), kGenMarked,
                         [this] { process(dr::RunMode::Marked); }));
        b->addWidget(Add(new QPushButton("Procesar Conjunto", this), kGenWholeSet,
                         [this] { process(dr::RunMode::WholeSet); }));
    }
    b->addStretch();
    b->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(b);
    Text(customer ? "Generación de Facturas Regulares - Cliente: " + m_setup.customer
                  : "Generación de Facturas Regulares");
    show_documents();
    Create();
    return true;
}

void GenerationScreen::build_lists(QLayout* into) {
    auto* row = new QHBoxLayout;
    m_sets = Add(new QTreeWidget(this), kGenSets);
    m_sets->setHeaderLabel("Conjuntos de Facturas Regulares");
    for (const auto& s : dr::regular_sets(m_db, m_setup.business)) {
        auto* item =
            new QTreeWidgetItem(m_sets, {QString::fromStdString(s.code + " - " + s.description)});
        item->setData(0, Qt::UserRole, QString::fromStdString(s.code));
    }
    m_sets->setVisible(m_setup.customer.empty());
    QObject::connect(m_sets, &QTreeWidget::currentItemChanged, this, [this] { show_documents(); });
    if (m_sets->topLevelItemCount() > 0) m_sets->setCurrentItem(m_sets->topLevelItem(0));
    m_docs = Add(new QTableWidget(0, kColumns.size(), this), kGenDocuments);
    m_docs->setHorizontalHeaderLabels(kColumns);
    m_docs->horizontalHeader()->setStretchLastSection(true);
    row->addWidget(m_sets, 1);
    row->addWidget(m_docs, 3);
    static_cast<QBoxLayout*>(into)->addLayout(row);
}

std::string GenerationScreen::current_set() const {
    const auto* item = m_sets ? m_sets->currentItem() : nullptr;
    return item ? item->data(0, Qt::UserRole).toString().toStdString() : "";
}

void GenerationScreen::choose_set(const std::string& code) {
    for (int i = 0; i < m_sets->topLevelItemCount(); ++i)
        if (m_sets->topLevelItem(i)->data(0, Qt::UserRole).toString().toStdString() == code)
            m_sets->setCurrentItem(m_sets->topLevelItem(i));
}

void GenerationScreen::show_documents() {
    if (!m_docs) return;
    if (m_setup.customer.empty()) {
        m_shown = dr::set_documents(m_db, m_setup.business, current_set());
    } else {
        dr::RunRequest r;
        r.mode = dr::RunMode::Customer;
        r.customer = m_setup.customer;
        r.branch = m_setup.branch;
        m_shown = dr::chosen_documents(m_db, m_setup.business, r);
    }
    m_docs->setRowCount(static_cast<int>(m_shown.size()));
    for (int i = 0; i < static_cast<int>(m_shown.size()); ++i) {
        const dr::RegularDocument& d = m_shown[i];
        auto* mark = new QTableWidgetItem;
        mark->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        mark->setCheckState(Qt::Unchecked);
        m_docs->setItem(i, 0, mark);
        m_docs->setItem(i, 1, cell(std::to_string(d.code)));
        m_docs->setItem(i, 2, cell(d.customer + (d.branch.empty() ? "" : "/" + d.branch)));
        m_docs->setItem(i, 3, cell(d.name));
        m_docs->setItem(i, 4, cell(d.description));
        m_docs->setItem(i, 5, cell(d.cut_off.empty() ? "" : d.cut_off.dtoc4()));
        m_docs->setItem(i, 6, cell(d.kind == 1 ? "Plantilla " + d.template_code : "Modelo"));
    }
}

void GenerationScreen::mark_all() {
    for (int i = 0; i < m_docs->rowCount(); ++i) m_docs->item(i, 0)->setCheckState(Qt::Checked);
}

std::vector<long> GenerationScreen::marked() const {
    std::vector<long> out;
    for (int i = 0; i < m_docs->rowCount() && i < static_cast<int>(m_shown.size()); ++i)
        if (m_docs->item(i, 0)->checkState() == Qt::Checked) out.push_back(m_shown[i].code);
    return out;
}

bool GenerationScreen::CHECK_CAJA() {
    const std::string why =
        dr::CHECK_CAJA(m_db, m_setup.business, m_register->currentData().toString().toStdString(),
                       m_operator->currentData().toString().toStdString());
    if (why.empty()) return true;
    MESSAGE_BOX(this, why, "Atencion", kMbOk | kMbIconExclamation);
    return false;
}

void GenerationScreen::process(dr::RunMode mode) {
    dr::RunRequest r;
    r.mode = mode;
    r.set = current_set();
    r.marked = marked();
    r.customer = m_setup.customer;
    r.branch = m_setup.branch;
    r.application = m_db.clock().XDATE();
    r.user = m_setup.user;
    if (mode == dr::RunMode::Marked && r.marked.empty()) {
        MESSAGE_BOX(this, "No hay documentos marcados", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    if (!CHECK_CAJA()) return;
    r.register_code = m_register->currentData().toString().toStdString();
    r.operator_code = m_operator->currentData().toString().toStdString();
    const auto choice = run_generation_dialog(this, m_db, m_setup.business, r);
    if (!choice) return;
    QtUserPort port(this);
    const dr::RunResult out = dr::PROCESAR(m_db, port, m_setup.business, choice->request);
    if (!out.documents.empty()) {
        if (m_setup.after.mail) m_setup.after.mail(this, out.documents);
        if (choice->print && m_setup.after.print) m_setup.after.print(this, out.documents);
    }
    MESSAGE_BOX(this, "Documentos generados: " + std::to_string(out.documents.size()), "Aviso",
                kMbOk | kMbIconInformation);
    show_documents();
}

GenerationScreen* open_generation_screen(QWidget* owner, data::Db& db, GenerationSetup setup) {
    return open_screen<GenerationScreen>(owner, db, std::move(setup));
}

}  // namespace qz::gui
