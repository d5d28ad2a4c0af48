#include "domain/session/user_admin.h"

#include <algorithm>
#include <functional>
#include <set>

#include "core/stamp.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/forced_exit.h"
#include "domain/session/keys.h"
#include "domain/session/password.h"
#include "domain/session/user_store.h"

namespace qz::domain {

namespace {

// However the settings are filled in, a password of one or two characters is no password.
constexpr long kShortestPassword = 3;
// The login name is the key of USUARIOS and is kept in 10 characters, as is the short code.
constexpr size_t kNameWidth = 10, kAbbreviationWidth = 10;

void refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
}

long whole(const data::WDBTable& t, const char* field) { return t.num(field).to_int(); }
int flag(const data::WDBTable& t, const char* field) { return static_cast<int>(whole(t, field)); }

UserForm form_of(const data::WDBTable& t) {
    const users::UserRecord r = users::user_from_row(t);
    UserForm u;
    u.CODIGO = r.CODIGO;
    u.NOMBRE = r.NOMBRE;
    u.USUARIO = r.USUARIO;
    u.ABREVIA = r.ABREVIA;
    u.DIAS_CLAVE = r.DIAS_CLAVE.value_or(0);
    u.SIZE_CLAVE = r.SIZE_CLAVE;
    u.SOBREVENTA = r.SOBREVENTA;
    u.SUPERVISOR = r.SUPERVISOR;
    u.PERMISO1 = r.PERMISO1;
    u.BLOQUEADO = r.BLOQUEADO;
    u.PRECIO_ESP = r.PRECIO_ESP;
    u.NO_SALIR = r.NO_SALIR;
    u.NO_CHAT = r.NO_CHAT;
    u.T_SESION = r.T_SESION;
    u.SUBBASE = r.SUBBASE;
    u.IDIOMA = r.IDIOMA;
    u.EMAIL = r.EMAIL;
    u.USERNAME = r.USERNAME;
    u.USERADDR = r.USERADDR;
    u.INFO_ENTER = r.INFO_ENTER;
    u.INFO_BLOQ = r.INFO_BLOQ;
    u.INFO_CLAVE = r.INFO_CLAVE;
    return u;
}

void put_form(data::WDBTable& t, const UserForm& u) {
    t.FieldPut("NOMBRE", u.NOMBRE);
    t.FieldPut("USUARIO", trim(u.USUARIO));
    t.FieldPut("ABREVIA", upper_ascii(trim(u.ABREVIA)));
    t.FieldPut("DIAS_CLAVE", Decimal(u.DIAS_CLAVE));
    t.FieldPut("SIZE_CLAVE", Decimal(u.SIZE_CLAVE));
    t.FieldPut("SOBREVENTA", Decimal(u.SOBREVENTA));
    t.FieldPut("SUPERVISOR", Decimal(u.SUPERVISOR));
    t.FieldPut("PERMISO1", Decimal(u.PERMISO1));
    t.FieldPut("BLOQUEADO", Decimal(u.BLOQUEADO));
    t.FieldPut("PRECIO_ESP", Decimal(u.PRECIO_ESP));
    t.FieldPut("NO_SALIR", Decimal(u.NO_SALIR));
    t.FieldPut("NO_CHAT", Decimal(u.NO_CHAT));
    t.FieldPut("T_SESION", Decimal(u.T_SESION));
    t.FieldPut("SUBBASE", u.SUBBASE);
    t.FieldPut("IDIOMA", Decimal(u.IDIOMA));
    t.FieldPut("EMAIL", trim(u.EMAIL));
    t.FieldPut("USERNAME", trim(u.USERNAME));
    t.FieldPut("USERADDR", trim(u.USERADDR));
}

// Walks the records of `table` along `order` whose key begins with `scope` (all without one).
void each_in(data::Db& db, const char* table, const char* order, const std::string& scope,
             const std::function<void(data::WDBTable&)>& fn) {
    data::Table t = data::USE(db, table, order);
    if (!scope.empty()) t->SetScope(scope, scope);
    for (t->GoTop(); !t->Eof(); t->Skip()) fn(*t);
    data::KILLTABLA(db, t);
}

// Deletes the records of the scope that `wanted` picks (all without it). Runs in the caller's
// transaction.
void delete_in(data::Db& db, const char* table, const char* order, const std::string& scope,
               const std::function<bool(const data::WDBTable&)>& wanted = {}) {
    data::Table t = data::USE(db, table, order);
    t->SetScope(scope, scope);
    // A deleted record leaves the order; the walk goes on from where the handle stood.
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (wanted && !wanted(*t)) continue;
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

// Supervisors of the business other than user `except`.
long other_supervisors(data::Db& db, const std::string& business, long except) {
    long n = 0;
    each_in(db, "USUARIOS", "USUARIO3", keys::business(business), [&](data::WDBTable& t) {
        if (whole(t, "CODIGO") != except && flag(t, "SUPERVISOR") == 1) ++n;
    });
    return n;
}

// The short code signs every record a user writes (USUARIO of the user stamp): two users of a
// business sharing one could not be told apart in what they wrote.
// Returns the login name of the user holding `form`'s code, "" when it is free.
std::string abbreviation_holder(data::Db& db, const std::string& business, const UserForm& form) {
    std::string holder;
    each_in(db, "USUARIOS", "USUARIO3", keys::business(business), [&](data::WDBTable& t) {
        if (holder.empty() && whole(t, "CODIGO") != form.CODIGO &&
            upper_ascii(trim(t.str("ABREVIA"))) == form.ABREVIA)
            holder = trim(t.str("NOMBRE"));
    });
    return holder;
}

long smallest_free(const std::set<long>& used) {
    long n = 1;
    while (used.count(n)) ++n;
    return n;
}

// A user number is never shared with another business's user: MENUS rows of a removed user of
// one business must not be mistaken for a new user's of another.
long free_user_number(data::Db& db) {
    std::set<long> used;
    each_in(db, "USUARIOS", "", "", [&](data::WDBTable& t) { used.insert(whole(t, "CODIGO")); });
    return smallest_free(used);
}

// Everything the dialog checks before anything is written, in the dialog's order. False after
// telling the user why.
bool checks_pass(data::Db& db, UserPort& port, const std::string& business, UserForm& form,
                 bool new_password) {
    if (form.SUPERVISOR != 1 && other_supervisors(db, business, form.CODIGO) == 0) {
        form.SUPERVISOR = 1;
        port.message(MsgStyle::Atencion, "Atencion",
                     "Debe haber al menos un usuario Supervisor.\n"
                     "Este usuario queda registrado como Supervisor.");
    }
    if (trim(form.ABREVIA).empty()) {
        refuse(port, "Debe definirse la Abreviatura del Usuario");
        return false;
    }
    if (new_password) {
        const long shortest = std::max(
            {users::business_rules(db, business).SIZE_CLAVE, form.SIZE_CLAVE, kShortestPassword});
        if (static_cast<long>(utf8_length(trim(form.password))) < shortest) {
            refuse(port, "La Clave debe tener al menos " + std::to_string(shortest) + " dígitos");
            return false;
        }
        if (normalise_password(form.password) != normalise_password(form.repeat)) {
            refuse(port, "La Clave de Acceso no coincide con la verificación");
            return false;
        }
    }
    if (form.NOMBRE.empty()) {
        refuse(port, "Debe definirse el Nombre del Usuario");
        return false;
    }
    auto same_name = users::find_by_name(db, business, form.NOMBRE);
    if (same_name && same_name->CODIGO != form.CODIGO) {
        refuse(port, "Nombre de Usuario ya existente...");
        return false;
    }
    if (const std::string holder = abbreviation_holder(db, business, form); !holder.empty()) {
        refuse(port, "La Abreviatura " + form.ABREVIA + " ya pertenece al Usuario " + holder);
        return false;
    }
    return true;
}

void put_password(data::WDBTable& t, const std::string& hash, const DateTime& now) {
    t.FieldPut("PWD_HASH", hash);
    t.FieldPut("PASSWORD", std::string());
    t.FieldPut("ADASIPA", Decimal(static_cast<int>(StoredForm::Hashed)));
    t.FieldPut("F_CLAVE", now.date);
    t.FieldPut("H_CLAVE", now.time);
    t.FieldPut("INFO_CLAVE", info_user(now));
}

// The record of a profile, locked for a write, or none.
data::Table locked_profile(data::Db& db, const std::string& business, long code) {
    data::Table t = data::USE(db, "PERFILES", "PERFILES");
    if (!t->Seek(keys::rights_of(business, code))) {
        data::KILLTABLA(db, t);
        return nullptr;
    }
    data::LOCK_FOR_MODIFY(*t);
    return t;
}

}  // namespace

std::vector<UserForm> list_users(data::Db& db, const std::string& business) {
    std::vector<UserForm> out;
    each_in(db, "USUARIOS", "USUARIO3", keys::business(business),
            [&](data::WDBTable& t) { out.push_back(form_of(t)); });
    return out;
}

std::optional<UserForm> read_user(data::Db& db, const std::string& business, long number) {
    data::Table t = data::USE(db, "USUARIOS", "USUARIO3");
    std::optional<UserForm> u;
    if (t->Seek(keys::user_by_number(business, number))) u = form_of(*t);
    data::KILLTABLA(db, t);
    return u;
}

std::vector<SubBaseChoice> list_subbases(data::Db& db) {
    std::vector<SubBaseChoice> out;
    each_in(db, "SUBBASES", "SUBBASES", "", [&](data::WDBTable& t) {
        out.push_back({trim(t.str("CODIGO")), trim(t.str("DESCRIP"))});
    });
    return out;
}

std::optional<long> save_user(data::Db& db, UserPort& port, const std::string& business,
                              UserForm& form) {
    const bool adding = form.CODIGO == 0;
    std::optional<users::UserRecord> stored;
    if (!adding) {
        stored = users::find_by_number(db, business, form.CODIGO);
        if (!stored) {
            refuse(port, "Usuario Inexistente");
            return std::nullopt;
        }
    }
    form.NOMBRE = utf8_substr(upper_ascii(trim(form.NOMBRE)), 0, kNameWidth);
    form.ABREVIA = utf8_substr(upper_ascii(trim(form.ABREVIA)), 0, kAbbreviationWidth);
    const bool new_password = adding || !trim(form.password).empty() || !trim(form.repeat).empty();
    if (!checks_pass(db, port, business, form, new_password)) return std::nullopt;

    // argon2id is slow on purpose: hashed before the transaction holds anything.
    const std::string hash = new_password ? hash_password(form.password) : std::string();
    const DateTime now = db.clock().now();
    data::Transaction tx(db);
    data::Table t = data::USE(db, "USUARIOS");
    if (adding) {
        form.CODIGO = free_user_number(db);
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", trim(business));
        t->FieldPut("CODIGO", Decimal(form.CODIGO));
    } else {
        t->GoTo(stored->recno);
        data::LOCK_FOR_MODIFY(*t);
    }
    put_form(*t, form);
    if (form.BLOQUEADO == 1 && (adding || stored->BLOQUEADO != 1))
        t->FieldPut("INFO_BLOQ", info_user(now));
    if (new_password) put_password(*t, hash, now);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    if (adding)  // one MENUS record per right, none granted
        save_design(db, Rights::for_login(false), DesignOwner::User, business, form.CODIGO);
    tx.commit();

    form.password.clear();
    form.repeat.clear();
    return form.CODIGO;
}

bool delete_user(data::Db& db, UserPort& port, const std::string& business, long number) {
    auto user = users::find_by_number(db, business, number);
    if (!user) return false;
    if (user->supervisor() && other_supervisors(db, business, number) == 0) {
        refuse(port,
               "Debe haber al menos un Usuario Supervisor.\n"
               "El único Supervisor del negocio no puede borrarse.");
        return false;
    }
    if (!port.confirm("Advertencia", "Desea borrar el Usuario?")) return false;

    data::Transaction tx(db);
    delete_in(db, "F_BROWSE", "F_BROWSE", keys::business(business),
              [&](const data::WDBTable& t) { return whole(t, "CODIGO") == number; });
    delete_in(db, "MENUS", "MENUS", keys::rights_of(business, number));
    delete_in(db, "DET_TRA2", "DET_TRA2", keys::rights_of(business, number));
    delete_in(db, "USUARIOS", "USUARIO3", keys::user_by_number(business, number));
    tx.commit();
    return true;
}

void set_user_blocked(data::Db& db, const std::string& business, long number, bool blocked) {
    auto user = users::find_by_number(db, business, number);
    if (!user) return;
    if (blocked) {
        users::block_account(db, user->recno);
        return;
    }
    data::Table t = data::USE(db, "USUARIOS");
    t->GoTo(user->recno);
    data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("BLOQUEADO", Decimal(0));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

std::vector<ProfileRow> list_profiles(data::Db& db, const std::string& business) {
    std::vector<ProfileRow> out;
    each_in(db, "PERFILES", "PERFILES", keys::business(business), [&](data::WDBTable& t) {
        out.push_back({whole(t, "CODIGO"), trim(t.str("DESCRIP"))});
    });
    return out;
}

std::optional<long> add_profile(data::Db& db, UserPort& port, const std::string& business,
                                const std::string& name) {
    if (trim(name).empty()) {
        refuse(port, "Debe definirse la Descripción del Perfil");
        return std::nullopt;
    }
    std::set<long> used;
    for (const auto& p : list_profiles(db, business)) used.insert(p.CODIGO);
    const long code = smallest_free(used);

    data::Transaction tx(db);
    data::Table t = data::USE(db, "PERFILES");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", trim(business));
    t->FieldPut("CODIGO", Decimal(code));
    t->FieldPut("DESCRIP", trim(name));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    save_design(db, Rights::for_login(false), DesignOwner::Profile, business, code);
    tx.commit();
    return code;
}

bool rename_profile(data::Db& db, UserPort& port, const std::string& business, long code,
                    const std::string& name) {
    if (trim(name).empty()) {
        refuse(port, "Debe definirse la Descripción del Perfil");
        return false;
    }
    data::Table t = locked_profile(db, business, code);
    if (!t) return false;
    t->FieldPut("DESCRIP", trim(name));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    return true;
}

bool delete_profile(data::Db& db, UserPort& port, const std::string& business, long code) {
    if (!port.confirm("Advertencia", "Desea borrar el Perfil de Usuario?")) return false;
    data::Transaction tx(db);
    delete_in(db, "DET_PERF", "DET_PERF", keys::rights_of(business, code));
    delete_in(db, "PERFILES", "PERFILES", keys::rights_of(business, code));
    tx.commit();
    return true;
}

PasswordRules read_password_rules(data::Db& db, const std::string& business) {
    const users::BusinessRules r = users::business_rules(db, business);
    return {r.DIAS_CLAVE.value_or(0), r.SIZE_CLAVE, r.INTENTOS};
}

void save_password_rules(data::Db& db, const std::string& business, const PasswordRules& rules) {
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (t->Seek(keys::business(business))) {
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut("DIAS_CLAVE", Decimal(rules.DIAS_CLAVE));
        t->FieldPut("SIZE_CLAVE", Decimal(rules.SIZE_CLAVE));
        t->FieldPut("INTENTOS", Decimal(rules.INTENTOS));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

bool system_blocked(data::Db& db) {
    data::Table t = data::USE(db, "F_SYS");
    t->GoTop();
    const bool blocked = !t->Eof() && flag(*t, "BLOQUEADO") == 1;
    data::KILLTABLA(db, t);
    return blocked;
}

void set_system_blocked(data::Db& db, bool blocked) {
    data::Table t = data::USE(db, "F_SYS");
    t->GoTop();
    if (t->Eof())
        data::ADD_NEW_REC(*t);
    else
        data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("BLOQUEADO", Decimal(blocked ? 1 : 0));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

AccessBlock read_access_block(const std::filesystem::path& home) {
    AccessBlock b;
    auto content = read_exit_request(home);
    if (!content) return b;
    b.choice =
        exemptions_cancelled(*content) ? AccessChoice::Everybody : AccessChoice::ExceptSupervisors;
    for (size_t i = 0; i < b.modules.size(); ++i)
        b.modules[i] = i + 1 < content->size() && (*content)[i + 1] == '1';
    return b;
}

bool apply_access_block(const std::filesystem::path& home, UserPort& port,
                        const AccessBlock& block) {
    if (block.choice == AccessChoice::Free) {
        free_access(home);
        return true;
    }
    return write_exit_request(home, port, block.choice == AccessChoice::Everybody, block.modules);
}

RightsDesign::RightsDesign() : m_marks(Rights::for_login(false)) {}

void RightsDesign::load(data::Db& db, DesignOwner owner, const std::string& business, long code) {
    load_design(db, m_marks, owner, business, code);
    m_loaded = true;
}

bool RightsDesign::start(UserPort& port) {
    if (!m_loaded && !port.confirm("Advertencia",
                                   "No se ha cargado ningún Diseño.\n"
                                   "Desea comenzar el Diseño sin Accesos?"))
        return false;
    m_capturing = true;
    return true;
}

void RightsDesign::end() {
    m_capturing = false;
    m_loaded = false;
}

void RightsDesign::save(data::Db& db, DesignOwner owner, const std::string& business, long code) {
    save_design(db, m_marks, owner, business, code);
    // The marks are now a stored design: they stay shown, ready to be saved elsewhere too.
    m_loaded = true;
    m_capturing = false;
}

void save_tree_rights(data::Db& db, const std::string& business, long user_number,
                      const std::map<int, bool>& rights) {
    // The rights read and the rights written back belong to one transaction.
    data::Transaction tx(db);
    Rights design = Rights::for_login(false);
    load_design(db, design, DesignOwner::User, business, user_number);
    for (const auto& [id, on] : rights) design.Chequear(id, on);
    save_design(db, design, DesignOwner::User, business, user_number);
    tx.commit();
}

}  // namespace qz::domain
