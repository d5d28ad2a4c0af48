#include "data/pg_connection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace qz::data {

namespace {

class PgResult {
public:
    explicit PgResult(PGresult* r = nullptr) : m_r(r) {}
    ~PgResult() { PQclear(m_r); }
    PgResult(const PgResult&) = delete;
    PgResult& operator=(PgResult&& o) noexcept {
        std::swap(m_r, o.m_r);
        return *this;
    }
    PGresult* get() const { return m_r; }

private:
    PGresult* m_r;
};

void check(PGconn* conn, const PgResult& r, const std::string& what) {
    auto st = PQresultStatus(r.get());
    if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) return;
    std::string msg = r.get() ? PQresultErrorMessage(r.get()) : PQerrorMessage(conn);
    const char* state = r.get() ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
    throw DbError(msg + " [" + what.substr(0, 200) + "]", state ? std::string("pg:") + state : "");
}

class PgStatement : public Statement {
public:
    PgStatement(PgConnection& c, const std::string& sql) : m_conn(c.handle()) {
        m_name = c.next_statement_name();
        std::string text = pg_placeholders(sql);
        m_sql = sql;
        PgResult r(PQprepare(m_conn, m_name.c_str(), text.c_str(), 0, nullptr));
        check(m_conn, r, sql);
        PgResult d(PQdescribePrepared(m_conn, m_name.c_str()));
        check(m_conn, d, sql);
        m_params.resize(static_cast<size_t>(PQnparams(d.get())));
    }
    ~PgStatement() override {
        if (PQstatus(m_conn) == CONNECTION_OK) {
            std::string dealloc = "DEALLOCATE " + quote_ident(m_name);
            PQclear(PQexec(m_conn, dealloc.c_str()));
        }
    }

    void bind(int i, const SqlValue& v) override {
        m_executed = false;
        auto& slot = m_params.at(static_cast<size_t>(i - 1));
        if (std::holds_alternative<std::monostate>(v))
            slot.reset();
        else if (auto* n = std::get_if<int64_t>(&v))
            slot = std::to_string(*n);
        else
            slot = std::get<std::string>(v);
    }

    bool step() override {
        if (!m_executed) {
            std::vector<const char*> values;
            for (auto& p : m_params) values.push_back(p ? p->c_str() : nullptr);
            m_res = PgResult(PQexecPrepared(m_conn, m_name.c_str(), static_cast<int>(values.size()),
                                            values.data(), nullptr, nullptr, 0));
            check(m_conn, m_res, m_sql);
            m_executed = true;
            m_row = -1;
        }
        ++m_row;
        return m_row < PQntuples(m_res.get());
    }

    void reset() override { m_executed = false; }
    bool is_null(int c) const override { return PQgetisnull(m_res.get(), m_row, c); }
    int64_t int_at(int c) const override {
        return std::strtoll(PQgetvalue(m_res.get(), m_row, c), nullptr, 10);
    }
    std::string text_at(int c) const override {
        return std::string(PQgetvalue(m_res.get(), m_row, c),
                           static_cast<size_t>(PQgetlength(m_res.get(), m_row, c)));
    }
    int columns() const override { return PQnfields(m_res.get()); }

private:
    PGconn* m_conn;
    std::string m_name, m_sql;
    std::vector<std::optional<std::string>> m_params;
    PgResult m_res;
    bool m_executed = false;
    int m_row = -1;
};

}  // namespace

std::string pg_placeholders(const std::string& sql) {
    std::string out;
    int n = 0;
    bool in_quote = false, in_ident = false;
    for (char c : sql) {
        if (c == '\'' && !in_ident) in_quote = !in_quote;
        if (c == '"' && !in_quote) in_ident = !in_ident;
        if (c == '?' && !in_quote && !in_ident)
            out += "$" + std::to_string(++n);
        else
            out += c;
    }
    return out;
}

PgConnection::PgConnection(const std::string& conninfo, const std::string& schema)
    : m_schema(schema) {
    m_conn = PQconnectdb(conninfo.c_str());
    if (PQstatus(m_conn) != CONNECTION_OK) {
        std::string msg = PQerrorMessage(m_conn);
        PQfinish(m_conn);
        m_conn = nullptr;
        throw DbError("No se pudo conectar al servidor de base de datos: " + msg);
    }
    exec("SET client_min_messages TO warning; SET client_encoding TO 'UTF8'");
    if (!schema.empty()) {
        exec("CREATE SCHEMA IF NOT EXISTS " + quote_ident(schema));
        exec("SET search_path TO " + quote_ident(schema));
    } else {
        m_schema = scalar("SELECT current_schema()").value_or("public");
    }
}

PgConnection::~PgConnection() {
    if (m_conn) PQfinish(m_conn);
}

std::string PgConnection::next_statement_name() { return "qz" + std::to_string(++m_stmt_counter); }

std::unique_ptr<Statement> PgConnection::prepare(const std::string& sql) {
    return std::make_unique<PgStatement>(*this, sql);
}

void PgConnection::exec(const std::string& sql) {
    PgResult r(PQexec(m_conn, sql.c_str()));
    check(m_conn, r, sql);
}

void PgConnection::begin() {
    exec("BEGIN");
    m_in_tx = true;
}

void PgConnection::commit() {
    exec("COMMIT");
    m_in_tx = false;
}

void PgConnection::rollback() {
    m_in_tx = false;
    exec("ROLLBACK");
}

bool PgConnection::table_exists(const std::string& schema, const std::string& table) {
    if (schema.empty()) {
        auto st = prepare("SELECT to_regclass(?) IS NOT NULL");
        st->bind(1, quote_ident(table));
        return st->step() && st->text_at(0) == "t";
    }
    auto st = prepare("SELECT 1 FROM pg_catalog.pg_tables WHERE schemaname = ? AND tablename = ?");
    st->bind(1, schema);
    st->bind(2, table);
    return st->step();
}

void PgConnection::set_alternate_schema(const std::string& alt) {
    std::string path = quote_ident(m_schema);
    if (!alt.empty()) path = quote_ident(alt) + ", " + path;
    exec("SET search_path TO " + path);
}

}  // namespace qz::data
