#include "data/guarded_connection.h"

namespace qz::data {

namespace {

class GuardedStatement : public Statement {
public:
    GuardedStatement(std::unique_ptr<Statement> inner, GuardedConnection& c)
        : m_inner(std::move(inner)), m_conn(c) {}

    void bind(int index, const SqlValue& v) override {
        guard([&] { m_inner->bind(index, v); });
    }
    bool step() override {
        bool row = false;
        guard([&] { row = m_inner->step(); });
        return row;
    }
    void reset() override { m_inner->reset(); }
    bool is_null(int col) const override { return m_inner->is_null(col); }
    int64_t int_at(int col) const override { return m_inner->int_at(col); }
    std::string text_at(int col) const override { return m_inner->text_at(col); }
    int columns() const override { return m_inner->columns(); }

private:
    template <class F>
    void guard(F&& f) {
        try {
            f();
        } catch (...) {
            m_conn.doom();
            throw;
        }
    }
    std::unique_ptr<Statement> m_inner;
    GuardedConnection& m_conn;
};

}  // namespace

std::unique_ptr<Statement> GuardedConnection::prepare(const std::string& sql) {
    try {
        return std::make_unique<GuardedStatement>(inner().prepare(sql), *this);
    } catch (...) {
        doom();
        throw;
    }
}

void GuardedConnection::exec(const std::string& sql) {
    try {
        inner().exec(sql);
    } catch (...) {
        doom();
        throw;
    }
}

void GuardedConnection::begin() {
    inner().begin();
    m_doomed = false;
}

void GuardedConnection::commit() {
    if (m_doomed) {
        m_doomed = false;
        inner().rollback();
        throw DbError("La transacción no se guardó: una operación dentro de ella falló",
                      "qz:doomed");
    }
    inner().commit();
}

void GuardedConnection::rollback() {
    m_doomed = false;
    inner().rollback();
}

}  // namespace qz::data
