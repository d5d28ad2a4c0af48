#pragma once
// Record, file and open locks between processes. A lock belongs to the process and dies with it:
// on SQLite they are open-file-description locks on a side file, on PostgreSQL advisory locks of
// the session. Inside one process the LockTable counts holders, so two handles of the same table
// never release each other's locks.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
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
};

// Side file "<database>.locks": one byte per (table, record) at table << 32 | record; byte 0 of a
// table's range is its open lock and the rest of the range its file lock.
std::unique_ptr<LockBackend> make_ofd_lock_backend(const std::string& path);
// Advisory locks keyed by installation, table and record.
std::unique_ptr<LockBackend> make_pg_lock_backend(Connection& c, int installation);
// For tables only this process can see (temporary tables): nothing to tell other processes.
std::unique_ptr<LockBackend> make_private_lock_backend();

class LockTable {
public:
    explicit LockTable(std::unique_ptr<LockBackend> shared);
    bool try_acquire(int table, LockKind kind, int64_t recno, bool private_table = false);
    void release(int table, LockKind kind, int64_t recno, bool private_table = false);

private:
    using Key = std::tuple<bool, int, int, int64_t>;
    std::unique_ptr<LockBackend> m_shared;
    std::unique_ptr<LockBackend> m_private;
    std::map<Key, int> m_counts;
};

}  // namespace qz::data
