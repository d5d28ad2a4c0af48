// The document viewer's two dialogs that are more than a list of fields: MOV_CLIENTE, whose
// branches follow the customer typed or chosen, and MOD_DOC, whose figures are typed as text
// and which opens the manual receipt.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/document_figures.h"
#include "domain/ledger/document_moves.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/viewer/viewer_forms.h"
#include "gui/lists/row_chooser.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& t) { return t.toStdString(); }

// What the dialog shows and does not edit.
QLabel* shown_text(QWidget* parent, const std::string& text) { return new QLabel(q(text), parent); }

class CustomerMoveDialog : public DIALOG_BOX {
public:
    CustomerMoveDialog(QWidget* owner, const ViewerDesk& desk, std::vector<std::string> documents)
        : DIALOG_BOX("MOV_CLIENTE", owner), m_desk(desk), m_documents(std::move(documents)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Documentos:", shown_text(this, std::to_string(m_documents.size())));
        auto* customer = Add(new QLineEdit(this), kMoveCustomer);
        customer->setMaxLength(15);
        QObject::connect(customer, &QLineEdit::editingFinished, this, [this] { show_customer(); });
        auto* row = new QHBoxLayout;
        row->addWidget(customer);
        auto* list = Add(new QPushButton("...", this), kMoveChoose, [this] { choose(); });
        list->setMaximumWidth(32);
        row->addWidget(list);
        form->addRow("Cliente:", row);
        form->addRow("", Add(shown_text(this, ""), kMoveName));
        auto* branches = Add(new QComboBox(this), kMoveBranch);
        branches->setMinimumWidth(320);
        form->addRow("Sucursal:", branches);
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(
            Add(new QPushButton("Trasladar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Trasladar Documentos a otro Cliente");
        return true;
    }

    void SAVE_DATOS() override {
        show_customer();
        QtUserPort port(this);
        const domain::CustomerMove m{
            m_documents, code(), s(control_as<QComboBox>(kMoveBranch)->currentData().toString())};
        if (domain::move_documents_to_customer(m_desk.db, port, m_desk.business, m) >= 0)
            EndDialog(kCmdOk);
    }

private:
    std::string code() const {
        return upper_ascii(trim(s(control_as<QLineEdit>(kMoveCustomer)->text())));
    }

    void choose() {
        RowChooserSpec spec{"MOV_CLIENTE_CLIENTES",
                            "Clientes Definidos",
                            "CLIENTES",
                            data::business_key(m_desk.business),
                            {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                            {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
        choose_row(this, m_desk.db, spec, [this](const data::WDBTable& t) {
            control_as<QLineEdit>(kMoveCustomer)->setText(q(trim(t.str("CODIGO"))));
        });
        show_customer();
    }

    // The customer's name and branches, the principal first.
    void show_customer() {
        if (code() == m_shown) return;
        m_shown = code();
        const auto c = dc::read_customer(m_desk.db, m_desk.business, m_shown);
        control_as<QLabel>(kMoveName)->setText(q(c ? c->name : ""));
        auto* branches = control_as<QComboBox>(kMoveBranch);
        branches->clear();
        if (!c) return;
        for (const auto& b : dc::branches_principal_first(m_desk.db, m_desk.business, c->code))
            branches->addItem(q(b.branch.code + " - " + b.branch.name), q(b.branch.code));
    }

    const ViewerDesk& m_desk;
    std::vector<std::string> m_documents;
    std::string m_shown;
};

class RepairDialog : public DIALOG_BOX {
public:
    RepairDialog(QWidget* owner, const ViewerDesk& desk, domain::ViewedDocument doc)
        : DIALOG_BOX("MOD_DOC", owner), m_desk(desk), m_doc(std::move(doc)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Documento:", shown_text(this, m_doc.number));
        form->addRow("Monto:", shown_text(this, shown("MONTO", m_doc.amount)));
        const std::tuple<int, const char*, const char*, Decimal> figures[] = {
            {kModBalance, "Saldo:", "SALDO", m_doc.balance},
            {kModInstalment, "Cuota:", "CUOTA", m_doc.instalment},
            {kModInterest, "Intereses:", "INTERES", m_doc.interest}};
        for (const auto& [id, label, field, value] : figures) {
            auto* edit = Add(new QLineEdit(q(shown(field, value)), this), id);
            edit->setAlignment(Qt::AlignRight);
            edit->setMinimumWidth(180);
            form->addRow(label, edit);
        }
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(
            Add(new QPushButton("Agregar Abono", this), kModAddPayment, [this] { add_payment(); }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Modificación de Documento");
        return true;
    }

    void SAVE_DATOS() override {
        QtUserPort port(this);
        const domain::TypedFigures typed{text(kModBalance), text(kModInstalment),
                                         text(kModInterest)};
        const dc::LogWriter who{m_desk.user, m_desk.db.clock().now()};
        if (domain::MOD_DOC(m_desk.db, port, m_desk.business, m_doc.number, typed, m_desk.rights,
                            who))
            EndDialog(kCmdOk);
    }

    bool wrote() const { return m_receipt; }

private:
    static std::string shown(const char* field, const Decimal& v) {
        return data::amount_field("DOCUMENT", field, "").show(v);
    }
    std::string text(int id) const { return s(control_as<QLineEdit>(id)->text()); }

    // The receipt changes the balance: the dialog shows the new one.
    void add_payment() {
        if (!manual_receipt_form(this, m_desk, m_doc)) return;
        m_receipt = true;
        if (auto d = domain::read_viewed_document(m_desk.db, m_desk.business, m_doc.number)) {
            m_doc = *d;
            control_as<QLineEdit>(kModBalance)->setText(q(shown("SALDO", m_doc.balance)));
        }
    }

    const ViewerDesk& m_desk;
    domain::ViewedDocument m_doc;
    bool m_receipt = false;
};

}  // namespace

bool customer_move_dialog(QWidget* owner, const ViewerDesk& desk,
                          const std::vector<std::string>& documents) {
    CustomerMoveDialog dialog(owner, desk, documents);
    return dialog.run() == kCmdOk;
}

bool repair_dialog(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc) {
    QtUserPort port(owner);
    if (!domain::check_repair_right(port, desk.rights)) return false;
    RepairDialog dialog(owner, desk, doc);
    return dialog.run() == kCmdOk || dialog.wrote();
}

}  // namespace qz::gui
