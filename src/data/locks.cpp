#include "data/locks.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

namespace qz::data {

namespace {

class OfdLocks : public LockBackend {
public:
    explicit OfdLocks(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd < 0)
            throw DbError("No se puede abrir el archivo de bloqueos " + path + ": " +
                          std::strerror(errno));
    }
    ~OfdLocks() override { ::close(m_fd); }

    bool try_acquire(int table, LockKind kind, int64_t recno) override {
        return apply(table, kind, recno, kind == LockKind::OpenShared ? F_RDLCK : F_WRLCK);
    }
    void release(int table, LockKind kind, int64_t recno) override {
        apply(table, kind, recno, F_UNLCK);
    }

private:
    bool apply(int table, LockKind kind, int64_t recno, short type) {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        off_t base = static_cast<off_t>(table) << 32;
        switch (kind) {
            case LockKind::Record:
                fl.l_start = base + recno;
                fl.l_len = 1;
                break;
            case LockKind::File:
                fl.l_start = base + 1;
                fl.l_len = (static_cast<off_t>(1) << 32) - 1;
                break;
            default:
                fl.l_start = base;
                fl.l_len = 1;
        }
        if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0) return true;
        if (errno == EAGAIN || errno == EACCES) return false;
        throw DbError(std::string("bloqueo: ") + std::strerror(errno));
    }
    int m_fd = -1;
};

class PgLocks : public LockBackend {
public:
    PgLocks(Connection& c, int installation, bool alternate)
        : m_conn(c), m_inst(installation), m_alt(alternate) {}

    // A record lock also holds its table's file key shared, so a file lock excludes them all.
    bool try_acquire(int table, LockKind kind, int64_t recno) override {
        switch (kind) {
            case LockKind::Record:
                return call2(kRecordLock, key(table, kFileSlot), key(table, recno));
            case LockKind::File:
                return call("pg_try_advisory_lock", key(table, kFileSlot));
            case LockKind::OpenShared:
                return call("pg_try_advisory_lock_shared", key(table, kOpenSlot));
            case LockKind::OpenExclusive:
                return call("pg_try_advisory_lock", key(table, kOpenSlot));
        }
        return false;
    }

    bool escalates() const override { return true; }

    void release(int table, LockKind kind, int64_t recno) override {
        switch (kind) {
            case LockKind::Record:
                call2(kRecordUnlock, key(table, kFileSlot), key(table, recno));
                break;
            case LockKind::File:
                call("pg_advisory_unlock", key(table, kFileSlot));
                break;
            case LockKind::OpenShared:
                call("pg_advisory_unlock_shared", key(table, kOpenSlot));
                break;
            case LockKind::OpenExclusive:
                call("pg_advisory_unlock", key(table, kOpenSlot));
                break;
        }
    }

private:
    static constexpr int64_t kOpenSlot = 0xFFFFFFFFLL, kFileSlot = 0xFFFFFFFELL;
    // A record lock also holds its table's file key shared; both in one round trip, the shared
    // one given back when the record is taken by someone else.
    static constexpr const char* kRecordLock =
        "SELECT CASE WHEN pg_try_advisory_lock_shared(CAST(? AS BIGINT)) THEN CASE WHEN "
        "pg_try_advisory_lock(CAST(? AS BIGINT)) THEN 't' WHEN pg_advisory_unlock_shared(CAST(? "
        "AS BIGINT)) THEN 'f' ELSE 'f' END ELSE 'f' END";
    static constexpr const char* kRecordUnlock =
        "SELECT pg_advisory_unlock(CAST(? AS BIGINT)) AND "
        "pg_advisory_unlock_shared(CAST(? AS BIGINT))";
    int64_t key(int table, int64_t slot) const {
        return (static_cast<int64_t>(m_inst & 0x7FFF) << 48) | (m_alt ? 1LL << 47 : 0) |
               (static_cast<int64_t>(table & 0x7FFF) << 32) | (slot & 0xFFFFFFFFLL);
    }
    bool call2(const char* sql, int64_t file_key, int64_t record_key) {
        auto& st = m_stmts[sql];
        if (!st) st = m_conn.prepare(sql);
        if (sql == kRecordLock) {
            st->bind(1, file_key);
            st->bind(2, record_key);
            st->bind(3, file_key);
        } else {
            st->bind(1, record_key);
            st->bind(2, file_key);
        }
        bool ok = st->step() && st->text_at(0) == "t";
        st->reset();
        return ok;
    }
    bool call(const std::string& fn, int64_t k) {
        auto& st = m_stmts[fn];
        if (!st) st = m_conn.prepare("SELECT " + fn + "(CAST(? AS BIGINT))");
        st->bind(1, k);
        bool ok = st->step() && (st->text_at(0) == "t" || st->text_at(0).empty());
        st->reset();
        return ok;
    }
    Connection& m_conn;
    int m_inst;
    bool m_alt;
    std::map<std::string, std::unique_ptr<Statement>> m_stmts;
};

// Private tables are seen by this process only, so the counts of the LockTable are the locks.
class PrivateLocks : public LockBackend {
public:
    bool try_acquire(int, LockKind, int64_t) override { return true; }
    void release(int, LockKind, int64_t) override {}
};

}  // namespace

std::unique_ptr<LockBackend> make_ofd_lock_backend(const std::string& path) {
    return std::make_unique<OfdLocks>(path);
}
std::unique_ptr<LockBackend> make_pg_lock_backend(Connection& c, int installation,
                                                  bool alternate) {
    return std::make_unique<PgLocks>(c, installation, alternate);
}
std::unique_ptr<LockBackend> make_private_lock_backend() {
    return std::make_unique<PrivateLocks>();
}

LockTable::LockTable(std::unique_ptr<LockBackend> shared)
    : m_shared(std::move(shared)), m_private(make_private_lock_backend()) {}

void LockTable::set_alternate(std::unique_ptr<LockBackend> backend) {
    m_alternate = std::move(backend);
}

LockBackend& LockTable::backend(const Key& k) {
    if (std::get<0>(k)) return *m_private;
    return std::get<1>(k) != 0 && m_alternate ? *m_alternate : *m_shared;
}

bool LockTable::try_acquire(int table, LockKind kind, int64_t recno, LockScope scope) {
    Key k{scope.private_table, scope.set, table, static_cast<int>(kind), recno};
    if (!m_failed.empty()) retry_failed();
    if (m_failed.erase(k)) {
        m_counts[k] = 1;  // the backend never let it go
        if (kind == LockKind::Record) ++m_tables[{scope.private_table, scope.set, table}].records;
        return true;
    }
    auto it = m_counts.find(k);
    if (it != m_counts.end()) {
        ++it->second;
        return true;
    }
    if (kind == LockKind::Record) return acquire_record(k, table, recno, scope);
    if (!backend(k).try_acquire(table, kind, recno)) return false;
    m_counts[k] = 1;
    return true;
}

// A file lock of our own does not conflict with the file key our record locks hold shared, but
// one record held by another workstation refuses it; then the records go on one by one.
bool LockTable::acquire_record(const Key& k, int table, int64_t recno, LockScope scope) {
    TableRecords& tr = m_tables[{scope.private_table, scope.set, table}];
    if (!tr.escalated && tr.records >= std::max(tr.next_try, m_escalate_at) &&
        backend(k).escalates()) {
        tr.next_try = tr.records + m_escalate_at;
        tr.escalated = try_acquire(table, LockKind::File, 0, scope);
    }
    if (tr.escalated) {
        m_covered.insert(k);
    } else if (!backend(k).try_acquire(table, LockKind::Record, recno)) {
        if (tr.records == 0) m_tables.erase({scope.private_table, scope.set, table});
        return false;
    }
    m_counts[k] = 1;
    ++tr.records;
    return true;
}

// The escalated file lock goes with the table's last record lock.
void LockTable::released_record(const Key& k, int table, LockScope scope) {
    m_covered.erase(k);
    auto it = m_tables.find({scope.private_table, scope.set, table});
    if (it == m_tables.end() || --it->second.records > 0) return;
    const bool escalated = it->second.escalated;
    m_tables.erase(it);
    if (escalated) release(table, LockKind::File, 0, scope);
}

void LockTable::release(int table, LockKind kind, int64_t recno, LockScope scope) {
    Key k{scope.private_table, scope.set, table, static_cast<int>(kind), recno};
    auto it = m_counts.find(k);
    if (it == m_counts.end()) return;
    if (--it->second > 0) return;
    m_counts.erase(it);
    if (kind == LockKind::Record) {
        const bool covered = m_covered.count(k) > 0;
        released_record(k, table, scope);
        if (covered) return;
    }
    // Tried twice: a passing failure must not keep the record from the other workstations until
    // this session happens to lock something again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            backend(k).release(table, kind, recno);
            return;
        } catch (...) {
        }
    }
    m_failed.insert(k);
}

void LockTable::retry_failed() {
    for (auto it = m_failed.begin(); it != m_failed.end();) {
        const auto& [priv, set, table, kind, recno] = *it;
        try {
            backend(*it).release(table, static_cast<LockKind>(kind), recno);
            it = m_failed.erase(it);
        } catch (...) {
            ++it;
        }
    }
}

}  // namespace qz::data
