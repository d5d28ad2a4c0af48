#pragma once
#include <string>

#include "data/sql.h"

typedef struct pg_conn PGconn;

namespace qz::data {

// A PostgreSQL server reached through libpq. Numbers travel as text so NUMERIC values stay exact.
class PgConnection : public Connection {
public:
    // `conninfo` is a libpq connection string; `schema`, when given, is created if missing and
    // searched first.
    explicit PgConnection(const std::string& conninfo, const std::string& schema = "");
    ~PgConnection() override;
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    Dialect dialect() const override { return Dialect::PostgreSQL; }
    std::unique_ptr<Statement> prepare(const std::string& sql) override;
    void exec(const std::string& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    bool in_transaction() const override { return m_in_tx; }
    bool table_exists(const std::string& schema, const std::string& table) override;

    // Puts an alternate data set's schema in front of the search path.
    void set_alternate_schema(const std::string& schema);
    const std::string& schema() const { return m_schema; }
    PGconn* handle() { return m_conn; }
    std::string next_statement_name();

private:
    PGconn* m_conn = nullptr;
    std::string m_schema;
    bool m_in_tx = false;
    long m_stmt_counter = 0;
};

// Converts "?" placeholders outside quoted text into $1, $2, ...
std::string pg_placeholders(const std::string& sql);

}  // namespace qz::data
