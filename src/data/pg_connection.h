#pragma once
#include <chrono>
#include <map>
#include <string>

#include "data/sql.h"

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace qz::data {

// A PostgreSQL server reached through libpq. Numbers travel as text so NUMERIC values stay exact.
//
// A server that stops answering never hangs the workstation: connecting gives up after a
// time-out, every statement waits at most `statement_timeout`, and TCP keepalives on both ends
// let the server end the session of a workstation that lost power (releasing its locks) within
// a minute.
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

    // The server-side prepared statement of a text, prepared once per connection; its number of
    // parameters.
    struct Prepared {
        std::string name;
        int params = 0;
    };
    const Prepared& prepared(const std::string& sql);
    // Sends a query (prepared when `name` is given) and waits for its result within the
    // statement time-out. Throws DbError on failure.
    PGresult* run(const std::string& name, const std::string& sql,
                  const std::vector<const char*>& values);

    std::chrono::milliseconds statement_timeout{std::chrono::seconds(120)};
    // Requests sent to the server and answered (what a slow network multiplies).
    long round_trips = 0;

private:
    void configure_session(const std::string& schema);
    PGresult* wait_result(const std::string& what);
    [[noreturn]] void lost(const std::string& why);

    PGconn* m_conn = nullptr;
    std::string m_schema;
    std::string m_server;
    bool m_in_tx = false;
    std::map<std::string, Prepared> m_prepared;
};

// Converts "?" placeholders outside quoted text into $1, $2, ...; counts them in `count`.
std::string pg_placeholders(const std::string& sql, int* count = nullptr);

}  // namespace qz::data
