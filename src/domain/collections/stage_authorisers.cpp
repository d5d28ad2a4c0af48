#include "domain/collections/stage_authorisers.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain {

namespace {

bool has(const data::WDBTable& t, const char* field) { return t.def().field(field) != nullptr; }

std::string authoriser_key(const StageWorkflow& w, const std::string& business,
                           const std::string& code) {
    return data::order_key(w.authorisers, w.authorisers, {business, normal_code(code)});
}

void put_row(data::WDBTable& t, const std::string& business, const StageAuthoriser& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(a.code));
    t.FieldPut("NOMBRE", a.name);
    t.FieldPut("FIRMA", a.signature);
    t.FieldPut("TXT_PUESTO", a.title);
    t.FieldPut("ETAPAS_MOD", a.stages_modify);
    t.FieldPut("ETAPAS_AUT", a.stages_authorise);
    if (has(t, "DIAS_PERMI")) t.FieldPut("DIAS_PERMI", Decimal(a.days_permitted));
    if (has(t, "CRED_PERMI")) t.FieldPut("CRED_PERMI", a.credit_permitted);
}

bool refuse_save(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

}  // namespace

StageAuthoriser stage_authoriser_from_row(const data::WDBTable& t) {
    StageAuthoriser a;
    a.code = trim(t.str("CODIGO"));
    a.name = trim(t.str("NOMBRE"));
    a.signature = trim(t.str("FIRMA"));
    a.title = trim(t.str("TXT_PUESTO"));
    a.stages_modify = t.str("ETAPAS_MOD");
    a.stages_authorise = t.str("ETAPAS_AUT");
    if (has(t, "DIAS_PERMI")) a.days_permitted = t.num("DIAS_PERMI").to_int();
    if (has(t, "CRED_PERMI")) a.credit_permitted = t.num("CRED_PERMI");
    return a;
}

std::vector<StageAuthoriser> stage_authorisers(data::Db& db, const StageWorkflow& w,
                                               const std::string& business,
                                               const std::string& stage) {
    std::vector<StageAuthoriser> out;
    for_business_rows(db, w.authorisers, business, [&](const data::WDBTable& t) {
        StageAuthoriser a = stage_authoriser_from_row(t);
        if (stage.empty() || a.may_move_from(stage)) out.push_back(std::move(a));
    });
    return out;
}

bool check_authoriser_code(data::Db& db, const StageWorkflow& w, const std::string& business,
                           const std::string& code, const std::string& typed) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, w.authorisers, w.authorisers);
    if (!lock_at_key(*t, authoriser_key(w, business, code))) {
        data::KILLTABLA(db, t);
        tx.commit();
        return false;
    }
    const bool ok = check_pass_code_field(*t, "CLAVE", typed);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return ok;
}

bool save_stage_authoriser(data::Db& db, UserPort& port, const StageWorkflow& w,
                           const std::string& business, const std::string& old_code,
                           const StageAuthoriser& a, const std::string& pass_code) {
    if (normal_code(a.code).empty())
        return refuse_save(port, "El código no puede definirse en blanco");
    if (trim(a.name).empty()) return refuse_save(port, "El nombre no puede definirse en blanco");
    const bool adding = trim(old_code).empty();
    if (adding && trim(pass_code).empty())
        return refuse_save(port, "La clave no puede definirse en blanco");
    data::Transaction tx(db);
    data::Table t = data::USE(db, w.authorisers, w.authorisers);
    const bool exists = t->Seek(authoriser_key(w, business, a.code));
    if (exists && (adding || normal_code(old_code) != normal_code(a.code))) {
        data::KILLTABLA(db, t);
        tx.commit();
        return refuse_save(port, "Este código de autorizador ya existe...");
    }
    if (adding) {
        data::ADD_NEW_REC(*t);
    } else if (!lock_at_key(*t, authoriser_key(w, business, old_code))) {
        data::KILLTABLA(db, t);
        tx.commit();
        return refuse_save(port, "El autorizador " + trim(old_code) + " ya no existe...");
    }
    put_row(*t, business, a);
    if (!trim(pass_code).empty()) put_pass_code(*t, "CLAVE", pass_code);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

}  // namespace qz::domain
