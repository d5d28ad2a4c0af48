#include "gui/session/business_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/framework/masked_edit.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

using domain::LoginOutcome;

BusinessDialog::BusinessDialog(const SessionContext& context, std::string business, QWidget* owner)
    : CredentialsDialog("CHANGE_NEG", owner),
      m_login(context.login()),
      m_session(context.session),
      m_business(std::move(business)) {}

LoginOutcome BusinessDialog::change() {
    run();
    return outcome();
}

bool BusinessDialog::Init() {
    Text("Cambio de Empresa");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(note_label("Identifíquese en la empresa elegida.", this));
    auto* form = session_form();
    auto* business = new QLabel(QString::fromStdString(business_name()), this);
    business->setObjectName("business");
    QFont bold = business->font();
    bold.setBold(true);
    business->setFont(bold);
    form->addRow("Empresa:", business);
    add_credentials(form);
    layout->addLayout(form);
    add_dialog_buttons(*this, this, layout);

    m_name->set_value(m_session.USER_NAME);
    m_password->setFocus(Qt::OtherFocusReason);
    return true;
}

std::string BusinessDialog::business_name() {
    for (const auto& b : m_login.businesses())
        if (b.code == m_business) return b.name;
    return m_business;
}

LoginOutcome BusinessDialog::attempt(const std::string& name, const std::string& password) {
    return m_login.change_business(m_business, name, password);
}

LoginOutcome CHANGE_NEG(const SessionContext& context, const std::string& business,
                        QWidget* owner) {
    BusinessDialog dialog(context, business, owner);
    return dialog.change();
}

}  // namespace qz::gui
