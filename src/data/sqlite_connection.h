#pragma once
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "data/sql.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qz::data {

// The idle prepared statements of a connection, by their SQL text. Table handles come and go
// many times within one posting and between postings; preparing their statements again each
// time was most of the cost of a small posting. A statement is handed to one user at a time
// and comes back reset, with its bindings cleared.
class SqliteStatementPool {
public:
    struct Entry {
        sqlite3_stmt* statement = nullptr;
        std::set<std::string> writes;  // schemas it writes to, as found when it was prepared
        bool read_only = true;
    };
    SqliteStatementPool() = default;
    ~SqliteStatementPool() { clear(); }
    SqliteStatementPool(const SqliteStatementPool&) = delete;
    SqliteStatementPool& operator=(const SqliteStatementPool&) = delete;

    std::optional<Entry> take(const std::string& sql);
    // False when the pool does not keep it (the caller finalizes it): a statement prepared
    // before the last clear(), a statement other than a query or a row change, or a full pool.
    bool give_back(const std::string& sql, Entry e, unsigned generation);
    // Finalizes the idle statements; those in use are not taken back.
    void clear();
    unsigned generation() const { return m_generation; }

private:
    std::unordered_multimap<std::string, Entry> m_idle;
    unsigned m_generation = 0;
};

// One SQLite database file in WAL mode, shared by every process of the machine.
//
// A transaction takes the database's write lock at its first write, not when it begins: the
// record locks a posting takes before writing are waited for without holding the write lock, so
// a workstation that holds one of those records and needs the write lock to save it is never
// kept waiting by a posting that waits for it. Reads before the first write see the latest
// committed data; the record locks, not a snapshot, keep them valid.
//
// A wait for the write lock is retried in slices of `busy_slice_ms`; with `on_wait` set every
// slice reports the time waited (which may tell the user), without it the wait fails.
class SqliteConnection : public Connection {
public:
    explicit SqliteConnection(const std::string& path, int busy_slice_ms = 100);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    Dialect dialect() const override { return Dialect::SQLite; }
    std::unique_ptr<Statement> prepare(const std::string& sql) override;
    void exec(const std::string& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool in_transaction() const override { return m_in_tx; }
    bool table_exists(const std::string& schema, const std::string& table) override;
    std::optional<std::string> change_version() override;
    bool holds_write_lock() const override { return m_in_tx && m_writing; }

    // Makes an alternate data set file reachable as `schema`; refuses a missing file.
    void attach(const std::string& path, const std::string& schema);
    void detach(const std::string& schema);
    const std::string& path() const { return m_path; }
    sqlite3* handle() { return m_db; }

    // Before the first step of a statement that writes to `schemas`: takes the write lock when
    // a transaction is open and checks that the transaction stays within one database file.
    void before_write(const std::set<std::string>& schemas);
    // Whether a busy engine may be waited for here, and the wait itself.
    bool may_wait() const { return static_cast<bool>(on_wait) && !holds_write_lock(); }
    // Schemas the statement being prepared writes to (filled by the authorizer).
    std::set<std::string> take_prepared_writes();
    const std::shared_ptr<SqliteStatementPool>& statement_pool() const { return m_pool; }

private:
    void run(const std::string& sql);
    void begin_write();
    void check_still_in_transaction();

    sqlite3* m_db = nullptr;
    std::string m_path;
    bool m_in_tx = false;
    bool m_writing = false;  // the open transaction holds the write lock
    std::set<std::string> m_tx_files;
    std::set<std::string> m_prepared_writes;
    std::optional<std::string> m_attached;
    std::unique_ptr<Statement> m_data_version;
    std::shared_ptr<SqliteStatementPool> m_pool = std::make_shared<SqliteStatementPool>();
};

}  // namespace qz::data
