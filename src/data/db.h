#pragma once
// The session's data workspace: one connection, the work areas of the open tables and the
// transaction state. Everything the table layer keeps for the session lives here instead of in
// globals; the names of the members follow the variables the rest of the system knows.
#include <any>
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/ads_def.h"
#include "data/catalogue.h"
#include "data/guarded_connection.h"
#include "data/locks.h"
#include "data/sql.h"

namespace qz::data {

class WDBTable;

// Where the text of records goes for full-text search; the word index plugs in here.
class FullTextHook {
public:
    virtual ~FullTextHook() = default;
    // mode 1 removes the texts of a document from the index, mode 2 adds them.
    virtual void update(int mode, const std::string& negocio, const std::string& document,
                        const std::vector<std::string>& texts) = 0;
    // The same, told which table the record belongs to, so documents of different tables with
    // the same key stay apart in the index. The table layer calls this one.
    virtual void update(int mode, const std::string& table, const std::string& negocio,
                        const std::string& document, const std::vector<std::string>& texts) {
        (void)table;
        update(mode, negocio, document, texts);
    }
};

struct DbOptions {
    std::string home;                   // installation directory
    std::optional<AdsParams> ads;       // set when ADS.DEF exists: PostgreSQL
    std::string pg_schema;              // schema to work in ("" = the server's default)
    std::string ext_modulo = "XXX";     // module code, extension of temporary tables
    UserPort* port = nullptr;           // where contention messages go (required)
    Clock* clock = nullptr;             // business clock (required)
    // Check the SQLite file's integrity before using it (after an abnormal end of a session).
    bool verify_file = false;
    // Tests wrap the engine's connection (to inject faults or count round trips).
    std::function<std::unique_ptr<Connection>(std::unique_ptr<Connection>)> wrap_connection;
};

class Db {
public:
    // Connects to the installation's database: PostgreSQL when ADS.DEF is given, else the SQLite
    // file BASES/quartzen.db. The schema must exist (quartzen init).
    static std::unique_ptr<Db> open(const DbOptions& opts);
    ~Db();
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    Connection& conn();
    // The engine's own connection, under the guard and any test wrapper.
    Connection& engine() { return *m_engine; }
    Dialect dialect() const { return m_conn->dialect(); }
    const Catalogue& catalogue() const { return Catalogue::instance(); }
    UserPort& port() { return *m_opts.port; }
    Clock& clock() { return *m_opts.clock; }
    const std::string& home() const { return m_opts.home; }
    const std::optional<AdsParams>& ads() const { return m_opts.ads; }
    bool server() const { return dialect() == Dialect::PostgreSQL; }
    LockTable& locks() { return *m_locks; }
    std::string ext_modulo() const { return m_opts.ext_modulo; }
    void set_ext_modulo(const std::string& ext) { m_opts.ext_modulo = ext; }

    // The server's clock when connected to one (XDATE/XTIME ask it through the session Clock).
    std::optional<DateTime> server_now();
    // Connected sessions of this database and the server's version; none on the embedded one.
    struct ServerState {
        long sessions = 0;
        std::string version;
    };
    std::optional<ServerState> server_state();
    // The local database's engine and version ("SQLite 3.40.1"); "" on a server.
    std::string local_engine();

    // Alternate data set (XDBACCESS[1]): a sub-directory of BASES (SQLite) or a schema
    // (PostgreSQL) whose tables are used instead of the main ones where they exist.
    void set_alternate(const std::string& dir);
    const std::string& alternate() const { return m_alt; }
    // Whether an alternate data set of that name exists ("" is the main set: always).
    bool data_set_exists(const std::string& dir);
    // A shared table as SQL names it (quoted): the alternate set's when it has the table.
    std::string resolve_table(const std::string& name);

    // Lock number of a shared table (kept per session: it never changes).
    int lock_id(const std::string& table);
    // Which data set's locks a table opened as `sql_ref` takes (0 main, 1 alternate).
    int lock_set_of(const std::string& table, const std::string& sql_ref);
    // Locks of a table closed inside a transaction: released when the transaction ends.
    void keep_until_transaction_end(int table, LockKind kind, int64_t recno, LockScope scope);
    void release_transaction_locks();
    // Marks the open transaction as unable to commit (a failure inside it).
    void doom_transaction();

    // Work areas.
    int allocate_area();
    void register_area(int area, WDBTable* t);
    void release_area(int area);
    WDBTable* area(int n) const;
    int select(int n);  // makes an area current; returns the previous one
    // A handle wrote to a table: the others drop the rows they read ahead of it, and the rows
    // of it remembered for the transaction are forgotten.
    void table_written(const std::string& table);

    // Rows read by their full key inside the open transaction or a RowMemo, so a save that asks
    // for the same article or account many times reads it once. A write to the table forgets
    // its rows; the start and the end of a transaction and the end of the last memo forget them
    // all, so what a transaction reads under its locks is never an older copy.
    const std::any* remembered_row(const std::string& table, const std::string& key) const;
    void remember_row(const std::string& table, const std::string& key, std::any row);
    void forget_remembered_rows() { m_rows.clear(); }

    // Remembers rows read by their full key while it lives, outside a transaction too: for work
    // that reads the same master rows over and over in a moment (the checks before a sale).
    class RowMemo {
    public:
        explicit RowMemo(Db& db) : m_db(db) { ++m_db.m_memos; }
        ~RowMemo() {
            if (--m_db.m_memos == 0 && m_db.tx_depth == 0) m_db.forget_remembered_rows();
        }
        RowMemo(const RowMemo&) = delete;
        RowMemo& operator=(const RowMemo&) = delete;

    private:
        Db& m_db;
    };
    int selected() const { return m_selected; }

    // Waits of the lock loops: 100 ms between tries and 5 s of patience before telling the
    // user. Tests shorten them.
    std::chrono::milliseconds poll_interval{100};
    std::chrono::milliseconds patience{5000};

    FullTextHook* full_text = nullptr;
    // XTXT_SRCH_FILES: {table, document field} pairs taking part in full-text search.
    std::vector<std::pair<std::string, std::string>> XTXT_SRCH_FILES;

    // Session stamp written into logs.
    std::string XUSER_ABREVIA;

    std::array<long, 3> XRETRIES{0, 0, 0};
    int XADSTRANS = 0;
    int XTRANS_TIPO = 1;
    std::optional<int> XTRANS_ID;
    std::vector<std::pair<int, long>> XA_RECORDS;  // kind 1: {area, recno}; kind 2: {area, 0}
    std::string XADS_T_ERR;
    std::vector<std::pair<std::string, std::unique_ptr<WDBTable>>> XADSFILEBAG;
    std::vector<std::pair<int, std::string>> XFILES_AREA;
    int XCOMMITALL = 0;
    int tx_depth = 0;          // nested START_TRANSACTION calls
    bool tx_doomed = false;    // an inner block rolled back: the outer one cannot commit

    // Key counts of scopes already counted, valid while the connection's change version stays
    // the same: a grid reopened or refreshed over unchanged data need not count again.
    std::optional<long> cached_count(const std::string& scope_key);
    void remember_count(const std::string& scope_key, long count);

    // Names of this session's temporary tables, to make new names unique.
    std::vector<std::string> temp_tables;

private:
    explicit Db(DbOptions opts);
    static std::unique_ptr<Db> open_on(const DbOptions& opts, std::unique_ptr<Connection> engine);

    void wait_for_database(std::chrono::milliseconds waited);
    void check_schema_version();

    struct KeptLock {
        int table;
        LockKind kind;
        int64_t recno;
        LockScope scope;
    };

    DbOptions m_opts;
    std::unique_ptr<GuardedConnection> m_conn;
    Connection* m_engine = nullptr;  // the engine's connection (SQLite or PostgreSQL)
    std::map<std::string, int> m_lock_ids;
    std::vector<KeptLock> m_kept_locks;
    std::unique_ptr<LockTable> m_locks;
    std::map<int, WDBTable*> m_areas;
    int m_selected = 0;
    std::string m_alt;
    std::unique_ptr<Statement> m_now_stmt;
    std::string m_count_version;
    std::map<std::string, std::map<std::string, std::any>> m_rows;
    int m_memos = 0;
    std::map<std::string, long> m_counts;
};

// The SQLite database file of an installation.
std::string sqlite_path(const std::string& home);

}  // namespace qz::data
