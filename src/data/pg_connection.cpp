#include "data/pg_connection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

namespace qz::data {

namespace {

using SteadyClock = std::chrono::steady_clock;

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

bool ok(const PGresult* r) {
    auto st = PQresultStatus(r);
    return st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK;
}

void check(const PgResult& r, const std::string& what) {
    if (ok(r.get())) return;
    std::string msg = r.get() ? PQresultErrorMessage(r.get()) : "sin respuesta";
    const char* state = r.get() ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
    throw DbError(msg + " [" + what.substr(0, 200) + "]", state ? std::string("pg:") + state : "");
}

class PgStatement : public Statement {
public:
    PgStatement(PgConnection& c, const std::string& sql) : m_conn(c), m_sql(sql) {
        m_params.resize(static_cast<size_t>(c.prepared(sql).params));
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
            m_res = PgResult(m_conn.run(m_conn.prepared(m_sql).name, m_sql, values));
            check(m_res, m_sql);
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
    PgConnection& m_conn;
    std::string m_sql;
    std::vector<std::optional<std::string>> m_params;
    PgResult m_res;
    bool m_executed = false;
    int m_row = -1;
};

// Settings that keep a workstation from waiting on a server forever; a connection string that
// names one of them keeps its own value.
const std::vector<std::pair<const char*, const char*>> kClientDefaults = {
    {"connect_timeout", "10"},     {"keepalives", "1"},       {"keepalives_idle", "20"},
    {"keepalives_interval", "5"},  {"keepalives_count", "4"}, {"tcp_user_timeout", "30000"},
};

struct ConnParams {
    std::vector<std::string> keys, values;
    std::string server;  // host:port for messages, never the password
};

ConnParams connection_params(const std::string& conninfo) {
    char* err = nullptr;
    PQconninfoOption* opts = PQconninfoParse(conninfo.c_str(), &err);
    if (!opts) {
        std::string msg = err ? err : "cadena de conexión inválida";
        PQfreemem(err);
        throw DbError("La conexión al servidor de ADS.DEF no es válida: " + msg);
    }
    ConnParams p;
    std::string host = "localhost", port = "5432";
    for (PQconninfoOption* o = opts; o->keyword; ++o) {
        if (!o->val) continue;
        p.keys.emplace_back(o->keyword);
        p.values.emplace_back(o->val);
        if (std::string(o->keyword) == "host" || std::string(o->keyword) == "hostaddr")
            host = o->val;
        if (std::string(o->keyword) == "port") port = o->val;
    }
    PQconninfoFree(opts);
    for (const auto& [k, v] : kClientDefaults) {
        bool given = false;
        for (const auto& key : p.keys) given = given || key == k;
        if (!given) p.keys.emplace_back(k), p.values.emplace_back(v);
    }
    p.server = host + ":" + port;
    return p;
}

}  // namespace

std::string pg_placeholders(const std::string& sql, int* count) {
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
    if (count) *count = n;
    return out;
}

PgConnection::PgConnection(const std::string& conninfo, const std::string& schema)
    : m_schema(schema) {
    ConnParams p = connection_params(conninfo);
    m_server = p.server;
    std::vector<const char*> keys, values;
    for (size_t i = 0; i < p.keys.size(); ++i) {
        keys.push_back(p.keys[i].c_str());
        values.push_back(p.values[i].c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        std::string msg = PQerrorMessage(m_conn);
        PQfinish(m_conn);
        m_conn = nullptr;
        throw DbError("No se pudo conectar al servidor de base de datos " + m_server + ": " + msg,
                      "pg:connect");
    }
    // A constructor that throws has no destructor run: the connection is closed here.
    try {
        configure_session(schema);
    } catch (...) {
        PQfinish(m_conn);
        m_conn = nullptr;
        throw;
    }
}

void PgConnection::configure_session(const std::string& schema) {
    // Keys are padded and compared character by character; any other encoding would make
    // them differ from the ones the workstation builds for accented text.
    std::string enc = scalar("SHOW server_encoding").value_or("");
    if (enc != "UTF8")
        throw DbError("El servidor de base de datos " + m_server + " usa la codificación " + enc +
                      "; la base de datos debe crearse con UTF8");
    exec("SET client_min_messages TO warning; SET client_encoding TO 'UTF8'; "
         "SET tcp_keepalives_idle = 20; SET tcp_keepalives_interval = 5; "
         "SET tcp_keepalives_count = 4; SET idle_in_transaction_session_timeout = '2min'");
    if (std::stol(scalar("SHOW server_version_num").value_or("0")) >= 140000)
        exec("SET client_connection_check_interval = '10s'");
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

void PgConnection::lost(const std::string& why) {
    // A server that stopped answering cannot be trusted with this session any more: the
    // connection is closed (the server rolls back and frees the locks when it notices) and
    // every later call fails at once instead of waiting again.
    if (m_conn) PQfinish(m_conn);
    m_conn = nullptr;
    m_prepared.clear();
    throw DbError("Se perdió la conexión con el servidor de base de datos " + m_server + ": " +
                      why,
                  "pg:08006");
}

PGresult* PgConnection::wait_result(const std::string& what) {
    const auto deadline = SteadyClock::now() + statement_timeout;
    PGresult* kept = nullptr;
    for (;;) {
        while (PQisBusy(m_conn)) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - SteadyClock::now());
            if (left.count() <= 0) {
                PQclear(kept);
                lost("no respondió en " +
                     std::to_string(statement_timeout.count() / 1000) + " s [" +
                     what.substr(0, 80) + "]");
            }
            pollfd pfd{PQsocket(m_conn), POLLIN, 0};
            if (::poll(&pfd, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
                PQclear(kept);
                lost("error de red");
            }
            if (!PQconsumeInput(m_conn)) {
                PQclear(kept);
                lost(PQerrorMessage(m_conn));
            }
        }
        PGresult* r = PQgetResult(m_conn);
        if (!r) break;
        // Of several results (a script) the first failure is the one that tells.
        if (kept && !ok(kept)) {
            PQclear(r);
        } else {
            PQclear(kept);
            kept = r;
        }
    }
    if (!kept && PQstatus(m_conn) != CONNECTION_OK) lost(PQerrorMessage(m_conn));
    return kept;
}

PGresult* PgConnection::run(const std::string& name, const std::string& sql,
                            const std::vector<const char*>& values) {
    if (!m_conn) lost("la conexión ya estaba cerrada");
    int sent = name.empty() ? PQsendQuery(m_conn, sql.c_str())
                            : PQsendQueryPrepared(m_conn, name.c_str(),
                                                  static_cast<int>(values.size()), values.data(),
                                                  nullptr, nullptr, 0);
    if (!sent) lost(PQerrorMessage(m_conn));
    ++round_trips;
    return wait_result(sql);
}

const PgConnection::Prepared& PgConnection::prepared(const std::string& sql) {
    if (auto it = m_prepared.find(sql); it != m_prepared.end()) return it->second;
    if (!m_conn) lost("la conexión ya estaba cerrada");
    Prepared p;
    p.name = "qz" + std::to_string(m_prepared.size() + 1);
    std::string text = pg_placeholders(sql, &p.params);
    if (!PQsendPrepare(m_conn, p.name.c_str(), text.c_str(), 0, nullptr))
        lost(PQerrorMessage(m_conn));
    ++round_trips;
    PgResult r(wait_result(sql));
    check(r, sql);
    return m_prepared.emplace(sql, p).first->second;
}

std::unique_ptr<Statement> PgConnection::prepare(const std::string& sql) {
    return std::make_unique<PgStatement>(*this, sql);
}

void PgConnection::exec(const std::string& sql) {
    PgResult r(run("", sql, {}));
    check(r, sql);
}

void PgConnection::begin() {
    exec("BEGIN");
    m_in_tx = true;
}

void PgConnection::commit() {
    PgResult r(run("", "COMMIT", {}));
    m_in_tx = false;
    check(r, "COMMIT");
    // The server answers COMMIT of a transaction that an error aborted with ROLLBACK.
    if (std::string(PQcmdStatus(r.get())) == "ROLLBACK")
        throw DbError("El servidor anuló la transacción por un error anterior", "pg:25P02");
}

void PgConnection::rollback() {
    m_in_tx = false;
    // A lost connection has nothing left to undo: the server rolled back when it ended.
    if (!m_conn) return;
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
    auto st = prepare("SELECT 1 FROM pg_namespace WHERE nspname = ?");
    st->bind(1, alt);
    if (!alt.empty() && !st->step())
        throw DbError("No existe el conjunto de datos alterno " + alt + " en el servidor " +
                      m_server);
    std::string path = quote_ident(m_schema);
    if (!alt.empty()) path = quote_ident(alt) + ", " + path;
    exec("SET search_path TO " + path);
}

}  // namespace qz::data
