#pragma once
// A throwaway installation for data and domain tests, on SQLite or on the PostgreSQL server the
// test script starts (QZ_TEST_PG holds its connection string; each fixture gets its own database).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::test {

enum class Engine { SQLite, PostgreSQL };
std::string engine_name(const ::testing::TestParamInfo<Engine>& info);

// Answers questions from a script and remembers every message shown.
class ScriptedPort : public UserPort {
public:
    void message(MsgStyle style, const std::string& title, const std::string& text) override;
    bool confirm(const std::string& title, const std::string& text) override;
    std::unique_ptr<WaitWindow> wait(const std::string& title) override;
    std::vector<std::string> messages;
    bool answer = true;
};

class TestInstall {
public:
    explicit TestInstall(Engine e);
    ~TestInstall();
    // A new session (connection) on the installation; `port` replaces the shared scripted one
    // and `wrap` wraps the engine's connection (fault injection).
    std::unique_ptr<data::Db> open();
    std::unique_ptr<data::Db> open(UserPort* port,
                                   std::function<std::unique_ptr<data::Connection>(
                                       std::unique_ptr<data::Connection>)> wrap = {});
    // Arguments for a helper process to open the same installation.
    std::vector<std::string> process_args() const;
    const std::string& home() const { return m_home; }
    const std::string& schema() const { return m_schema; }
    // The connection string of the fixture's own PostgreSQL database.
    const std::string& conninfo() const { return m_conninfo; }
    Engine engine() const { return m_engine; }

    ScriptedPort port;
    Clock clock;

private:
    Engine m_engine;
    std::string m_home, m_schema, m_conninfo, m_database;
};

// Skips the test when the engine is not available here.
bool engine_available(Engine e);

// Where the test programs and tests/tools helpers are built.
std::string tools_dir();
// Runs a helper program from tests/tools; returns its pid (started, not waited for).
int spawn_tool(const std::string& tool, const std::vector<std::string>& args);
int wait_tool(int pid);  // exit status

}  // namespace qz::test
