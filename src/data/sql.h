#pragma once
// The thin seam between the table layer and a database client: prepared statements with
// positional "?" parameters, rows read column by column. SQLite and libpq implement it.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

namespace qz::data {

class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& what, std::string code = {})
        : std::runtime_error(what), m_code(std::move(code)) {}
    // The engine's own code, independent of the language of its messages: "sqlite:5"
    // (primary result code) or "pg:55P03" (SQLSTATE); empty for the layer's own errors.
    const std::string& code() const { return m_code; }
    // Another workstation holds what this one needs (busy, locked, deadlock, serialisation).
    bool contention() const;

private:
    std::string m_code;
};

// Raised when a transaction's guarded block must be abandoned (a lock that could not be had, a
// rolled-back inner block); the posting catches it, rolls back and shows its own message.
class TransactionAborted : public DbError {
public:
    explicit TransactionAborted(const std::string& what) : DbError(what) {}
};

enum class Dialect { SQLite, PostgreSQL };

using SqlValue = std::variant<std::monostate, int64_t, std::string>;

class Statement {
public:
    virtual ~Statement() = default;
    // Parameters are 1-based and stay bound until rebound.
    virtual void bind(int index, const SqlValue& v) = 0;
    // Runs (first call) or advances; false when no (more) rows.
    virtual bool step() = 0;
    // Ends the current execution so the statement can run again.
    virtual void reset() = 0;
    virtual bool is_null(int col) const = 0;  // 0-based columns
    virtual int64_t int_at(int col) const = 0;
    virtual std::string text_at(int col) const = 0;
    virtual int columns() const = 0;
};

class Connection {
public:
    virtual ~Connection() = default;
    virtual Dialect dialect() const = 0;
    virtual std::unique_ptr<Statement> prepare(const std::string& sql) = 0;
    // Runs one or more statements without parameters or results.
    virtual void exec(const std::string& sql) = 0;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool in_transaction() const = 0;
    // Qualified name of a table for SQL; `alt_schema` names an alternate data set ("" = none).
    virtual bool table_exists(const std::string& schema, const std::string& table) = 0;
    // A value that changes whenever anything may have changed in the database since it was last
    // read: a commit of another connection or any change through this one. Nothing when the
    // engine cannot tell cheaply; then nothing derived from the data may be cached.
    virtual std::optional<std::string> change_version() { return std::nullopt; }
    // Whether this connection holds a lock that every other writer of the database must wait
    // for (SQLite's single write lock, held from a transaction's first write to its end). While
    // it does, waiting for a record lock could invert with a workstation that holds the record
    // and waits for the write lock.
    virtual bool holds_write_lock() const { return false; }
    // Called while the database keeps this connection waiting for another process (SQLite's
    // write lock), with the time waited so far; it may tell the user, and it may throw to stop.
    std::function<void(std::chrono::milliseconds)> on_wait;
    // Convenience: first column of the first row, or nullopt.
    std::optional<std::string> scalar(const std::string& sql);
};

// Wraps a connection, forwarding everything; decorators (the transaction guard, and tests'
// fault-injecting and counting connections) override what they add to.
class ConnectionDecorator : public Connection {
public:
    explicit ConnectionDecorator(std::unique_ptr<Connection> inner) : m_inner(std::move(inner)) {
        m_inner->on_wait = [this](std::chrono::milliseconds waited) {
            if (on_wait) on_wait(waited);
        };
    }
    Connection& inner() { return *m_inner; }
    Dialect dialect() const override { return m_inner->dialect(); }
    std::unique_ptr<Statement> prepare(const std::string& sql) override {
        return m_inner->prepare(sql);
    }
    void exec(const std::string& sql) override { m_inner->exec(sql); }
    void begin() override { m_inner->begin(); }
    void commit() override { m_inner->commit(); }
    void rollback() override { m_inner->rollback(); }
    bool in_transaction() const override { return m_inner->in_transaction(); }
    bool table_exists(const std::string& schema, const std::string& table) override {
        return m_inner->table_exists(schema, table);
    }
    std::optional<std::string> change_version() override { return m_inner->change_version(); }
    bool holds_write_lock() const override { return m_inner->holds_write_lock(); }

private:
    std::unique_ptr<Connection> m_inner;
};

// Double quotes an identifier for SQL.
std::string quote_ident(const std::string& name);
// Single quotes a literal for SQL text built from trusted catalogue values only.
std::string quote_literal(const std::string& text);

}  // namespace qz::data
