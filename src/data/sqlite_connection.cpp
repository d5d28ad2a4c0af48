#include "data/sqlite_connection.h"

#include <sqlite3.h>

namespace qz::data {

namespace {

std::string code_of(sqlite3* db) {
    return db ? "sqlite:" + std::to_string(sqlite3_errcode(db) & 0xFF) : "";
}

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw DbError(what + ": " + (db ? sqlite3_errmsg(db) : "sin conexión"), code_of(db));
}

class SqliteStatement : public Statement {
public:
    SqliteStatement(sqlite3* db, const std::string& sql) : m_db(db) {
        if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &m_st, nullptr) != SQLITE_OK)
            fail(db, "SQL inválido [" + sql + "]");
    }
    ~SqliteStatement() override { sqlite3_finalize(m_st); }

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
        if (rc != SQLITE_OK) fail(m_db, "parámetro");
    }

    bool step() override {
        m_running = true;
        int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        std::string msg = sqlite3_errmsg(m_db);
        std::string code = "sqlite:" + std::to_string(rc & 0xFF);
        sqlite3_reset(m_st);
        m_running = false;
        throw DbError(msg, code);
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
    sqlite3* m_db;
    sqlite3_stmt* m_st = nullptr;
    bool m_running = false;
};

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, int busy_timeout_ms) : m_path(path) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        std::string msg = m_db ? sqlite3_errmsg(m_db) : "sin memoria";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError("No se puede abrir la base de datos " + path + ": " + msg);
    }
    sqlite3_busy_timeout(m_db, busy_timeout_ms);
    sqlite3_extended_result_codes(m_db, 1);
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF;");
}

SqliteConnection::~SqliteConnection() {
    m_data_version.reset();
    if (m_db) sqlite3_close_v2(m_db);
}

std::unique_ptr<Statement> SqliteConnection::prepare(const std::string& sql) {
    return std::make_unique<SqliteStatement>(m_db, sql);
}

// data_version moves with the commits of other connections only; this connection's own row
// changes, committed or not, are counted by sqlite3_total_changes64, and its tables dropped or
// created (a temporary table made again under its name) by the schema versions.
std::optional<std::string> SqliteConnection::change_version() {
    if (!m_data_version)
        m_data_version = prepare(
            "SELECT (SELECT data_version FROM pragma_data_version) || ':' || "
            "(SELECT schema_version FROM main.pragma_schema_version) || ':' || "
            "(SELECT schema_version FROM temp.pragma_schema_version)");
    std::string v = m_data_version->step() ? m_data_version->text_at(0) : "";
    m_data_version->reset();
    return v + ":" + std::to_string(sqlite3_total_changes64(m_db));
}

void SqliteConnection::exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw DbError(msg + " [" + sql.substr(0, 200) + "]", code_of(m_db));
    }
}

// IMMEDIATE takes the write lock up front: a deferred transaction that reads and then writes can
// be refused outright when another process committed in between.
void SqliteConnection::begin() {
    exec("BEGIN IMMEDIATE");
    m_in_tx = true;
}

void SqliteConnection::commit() {
    exec("COMMIT");
    m_in_tx = false;
}

void SqliteConnection::rollback() {
    m_in_tx = false;
    if (!sqlite3_get_autocommit(m_db)) exec("ROLLBACK");
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
    auto st = prepare("ATTACH DATABASE ? AS " + quote_ident(schema));
    st->bind(1, path);
    st->step();
}

}  // namespace qz::data
