#pragma once
#include <memory>
#include <optional>
#include <string>

#include "data/sql.h"

struct sqlite3;

namespace qz::data {

// One SQLite database file in WAL mode, shared by every process of the machine. Writers wait on
// each other through the busy timeout instead of failing.
class SqliteConnection : public Connection {
public:
    explicit SqliteConnection(const std::string& path, int busy_timeout_ms = 60000);
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

    // Makes an alternate data set file reachable as `schema`.
    void attach(const std::string& path, const std::string& schema);
    const std::string& path() const { return m_path; }
    sqlite3* handle() { return m_db; }

private:
    sqlite3* m_db = nullptr;
    std::string m_path;
    bool m_in_tx = false;
    std::unique_ptr<Statement> m_data_version;
};

}  // namespace qz::data
