#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wait_window.h"
#include "gui/mail/mail_screens.h"
#include "services/mail/mail_engine.h"
#include "services/mail/mail_settings.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class MailSettingsDialog : public DIALOG_BOX {
public:
    MailSettingsDialog(QWidget* owner, data::Db& db, domain::AppSettings& s, std::string home)
        : DIALOG_BOX("PARAM_EMAIL", owner), m_db(db), m_settings(s), m_home(std::move(home)) {}

    bool Init() override {
        m_stored = services::read_mail_form(m_db);
        const auto& f = m_stored;
        auto* layout = new QVBoxLayout(this);
        auto* smtp = new QFormLayout;
        smtp->addRow("Servidor (Host)", edit(kMsHost, f.HOST));
        smtp->addRow("Puerto SMTP", port(kMsSmtpPort, f.SMTP_PORT));
        smtp->addRow("Nombre del remitente", edit(kMsName, f.USERNAME));
        smtp->addRow("Dirección del remitente", edit(kMsAddr, f.USERADDR));
        smtp->addRow("Identificación", edit(kMsIdName, f.ID_NAME));
        smtp->addRow(check(kMsAuth, "Requiere autenticación", f.AUTORIZA));
        smtp->addRow("Usuario", edit(kMsAuthUser, f.AUTH_USER));
        auto* pass = edit(kMsAuthPass, f.AUTH_PASS);
        pass->setEchoMode(QLineEdit::Password);
        smtp->addRow("Clave", pass);
        smtp->addRow(check(kMsPop3, "Buzón POP3", f.POP3));
        smtp->addRow("Puerto POP3", port(kMsPop3Port, f.POP3_PORT));
        smtp->addRow("Soporte (errores)", edit(kMsDest, f.DESTINO));
        smtp->addRow(check(kMsSendMail, "Enviar errores al instante", f.SENDMAIL));
        smtp->addRow("Copia 1", edit(kMsCc1, f.CC_CONF1));
        smtp->addRow("Copia 2", edit(kMsCc2, f.CC_CONF2));
        layout->addLayout(smtp);

        auto* test = new QHBoxLayout;
        test->addWidget(edit(kMsTestAddr, ""));
        test->addWidget(
            Add(new QPushButton("Enviar Prueba", this), kMsTestButton, [this] { SEND_TEST(); }));
        auto* box = new QGroupBox("Prueba de envío", this);
        box->setLayout(test);
        layout->addWidget(box);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Parámetros Globales");
        return true;
    }

    void SAVE_DATOS() override {
        const auto f = read_form();
        if (!valid(f)) return;
        services::save_mail_form(m_db, f);
        services::apply_mail_form(m_settings, m_stored, f);
        EndDialog(kCmdOk);
    }

    // Sends a test mail with what the dialog shows now, saved or not.
    void SEND_TEST() {
        const auto f = read_form();
        if (!valid(f)) return;
        const std::string to = text(kMsTestAddr);
        if (!valid_email(to)) {
            MESSAGE_BOX(this, "email inválido", "Error", kMbOk | kMbIconStop);
            control(kMsTestAddr)->setFocus();
            return;
        }
        domain::AppSettings trial = m_settings;
        services::apply_mail_form(trial, m_stored, f);
        trial.XEMAILNAME = f.USERNAME;
        trial.XEMAILADDR = f.USERADDR;
        int rc = 0;
        std::string why;
        {
            WAIT wait(this, "Un momento por favor...");
            wait.PUT_TEXT("Enviando email a: " + to);
            services::MailEngine engine(trial, {m_home}, nullptr);
            rc = engine.CONNECTSEE(true, true);
            if (rc >= 0) {
                services::MailMessage m;
                m.to = to;
                m.subject = "QUARTZEN Software Prueba de email";
                m.body = "<html><body><p>Prueba de envío desde QUARTZEN SPA.</p></body></html>";
                rc = engine.SENDMAILQUARTZEN(m);
            }
            why = engine.last_error();
            wait.STOP();
        }
        if (rc >= 0)
            MESSAGE_BOX(this, "email enviado correctamente...", "Confirmación",
                        kMbOk | kMbIconInformation);
        else
            MESSAGE_BOX(this, "Error enviando mail: " + std::to_string(rc) + " " + why, "Error",
                        kMbOk | kMbIconStop);
    }

private:
    QLineEdit* edit(int id, const std::string& value) {
        return Add(new QLineEdit(q(value), this), id);
    }
    // Typed as text: a spin box would cut 70000 to 7000 or take 0 (the standard port) as typed.
    QLineEdit* port(int id, long value) {
        auto* e = edit(id, value > 0 ? std::to_string(value) : "");
        e->setPlaceholderText("estándar");
        return e;
    }
    QCheckBox* check(int id, const char* caption, int value) {
        auto* c = Add(new QCheckBox(caption, this), id);
        c->setChecked(value == 1);
        return c;
    }
    std::string text(int id) const { return trim(control_as<QLineEdit>(id)->text().toStdString()); }
    long port_of(int id) const { return services::typed_port(text(id)); }
    int flag(int id) const { return control_as<QCheckBox>(id)->isChecked() ? 1 : 0; }

    services::MailSettingsForm read_form() const {
        services::MailSettingsForm f;
        f.HOST = text(kMsHost);
        f.SMTP_PORT = port_of(kMsSmtpPort);
        f.POP3 = flag(kMsPop3);
        f.POP3_PORT = port_of(kMsPop3Port);
        f.USERNAME = text(kMsName);
        f.USERADDR = text(kMsAddr);
        f.ID_NAME = text(kMsIdName);
        f.DESTINO = text(kMsDest);
        f.SENDMAIL = flag(kMsSendMail);
        f.AUTORIZA = flag(kMsAuth);
        f.AUTH_USER = text(kMsAuthUser);
        f.AUTH_PASS = control_as<QLineEdit>(kMsAuthPass)->text().toStdString();
        f.CC_CONF1 = text(kMsCc1);
        f.CC_CONF2 = text(kMsCc2);
        return f;
    }
    bool valid(const services::MailSettingsForm& f) {
        const std::string problem = services::check_mail_form(f);
        if (problem.empty()) return true;
        MESSAGE_BOX(this, problem, "Error", kMbOk | kMbIconStop);
        return false;
    }

    data::Db& m_db;
    domain::AppSettings& m_settings;
    std::string m_home;
    services::MailSettingsForm m_stored;
};

}  // namespace

bool open_mail_settings(QWidget* owner, data::Db& db, domain::AppSettings& settings,
                        const std::string& home) {
    MailSettingsDialog dialog(owner, db, settings, home);
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
