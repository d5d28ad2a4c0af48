// Remote authorisation requests: the requester appends and polls, the approver answers.
#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/credit_authorisations.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

RemoteRequest remote_from_row(const data::WDBTable& t) {
    RemoteRequest r;
    r.id = t.num("ID").to_int();
    r.date = t.date("FECHA");
    r.time = trim(t.str("HORA"));
    r.user = trim(t.str("USUARIO"));
    r.user_number = t.num("NUM_USER").to_int();
    r.info_user = trim(t.str("INFO_USER"));
    r.amount = t.num("MONTO");
    r.module = trim(t.str("MODULO"));
    r.approver = trim(t.str("AUTORIZA"));
    r.state = static_cast<int>(t.num("ESTADO").to_int());
    return r;
}

// Seeks request `id` and locks it; false when there is none.
bool lock_request(data::WDBTable& t, const std::string& business, long id) {
    return lock_at_key(t, data::order_key("C_REMOTA", "C_REMOTA", {business, static_cast<long long>(id)}));
}

void append_over_limit(data::Db& db, const RemoteAsk& ask, const std::string& approver,
                       const DateTime& now) {
    data::Table t = data::USE(db, "DET_AS4");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", ask.business);
    t->FieldPut("CUENTA", receivable_account(db, ask.business));
    t->FieldPut("FECHA", now.date);
    t->FieldPut("TIPO", std::string("03"));
    t->FieldPut("MES", Decimal(now.date.month()));
    t->FieldPut("ANO", Decimal(now.date.year()));
    t->FieldPut("PRESUP", Decimal());
    t->FieldPut("SOBREGIRO", ask.excess);
    t->FieldPut("AUTORIZA", approver);
    t->FieldPut("DESCRIP", ask.branch_name);
    t->FieldPut("USUARIO", ask.user);
    t->FieldPut("INFO_USER", info_user(now));
    t->FieldPut("DOCUMENTO", ask.document);
    t->FieldPut("MODULO", module_code(ask.module));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

std::string module_code(const std::string& module) {
    static const std::pair<const char*, const char*> codes[] = {
        {"CONTA", "08"}, {"INVENT", "01"}, {"CXP", "05"},
        {"CHEQUES", "04"}, {"BANCOS", "07"}, {"CXC", "03"}};
    for (const auto& [name, code] : codes)
        if (upper_ascii(trim(module)) == name) return code;
    return module;
}

std::string receivable_account(data::Db& db, const std::string& business) {
    std::string link;
    data::Table c = data::USE(db, "CONCEPT1", "CONCEP12");
    if (c->Seek(data::order_key("CONCEPT1", "CONCEP12", {business, 1LL})))
        link = trim(c->str("ASIENTO4"));
    data::KILLTABLA(db, c);
    std::string account;
    if (!link.empty()) {
        data::Table l = data::USE(db, "LIGAS", "LIGAS");
        if (l->Seek(data::order_key("LIGAS", "LIGAS", {business, link})))
            account = trim(l->str("CUENTA"));
        data::KILLTABLA(db, l);
    }
    return account.empty() ? "CXC????" : account;
}

long request_remote_authorisation(data::Db& db, const RemoteAsk& ask, const DateTime& now) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "C_REMOTA");
    data::ADD_NEW_REC(*t);
    const long id = t->RecNo();
    t->FieldPut("ID", Decimal(id));
    t->FieldPut("NEGOCIO", ask.business);
    t->FieldPut("FECHA", now.date);
    t->FieldPut("HORA", now.time);
    t->FieldPut("USUARIO", ask.user);
    t->FieldPut("NUM_USER", Decimal(ask.user_number));
    t->FieldPut("INFO_USER", info_user(now));
    t->FieldPut("MONTO", ask.excess);
    t->FieldPut("MODULO", ask.module);
    t->FieldPut("ESTADO", Decimal(kRequested));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    if (upper_ascii(trim(ask.module)) == "CXC") {
        data::Table d = data::USE(db, "C_REMOT2");
        data::ADD_NEW_REC(*d);
        d->FieldPut("ID", Decimal(id));
        d->FieldPut("NEGOCIO", ask.business);
        d->FieldPut("CUENTA", receivable_account(db, ask.business));
        d->FieldPut("SOBREGIRO", ask.excess);
        data::UNLOCK_NEW_REC(*d);
        data::KILLTABLA(db, d);
    }
    tx.commit();
    return id;
}

std::optional<RemoteRequest> read_remote_request(data::Db& db, const std::string& business,
                                                 long id) {
    std::optional<RemoteRequest> out;
    data::Table t = data::USE(db, "C_REMOTA", "C_REMOTA");
    if (t->Seek(data::order_key("C_REMOTA", "C_REMOTA", {business, static_cast<long long>(id)})))
        out = remote_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

std::vector<RemoteRequest> open_remote_requests(data::Db& db, const std::string& business) {
    std::vector<RemoteRequest> out;
    data::Table t = data::USE(db, "C_REMOTA", "C_REMOTA2");
    const std::string key =
        data::order_key("C_REMOTA", "C_REMOTA2", {business, static_cast<long long>(kRequested)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(remote_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

RemoteAnswer take_remote_answer(data::Db& db, const RemoteAsk& ask, long id, const DateTime& now) {
    RemoteAnswer answer{RemoteAnswer::Gone, ""};
    data::Transaction tx(db);
    data::Table t = data::USE(db, "C_REMOTA", "C_REMOTA");
    if (lock_request(*t, ask.business, id)) {
        const RemoteRequest r = remote_from_row(*t);
        if (r.state == kApproved) {
            t->FieldPut("ESTADO", Decimal(kUsed));
            answer = {RemoteAnswer::Granted, r.approver};
        } else if (r.state == kRejected) {
            answer.kind = RemoteAnswer::Rejected;
        } else if (r.state == kRequested) {
            answer.kind = RemoteAnswer::Waiting;
        }
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    if (answer.kind == RemoteAnswer::Granted) append_over_limit(db, ask, answer.approver, now);
    tx.commit();
    return answer;
}

void abandon_remote_request(data::Db& db, const std::string& business, long id) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "C_REMOTA", "C_REMOTA");
    if (lock_request(*t, business, id)) {
        const int state = static_cast<int>(t->num("ESTADO").to_int());
        if (state == kRequested || state == kApproved) t->FieldPut("ESTADO", Decimal(kAbandoned));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
}

bool answer_remote_request(data::Db& db, const std::string& business, long id, bool approve,
                           const std::string& user) {
    bool answered = false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "C_REMOTA", "C_REMOTA");
    if (lock_request(*t, business, id)) {
        if (t->num("ESTADO") == static_cast<int>(kRequested)) {
            t->FieldPut("ESTADO", Decimal(approve ? kApproved : kRejected));
            if (approve) t->FieldPut("AUTORIZA", user);
            answered = true;
        }
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return answered;
}

}  // namespace qz::domain::customers
