#pragma once
// Record, file and open locks between processes. A lock belongs to the process and dies with it:
// on SQLite they are open-file-description locks on a side file, on PostgreSQL advisory locks of
// the session. Inside one process the LockTable counts holders, so two handles of the same table
// never release each other's locks.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <set>
#include <tuple>

#include "data/sql.h"

namespace qz::data {

enum class LockKind { Record, File, OpenShared, OpenExclusive };

class LockBackend {
public:
    virtual ~LockBackend() = default;
    // Tries once; never waits.
    virtual bool try_acquire(int table, LockKind kind, int64_t recno) = 0;
    virtual void release(int table, LockKind kind, int64_t recno) = 0;
    // Whether many record locks of one table are better held as its file lock: a server keeps
    // every lock in a fixed shared area, and a cascade over a large table would exhaust it.
    virtual bool escalates() const { return false; }
};

// Side file "<database>.locks": one byte per (table, record) at table << 32 | record; byte 0 of a
// table's range is its open lock and the rest of the range its file lock.
std::unique_ptr<LockBackend> make_ofd_lock_backend(const std::string& path);
// Advisory locks keyed by installation, table and record; `alternate` keys the tables of an
// alternate data set apart from the main ones of the same name.
std::unique_ptr<LockBackend> make_pg_lock_backend(Connection& c, int installation,
                                                  bool alternate = false);
// For tables only this process can see (temporary tables): nothing to tell other processes.
std::unique_ptr<LockBackend> make_private_lock_backend();

// Which locks a lock call means: the data set (0 main, 1 alternate), or a private table.
struct LockScope {
    int set = 0;
    bool private_table = false;
};

class LockTable {
public:
    explicit LockTable(std::unique_ptr<LockBackend> shared);
    // The backend of the alternate data set's tables (none: they share the main one's).
    void set_alternate(std::unique_ptr<LockBackend> backend);
    bool try_acquire(int table, LockKind kind, int64_t recno, LockScope scope = {});
    // Never throws: a release the backend refuses (a server transaction in error) is kept as
    // still held and tried again by retry_failed() or taken back by the next acquire, so the
    // counts always say what the backend holds.
    void release(int table, LockKind kind, int64_t recno, LockScope scope = {});
    void retry_failed();
    // Locks this session holds (for tests and diagnostics).
    size_t held() const { return m_counts.size() + m_failed.size(); }
    // Past this many record locks of one table, on a backend that escalates, the table's file
    // lock is taken instead and covers every further record of it; tried again after as many
    // more when another workstation holds a record of the table.
    void set_escalation_threshold(int records) { m_escalate_at = records; }

private:
    using Key = std::tuple<bool, int, int, int, int64_t>;
    using TableKey = std::tuple<bool, int, int>;
    struct TableRecords {
        int records = 0;  // distinct record locks held, covered ones included
        int next_try = 0;
        bool escalated = false;
    };
    LockBackend& backend(const Key& k);
    bool acquire_record(const Key& k, int table, int64_t recno, LockScope scope);
    void released_record(const Key& k, int table, LockScope scope);
    std::unique_ptr<LockBackend> m_shared;
    std::unique_ptr<LockBackend> m_alternate;
    std::unique_ptr<LockBackend> m_private;
    std::map<Key, int> m_counts;
    std::set<Key> m_failed;  // released by this session, still held by the backend
    std::set<Key> m_covered;  // record locks granted under their table's escalated file lock
    std::map<TableKey, TableRecords> m_tables;
    int m_escalate_at = 128;
};

}  // namespace qz::data
