#pragma once
// The session's connection as the table layer uses it: any failure of a statement inside an
// open transaction dooms that transaction, so that a posting whose error was swallowed on the
// way (a destructor, a handler that went on) can never commit without the failed row.
#include <memory>
#include <string>

#include "data/sql.h"

namespace qz::data {

class GuardedConnection : public ConnectionDecorator {
public:
    using ConnectionDecorator::ConnectionDecorator;

    std::unique_ptr<Statement> prepare(const std::string& sql) override;
    void exec(const std::string& sql) override;
    void begin() override;
    // A doomed transaction rolls back and the commit fails.
    void commit() override;
    void rollback() override;

    bool doomed() const { return m_doomed; }
    void doom() {
        if (in_transaction()) m_doomed = true;
    }

private:
    bool m_doomed = false;
};

}  // namespace qz::data
