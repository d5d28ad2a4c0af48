#include "data/sqlite_connection.h"

#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <utility>

namespace qz::data {

namespace {

using SteadyClock = std::chrono::steady_clock;

std::string code_of(int rc) { return "sqlite:" + std::to_string(rc & 0xFF); }

std::chrono::milliseconds since(SteadyClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start);
}

bool busy(int rc) { return (rc & 0xFF) == SQLITE_BUSY; }

// Records which database files a statement being prepared writes to; never refuses anything.
int authorize(void* self, int action, const char*, const char*, const char* schema,
              const char*) {
    switch (action) {
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TABLE:
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TABLE:
        case SQLITE_ALTER_TABLE:
            if (schema) static_cast<std::set<std::string>*>(self)->insert(schema);
            break;
        default:
            break;
    }
    return SQLITE_OK;
}

class SqliteStatement : public Statement {
public:
    SqliteStatement(SqliteConnection& c, const std::string& sql)
        : m_conn(c),
          m_db(c.handle()),
          m_sql(sql),
          m_pool(c.statement_pool()),
          m_generation(c.statement_pool()->generation()) {
        if (auto cached = c.statement_pool()->take(sql)) {
            m_st = cached->statement;
            m_writes = std::move(cached->writes);
            m_read_only = cached->read_only;
            return;
        }
        c.take_prepared_writes();
        if (sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &m_st, nullptr) != SQLITE_OK) {
            int rc = sqlite3_errcode(m_db);
            throw DbError("SQL inválido [" + sql + "]: " + sqlite3_errmsg(m_db), code_of(rc));
        }
        m_writes = c.take_prepared_writes();
        m_read_only = sqlite3_stmt_readonly(m_st) != 0;
    }
    ~SqliteStatement() override {
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
        const auto pool = m_pool.lock();
        if (!pool ||
            !pool->give_back(m_sql, {m_st, std::move(m_writes), m_read_only}, m_generation))
            sqlite3_finalize(m_st);
    }

    void bind(int i, const SqlValue& v) override {
        if (m_running) reset();
        int rc;
        if (std::holds_alternative<std::monostate>(v))
            rc = sqlite3_bind_null(m_st, i);
        else if (auto* n = std::get_if<int64_t>(&v))
            rc = sqlite3_bind_int64(m_st, i, *n);
        else {
            const auto& s = std::get<std::string>(v);
            rc = sqlite3_bind_text(m_st, i, s.data(), static_cast<int>(s.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) throw DbError(std::string("parámetro: ") + sqlite3_errmsg(m_db),
                                           code_of(rc));
    }

    bool step() override {
        if (!m_running) {
            if (!m_read_only) m_conn.before_write(m_writes);
            m_rows = 0;
        }
        m_running = true;
        const auto start = SteadyClock::now();
        for (;;) {
            int rc = sqlite3_step(m_st);
            if (rc == SQLITE_ROW) {
                ++m_rows;
                return true;
            }
            if (rc == SQLITE_DONE) return false;
            std::string msg = sqlite3_errmsg(m_db);
            sqlite3_reset(m_st);
            // Nothing was done yet: another process holds the write lock, wait for it.
            if (busy(rc) && m_rows == 0 && m_conn.may_wait()) {
                m_conn.on_wait(since(start));
                continue;
            }
            m_running = false;
            throw DbError(msg, code_of(rc));
        }
    }

    void reset() override {
        sqlite3_reset(m_st);
        m_running = false;
    }
    bool is_null(int c) const override { return sqlite3_column_type(m_st, c) == SQLITE_NULL; }
    int64_t int_at(int c) const override { return sqlite3_column_int64(m_st, c); }
    std::string text_at(int c) const override {
        auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_st, c));
        return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(m_st, c))) : "";
    }
    int columns() const override { return sqlite3_column_count(m_st); }

private:
    SqliteConnection& m_conn;
    sqlite3* m_db;
    std::string m_sql;
    std::weak_ptr<SqliteStatementPool> m_pool;  // gone once the connection is closed
    unsigned m_generation;
    sqlite3_stmt* m_st = nullptr;
    std::set<std::string> m_writes;
    bool m_read_only = true;
    bool m_running = false;
    long m_rows = 0;
};

// The first statement of a script and where the rest begins (the engine's parser finds the end).
std::pair<std::string, const char*> first_statement(sqlite3* db, const char* p,
                                                    const std::string& script) {
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, p, -1, &st, &tail) != SQLITE_OK) {
        int rc = sqlite3_errcode(db);
        throw DbError(std::string(sqlite3_errmsg(db)) + " [" + script.substr(0, 200) + "]",
                      code_of(rc));
    }
    std::string one = st ? std::string(p, static_cast<size_t>(tail - p)) : "";
    sqlite3_finalize(st);
    return {one, tail};
}

constexpr size_t kPoolLimit = 512;

// Only queries and row changes come back to the pool: schema statements are run once.
bool poolable(const std::string& sql) {
    size_t i = sql.find_first_not_of(" \t\r\n(");
    if (i == std::string::npos) return false;
    std::string word;
    for (; i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])); ++i)
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i])));
    return word == "SELECT" || word == "INSERT" || word == "UPDATE" || word == "DELETE" ||
           word == "WITH";
}

}  // namespace

std::optional<SqliteStatementPool::Entry> SqliteStatementPool::take(const std::string& sql) {
    const auto at = m_idle.find(sql);
    if (at == m_idle.end()) return std::nullopt;
    Entry e = std::move(at->second);
    m_idle.erase(at);
    return e;
}

bool SqliteStatementPool::give_back(const std::string& sql, Entry e, unsigned generation) {
    if (generation != m_generation || m_idle.size() >= kPoolLimit || !poolable(sql)) return false;
    m_idle.emplace(sql, std::move(e));
    return true;
}

void SqliteStatementPool::clear() {
    for (auto& [sql, e] : m_idle) sqlite3_finalize(e.statement);
    m_idle.clear();
    ++m_generation;
}

SqliteConnection::SqliteConnection(const std::string& path, int busy_slice_ms) : m_path(path) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        std::string msg = m_db ? sqlite3_errmsg(m_db) : "sin memoria";
        int rc = m_db ? sqlite3_errcode(m_db) : SQLITE_NOMEM;
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError("No se puede abrir la base de datos " + path + ": " + msg, code_of(rc));
    }
    sqlite3_busy_timeout(m_db, busy_slice_ms);
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_set_authorizer(m_db, authorize, &m_prepared_writes);
    try {
        // FULL: a commit is on disk when COMMIT returns, so a receipt the cashier handed out
        // survives a power cut (NORMAL may lose the last commits in WAL mode).
        run("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF;");
    } catch (...) {
        sqlite3_close(m_db);  // no destructor runs for a constructor that throws
        m_db = nullptr;
        throw;
    }
}

SqliteConnection::~SqliteConnection() {
    m_data_version.reset();
    m_pool.reset();  // finalizes the idle statements; those still in use finalize themselves
    if (m_db) sqlite3_close_v2(m_db);
}

std::unique_ptr<Statement> SqliteConnection::prepare(const std::string& sql) {
    return std::make_unique<SqliteStatement>(*this, sql);
}

std::set<std::string> SqliteConnection::take_prepared_writes() {
    return std::exchange(m_prepared_writes, {});
}

// data_version moves with the commits of other connections only (PRAGMA per file: the
// table-valued form ignores the schema); this connection's own row changes, committed or not,
// are counted by sqlite3_total_changes64, and its tables dropped or created (a temporary table
// made again under its name) by the schema versions.
std::optional<std::string> SqliteConnection::change_version() {
    if (!m_data_version)
        m_data_version = prepare(
            "SELECT (SELECT data_version FROM pragma_data_version) || ':' || "
            "(SELECT schema_version FROM main.pragma_schema_version) || ':' || "
            "(SELECT schema_version FROM temp.pragma_schema_version)");
    std::string v = m_data_version->step() ? m_data_version->text_at(0) : "";
    m_data_version->reset();
    if (m_attached)
        v += ":" + scalar("PRAGMA " + quote_ident(*m_attached) + ".data_version").value_or("") +
             ":" + scalar("PRAGMA " + quote_ident(*m_attached) + ".schema_version").value_or("");
    return v + ":" + std::to_string(sqlite3_total_changes64(m_db));
}

void SqliteConnection::run(const std::string& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw DbError(msg + " [" + sql.substr(0, 200) + "]", code_of(rc));
    }
}

// Statement by statement, so that each one that writes takes the transaction's write lock first.
void SqliteConnection::exec(const std::string& sql) {
    for (const char* p = sql.c_str(); *p;) {
        auto [one, tail] = first_statement(m_db, p, sql);
        p = tail;
        if (one.empty()) continue;
        auto st = prepare(one);
        while (st->step()) {
        }
    }
}

void SqliteConnection::begin() {
    if (m_in_tx) throw DbError("Ya hay una transacción abierta en esta conexión");
    m_in_tx = true;
    m_writing = false;
    m_tx_files.clear();
}

void SqliteConnection::begin_write() {
    const auto start = SteadyClock::now();
    for (;;) {
        char* err = nullptr;
        int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, &err);
        std::string msg = err ? err : "";
        sqlite3_free(err);
        if (rc == SQLITE_OK) {
            m_writing = true;
            return;
        }
        if (busy(rc) && on_wait) {
            on_wait(since(start));
            continue;
        }
        throw DbError(msg + " [BEGIN IMMEDIATE]", code_of(rc));
    }
}

void SqliteConnection::check_still_in_transaction() {
    // Some failures (a full disk, an I/O error) make the engine roll the whole transaction back
    // by itself; what follows must not run statement by statement outside it.
    if (m_writing && sqlite3_get_autocommit(m_db))
        throw DbError("La base de datos anuló la transacción en curso", "sqlite:tx-lost");
}

void SqliteConnection::before_write(const std::set<std::string>& schemas) {
    if (!m_in_tx) return;
    check_still_in_transaction();
    for (const auto& s : schemas)
        if (s != "temp") m_tx_files.insert(s);
    // WAL makes each file's commit atomic, not a commit over two files: a crash between them
    // would keep half of the posting.
    if (m_tx_files.size() > 1)
        throw DbError("Una transacción no puede escribir a la vez en la base principal y en el "
                      "conjunto de datos alterno",
                      "qz:two-files");
    if (!m_writing) begin_write();
}

void SqliteConnection::commit() {
    if (!m_in_tx) return;
    if (m_writing) {
        check_still_in_transaction();
        run("COMMIT");
    }
    m_in_tx = m_writing = false;
    m_tx_files.clear();
}

void SqliteConnection::rollback() {
    m_in_tx = m_writing = false;
    m_tx_files.clear();
    if (!sqlite3_get_autocommit(m_db)) run("ROLLBACK");
}

bool SqliteConnection::table_exists(const std::string& schema, const std::string& table) {
    std::string master = schema.empty() ? "sqlite_master" : quote_ident(schema) + ".sqlite_master";
    if (schema.empty()) {
        auto st = prepare("SELECT 1 FROM sqlite_temp_master WHERE type='table' AND name=?");
        st->bind(1, table);
        if (st->step()) return true;
    }
    auto st = prepare("SELECT 1 FROM " + master + " WHERE type='table' AND name=?");
    st->bind(1, table);
    return st->step();
}

void SqliteConnection::attach(const std::string& path, const std::string& schema) {
    // ATTACH would create a missing file silently and every table would seem to be missing.
    if (!std::filesystem::exists(path))
        throw DbError("No existe el conjunto de datos alterno " + path);
    auto st = prepare("ATTACH DATABASE ? AS " + quote_ident(schema));
    st->bind(1, path);
    st->step();
    m_attached = schema;
    m_pool->clear();  // a name may now resolve to the other file, which the pool cannot know
}

void SqliteConnection::detach(const std::string& schema) {
    run("DETACH DATABASE " + quote_ident(schema));
    if (m_attached == schema) m_attached.reset();
    m_pool->clear();
}

}  // namespace qz::data
