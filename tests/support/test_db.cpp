#include "support/test_db.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "data/install.h"
#include "data/pg_connection.h"

namespace qz::test {

namespace fs = std::filesystem;

std::string engine_name(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

namespace {
class NoWait : public WaitWindow {
public:
    void put_text(const std::string&) override {}
    void progress(long, long) override {}
    bool cancelled() override { return false; }
};

std::string pg_conninfo() {
    const char* v = std::getenv("QZ_TEST_PG");
    return v ? v : "";
}

std::atomic<int> g_counter{0};
}  // namespace

void ScriptedPort::message(MsgStyle, const std::string& title, const std::string& text) {
    messages.push_back(title + ": " + text);
}
bool ScriptedPort::confirm(const std::string&, const std::string&) { return answer; }
std::unique_ptr<WaitWindow> ScriptedPort::wait(const std::string&) {
    return std::make_unique<NoWait>();
}

bool engine_available(Engine e) { return e == Engine::SQLite || !pg_conninfo().empty(); }

TestInstall::TestInstall(Engine e) : m_engine(e) {
    int n = ++g_counter;
    m_home = (fs::temp_directory_path() /
              ("qz_test_" + std::to_string(getpid()) + "_" + std::to_string(n)))
                 .string();
    fs::remove_all(m_home);
    data::create_directories(m_home);
    if (e == Engine::PostgreSQL) {
        m_conninfo = pg_conninfo();
        m_schema = "t_" + std::to_string(getpid()) + "_" + std::to_string(n);
        std::ofstream(m_home + "/ADS.DEF") << m_conninfo << "\r";
    }
    data::init_installation(m_home, m_schema);
}

TestInstall::~TestInstall() {
    if (m_engine == Engine::PostgreSQL) {
        try {
            data::PgConnection c(m_conninfo);
            c.exec("DROP SCHEMA IF EXISTS " + data::quote_ident(m_schema) + " CASCADE");
        } catch (...) {
        }
    }
    std::error_code ec;
    fs::remove_all(m_home, ec);
}

std::unique_ptr<data::Db> TestInstall::open() { return open(&port); }

std::unique_ptr<data::Db> TestInstall::open(
    UserPort* p,
    std::function<std::unique_ptr<data::Connection>(std::unique_ptr<data::Connection>)> wrap) {
    data::DbOptions o;
    o.home = m_home;
    o.ads = data::read_ads_def(m_home);
    o.pg_schema = m_schema;
    o.port = p ? p : &port;
    o.wrap_connection = std::move(wrap);
    o.clock = &clock;
    o.ext_modulo = "SPA";
    return data::Db::open(o);
}

std::vector<std::string> TestInstall::process_args() const { return {m_home, m_schema}; }

std::string tools_dir() { return QZ_TOOLS_DIR; }

int spawn_tool(const std::string& tool, const std::vector<std::string>& args) {
    std::string path = tools_dir() + "/" + tool;
    // A helper left out of the build would otherwise show only as exit status 127.
    if (!std::filesystem::exists(path)) throw std::runtime_error("test helper not built: " + path);
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

int wait_tool(int pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace qz::test
