#include "domain/session/user_store.h"

#include "core/legacy_crypt.h"
#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/keys.h"
#include "domain/session/password.h"

namespace qz::domain::users {

namespace {

int small(const data::WDBTable& t, const std::string& field) {
    return static_cast<int>(t.num(field).to_int());
}

}  // namespace

UserRecord user_from_row(const data::WDBTable& t) {
    UserRecord u;
    u.CODIGO = t.num("CODIGO").to_int();
    u.NOMBRE = trim(t.str("NOMBRE"));
    u.USUARIO = trim(t.str("USUARIO"));
    u.has_abrevia = t.FieldPos("ABREVIA") != 0;
    if (u.has_abrevia) u.ABREVIA = trim(t.str("ABREVIA"));
    u.ADASIPA = small(t, "ADASIPA");
    u.PASSWORD = t.str("PASSWORD");
    u.PWD_HASH = trim(t.str("PWD_HASH"));
    u.SUPERVISOR = small(t, "SUPERVISOR");
    u.BLOQUEADO = small(t, "BLOQUEADO");
    u.NO_SALIR = small(t, "NO_SALIR");
    u.PERMISO1 = small(t, "PERMISO1");
    u.IDIOMA = small(t, "IDIOMA");
    u.BUTTONSTYL = small(t, "BUTTONSTYL");
    u.NO_CHAT = small(t, "NO_CHAT");
    u.F_CLAVE = t.date("F_CLAVE");
    if (t.FieldPos("DIAS_CLAVE")) u.DIAS_CLAVE = t.num("DIAS_CLAVE").to_int();
    u.SIZE_CLAVE = t.num("SIZE_CLAVE").to_int();
    u.SUBBASE = trim(t.str("SUBBASE"));
    u.USERNAME = trim(t.str("USERNAME"));
    u.USERADDR = trim(t.str("USERADDR"));
    u.SOBREVENTA = t.num("SOBREVENTA").to_int();
    u.PRECIO_ESP = small(t, "PRECIO_ESP");
    u.T_SESION = small(t, "T_SESION");
    u.EMAIL = trim(t.str("EMAIL"));
    u.INFO_ENTER = trim(t.str("INFO_ENTER"));
    u.INFO_BLOQ = trim(t.str("INFO_BLOQ"));
    u.INFO_CLAVE = trim(t.str("INFO_CLAVE"));
    return u;
}

namespace {

std::optional<UserRecord> find(data::Db& db, const char* order, const std::string& key) {
    data::Table t = data::USE(db, "USUARIOS", order);
    std::optional<UserRecord> u;
    if (t->Seek(key)) {
        u = user_from_row(*t);
        u->recno = t->RecNo();
    }
    data::KILLTABLA(db, t);
    return u;
}

// The user record by number, locked for a write.
data::Table lock_user(data::Db& db, long recno) {
    data::Table t = data::USE(db, "USUARIOS");
    t->GoTo(recno);
    data::LOCK_FOR_MODIFY(*t);
    return t;
}

void release(data::Db& db, data::Table& t) {
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

bool UserRecord::password_matches(const std::string& typed) const {
    return matches_stored_password(typed, ADASIPA, PASSWORD, PWD_HASH);
}

std::optional<UserRecord> find_by_name(data::Db& db, const std::string& business,
                                       const std::string& login_name) {
    return find(db, "USUARIOS", keys::user_by_name(business, login_name));
}

std::optional<UserRecord> find_by_number(data::Db& db, const std::string& business, long number) {
    return find(db, "USUARIO3", keys::user_by_number(business, number));
}

BusinessRules business_rules(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    BusinessRules r;
    if (t->Seek(keys::business(business))) {
        r.found = true;
        r.DESCRIP = trim(t->str("DESCRIP"));
        r.INTENTOS = t->num("INTENTOS").to_int();
        if (t->FieldPos("DIAS_CLAVE")) r.DIAS_CLAVE = t->num("DIAS_CLAVE").to_int();
        r.SIZE_CLAVE = t->num("SIZE_CLAVE").to_int();
        r.MANEJO_TC = small(*t, "MANEJO_TC");
    }
    data::KILLTABLA(db, t);
    return r;
}

std::vector<PendingHash> legacy_passwords(data::Db& db, const std::string& business) {
    std::vector<PendingHash> out;
    data::Table t = data::USE(db, "USUARIOS", "USUARIO5");
    for (auto form : {StoredForm::Plain, StoredForm::Scrambled}) {
        const std::string key =
            data::order_key("USUARIOS", "USUARIO5", {business, static_cast<long long>(form)});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            PendingHash p{t->RecNo(), static_cast<int>(form), t->str("PASSWORD"), {}};
            const std::string plain =
                form == StoredForm::Plain ? p.password : DECRYPT_STRING(p.password, 1);
            p.hash = hash_password(plain);
            out.push_back(std::move(p));
        }
        t->ClearScope();
    }
    data::KILLTABLA(db, t);
    return out;
}

void store_hashes(data::Db& db, const std::vector<PendingHash>& pending) {
    for (const auto& p : pending) {
        data::Table t = lock_user(db, p.recno);
        // The lock re-read the record: a password changed since it was read keeps its change.
        if (!t->Eof() && small(*t, "ADASIPA") == p.form && t->str("PASSWORD") == p.password) {
            t->FieldPut("PWD_HASH", p.hash);
            t->FieldPut("PASSWORD", std::string());
            t->FieldPut("ADASIPA", Decimal(static_cast<int>(StoredForm::Hashed)));
        }
        release(db, t);
    }
}

void block_account(data::Db& db, long recno) {
    data::Table t = lock_user(db, recno);
    t->FieldPut("BLOQUEADO", Decimal(1));
    t->FieldPut("INFO_BLOQ", info_user(db.clock().now()));
    release(db, t);
}

void store_new_password(data::Db& db, long recno, const std::string& hash) {
    const DateTime now = db.clock().now();
    data::Table t = lock_user(db, recno);
    t->FieldPut("PWD_HASH", hash);
    t->FieldPut("PASSWORD", std::string());
    t->FieldPut("ADASIPA", Decimal(static_cast<int>(StoredForm::Hashed)));
    t->FieldPut("F_CLAVE", now.date);
    t->FieldPut("H_CLAVE", now.time);
    t->FieldPut("INFO_CLAVE", info_user(now));
    release(db, t);
}

void LOG_PASSWORD(data::Db& db, const UserRecord& user, int origin) {
    if (!db.catalogue().find("ADASIPA")) return;
    const DateTime now = db.clock().now();
    data::Table t = data::USE(db, "ADASIPA");
    data::ADD_NEW_REC(*t);
    t->FieldPut("USUARIO", user.USUARIO);
    t->FieldPut("NOMBRE", user.NOMBRE);
    t->FieldPut("FECHA", now.date);
    t->FieldPut("HORA", now.time);
    t->FieldPut("INFO_USER", info_user(now));
    t->FieldPut("ORIGEN", Decimal(origin));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

}  // namespace qz::domain::users
