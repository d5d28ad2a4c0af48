#include "data/db.h"

#include <filesystem>

#include "core/text.h"
#include "data/pg_connection.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/wdbtable.h"

namespace qz::data {

namespace fs = std::filesystem;

std::string sqlite_path(const std::string& home) { return home + "/BASES/quartzen.db"; }

Db::Db(DbOptions opts) : m_opts(std::move(opts)) {}

Db::~Db() {
    // Parked tables and any still-open areas close before the connection goes away.
    XADSFILEBAG.clear();
    if (m_conn && m_conn->in_transaction()) {
        try {
            m_conn->rollback();
        } catch (...) {
        }
    }
}

std::unique_ptr<Db> Db::open(const DbOptions& opts) {
    if (!opts.port || !opts.clock) throw DbError("Db::open necesita UserPort y Clock");
    std::unique_ptr<Db> db(new Db(opts));
    if (opts.ads) {
        db->m_conn = std::make_unique<PgConnection>(opts.ads->directory, opts.pg_schema);
    } else {
        std::string path = sqlite_path(opts.home);
        if (!fs::exists(path))
            throw DbError("No existe la base de datos " + path + " (ejecute: quartzen init)");
        db->m_conn = std::make_unique<SqliteConnection>(path);
    }
    if (!db->m_conn->table_exists("", "qz_meta"))
        throw DbError("La base de datos no está inicializada (ejecute: quartzen init)");
    if (opts.ads)
        db->m_locks = std::make_unique<LockTable>(
            make_pg_lock_backend(*db->m_conn, installation_id(*db->m_conn)));
    else
        db->m_locks = std::make_unique<LockTable>(make_ofd_lock_backend(sqlite_path(opts.home) +
                                                                        ".locks"));
    return db;
}

std::optional<DateTime> Db::server_now() {
    if (!server()) return std::nullopt;
    try {
        if (!m_now_stmt)
            m_now_stmt = m_conn->prepare("SELECT to_char(localtimestamp, 'YYYYMMDD HH24:MI:SS')");
        bool row = m_now_stmt->step();
        std::string v = row ? m_now_stmt->text_at(0) : "";
        m_now_stmt->reset();
        auto d = Date::from_dtos(v.substr(0, 8));
        if (!d || v.size() < 17) return std::nullopt;
        return DateTime{*d, v.substr(9, 8)};
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<Db::ServerState> Db::server_state() {
    if (!server()) return std::nullopt;
    try {
        ServerState st;
        st.sessions = std::stol(m_conn->scalar("SELECT count(*) FROM pg_stat_activity WHERE "
                                               "datname = current_database()")
                                    .value_or("0"));
        st.version = m_conn->scalar("SHOW server_version").value_or("");
        return st;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<long> Db::cached_count(const std::string& scope_key) {
    auto version = m_conn->change_version();
    if (!version || *version != m_count_version) {
        m_counts.clear();
        m_count_version = version.value_or("");
        return std::nullopt;
    }
    auto it = m_counts.find(scope_key);
    if (it == m_counts.end()) return std::nullopt;
    return it->second;
}

void Db::remember_count(const std::string& scope_key, long count) {
    auto version = m_conn->change_version();
    if (!version) return;
    if (*version != m_count_version) {
        m_counts.clear();
        m_count_version = *version;
    }
    m_counts[scope_key] = count;
}

void Db::set_alternate(const std::string& dir) {
    std::string d = trim(dir);
    if (d == m_alt) return;
    if (auto* pg = dynamic_cast<PgConnection*>(m_conn.get())) {
        pg->set_alternate_schema(d);
    } else if (auto* lite = dynamic_cast<SqliteConnection*>(m_conn.get())) {
        if (!m_alt.empty()) m_conn->exec("DETACH DATABASE qz_alt");
        std::string path = m_opts.home + "/BASES/" + d + "/quartzen.db";
        if (!d.empty() && fs::exists(path)) lite->attach(path, "qz_alt");
    }
    m_alt = d;
}

std::string Db::resolve_table(const std::string& name) {
    // On the server the search path already puts the alternate schema first.
    if (!m_alt.empty() && !server() && m_conn->table_exists("qz_alt", name))
        return quote_ident("qz_alt") + "." + quote_ident(name);
    return quote_ident(name);
}

int Db::allocate_area() {
    int n = 1;
    for (const auto& [area, t] : m_areas) {
        if (area != n) break;
        ++n;
    }
    return n;
}

void Db::register_area(int area, WDBTable* t) {
    m_areas[area] = t;
    XFILES_AREA.emplace_back(area, t->Name);
    m_selected = area;
}

void Db::release_area(int area) {
    m_areas.erase(area);
    std::erase_if(XFILES_AREA, [&](const auto& e) { return e.first == area; });
    if (m_selected == area) m_selected = 0;
}

WDBTable* Db::area(int n) const {
    auto it = m_areas.find(n);
    return it == m_areas.end() ? nullptr : it->second;
}

void Db::table_written(const std::string& table) {
    for (const auto& [n, t] : m_areas)
        if (t->def().name() == table) t->drop_ahead();
}

int Db::select(int n) {
    int prev = m_selected;
    m_selected = n;
    return prev;
}

}  // namespace qz::data
