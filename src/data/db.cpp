#include "data/db.h"

#include <filesystem>

#include "core/text.h"
#include "data/guarded_connection.h"
#include "data/integrity.h"
#include "data/pg_connection.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::data {

namespace fs = std::filesystem;

std::string sqlite_path(const std::string& home) { return home + "/BASES/quartzen.db"; }

Db::Db(DbOptions opts) : m_opts(std::move(opts)) {}

Db::~Db() {
    // Parked tables and any still-open areas close before the connection goes away.
    try {
        CLEAR_FILEBAG(*this);
    } catch (...) {
    }
    if (m_conn && m_conn->in_transaction()) {
        try {
            m_conn->rollback();
        } catch (...) {
        }
    }
}

Connection& Db::conn() { return *m_conn; }

std::unique_ptr<Db> Db::open(const DbOptions& opts) {
    if (!opts.port || !opts.clock) throw DbError("Db::open necesita UserPort y Clock");
    if (opts.ads) return open_on(opts, std::make_unique<PgConnection>(opts.ads->directory,
                                                                      opts.pg_schema));
    const std::string path = sqlite_path(opts.home);
    if (!fs::exists(path))
        throw DbError("No existe la base de datos " + path + " (ejecute: quartzen init)");
    if (opts.verify_file)
        if (auto check = check_sqlite_file(path, false); !check.ok) throw DbError(check.message);
    // A damaged file is told in the system's words, with what to do, not in the engine's.
    try {
        return open_on(opts, std::make_unique<SqliteConnection>(path));
    } catch (const DbError& e) {
        if (auto damage = damaged_file_message(path, e)) throw DbError(*damage, e.code());
        throw;
    }
}

std::unique_ptr<Db> Db::open_on(const DbOptions& opts, std::unique_ptr<Connection> engine) {
    std::unique_ptr<Db> db(new Db(opts));
    db->m_engine = engine.get();
    if (opts.wrap_connection) engine = opts.wrap_connection(std::move(engine));
    db->m_conn = std::make_unique<GuardedConnection>(std::move(engine));
    db->m_conn->on_wait = [p = db.get()](std::chrono::milliseconds w) { p->wait_for_database(w); };
    if (!db->m_conn->table_exists("", "qz_meta"))
        throw DbError("La base de datos no está inicializada (ejecute: quartzen init)");
    db->check_schema_version();
    if (opts.ads)
        db->m_locks = std::make_unique<LockTable>(
            make_pg_lock_backend(*db->m_conn, installation_id(*db->m_conn)));
    else
        db->m_locks = std::make_unique<LockTable>(make_ofd_lock_backend(sqlite_path(opts.home) +
                                                                        ".locks"));
    return db;
}

void Db::check_schema_version() {
    auto stored = schema_version(*m_conn);
    if (stored && *stored > kSchemaVersion)
        throw DbError("La base de datos fue actualizada por una versión más reciente del sistema "
                      "(esquema " + std::to_string(*stored) + "); este programa usa el esquema " +
                      std::to_string(kSchemaVersion) +
                      ". Instale en esta estación la versión actual antes de usarla.");
    if (!stored || *stored < kSchemaVersion)
        throw DbError("La base de datos usa el esquema " + std::to_string(stored.value_or(1)) +
                      " y este programa el esquema " + std::to_string(kSchemaVersion) +
                      ": ejecute 'quartzen init' para actualizarla.");
}

// The engine keeps this session waiting for another process's write lock: like a record lock,
// after the patience the user is told on every further try; inside a transaction the posting is
// given up instead, as it holds record locks others may be waiting for.
void Db::wait_for_database(std::chrono::milliseconds waited) {
    if (waited < patience) return;
    XADS_T_ERR = "La base de datos está bloqueada por otra estación (bloqueado)";
    if (XADSTRANS) throw TransactionAborted(XADS_T_ERR);
    port().message(MsgStyle::Alerta, "Alerta", XADS_T_ERR);
}

int Db::lock_id(const std::string& table) {
    auto it = m_lock_ids.find(table);
    if (it != m_lock_ids.end()) return it->second;
    int id = table_lock_id(*m_conn, table);
    m_lock_ids.emplace(table, id);
    return id;
}

int Db::lock_set_of(const std::string& table, const std::string& sql_ref) {
    if (m_alt.empty()) return 0;
    if (!server()) return sql_ref != quote_ident(table) ? 1 : 0;
    return m_conn->table_exists(m_alt, table) ? 1 : 0;
}

void Db::keep_until_transaction_end(int table, LockKind kind, int64_t recno, LockScope scope) {
    m_kept_locks.push_back({table, kind, recno, scope});
}

void Db::release_transaction_locks() {
    for (const auto& k : std::exchange(m_kept_locks, {}))
        m_locks->release(k.table, k.kind, k.recno, k.scope);
    m_locks->retry_failed();
}

void Db::doom_transaction() { m_conn->doom(); }

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

std::string Db::local_engine() {
    if (server()) return "";
    return "SQLite " + m_conn->scalar("SELECT sqlite_version()").value_or("");
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

bool Db::data_set_exists(const std::string& dir) {
    std::string d = trim(dir);
    if (d.empty()) return true;
    if (!server()) return fs::exists(m_opts.home + "/BASES/" + d + "/quartzen.db");
    auto st = m_conn->prepare("SELECT 1 FROM pg_namespace WHERE nspname = ?");
    st->bind(1, d);
    return st->step();
}

void Db::set_alternate(const std::string& dir) {
    std::string d = trim(dir);
    if (d == m_alt) return;
    if (XADSTRANS)
        throw DbError("No se puede cambiar de conjunto de datos dentro de una transacción");
    if (auto* pg = dynamic_cast<PgConnection*>(m_engine)) {
        pg->set_alternate_schema(d);
        m_alt = d;
        m_locks->set_alternate(d.empty() ? nullptr
                                         : make_pg_lock_backend(*m_conn, installation_id(*m_conn),
                                                                true));
        return;
    }
    auto* lite = dynamic_cast<SqliteConnection*>(m_engine);
    std::string path = m_opts.home + "/BASES/" + d + "/quartzen.db";
    if (!d.empty() && !fs::exists(path))
        throw DbError("No existe el conjunto de datos alterno " + d + " (" + path +
                      "); se sigue trabajando con la base principal");
    if (!m_alt.empty()) lite->detach("qz_alt");
    m_alt.clear();
    m_locks->set_alternate(nullptr);
    if (d.empty()) return;
    lite->attach(path, "qz_alt");
    // Records of the alternate file are locked in its own side file, shared with every process
    // that uses the same file.
    m_locks->set_alternate(make_ofd_lock_backend(path + ".locks"));
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
    // What a transaction remembered of the area belongs to the table that left it; a table
    // opened later in the same area must not have its locks given up in its place.
    std::erase_if(XA_RECORDS, [&](const auto& r) { return r.first == area; });
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
    m_rows.erase(table);
}

const std::any* Db::remembered_row(const std::string& table, const std::string& key) const {
    if (tx_depth == 0 && m_memos == 0) return nullptr;
    const auto t = m_rows.find(table);
    if (t == m_rows.end()) return nullptr;
    const auto r = t->second.find(key);
    return r == t->second.end() ? nullptr : &r->second;
}

void Db::remember_row(const std::string& table, const std::string& key, std::any row) {
    if (tx_depth > 0 || m_memos > 0) m_rows[table][key] = std::move(row);
}

int Db::select(int n) {
    int prev = m_selected;
    m_selected = n;
    return prev;
}

}  // namespace qz::data
