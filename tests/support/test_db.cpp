#include "support/test_db.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "data/catalogue.h"
#include "data/install.h"
#include "data/pg_connection.h"
#include "data/schema.h"
#include "data/sql.h"

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

// Every PostgreSQL fixture gets a database of its own, copied from a template database that holds
// the migrated schema. Creating the schema costs about a second on each fixture; copying the
// template a third of that. The template's name carries a digest of the statements that create
// the schema, so a changed catalogue builds a new template instead of reusing a stale one.
constexpr const char* kPgSchema = "qz";

std::string schema_digest() {
    std::string ddl = std::to_string(data::kSchemaVersion);
    const auto& cat = data::Catalogue::instance();
    for (const auto& name : cat.names()) {
        const data::TableDef& t = *cat.find(name);
        if (t.is_template()) continue;
        for (const auto& s : data::create_table_sql(t, t.name(), data::Dialect::PostgreSQL, false))
            ddl += s;
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016zx", std::hash<std::string>{}(ddl));
    return buf;
}

bool database_exists(data::PgConnection& admin, const std::string& name) {
    auto st = admin.prepare("SELECT 1 FROM pg_database WHERE datname = ?");
    st->bind(1, name);
    return st->step();
}

// The template database, built once per schema digest under an advisory lock, so test programs
// running side by side build it once between them. It is built under a temporary name and renamed
// when complete: a build that dies halfway never becomes the template.
std::string template_database(const std::string& base) {
    static const std::string name = "qz_tmpl_" + schema_digest();
    data::PgConnection admin(base);
    admin.exec("SELECT pg_advisory_lock(770011)");
    try {
        if (!database_exists(admin, name)) {
            const std::string building = name + "_building";
            admin.exec("DROP DATABASE IF EXISTS " + data::quote_ident(building) + " WITH (FORCE)");
            admin.exec("CREATE DATABASE " + data::quote_ident(building));
            const auto home = fs::temp_directory_path() / ("qz_tmpl_" + std::to_string(getpid()));
            data::create_directories(home.string());
            std::ofstream(home / "ADS.DEF") << base << " dbname=" << building << "\r";
            data::init_installation(home.string(), kPgSchema);
            fs::remove_all(home);
            admin.exec("ALTER DATABASE " + data::quote_ident(building) + " RENAME TO " +
                       data::quote_ident(name));
        }
    } catch (...) {
        admin.exec("SELECT pg_advisory_unlock(770011)");
        throw;
    }
    admin.exec("SELECT pg_advisory_unlock(770011)");
    return name;
}
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
        const std::string base = pg_conninfo();
        const std::string source = template_database(base);
        m_database = "t_" + std::to_string(getpid()) + "_" + std::to_string(n);
        data::PgConnection admin(base);
        admin.exec("DROP DATABASE IF EXISTS " + data::quote_ident(m_database) + " WITH (FORCE)");
        // A file copy is the quickest for a database of empty tables on a server without fsync.
        admin.exec("CREATE DATABASE " + data::quote_ident(m_database) + " TEMPLATE " +
                   data::quote_ident(source) + " STRATEGY FILE_COPY");
        m_conninfo = base + " dbname=" + m_database;
        m_schema = kPgSchema;
        std::ofstream(m_home + "/ADS.DEF") << m_conninfo << "\r";
        return;
    }
    data::init_installation(m_home, m_schema);
}

TestInstall::~TestInstall() {
    if (m_engine == Engine::PostgreSQL) {
        try {
            data::PgConnection c(pg_conninfo());
            c.exec("DROP DATABASE IF EXISTS " + data::quote_ident(m_database) + " WITH (FORCE)");
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
