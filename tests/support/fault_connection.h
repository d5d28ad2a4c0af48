#pragma once
// A connection that fails on purpose: the n-th statement from now, or the n-th COMMIT answered
// as if the server had rolled back. It sits between the session's guard and the engine, where a
// real failure would come from. (A lost connection is the real thing in the tests: the server
// ends the session.)
#include <memory>
#include <string>

#include "data/sql.h"

namespace qz::test {

class FaultConnection : public data::ConnectionDecorator {
public:
    enum class Mode { None, FailNth, CommitAsRollback };
    using ConnectionDecorator::ConnectionDecorator;

    // Arms a fault counted from the next statement (1 = the next one).
    void arm(Mode mode, long n = 1) {
        m_mode = mode;
        m_left = n;
        fired = false;
    }
    void disarm() { m_mode = Mode::None; }
    bool fired = false;
    std::string fired_at;  // the statement that failed
    long statements = 0;  // statements run since the connection was made

    // Counts a statement about to run; throws when the armed fault is due.
    void tick(const std::string& what = "") {
        ++statements;
        if (m_mode != Mode::FailNth || --m_left > 0) return;
        fired = true;
        fired_at = what;
        m_mode = Mode::None;
        throw data::DbError("falla inyectada", "test:fault");
    }

    std::unique_ptr<data::Statement> prepare(const std::string& sql) override;
    void exec(const std::string& sql) override {
        tick(sql);
        inner().exec(sql);
    }
    void begin() override {
        tick();
        inner().begin();
    }
    void commit() override {
        if (m_mode == Mode::CommitAsRollback && --m_left == 0) {
            m_mode = Mode::None;
            fired = true;
            inner().rollback();
            throw data::DbError("COMMIT respondido con ROLLBACK", "pg:25P02");
        }
        tick();
        inner().commit();
    }

private:
    Mode m_mode = Mode::None;
    long m_left = 0;
};

namespace detail {
class FaultStatement : public data::Statement {
public:
    FaultStatement(std::unique_ptr<data::Statement> inner, FaultConnection& c, std::string sql)
        : m_inner(std::move(inner)), m_conn(c), m_sql(std::move(sql)) {}
    void bind(int i, const data::SqlValue& v) override {
        m_fresh = true;
        m_inner->bind(i, v);
    }
    bool step() override {
        if (m_fresh) m_conn.tick(m_sql);
        m_fresh = false;
        return m_inner->step();
    }
    void reset() override {
        m_fresh = true;
        m_inner->reset();
    }
    bool is_null(int c) const override { return m_inner->is_null(c); }
    int64_t int_at(int c) const override { return m_inner->int_at(c); }
    std::string text_at(int c) const override { return m_inner->text_at(c); }
    int columns() const override { return m_inner->columns(); }

private:
    std::unique_ptr<data::Statement> m_inner;
    FaultConnection& m_conn;
    std::string m_sql;
    bool m_fresh = true;
};
}  // namespace detail

inline std::unique_ptr<data::Statement> FaultConnection::prepare(const std::string& sql) {
    return std::make_unique<detail::FaultStatement>(inner().prepare(sql), *this, sql);
}

}  // namespace qz::test
