// AUT_CREDITO and its editor E_AUT_CREDITO: a standing pre-authorisation of one branch, granted
// in the name of the user who saves it and used up by the credit control's poll.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/customers/credit_authorisations.h"
#include "domain/customers/customer_rows.h"
#include "domain/session/master_rows.h"
#include "gui/customers/credit_screens.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;

const AmountField kMaxAmount{"Monto", 16, 2, false};

QString q(const std::string& s) { return QString::fromStdString(s); }

class PreAuthorisationForm : public DIALOG_BOX {
public:
    PreAuthorisationForm(QWidget* owner, data::Db& db, std::string business, std::string user,
                         dc::PreAuthorisation a)
        : DIALOG_BOX("E_AUT_CREDITO", owner),
          m_db(db),
          m_business(std::move(business)),
          m_user(std::move(user)),
          m_a(std::move(a)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        m_customer = Add(new QComboBox(this), kAutCustomer);
        m_customer->addItem("", "");
        for (const auto& c : domain::business_rows<dc::Customer>(m_db, "CLIENTES", m_business,
                                                                 dc::customer_from_row))
            m_customer->addItem(q(c.code + " - " + c.name), q(c.code));
        m_branch = Add(new QComboBox(this), kAutBranch);
        m_excess = Add(new QCheckBox("Exceso de Límite", this), kAutExcess);
        m_max_excess = Add(amount_edit(this, kAutMaxExcess, kMaxAmount, m_a.max_excess),
                           kAutMaxExcess);
        m_overdue = Add(new QCheckBox("Saldo Vencido", this), kAutOverdue);
        m_max_overdue = Add(amount_edit(this, kAutMaxOverdue, kMaxAmount, m_a.max_overdue),
                            kAutMaxOverdue);
        form->addRow("Cliente:", m_customer);
        form->addRow("Sucursal:", m_branch);
        form->addRow(m_excess);
        form->addRow(QString::fromUtf8("Monto Máximo Exceso:"), m_max_excess);
        form->addRow(m_overdue);
        form->addRow(QString::fromUtf8("Monto Máximo Vencido:"), m_max_overdue);
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        connect(m_customer, &QComboBox::currentIndexChanged, this, [this] { fill_branches(); });
        m_customer->setCurrentIndex(std::max(0, m_customer->findData(q(m_a.customer))));
        fill_branches();
        m_branch->setCurrentIndex(std::max(0, m_branch->findData(q(m_a.branch))));
        m_excess->setChecked(m_a.excess);
        m_overdue->setChecked(m_a.overdue);
        Text(std::string(m_a.recno ? "Modificar" : "Agregar") + " Autorización de Crédito");
        return true;
    }

    void SAVE_DATOS() override {
        dc::PreAuthorisation a = m_a;
        a.customer = m_customer->currentData().toString().toStdString();
        a.branch = m_branch->currentData().toString().toStdString();
        a.excess = m_excess->isChecked();
        a.overdue = m_overdue->isChecked();
        for (auto [edit, out] : {std::pair{m_max_excess, &a.max_excess},
                                 std::pair{m_max_overdue, &a.max_overdue}})
            if (const std::string why = kMaxAmount.read(edit->text().toStdString(), *out);
                !why.empty())
                return refuse(why);
        if (auto refusal =
                dc::save_pre_authorisation(m_db, m_business, a, m_user, m_db.clock().now()))
            return refuse(*refusal);
        EndDialog(kCmdOk);
    }

private:
    void refuse(const std::string& why) {
        MESSAGE_BOX(this, why, "Atencion", kMbOk | kMbIconExclamation);
    }
    // The branches of the customer chosen, the principal first.
    void fill_branches() {
        m_branch->clear();
        const std::string code = m_customer->currentData().toString().toStdString();
        if (code.empty()) return;
        for (const auto& s : dc::branches_principal_first(m_db, m_business, code))
            m_branch->addItem(q(s.branch.code + " - " + s.branch.name), q(s.branch.code));
    }

    data::Db& m_db;
    std::string m_business, m_user;
    dc::PreAuthorisation m_a;
    QComboBox* m_customer = nullptr;
    QComboBox* m_branch = nullptr;
    QCheckBox* m_excess = nullptr;
    QCheckBox* m_overdue = nullptr;
    QLineEdit* m_max_excess = nullptr;
    QLineEdit* m_max_overdue = nullptr;
};

bool edit_pre_authorisation(QWidget* owner, data::Db& db, const std::string& business,
                            const std::string& user, dc::PreAuthorisation a) {
    PreAuthorisationForm form(owner, db, business, user, std::move(a));
    return form.run() == kCmdOk;
}

}  // namespace

MasterListScreen* open_pre_authorisations(QWidget* owner, data::Db& db,
                                          const std::string& business, const std::string& user) {
    MasterListSpec s;
    s.dlg_name = "AUT_CREDITO";
    s.context_id = 6588;
    s.caption = "Autorizaciones de Crédito";
    s.table = s.order = "AUT_CRED";
    s.columns = {{"Cliente", "CLIENTE", ""},          {"Sucursal", "SUCURSAL", ""},
                 {"Máx. Exceso", "M_EXCESO", "999,999,999.99"},
                 {"Máx. Vencido", "M_VENCIDO", "999,999,999.99"},
                 {"Válida", "VALIDO", "9"},           {"Fecha", "FECHA", ""},
                 {"Hora", "HORA", ""},                {"Usuario", "USUARIO", ""}};
    s.add = [&db, business, user](QWidget* o) {
        return edit_pre_authorisation(o, db, business, user, {});
    };
    s.modify = [&db, business, user](QWidget* o, data::WDBTable& t) {
        return edit_pre_authorisation(o, db, business, user, dc::pre_authorisation_from_row(t));
    };
    s.remove = [&db](QWidget* o, data::WDBTable& t) {
        if (!QtUserPort(o).confirm("Advertencia", dc::kDeletePreAuthorisation)) return false;
        dc::delete_pre_authorisation(db, t.RecNo());
        return true;
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
