#include "gui/session/password_dialogs.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/framework/masked_edit.h"
#include "gui/framework/workspace.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

using domain::ChangeOrigin;
using domain::ChangeOutcome;

namespace {
const char* dialog_name(ChangeOrigin origin) {
    return origin == ChangeOrigin::Forced ? "ACT_CLAVE" : "CH_PASSWD";
}
}  // namespace

PasswordChangeDialog::PasswordChangeDialog(const SessionContext& context, ChangeOrigin origin,
                                           QWidget* owner)
    : DIALOG_BOX(dialog_name(origin), owner), m_context(context), m_origin(origin) {}

PasswordChangeEnd PasswordChangeDialog::change() {
    run();
    return m_end;
}

bool PasswordChangeDialog::Init() {
    Text("Cambio de Clave de Acceso");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const std::string who = "Usuario: " + m_context.session.USER_NAME;
    const std::string why = m_origin == ChangeOrigin::Forced
                                ? "Su Clave de Acceso ha vencido: debe cambiarla."
                                : "Escriba la Clave actual y dos veces la nueva.";
    layout->addWidget(note_label(who + "\n" + why, this));

    auto* form = session_form();
    m_current = password_field(*this, this, 501);
    m_fresh = password_field(*this, this, 502);
    m_repeat = password_field(*this, this, 503);
    form->addRow("Clave Actual:", m_current);
    form->addRow("Clave Nueva:", m_fresh);
    form->addRow("Verificación:", m_repeat);
    layout->addLayout(form);
    add_dialog_buttons(*this, this, layout);
    m_current->setFocus(Qt::OtherFocusReason);
    return true;
}

void PasswordChangeDialog::OK() {
    const domain::PasswordChangeForm form{m_current->text().toStdString(),
                                          m_fresh->text().toStdString(),
                                          m_repeat->text().toStdString()};
    switch (domain::change_password(m_context.db, m_context.port, m_context.session, form, m_origin,
                                    m_failures)) {
        case ChangeOutcome::Changed:
            m_end = PasswordChangeEnd::Changed;
            EndDialog(1);
            break;
        case ChangeOutcome::Exhausted:
            m_end = PasswordChangeEnd::Exhausted;
            EndDialog(0);
            break;
        case ChangeOutcome::TryAgain:
            break;
    }
}

int ACT_CLAVE(const SessionContext& context, QWidget* owner) {
    if (!domain::password_change_due(context.db, context.session)) return 1;
    PasswordChangeDialog dialog(context, ChangeOrigin::Forced, owner);
    return dialog.change() == PasswordChangeEnd::Changed ? 1 : 0;
}

bool CH_PASSWD(const SessionContext& context, QWidget* owner) {
    if (!domain::may_change_password(context.db, context.port, context.session)) return false;
    PasswordChangeDialog dialog(context, ChangeOrigin::Voluntary, owner);
    const PasswordChangeEnd end = dialog.change();
    if (end == PasswordChangeEnd::Exhausted) {
        if (QWidget* window = dialog_owner(owner)) window->setEnabled(false);
    }
    return end == PasswordChangeEnd::Changed;
}

}  // namespace qz::gui
