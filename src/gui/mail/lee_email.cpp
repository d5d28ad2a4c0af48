#include "gui/mail/lee_email.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "services/mail/mail_file_step.h"
#include "services/mail/mail_queue.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class LeeEmailDialog : public DIALOG_BOX {
public:
    LeeEmailDialog(QWidget* owner, MailTarget t, long age)
        : DIALOG_BOX("LEE_EMAIL", owner), m_target(std::move(t)), m_age(age) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Carpeta", Add(new QLineEdit(q(m_target.folder), this), kLeeFolder));
        form->addRow("Archivo", Add(new QLineEdit(q(m_target.file), this), kLeeFile));
        form->addRow("Enviar a", Add(new QLineEdit(q(m_target.address), this), kLeeRecipient));
        layout->addLayout(form);
        const bool silent = services::mail_service_silent(m_age);
        layout->addWidget(Add(
            new QLabel(silent ? "El MAILSERVER no se encuentra trabajando..." : "MAILSERVER OK...",
                       this),
            kLeeState1));
        layout->addWidget(
            Add(new QLabel(silent ? "Se intentará enviar el mail directamente..." : "", this),
                kLeeState2));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Enviar archivo por email");
        control(kLeeRecipient)->setFocus();
        return true;
    }

    void SAVE_DATOS() override {
        MailTarget t{value(kLeeFolder), value(kLeeFile), value(kLeeRecipient)};
        const std::string problem = services::check_mail_target(t.folder, t.file, t.address);
        if (!problem.empty()) {
            MESSAGE_BOX(this, problem, "Error", kMbOk | kMbIconStop);
            control(problem == "email inválido" ? kLeeRecipient : kLeeFile)->setFocus();
            return;
        }
        m_target = t;
        EndDialog(kCmdOk);
    }

    const MailTarget& target() const { return m_target; }

private:
    std::string value(int id) const {
        return trim(control_as<QLineEdit>(id)->text().toStdString());
    }

    MailTarget m_target;
    long m_age;
};

}  // namespace

std::optional<MailTarget> LEE_EMAIL(QWidget* owner, const MailTarget& proposed,
                                    long heartbeat_age) {
    LeeEmailDialog dialog(owner, proposed, heartbeat_age);
    if (dialog.run() != kCmdOk) return std::nullopt;
    return dialog.target();
}

}  // namespace qz::gui
