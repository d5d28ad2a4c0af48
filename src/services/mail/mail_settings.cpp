#include "services/mail/mail_settings.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "services/mail/mail_engine.h"

namespace qz::services {

namespace {

long num(const data::WDBTable& t, const char* f) {
    return t.FieldPos(f) ? static_cast<long>(t.num(f).to_int()) : 0;
}
std::string text(const data::WDBTable& t, const char* f) {
    return t.FieldPos(f) ? trim(t.str(f)) : std::string();
}

constexpr long kLastPort = 65535;

}  // namespace

MailSettingsForm read_mail_form(data::Db& db) {
    data::Table t = data::USE(db, "DEFMAIL");
    MailSettingsForm f;
    t->GoTop();
    if (!t->Eof()) {
        f.HOST = text(*t, "HOST");
        f.SMTP_PORT = num(*t, "SMTP_PORT");
        f.POP3 = static_cast<int>(num(*t, "POP3"));
        f.POP3_PORT = num(*t, "POP3_PORT");
        f.USERNAME = text(*t, "USERNAME");
        f.USERADDR = text(*t, "USERADDR");
        f.ID_NAME = text(*t, "ID_NAME");
        f.DESTINO = text(*t, "DESTINO");
        f.SENDMAIL = static_cast<int>(num(*t, "SENDMAIL"));
        f.AUTORIZA = static_cast<int>(num(*t, "AUTORIZA"));
        f.AUTH_USER = text(*t, "AUTH_USER");
        f.AUTH_PASS = text(*t, "AUTH_PASS");
        f.CC_CONF1 = text(*t, "CC_CONF1");
        f.CC_CONF2 = text(*t, "CC_CONF2");
    }
    data::KILLTABLA(db, t);
    return f;
}

void save_mail_form(data::Db& db, const MailSettingsForm& f) {
    data::Table t = data::USE(db, "DEFMAIL");
    t->GoTop();
    if (t->Eof())
        data::ADD_NEW_REC(*t);
    else
        data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("HOST", f.HOST);
    t->FieldPut("SMTP_PORT", Decimal(f.SMTP_PORT));
    t->FieldPut("POP3", Decimal(f.POP3));
    t->FieldPut("POP3_PORT", Decimal(f.POP3_PORT));
    t->FieldPut("USERNAME", f.USERNAME);
    t->FieldPut("USERADDR", f.USERADDR);
    t->FieldPut("ID_NAME", f.ID_NAME);
    t->FieldPut("DESTINO", f.DESTINO);
    t->FieldPut("SENDMAIL", Decimal(f.SENDMAIL));
    t->FieldPut("AUTORIZA", Decimal(f.AUTORIZA));
    t->FieldPut("AUTH_USER", f.AUTH_USER);
    t->FieldPut("AUTH_PASS", f.AUTH_PASS);
    t->FieldPut("CC_CONF1", f.CC_CONF1);
    t->FieldPut("CC_CONF2", f.CC_CONF2);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

std::string check_mail_form(const MailSettingsForm& f) {
    const std::string port_hint = " (de 1 a 65535; en blanco, el puerto estándar)";
    if (trim(f.HOST).empty()) return "Debe indicar el servidor de correo (Host)";
    if (f.SMTP_PORT < 0 || f.SMTP_PORT > kLastPort) return "Puerto SMTP inválido" + port_hint;
    if (f.POP3_PORT < 0 || f.POP3_PORT > kLastPort) return "Puerto POP3 inválido" + port_hint;
    if (!valid_email(f.USERADDR)) return "Dirección del remitente: email inválido";
    for (const std::string* a : {&f.DESTINO, &f.CC_CONF1, &f.CC_CONF2})
        if (!trim(*a).empty() && !valid_email(*a)) return "email inválido: " + trim(*a);
    if (f.SENDMAIL == 1 && trim(f.DESTINO).empty())
        return "Debe indicar la dirección de soporte para enviar los errores";
    if (f.AUTORIZA == 1 && trim(f.AUTH_USER).empty())
        return "Debe indicar el usuario de autenticación";
    return {};
}

long typed_port(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty()) return 0;
    if (t.size() > 5 || t.find_first_not_of("0123456789") != std::string::npos) return -1;
    const long port = std::stol(t);
    return port >= 1 && port <= kLastPort ? port : -1;
}

void apply_mail_form(domain::AppSettings& s, const MailSettingsForm& stored,
                     const MailSettingsForm& f) {
    const bool own_name = s.XEMAILNAME != stored.USERNAME;
    const bool own_addr = s.XEMAILADDR != stored.USERADDR;
    s.XEMAILHOST = f.HOST;
    s.XEMAIL_SMTP_PORT = f.SMTP_PORT;
    s.XEMAIL_POP3_PORT = f.POP3_PORT;
    if (!own_name) s.XEMAILNAME = f.USERNAME;
    if (!own_addr) s.XEMAILADDR = f.USERADDR;
    s.XEMAIL_ID = f.ID_NAME;
    s.XEMAILDEST = f.DESTINO;
    s.XEMAILSEND = f.SENDMAIL;
    s.XEMAILAUTH = f.AUTORIZA;
    s.XEMAIL_AU = f.AUTH_USER;
    s.XEMAIL_AP = f.AUTH_PASS;
    s.XEMAIL_CC1 = f.CC_CONF1;
    s.XEMAIL_CC2 = f.CC_CONF2;
}

}  // namespace qz::services
