#include "services/mail/mail_log.h"

#include "core/text.h"
#include "data/table_ops.h"

namespace qz::services {

namespace {

data::Table open_scope(data::Db& db, const char* enviado) {
    data::UseOptions o;
    o.order = "E_MSGS";
    o.read_only = true;
    data::Table t = data::USE(db, "E_MSGS", o);
    t->SetScope(enviado, enviado);
    t->GoBottom();
    return t;
}

bool done(const data::WDBTable& t) { return t.Eof() || t.BOF(); }

MailLogRow row_of(data::WDBTable& t) {
    MailLogRow r;
    r.recno = t.RecNo();
    r.fecha = t.date("FECHA");
    r.hora = trim(t.str("HORA"));
    r.to = trim(t.str("TO_USER"));
    r.subject = trim(t.str("SUBJECT"));
    r.sent = t.num("ENVIADO").to_int() == 1;
    r.f_envio = t.date("F_ENVIO");
    r.h_envio = trim(t.str("H_ENVIO"));
    r.err_count = static_cast<long>(t.num("ERR_COUNT").to_int());
    r.err_text = trim(t.str("ERR_TEXT"));
    return r;
}

}  // namespace

MailLogReader::MailLogReader(data::Db& db)
    : m_db(db), m_unsent(open_scope(db, "0")), m_sent(open_scope(db, "1")) {}

MailLogReader::~MailLogReader() {
    data::KILLTABLA(m_db, m_unsent);
    data::KILLTABLA(m_db, m_sent);
}

bool MailLogReader::at_end() const { return done(*m_unsent) && done(*m_sent); }

std::vector<MailLogRow> MailLogReader::next(int n) {
    std::vector<MailLogRow> out;
    while (static_cast<int>(out.size()) < n && !at_end()) {
        // After the ENVIADO digit the keys are date + time: the larger one is the newer.
        data::WDBTable* pick = m_unsent.get();
        if (done(*m_unsent) ||
            (!done(*m_sent) && m_sent->CurrentKey().substr(1) > m_unsent->CurrentKey().substr(1)))
            pick = m_sent.get();
        out.push_back(row_of(*pick));
        pick->Skip(-1);
    }
    return out;
}

}  // namespace qz::services
