#include "domain/session/rights.h"

#include <functional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/keys.h"

namespace qz::domain {

namespace {

// Granted for everyone whatever MENUS says: commands every session needs.
constexpr int kAlwaysGranted[] = {2009, 3232, 3386};
// Users and rights: a supervisor always keeps the way back into this screen.
constexpr int kSupervisorRight = 2000;

const char* table_of(DesignOwner owner) {
    return owner == DesignOwner::User ? "MENUS" : "DET_PERF";
}

long whole(const data::WDBTable& t, const std::string& field) { return t.num(field).to_int(); }

// Walks the rights records of one user or profile: fn(id, granted, record number).
void each_right(data::WDBTable& t, const std::string& business, long code,
                const std::function<void(int, bool, long)>& fn) {
    const std::string scope = keys::rights_of(business, code);
    t.SetScope(scope, scope);
    for (t.GoTop(); !t.Eof(); t.Skip())
        fn(static_cast<int>(whole(t, "ID")), t.logical("CHECK_ID"), t.RecNo());
    t.ClearScope();
}

// Stores `flag(id)` for every id in range, rewriting only records that differ and appending the
// missing ones. Runs inside the caller's transaction.
void store_flags(data::Db& db, DesignOwner owner, const std::string& business, long code,
                 const std::function<std::optional<bool>(int)>& flag) {
    data::Table t = data::USE(db, table_of(owner), table_of(owner));
    std::map<int, std::pair<long, bool>> stored;  // id -> {record, flag}
    each_right(*t, business, code,
               [&](int id, bool on, long recno) { stored.emplace(id, std::make_pair(recno, on)); });
    for (int id = kFirstRight; id <= kLastRight; ++id) {
        std::optional<bool> want = flag(id);
        if (!want) continue;
        auto it = stored.find(id);
        if (it != stored.end()) {
            if (it->second.second == *want) continue;
            t->GoTo(it->second.first);
            data::LOCK_FOR_MODIFY(*t);
        } else {
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", trim(business));
            t->FieldPut("CODIGO", Decimal(code));
            t->FieldPut("ID", Decimal(id));
        }
        t->FieldPut("CHECK_ID", *want);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

// A field of the record found by `key` along `order`, without its padding.
std::optional<std::string> describe(data::Db& db, const char* table, const char* order,
                                    const std::string& key, const char* field) {
    data::Table t = data::USE(db, table, order);
    std::optional<std::string> out;
    if (t->Seek(key)) out = trim(t->str(field));
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

Rights Rights::for_login(bool all_granted) {
    Rights r;
    r.m_login = true;
    if (all_granted) r.m_granted.set();
    return r;
}

bool Rights::GET_RIGHTS(std::optional<int> id) const {
    if (!m_login || !id || !in_range(*id)) return false;
    return !m_granted[pos(*id)];
}

bool Rights::GET_CHECKS(std::optional<int> id) const {
    if (!m_login || !id || !in_range(*id)) return false;
    return m_checks[pos(*id)];
}

bool Rights::GET_R_EDIT(std::optional<int> id, const std::string& business) {
    const std::string biz = trim(business);
    if (biz.empty() || !id) return GET_RIGHTS(id);
    if (m_edit.business != biz) m_edit = EditCache{biz, {}};
    auto [it, added] = m_edit.greyed.emplace(*id, false);
    if (added) it->second = GET_RIGHTS(id);
    return it->second;
}

void Rights::grant(int id, bool on) {
    if (in_range(id)) m_granted[pos(id)] = on;
}

std::set<int> Rights::granted_ids() const {
    std::set<int> ids;
    for (int id = kFirstRight; id <= kLastRight; ++id)
        if (m_granted[pos(id)]) ids.insert(id);
    return ids;
}

void Rights::Chequear(int id, std::optional<bool> value) {
    if (!in_range(id)) return;
    m_checks[pos(id)] = value ? *value : !m_checks[pos(id)];
}

void Rights::set_all_checks(bool on) {
    if (on)
        m_checks.set();
    else
        m_checks.reset();
}

Rights LOAD_DERECHOS(data::Db& db, const std::string& business, const std::string& login_name) {
    data::Table users = data::USE(db, "USUARIOS", "USUARIOS");
    const bool found = users->Seek(keys::user_by_name(business, login_name));
    const bool supervisor = found && whole(*users, "SUPERVISOR") == 1;
    const bool permiso1 = found && whole(*users, "PERMISO1") == 1;
    const long number = found ? whole(*users, "CODIGO") : 0;
    data::KILLTABLA(db, users);

    Rights r = Rights::for_login(supervisor);
    if (found && !supervisor) {
        data::Table menus = data::USE(db, "MENUS", "MENUS");
        each_right(*menus, business, number, [&](int id, bool on, long) { r.grant(id, on); });
        data::KILLTABLA(db, menus);
    }
    for (int id : kAlwaysGranted) r.grant(id, true);
    if (supervisor) r.grant(kSupervisorRight, true);
    if (permiso1) r.grant(kPasswordChangeRight, true);
    return r;
}

void load_design(data::Db& db, Rights& rights, DesignOwner owner, const std::string& business,
                 long code) {
    rights.set_all_checks(false);
    data::Table t = data::USE(db, table_of(owner), table_of(owner));
    each_right(*t, business, code, [&](int id, bool on, long) { rights.Chequear(id, on); });
    data::KILLTABLA(db, t);
}

void save_design(data::Db& db, const Rights& rights, DesignOwner owner, const std::string& business,
                 long code) {
    data::Transaction tx(db);
    store_flags(db, owner, business, code,
                [&](int id) -> std::optional<bool> { return rights.GET_CHECKS(id); });
    tx.commit();
}

bool assign_profile(data::Db& db, UserPort& port, const std::string& business, long profile,
                    long user_number) {
    auto profile_name =
        describe(db, "PERFILES", "PERFILES", keys::rights_of(business, profile), "DESCRIP");
    auto user_name =
        describe(db, "USUARIOS", "USUARIO3", keys::user_by_number(business, user_number), "NOMBRE");
    if (!profile_name || !user_name) return false;
    if (!port.confirm("Advertencia",
                      "Se asignará el Perfil " + *profile_name + "\n" + "al Usuario " + *user_name))
        return false;

    std::map<int, bool> flags;
    data::Table det = data::USE(db, "DET_PERF", "DET_PERF");
    each_right(*det, business, profile, [&](int id, bool on, long) { flags[id] = on; });
    data::KILLTABLA(db, det);

    data::Transaction tx(db);
    store_flags(db, DesignOwner::User, business, user_number, [&](int id) -> std::optional<bool> {
        auto it = flags.find(id);
        if (it == flags.end()) return std::nullopt;
        return it->second;
    });
    tx.commit();
    return true;
}

const std::vector<RightsGroup>& rights_groups() {
    static const std::vector<RightsGroup> groups = {
        {"00", "CONTABILIDAD"},     {"01", "INVENTARIO"},      {"03", "FACTURACION / CXC"},
        {"04", "BANCOS / CHEQUES"}, {"05", "CUENTAS X PAGAR"}, {"06", "NOMINA / RECURSOS HUMANOS"},
        {"08", "ACTIVOS FIJOS"},    {"09", "HOTELERIA"},       {"10", "RESTAURANTES"},
        {"21", "MANTENIMIENTOS"},   {"22", "WEBSERVER"},
    };
    return groups;
}

namespace {

struct TreeBuilder {
    data::WDBTable& der;
    const std::map<int, bool>& granted;
    std::set<long> visited;  // a catalogue pointing in a circle must not recurse forever

    // The entries filed under `modulo` + `pointer`, each with its own children.
    std::vector<RightsNode> entries(const std::string& modulo, long pointer) {
        struct Entry {
            long n_id;
            std::string descrip;
        };
        std::vector<Entry> found;
        const std::string key =
            data::order_key("DERECHOS", "DERECHO2", {modulo, static_cast<long long>(pointer)});
        der.SetScope(key, key);
        for (der.GoTop(); !der.Eof(); der.Skip())
            found.push_back({whole(der, "N_ID"), trim(der.str("DESCRIP"))});
        der.ClearScope();

        std::vector<RightsNode> nodes;
        for (const auto& e : found) {
            if (!visited.insert(e.n_id).second) continue;
            RightsNode n;
            n.text = e.descrip;
            n.n_id = e.n_id;
            n.right = kCatalogueRightBase + static_cast<int>(e.n_id);
            auto g = granted.find(n.right);
            n.granted = g != granted.end() && g->second;
            n.children = entries("", e.n_id);
            nodes.push_back(std::move(n));
        }
        return nodes;
    }
};

}  // namespace

RightsNode rights_tree(data::Db& db, const std::string& business, long user_number,
                       const std::string& user_name) {
    std::map<int, bool> granted;
    data::Table menus = data::USE(db, "MENUS", "MENUS");
    each_right(*menus, business, user_number, [&](int id, bool on, long) { granted[id] = on; });
    data::KILLTABLA(db, menus);

    data::Table der = data::USE(db, "DERECHOS", "DERECHO2");
    TreeBuilder build{*der, granted, {}};
    RightsNode root;
    root.text = "USUARIO: " + trim(user_name);
    for (const auto& g : rights_groups()) {
        RightsNode group;
        group.text = g.name;
        group.children = build.entries(g.code, 0);
        root.children.push_back(std::move(group));
    }
    data::KILLTABLA(db, der);
    return root;
}

}  // namespace qz::domain
