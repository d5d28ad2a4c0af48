#pragma once
// A table handle: one open table in one work area, walked along one of its orders.
//
// Positioning follows the (key, record number) of the active order. A skip moves from the place
// the handle stood, so rewriting the key of the current row does not make a walk jump; a row
// whose key this handle moved is not visited a second time by the same walk.
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/catalogue.h"
#include "data/db.h"
#include "data/value.h"

namespace qz::data {

struct UseOptions {
    std::string order;            // order tag; "" = record-number order
    bool shared = true;
    bool read_only = false;
    std::string directory = "BASES";
};

class WDBTable {
public:
    // `sql_ref` is the table as SQL names it (quoted, qualified when in an alternate data set).
    WDBTable(Db& db, const TableDef& def, std::string name, std::string sql_ref, int area,
             bool temporary, const UseOptions& opts, int lock_set = 0);
    ~WDBTable();
    WDBTable(const WDBTable&) = delete;
    WDBTable& operator=(const WDBTable&) = delete;

    // Identity.
    std::string Cargo;    // "" shared, "BORRAR" temporary
    std::string Alias;
    int Area = 0;
    std::string Name;     // upper-case name
    std::string RDD;      // "ADSCDX" on the server, "DBFCDX" on the local database
    int SEARCH_TXT = 0;   // 1 when the table takes part in full-text search
    std::string search_field;  // its document-key field

    const TableDef& def() const { return m_def; }
    const std::string& sql_ref() const { return m_sql; }
    bool temporary() const { return m_temp; }
    Db& db() { return m_db; }

    // Orders and scopes.
    void SetOrder(const std::string& tag);
    const std::string& order() const { return m_order_tag; }
    void SetScope(const std::string& top, const std::string& bottom);
    void ClearScope();
    long KeyCount();  // rows within the scope
    long KeyNo();     // 1-based position of the current row within the scope; 0 at EOF
    // KeyNo, given the key count of the scope: it counts from whichever end of the scope is
    // nearer, so a row near the end of a large order costs as little as one near the start.
    long KeyNo(long key_count);
    // Goes to the n-th row (1-based) of the order within the scope, reading the index from its
    // nearer end when the key count is given (0: from the start). False and EOF when there is
    // no such row.
    bool GoToKeyNo(long n, long key_count = 0);

    // Navigation.
    bool Seek(const std::string& key, bool soft = false);
    bool SeekLast(const std::string& key);
    void Skip(long n = 1);
    void GoTop();
    // Goes to the top as GoTop does, but reads it only when something asks where the table
    // stands: a table opened only to be sought is never read at its top.
    void GoTopLazily() { m_top_pending = true; }
    void GoBottom();
    void GoTo(long recno);
    void _RecNo(long recno) { GoTo(recno); }
    bool Eof() const {
        settle();
        return m_eof;
    }
    bool BOF() const {
        settle();
        return m_bof;
    }
    bool Found() const { return m_found; }
    long RecNo();
    long LastRec();
    long RecCount() { return LastRec(); }
    bool Deleted() const {
        settle();
        return m_deleted;
    }
    // The active order's key of the current row (as positioned).
    const std::string& CurrentKey() const {
        settle();
        return m_key;
    }

    // Fields.
    int FCount() const { return static_cast<int>(m_def.fields().size()); }
    std::string FieldName(int pos) const;
    int FieldPos(const std::string& name) const { return m_def.field_pos(name); }
    Value FieldGet(const std::string& name) const;
    Value FieldGet(int pos) const;
    void FieldPut(const std::string& name, const Value& v);
    void FieldPut(int pos, const Value& v);
    std::string str(const std::string& name) const;  // C/M/T as stored (C padded to width)
    Decimal num(const std::string& name) const;
    Date date(const std::string& name) const;
    bool logical(const std::string& name) const;
    const std::vector<FieldDef>& DBStruct() const { return m_def.fields(); }

    // Writing.
    void Append();  // a blank record, written at the next Commit, unlock or move
    void Commit();
    void Delete();  // marks the current record deleted; it disappears from every order
    bool RLock();   // current record, one try
    bool FLock();   // whole table, one try
    void Unlock();  // writes what is pending, then gives up every lock of this handle
    // Gives up every record and file lock of this handle without writing anything.
    void release_locks();
    void UnlockRecord(long recno);
    bool IsLocked(long recno) const { return m_locked.count(recno) > 0; }
    LockScope lock_scope() const { return {m_lock_set, m_temp}; }
    bool Used() const { return m_open; }
    bool pending_append() const { return m_new; }
    bool ReadOnly() const { return m_read_only; }

    // The session rolled a transaction back: forget unwritten changes, re-read the row.
    void after_rollback();
    // Repositions at the first row (used when a parked table is taken again).
    void reset_for_reuse(const UseOptions& opts);
    void close();

    // Forgets rows read ahead (another handle wrote to the table).
    void drop_ahead();

private:
    struct Row {
        long recno = 0;
        bool deleted = false;
        std::vector<Value> vals;
        std::string key;
    };
    Row read_row(Statement& st) const;
    void set_current(Row&& r);
    bool next_forward(const std::string& tail, const std::vector<SqlValue>& params);
    Statement& stmt(const std::string& sql);
    std::string select_list() const;
    enum class Bounds { None, Top, Bottom, Both };
    std::string scope_where(Bounds b) const;
    int bind_scope(Statement& st, int from, Bounds b);
    void load(Statement& st);
    void set_eof();
    void reload(long recno);  // re-reads a row without starting a new walk
    void flush();
    void discard_pending() noexcept;
    void insert_pending();
    void update_dirty();
    bool fetch_one(const std::string& where_and_order, const std::vector<SqlValue>& params,
                   Bounds bounds);
    void skip_one(bool forward);
    // Whether the current row probably lies in the second half of the scope, judged from a few
    // rows sampled by record number; nothing when too few sampled rows fall in the scope.
    std::optional<bool> probably_past_middle();
    // Whether the scope's bounds hold the first and the last key of the whole order.
    bool scope_holds_every_row();
    long count_where(const std::string& cond, const std::vector<SqlValue>& params, Bounds b,
                     long limit);
    std::string key_expr() const;
    const FieldDef& field_at(int pos) const;
    void require_writable(const FieldDef& f);
    int lock_id() const { return m_lock_id; }
    // Record and file locks leave with the table, except inside a transaction, whose writes are
    // not final yet: there they are kept until it ends.
    void give_up_locks();
    // Reads the top that GoTopLazily left pending. The handle is never itself const, only the
    // view of it that asks.
    void settle() const {
        if (m_top_pending) const_cast<WDBTable*>(this)->GoTop();
    }
    // Every absolute move forgets a pending top.
    void moving() { m_top_pending = false; }

    Db& m_db;
    TableDef m_def;
    std::string m_sql;
    bool m_temp = false;
    bool m_open = true;
    bool m_read_only = false;
    bool m_exclusive = false;
    int m_lock_id = 0;
    int m_lock_set = 0;  // 1 when the table is the alternate data set's

    std::string m_order_tag;
    const OrderDef* m_order = nullptr;
    std::string m_scope_top, m_scope_bottom;
    bool m_scoped = false;

    long m_recno = 0;
    std::string m_key;
    bool m_eof = true, m_bof = true, m_found = false, m_deleted = false;
    std::vector<Value> m_vals;
    std::vector<char> m_dirty;
    bool m_new = false;
    bool m_top_pending = false;
    std::set<long> m_moved;  // rows whose key this handle changed during the current walk
    std::deque<Row> m_ahead;  // rows read ahead of a forward walk
    int m_run = 0;            // size of the last read-ahead

    std::set<long> m_locked;
    bool m_flocked = false;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_stmts;
};

using Table = std::unique_ptr<WDBTable>;

}  // namespace qz::data
