#include "data/backup.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>

#include "data/integrity.h"
#include "data/sql.h"

namespace qz::data {

namespace fs = std::filesystem;

namespace {

// About 1 MB of pages per step: between steps the source is free, so on a database that is not
// in WAL mode a writer waits for one step at most, never for the whole copy.
constexpr int kPagesPerStep = 256;
constexpr int kBusyTimeoutMs = 60000;

class SqliteFile {
public:
    SqliteFile(const std::string& path, int flags)
        : m_path(path), m_read_only(flags & SQLITE_OPEN_READONLY) {
        int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(m_db);  // the destructor does not run when the constructor throws
            m_db = nullptr;
            check(rc);
        }
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    }
    ~SqliteFile() { sqlite3_close_v2(m_db); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;
    sqlite3* get() const { return m_db; }

    void check(int rc) const {
        if (rc == SQLITE_OK || rc == SQLITE_DONE) return;
        std::string code = "sqlite:" + std::to_string(rc & 0xff);
        if (sqlite_damage_code(rc)) throw DbError(describe_sqlite_failure(m_path, rc), code);
        std::string what = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        throw DbError(std::string(m_read_only ? "No se pudo leer la base de datos "
                                              : "No se pudo escribir la copia ") +
                          m_path + " (" + what + ")",
                      code);
    }

private:
    std::string m_path;
    bool m_read_only;
    sqlite3* m_db = nullptr;
};

bool in_wal_mode(const SqliteFile& src) {
    sqlite3_stmt* st = nullptr;
    src.check(sqlite3_prepare_v2(src.get(), "PRAGMA journal_mode", -1, &st, nullptr));
    int rc = sqlite3_step(st);
    bool wal = rc == SQLITE_ROW &&
               std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "wal";
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW) src.check(rc);
    return wal;
}

// In WAL mode a reader never holds a writer back, so the copy keeps one read transaction open
// from start to end: every step reads the same state, and a steady stream of commits cannot
// make the backup start over again and again.
void hold_snapshot(const SqliteFile& src) {
    src.check(sqlite3_exec(src.get(), "BEGIN; SELECT count(*) FROM sqlite_schema;", nullptr,
                           nullptr, nullptr));
}

void copy_pages(const SqliteFile& src, const SqliteFile& dst) {
    const bool snapshot = in_wal_mode(src);
    if (snapshot) hold_snapshot(src);
    sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
    if (!b)
        throw DbError("No se pudo empezar la copia de seguridad (" +
                      std::string(sqlite3_errmsg(dst.get())) + ")");
    int rc = SQLITE_OK;
    while ((rc = sqlite3_backup_step(b, kPagesPerStep)) == SQLITE_OK)
        if (!snapshot) sqlite3_sleep(5);  // lets a waiting writer in before the next step
    int finished = sqlite3_backup_finish(b);
    src.check(rc == SQLITE_DONE ? finished : rc);
    if (snapshot) sqlite3_exec(src.get(), "COMMIT", nullptr, nullptr, nullptr);
}

void write_sound_copy(const std::string& db_path, const std::string& tmp) {
    {
        SqliteFile src(db_path, SQLITE_OPEN_READONLY);
        SqliteFile dst(tmp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        copy_pages(src, dst);
    }
    // The engine copies pages as they are: a damaged database gives a damaged copy, which must
    // not pass for a good backup.
    if (!check_sqlite_file(tmp, false).ok)
        throw DbError("No se guarda la copia. " + describe_sqlite_failure(db_path, SQLITE_CORRUPT),
                      "sqlite:" + std::to_string(SQLITE_CORRUPT));
}

void remove_partial(const std::string& tmp) {
    std::error_code ec;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(tmp + suffix, ec);
}

std::string shell_word(const std::string& s) {
    if (!s.empty() && s.find_first_of(" \t'\"\\$`!*?;&|<>()") == std::string::npos) return s;
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::map<std::string, std::string> conninfo_options(const std::string& conninfo) {
    char* err = nullptr;
    PQconninfoOption* opts = PQconninfoParse(conninfo.c_str(), &err);
    if (!opts) {
        PQfreemem(err);
        return {};
    }
    std::map<std::string, std::string> set;
    for (PQconninfoOption* o = opts; o->keyword; ++o)
        if (o->val && *o->val) set[o->keyword] = o->val;
    PQconninfoFree(opts);
    return set;
}

}  // namespace

void backup_sqlite(const std::string& db_path, const std::string& target) {
    if (fs::exists(target))
        throw DbError("Ya existe el archivo " + target + ": elija otro nombre para la copia");
    if (!fs::is_regular_file(db_path)) throw DbError("No existe la base de datos " + db_path);
    const std::string tmp = target + ".tmp";
    remove_partial(tmp);  // what an interrupted earlier copy left behind
    try {
        write_sound_copy(db_path, tmp);
        if (fs::exists(target))
            throw DbError("Ya existe el archivo " + target + ": elija otro nombre para la copia");
        fs::rename(tmp, target);
    } catch (...) {
        remove_partial(tmp);
        throw;
    }
    remove_partial(tmp);
}

std::string pg_dump_advice(const std::string& conninfo, const std::string& target) {
    auto o = conninfo_options(conninfo);
    if (o.empty())
        return "La instalación usa un servidor PostgreSQL, pero la cadena de conexión de ADS.DEF "
               "no se puede leer: revísela y haga la copia con pg_dump.";
    std::string cmd = "pg_dump -Fc";
    for (const auto& [key, flag] : {std::pair{"host", "-h"}, {"port", "-p"}, {"user", "-U"}})
        if (o.count(key)) cmd += std::string(" ") + flag + " " + shell_word(o[key]);
    std::string db = o.count("dbname") ? o["dbname"] : o.count("user") ? o["user"] : "";
    cmd += " -f " + shell_word(target) + (db.empty() ? "" : " " + shell_word(db));
    return "La instalación usa el servidor PostgreSQL" +
           (db.empty() ? std::string() : " (base de datos " + db + ")") +
           ": la copia de seguridad la hace el servidor. Ejecute, por ejemplo:\n  " + cmd +
           "\n(pg_dump pide la contraseña o la toma de ~/.pgpass).";
}

}  // namespace qz::data
