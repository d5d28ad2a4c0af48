#include "services/mail/mail_service.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "services/mail/mail_template.h"

namespace qz::services {

namespace {

int int_of(const data::WDBTable& q, const char* field) {
    return static_cast<int>(q.num(field).to_int());
}

std::string join_cc(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + ";" + b;
}

}  // namespace

MailMessage message_of(const data::WDBTable& q) {
    MailMessage m;
    m.to = trim(q.str("TO_USER"));
    m.cc = join_cc(trim(q.str("CC1")), trim(q.str("CC2")));
    m.subject = trim(q.str("SUBJECT"));
    if (int_of(q, "HTML") == 1)
        m.body = "@" + trim(q.str("HTML_FILE"));
    else  // a plain text body (the error handler's) travels as HTML with its line breaks
        m.body = "<html><body><pre>" + html_escape(rtrim(q.str("BODY"))) + "</pre></body></html>";
    m.embedded = trim(q.str("HTML_EMBED"));
    m.attachments = trim(q.str("HTML_ATTCH"));
    m.attach_folder = trim(q.str("HTML_D_ATT"));
    m.delete_flag = int_of(q, "HTML_DEL_A");
    m.sender_addr = trim(q.str("USERADDR"));
    m.sender_name = trim(q.str("USERNAME"));
    return m;
}

void mark_sent(data::Db& db, data::WDBTable& q) {
    const DateTime now = db.clock().now();
    data::LOCK_FOR_MODIFY(q);
    q.FieldPut("ENVIADO", Decimal(1));
    q.FieldPut("F_ENVIO", now.date);
    q.FieldPut("H_ENVIO", now.time);
    data::UNLOCK_FOR_MODIFY(q);
}

void mark_failed(data::Db& db, data::WDBTable& q, int code, const std::string& reason) {
    (void)db;
    data::LOCK_FOR_MODIFY(q);
    const long count = q.num("ERR_COUNT").to_int();
    // The counter's field holds 4 digits; past that it stays at the top.
    q.FieldPut("ERR_COUNT", Decimal(std::min<long long>(count + 1, 9999)));
    q.FieldPut("ERR_TEXT", std::to_string(code) + (reason.empty() ? "" : " " + reason));
    data::UNLOCK_FOR_MODIFY(q);
}

SendOutcome send_record_now(data::Db& db, MailEngine& engine, long recno, int* code) {
    data::Table q = data::USE(db, "E_MSGS");
    q->GoTo(recno);
    SendOutcome out = SendOutcome::SendFailed;
    int rc = engine.CONNECTSEE(true, true);
    if (rc < 0) {
        mark_failed(db, *q, rc, engine.last_error());
        out = SendOutcome::ConnectFailed;
    } else {
        rc = engine.SENDMAILQUARTZEN(message_of(*q));
        engine.DISCONNECTSEE();
        if (rc < 0) {
            mark_failed(db, *q, rc, engine.last_error());
        } else {
            mark_sent(db, *q);
            out = SendOutcome::Sent;
        }
    }
    data::KILLTABLA(db, q);
    if (code) *code = rc;
    return out;
}

MailPassReport run_mail_pass(data::Db& db, MailEngine& engine) {
    MailPassReport rep;
    bool tried_connect = false;
    data::Table q = data::USE(db, "E_MSGS", "E_MSGS");
    q->SetScope("0", "0");  // ENVIADO = 0
    for (q->GoTop(); !q->Eof(); q->Skip()) {
        if (int_of(*q, "LISTO") != 1 || int_of(*q, "ERR_COUNT") >= kMaxSendFailures) continue;
        if (!tried_connect) {
            rep.connect_code = engine.CONNECTSEE(true, true);
            tried_connect = true;
        }
        int rc = rep.connect_code;
        if (rc >= 0) rc = engine.SENDMAILQUARTZEN(message_of(*q));
        if (rc < 0) {
            mark_failed(db, *q, rc, engine.last_error());
            ++rep.failed;
        } else {
            mark_sent(db, *q);
            ++rep.sent;
        }
    }
    data::KILLTABLA(db, q);
    engine.DISCONNECTSEE();
    return rep;
}

domain::ErrorMailSender make_error_mail_sender(const domain::AppSettings& settings,
                                               MailPaths paths) {
    return [&settings, paths](const domain::ErrorMail& mail) {
        MailEngine engine(settings, paths, nullptr);
        if (engine.CONNECTSEE(true, true) < 0) return false;
        MailMessage m;
        m.to = mail.to;
        m.subject = mail.subject;
        m.body = "<html><body><pre>" + html_escape(mail.body) + "</pre></body></html>";
        m.sender_addr = mail.useraddr;
        m.sender_name = mail.username;
        const bool ok = engine.SENDMAILQUARTZEN(m) >= 0;
        engine.DISCONNECTSEE();
        return ok;
    };
}

}  // namespace qz::services
