#include "data/wdbtable.h"

#include <exception>

#include "core/text.h"
#include "data/schema.h"

namespace qz::data {

namespace {
// Text parameters built in place: copying a variant out of an initializer list trips a false
// "may be used uninitialized" in this compiler.
std::vector<SqlValue> texts(std::initializer_list<std::string> values) {
    std::vector<SqlValue> v;
    v.reserve(values.size());
    for (const auto& s : values) v.emplace_back(std::in_place_type<std::string>, s);
    return v;
}

// The greatest character: a bottom scope matches every key that begins with it.
const std::string kMaxChar = "\xF4\x8F\xBF\xBF";
}  // namespace

WDBTable::WDBTable(Db& db, const TableDef& def, std::string name, std::string sql_ref, int area,
                   bool temporary, const UseOptions& opts, int lock_set)
    : m_db(db), m_def(def), m_sql(std::move(sql_ref)), m_temp(temporary), m_lock_set(lock_set) {
    Area = area;
    Name = upper_ascii(name);
    RDD = db.server() ? "ADSCDX" : "DBFCDX";
    Cargo = temporary ? "BORRAR" : "";
    m_read_only = opts.read_only;
    m_exclusive = !opts.shared;
    m_lock_id = temporary ? area : db.lock_id(def.name());
    m_vals.reserve(def.fields().size());
    for (const auto& f : def.fields()) m_vals.push_back(blank_value(f));
    m_dirty.assign(def.fields().size(), 0);
    if (!opts.order.empty()) SetOrder(opts.order);
}

WDBTable::~WDBTable() {
    try {
        close();
    } catch (...) {
        // A close that fails during unwinding must not end the process; the transaction that
        // was open is rolled back by its own scope.
    }
}

Statement& WDBTable::stmt(const std::string& sql) {
    auto& p = m_stmts[sql];
    if (!p) p = m_db.conn().prepare(sql);
    return *p;
}

std::string WDBTable::key_expr() const {
    return m_order ? quote_ident(key_column(m_order->tag)) : quote_ident(kRecnoCol);
}

std::string WDBTable::select_list() const {
    std::string s = quote_ident(kRecnoCol) + ", " + quote_ident(kDeletedCol);
    for (const auto& f : m_def.fields()) s += ", " + quote_ident(f.name);
    s += m_order ? ", " + key_expr() : ", ''";
    return s;
}

// A query names at most one lower and one upper bound on the key: with two of either, the
// database may pick the scope's bound for the index range and filter from there, turning each
// step of a walk into a scan of the scope.
std::string WDBTable::scope_where(Bounds b) const {
    std::string w = quote_ident(kDeletedCol) + " = 0";
    if (m_scoped && m_order) {
        if (b == Bounds::Both || b == Bounds::Top) w += " AND " + key_expr() + " >= ?";
        if (b == Bounds::Both || b == Bounds::Bottom) w += " AND " + key_expr() + " <= ?";
    }
    return w;
}

int WDBTable::bind_scope(Statement& st, int from, Bounds b) {
    if (m_scoped && m_order) {
        if (b == Bounds::Both || b == Bounds::Top) st.bind(from++, m_scope_top);
        if (b == Bounds::Both || b == Bounds::Bottom) st.bind(from++, m_scope_bottom + kMaxChar);
    }
    return from;
}

WDBTable::Row WDBTable::read_row(Statement& st) const {
    Dialect d = m_db.dialect();
    Row r;
    r.recno = static_cast<long>(st.int_at(0));
    r.deleted = st.int_at(1) != 0;
    const auto& fields = m_def.fields();
    r.vals.reserve(fields.size());
    for (size_t i = 0; i < fields.size(); ++i)
        r.vals.push_back(from_sql(fields[i], st, static_cast<int>(i) + 2, d));
    r.key = m_order ? st.text_at(static_cast<int>(fields.size()) + 2) : "";
    return r;
}

void WDBTable::set_current(Row&& r) {
    m_recno = r.recno;
    m_deleted = r.deleted;
    m_vals = std::move(r.vals);
    m_key = std::move(r.key);
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
    m_eof = m_bof = false;
}

void WDBTable::load(Statement& st) { set_current(read_row(st)); }

void WDBTable::drop_ahead() {
    m_ahead.clear();
    m_run = 0;
}

// Forward walks read ahead: after a few single steps each query brings the next rows in one
// round trip (up to 256), which is what makes a long walk over a server affordable. Any write,
// positioning or change of order drops what was read ahead.
bool WDBTable::next_forward(const std::string& tail, const std::vector<SqlValue>& params) {
    if (!m_ahead.empty()) {
        set_current(std::move(m_ahead.front()));
        m_ahead.pop_front();
        return true;
    }
    m_run = m_run == 0 ? 1 : std::min(m_run * 4, 256);
    std::string sql = "SELECT " + select_list() + " FROM " + m_sql + " WHERE " +
                      scope_where(Bounds::Bottom) + tail + " LIMIT ?";
    Statement& st = stmt(sql);
    int i = bind_scope(st, 1, Bounds::Bottom);
    for (const auto& p : params) st.bind(i++, p);
    st.bind(i, static_cast<int64_t>(m_run));
    bool first = true;
    while (st.step()) {
        if (first)
            load(st);
        else
            m_ahead.push_back(read_row(st));
        first = false;
    }
    st.reset();
    return !first;
}

void WDBTable::set_eof() {
    drop_ahead();
    m_eof = true;
    m_recno = 0;
    m_key.clear();
    m_deleted = false;
    for (size_t i = 0; i < m_vals.size(); ++i) m_vals[i] = blank_value(m_def.fields()[i]);
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
}

bool WDBTable::fetch_one(const std::string& tail, const std::vector<SqlValue>& params,
                         Bounds bounds) {
    drop_ahead();
    std::string sql =
        "SELECT " + select_list() + " FROM " + m_sql + " WHERE " + scope_where(bounds) + tail;
    Statement& st = stmt(sql);
    int i = bind_scope(st, 1, bounds);
    for (const auto& p : params) st.bind(i++, p);
    bool row = st.step();
    if (row) load(st);
    st.reset();
    return row;
}

void WDBTable::SetOrder(const std::string& tag) {
    flush();
    std::string t = upper_ascii(trim(tag));
    if (t.empty()) {
        m_order = nullptr;
        m_order_tag.clear();
        return;
    }
    const OrderDef* o = m_def.find_order(t);
    if (!o) throw DbError("Orden " + t + " no existe en la tabla " + m_def.name());
    drop_ahead();
    m_order = o;
    m_order_tag = t;
    m_scoped = false;
}

void WDBTable::SetScope(const std::string& top, const std::string& bottom) {
    drop_ahead();
    m_scope_top = top;
    m_scope_bottom = bottom;
    m_scoped = true;
}

void WDBTable::ClearScope() {
    drop_ahead();
    m_scoped = false;
}

long WDBTable::KeyCount() {
    const std::string scope_key = m_sql + "\x1f" + key_expr() + "\x1f" +
                                  (m_scoped ? m_scope_top + "\x1f" + m_scope_bottom : "");
    if (auto cached = m_db.cached_count(scope_key)) return *cached;
    // A scope holding every row of the table (one business, say) is counted without comparing
    // each key with its bounds, which is a good part of the cost on a large table.
    const bool whole = m_scoped && m_order && scope_holds_every_row();
    std::string sql = "SELECT count(*) FROM " + m_sql + " WHERE " +
                      (whole ? quote_ident(kDeletedCol) + " = 0" : scope_where(Bounds::Both));
    Statement& st = stmt(sql);
    if (!whole) bind_scope(st, 1, Bounds::Both);
    long n = st.step() ? static_cast<long>(st.int_at(0)) : 0;
    st.reset();
    m_db.remember_count(scope_key, n);
    return n;
}

long WDBTable::KeyNo() {
    settle();
    if (m_eof || m_new) return 0;
    std::string pos = m_order ? "(" + key_expr() + ", " + quote_ident(kRecnoCol) + ") <= (?, ?)"
                              : quote_ident(kRecnoCol) + " <= ?";
    std::string sql = "SELECT count(*) FROM " + m_sql + " WHERE " + scope_where(Bounds::Top) +
                      " AND " + pos;
    Statement& st = stmt(sql);
    int i = bind_scope(st, 1, Bounds::Top);
    if (m_order) st.bind(i++, m_key);
    st.bind(i, static_cast<int64_t>(m_recno));
    long n = st.step() ? static_cast<long>(st.int_at(0)) : 0;
    st.reset();
    return n;
}

// Rows of the scope matching `cond`; with a limit the count stops there, which is what keeps a
// position near the far end from walking the whole index.
long WDBTable::count_where(const std::string& cond, const std::vector<SqlValue>& params, Bounds b,
                           long limit) {
    std::string inner = "SELECT 1 FROM " + m_sql + " WHERE " + scope_where(b) + cond;
    std::string sql = limit > 0 ? "SELECT count(*) FROM (" + inner + " LIMIT ?) q"
                                : "SELECT count(*) FROM " + m_sql + " WHERE " + scope_where(b) +
                                      cond;
    Statement& st = stmt(sql);
    int i = bind_scope(st, 1, b);
    for (const auto& p : params) st.bind(i++, p);
    if (limit > 0) st.bind(i, static_cast<int64_t>(limit));
    long n = st.step() ? static_cast<long>(st.int_at(0)) : 0;
    st.reset();
    return n;
}

bool WDBTable::scope_holds_every_row() {
    // Two sub-queries, each a seek at one end of the order's index.
    const std::string k = key_expr(), live = " WHERE " + quote_ident(kDeletedCol) + " = 0";
    Statement& st = stmt("SELECT (SELECT min(" + k + ") FROM " + m_sql + live + "), (SELECT max(" +
                         k + ") FROM " + m_sql + live + ")");
    bool every = false;
    if (st.step())
        every = st.is_null(0) || (st.text_at(0) >= m_scope_top &&
                                  st.text_at(1) <= m_scope_bottom + kMaxChar);
    st.reset();
    return every;
}

std::optional<bool> WDBTable::probably_past_middle() {
    constexpr int kSamples = 32;
    // Two sub-queries: min and max together in one select would scan the table.
    const std::string recno = quote_ident(kRecnoCol);
    Statement& bounds = stmt("SELECT (SELECT min(" + recno + ") FROM " + m_sql + "), (SELECT max(" +
                             recno + ") FROM " + m_sql + ")");
    int64_t lo = 0, hi = 0;
    if (bounds.step() && !bounds.is_null(0)) lo = bounds.int_at(0), hi = bounds.int_at(1);
    bounds.reset();
    if (hi - lo < kSamples) return std::nullopt;
    std::string marks;
    for (int i = 0; i < kSamples; ++i) marks += i ? ", ?" : "?";
    // Only the record numbers constrain the query, so it runs as that many lookups by record
    // number; the scope and the deleted mark are checked here, not by an index walk.
    Statement& st = stmt("SELECT " + quote_ident(kDeletedCol) + ", " + key_expr() + " FROM " +
                         m_sql + " WHERE " + quote_ident(kRecnoCol) + " IN (" + marks + ")");
    for (int k = 0; k < kSamples; ++k)
        st.bind(k + 1, SqlValue(std::in_place_type<int64_t>, lo + (hi - lo) * k / (kSamples - 1)));
    int in_scope = 0, before = 0;
    while (st.step()) {
        std::string key = st.text_at(1);
        if (st.int_at(0) != 0) continue;
        if (m_scoped && (key < m_scope_top || key > m_scope_bottom + kMaxChar)) continue;
        ++in_scope;
        if (key < m_key) ++before;
    }
    st.reset();
    if (in_scope < 4) return std::nullopt;
    return before * 2 > in_scope;
}

long WDBTable::KeyNo(long key_count) {
    settle();
    if (m_eof || m_new) return 0;
    if (!m_order || key_count <= 0) return KeyNo();
    // Keys equal to the current one are few; they are ordered by record number.
    std::vector<SqlValue> same = texts({m_key});
    same.emplace_back(std::in_place_type<int64_t>, m_recno);
    const std::string k = key_expr(), r = quote_ident(kRecnoCol);
    auto count_after = [&] {
        return count_where(" AND " + k + " > ?", texts({m_key}), Bounds::Bottom, 0) +
               count_where(" AND " + k + " = ? AND " + r + " > ?", same, Bounds::None, 0);
    };
    auto count_up_to = [&](long before) {
        return before + count_where(" AND " + k + " = ? AND " + r + " <= ?", same, Bounds::None, 0);
    };
    // A sample says which end is nearer, so only the shorter side is counted; without one, the
    // count from the start stops at the middle and the rest is counted from the end.
    if (auto past = probably_past_middle())
        return *past ? key_count - count_after()
                     : count_up_to(count_where(" AND " + k + " < ?", texts({m_key}), Bounds::Top, 0));
    long half = key_count / 2 + 1;
    long before = count_where(" AND " + k + " < ?", texts({m_key}), Bounds::Top, half);
    if (before < half) return count_up_to(before);
    return key_count - count_after();
}

bool WDBTable::GoToKeyNo(long n, long key_count) {
    moving();
    flush();
    m_moved.clear();
    if (n < 1 || (key_count > 0 && n > key_count)) {
        set_eof();
        return false;
    }
    const bool from_end = key_count > 0 && n > key_count / 2;
    const std::string dir = from_end ? " DESC" : "";
    std::string tail = " ORDER BY " + key_expr() + dir +
                       (m_order ? ", " + quote_ident(kRecnoCol) + dir : "") + " LIMIT 1 OFFSET ?";
    std::vector<SqlValue> p;
    p.emplace_back(std::in_place_type<int64_t>, from_end ? key_count - n : n - 1);
    if (!fetch_one(tail, p, Bounds::Both)) {
        set_eof();
        return false;
    }
    m_bof = false;
    return true;
}

bool WDBTable::Seek(const std::string& key, bool soft) {
    moving();
    if (!m_order) throw DbError("Seek sin orden activo en " + Alias);
    flush();
    m_moved.clear();
    std::string tail = " AND " + key_expr() + " >= ? ORDER BY " + key_expr() + ", " +
                       quote_ident(kRecnoCol) + " LIMIT 1";
    std::string from = m_scoped && m_scope_top > key ? m_scope_top : key;
    bool row = fetch_one(tail, texts({from}), Bounds::Bottom);
    m_found = row && starts_with(m_key, key);
    if (!row || (!m_found && !soft)) set_eof();
    m_bof = false;
    return m_found;
}

bool WDBTable::SeekLast(const std::string& key) {
    moving();
    if (!m_order) throw DbError("Seek sin orden activo en " + Alias);
    flush();
    m_moved.clear();
    std::string tail = " AND " + key_expr() + " >= ? AND " + key_expr() + " <= ? ORDER BY " +
                       key_expr() + " DESC, " + quote_ident(kRecnoCol) + " DESC LIMIT 1";
    std::string from = m_scoped && m_scope_top > key ? m_scope_top : key;
    std::string to = key + kMaxChar;
    if (m_scoped && m_scope_bottom + kMaxChar < to) to = m_scope_bottom + kMaxChar;
    m_found = fetch_one(tail, texts({from, to}), Bounds::None);
    if (!m_found) set_eof();
    return m_found;
}

void WDBTable::GoTop() {
    moving();
    flush();
    m_moved.clear();
    std::string tail = " ORDER BY " + key_expr() + (m_order ? ", " + quote_ident(kRecnoCol) : "") +
                       " LIMIT 1";
    if (!fetch_one(tail, {}, Bounds::Both)) {
        set_eof();
        m_bof = true;
    }
}

void WDBTable::GoBottom() {
    moving();
    flush();
    m_moved.clear();
    std::string tail = " ORDER BY " + key_expr() + " DESC" +
                       (m_order ? ", " + quote_ident(kRecnoCol) + " DESC" : "") + " LIMIT 1";
    if (!fetch_one(tail, {}, Bounds::Both)) {
        set_eof();
        m_bof = true;
    }
}

void WDBTable::GoTo(long recno) {
    moving();
    flush();
    m_moved.clear();
    reload(recno);
}

void WDBTable::reload(long recno) {
    drop_ahead();
    std::string sql = "SELECT " + select_list() + " FROM " + m_sql + " WHERE " +
                      quote_ident(kRecnoCol) + " = ?";
    Statement& st = stmt(sql);
    st.bind(1, static_cast<int64_t>(recno));
    if (st.step())
        load(st);
    else
        set_eof();
    st.reset();
}

void WDBTable::skip_one(bool forward) {
    if (m_eof) {
        if (!forward) GoBottom();
        return;
    }
    // From a row outside the scope a step lands on the scope's edge.
    if (m_scoped && m_order && forward && m_key < m_scope_top) return GoTop();
    if (m_scoped && m_order && !forward && m_key > m_scope_bottom + kMaxChar) return GoBottom();
    std::string pos, order;
    std::vector<SqlValue> params;
    if (m_order) {
        pos = "(" + key_expr() + ", " + quote_ident(kRecnoCol) + (forward ? ") > (?, ?)" : ") < (?, ?)");
        order = key_expr() + (forward ? "" : " DESC") + ", " + quote_ident(kRecnoCol) +
                (forward ? "" : " DESC");
    } else {
        pos = quote_ident(kRecnoCol) + (forward ? " > ?" : " < ?");
        order = quote_ident(kRecnoCol) + (forward ? "" : " DESC");
    }
    std::string tail = " AND " + pos + " ORDER BY " + order;
    if (!forward) drop_ahead();
    for (;;) {
        params.clear();
        if (m_order) params.emplace_back(std::in_place_type<std::string>, m_key);
        params.emplace_back(std::in_place_type<int64_t>, m_recno);
        // Nothing found leaves the row as it was.
        bool row = forward ? next_forward(tail, params)
                           : fetch_one(tail + " LIMIT 1", params, Bounds::Top);
        if (!row) {
            if (forward)
                set_eof();
            else
                m_bof = true;
            return;
        }
        if (!m_moved.erase(m_recno)) return;
    }
}

void WDBTable::Skip(long n) {
    settle();
    flush();
    if (n == 0) {
        if (!m_eof) reload(m_recno);
        return;
    }
    m_bof = false;
    bool forward = n > 0;
    for (long i = 0; i < (forward ? n : -n); ++i) {
        skip_one(forward);
        if ((forward && m_eof) || (!forward && m_bof)) break;
    }
}

long WDBTable::RecNo() {
    settle();
    if (m_new) flush();
    return m_eof ? LastRec() + 1 : m_recno;
}

long WDBTable::LastRec() {
    Statement& st = stmt("SELECT COALESCE(MAX(" + quote_ident(kRecnoCol) + "), 0) FROM " +
                         m_sql);
    long n = st.step() ? static_cast<long>(st.int_at(0)) : 0;
    st.reset();
    return n;
}

const FieldDef& WDBTable::field_at(int pos) const {
    if (pos < 1 || pos > FCount())
        throw DbError("Campo " + std::to_string(pos) + " no existe en " + m_def.name());
    return m_def.fields()[static_cast<size_t>(pos - 1)];
}

std::string WDBTable::FieldName(int pos) const { return field_at(pos).name; }

Value WDBTable::FieldGet(const std::string& name) const {
    int pos = m_def.field_pos(name);
    if (!pos) throw DbError("Campo " + name + " no existe en " + m_def.name());
    return FieldGet(pos);
}

Value WDBTable::FieldGet(int pos) const {
    field_at(pos);
    settle();
    return m_vals[static_cast<size_t>(pos - 1)];
}

std::string WDBTable::str(const std::string& name) const {
    return std::get<std::string>(FieldGet(name));
}
Decimal WDBTable::num(const std::string& name) const { return std::get<Decimal>(FieldGet(name)); }
Date WDBTable::date(const std::string& name) const { return std::get<Date>(FieldGet(name)); }
bool WDBTable::logical(const std::string& name) const { return std::get<bool>(FieldGet(name)); }

void WDBTable::require_writable(const FieldDef& f) {
    if (m_read_only) throw DbError("Tabla de solo lectura: " + Alias);
    if (m_new) return;
    if (m_eof) throw DbError("No hay registro activo en " + Alias + " para " + f.name);
    // Writing a shared record without its lock would let two workstations overwrite each other.
    if (!m_temp && !m_exclusive && !m_flocked && !m_locked.count(m_recno))
        throw DbError("Registro no bloqueado: " + Alias + "/" + std::to_string(m_recno));
}

void WDBTable::FieldPut(const std::string& name, const Value& v) {
    int pos = m_def.field_pos(name);
    if (!pos) throw DbError("Campo " + name + " no existe en " + m_def.name());
    FieldPut(pos, v);
}

void WDBTable::FieldPut(int pos, const Value& v) {
    settle();
    const FieldDef& f = field_at(pos);
    require_writable(f);
    m_vals[static_cast<size_t>(pos - 1)] = coerce(f, v);
    m_dirty[static_cast<size_t>(pos - 1)] = 1;
}

void WDBTable::Append() {
    moving();
    if (m_read_only) throw DbError("Tabla de solo lectura: " + Alias);
    flush();
    m_new = true;
    m_eof = m_bof = false;
    m_recno = 0;
    m_deleted = false;
    m_key.clear();
    for (size_t i = 0; i < m_vals.size(); ++i) m_vals[i] = blank_value(m_def.fields()[i]);
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
}

void WDBTable::insert_pending() {
    Dialect d = m_db.dialect();
    const auto& fields = m_def.fields();
    std::string cols, marks;
    for (const auto& f : fields) {
        cols += (cols.empty() ? "" : ", ") + quote_ident(f.name);
        marks += marks.empty() ? "?" : ", ?";
    }
    std::string ret = quote_ident(kRecnoCol) + (m_order ? ", " + key_expr() : ", ''");
    std::string sql = fields.empty() ? "INSERT INTO " + m_sql + " DEFAULT VALUES"
                                     : "INSERT INTO " + m_sql + " (" + cols +
                                           ") VALUES (" + marks + ")";
    Statement& st = stmt(sql + " RETURNING " + ret);
    for (size_t i = 0; i < fields.size(); ++i)
        st.bind(static_cast<int>(i) + 1, to_sql(fields[i], m_vals[i], d));
    if (!st.step()) throw DbError("No se pudo agregar el registro a " + Alias);
    m_recno = static_cast<long>(st.int_at(0));
    m_key = st.text_at(1);
    st.reset();
    m_db.table_written(m_def.name());
    m_new = false;
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
    // A new record stays locked until its writer releases it, as an append always did. A lock
    // that fails here must not report the append as failed: outside a transaction the row is
    // already stored (a caller told otherwise would append it again); inside one the failure
    // has doomed the transaction already.
    try {
        if (m_db.locks().try_acquire(m_lock_id, LockKind::Record, m_recno, lock_scope()))
            m_locked.insert(m_recno);
    } catch (const DbError&) {
    }
}

void WDBTable::update_dirty() {
    Dialect d = m_db.dialect();
    const auto& fields = m_def.fields();
    std::string sets;
    for (size_t i = 0; i < fields.size(); ++i)
        if (m_dirty[i]) sets += (sets.empty() ? "" : ", ") + quote_ident(fields[i].name) + " = ?";
    std::string sql = "UPDATE " + m_sql + " SET " + sets + " WHERE " +
                      quote_ident(kRecnoCol) + " = ?" +
                      (m_order ? " RETURNING " + key_expr() : "");
    Statement& st = stmt(sql);
    int p = 1;
    for (size_t i = 0; i < fields.size(); ++i)
        if (m_dirty[i]) st.bind(p++, to_sql(fields[i], m_vals[i], d));
    st.bind(p, static_cast<int64_t>(m_recno));
    bool row = st.step();
    if (m_order && row && st.text_at(0) != m_key) m_moved.insert(m_recno);
    if (m_order) st.step();  // finish the statement on engines that return rows lazily
    st.reset();
    m_db.table_written(m_def.name());
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
}

// A write that fails is reported once and forgotten: kept pending, it would be written by the
// next move or close, after its caller was told it failed.
void WDBTable::flush() {
    if (!m_open) return;
    try {
        if (m_new) {
            insert_pending();
            return;
        }
        for (char c : m_dirty)
            if (c) {
                update_dirty();
                return;
            }
    } catch (...) {
        discard_pending();
        throw;
    }
}

void WDBTable::discard_pending() noexcept {
    const bool was_new = m_new;
    m_new = false;
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
    if (was_new || m_recno == 0) return set_eof();
    try {
        reload(m_recno);
    } catch (...) {
        set_eof();
    }
}

void WDBTable::Commit() { flush(); }

void WDBTable::Delete() {
    settle();
    if (m_eof && !m_new) return;
    flush();
    require_writable(m_def.fields().front());
    Statement& st = stmt("UPDATE " + m_sql + " SET " + quote_ident(kDeletedCol) +
                         " = 1 WHERE " + quote_ident(kRecnoCol) + " = ?");
    st.bind(1, static_cast<int64_t>(m_recno));
    st.step();
    st.reset();
    m_db.table_written(m_def.name());
    m_deleted = true;
}

bool WDBTable::RLock() {
    settle();
    if (m_new) flush();
    if (m_eof) return false;
    if (m_locked.count(m_recno)) return true;
    if (!m_db.locks().try_acquire(m_lock_id, LockKind::Record, m_recno, lock_scope()))
        return false;
    m_locked.insert(m_recno);
    return true;
}

bool WDBTable::FLock() {
    if (m_flocked) return true;
    m_flocked = m_db.locks().try_acquire(m_lock_id, LockKind::File, 0, lock_scope());
    return m_flocked;
}

void WDBTable::UnlockRecord(long recno) {
    if (!m_locked.erase(recno)) return;
    m_db.locks().release(m_lock_id, LockKind::Record, recno, lock_scope());
}

void WDBTable::Unlock() {
    flush();
    release_locks();
}

void WDBTable::release_locks() {
    for (long r : m_locked) m_db.locks().release(m_lock_id, LockKind::Record, r, lock_scope());
    m_locked.clear();
    if (m_flocked) m_db.locks().release(m_lock_id, LockKind::File, 0, lock_scope());
    m_flocked = false;
}

void WDBTable::give_up_locks() {
    if (!m_db.XADSTRANS || m_temp) return release_locks();
    for (long r : m_locked) m_db.keep_until_transaction_end(m_lock_id, LockKind::Record, r,
                                                            lock_scope());
    if (m_flocked) m_db.keep_until_transaction_end(m_lock_id, LockKind::File, 0, lock_scope());
    m_locked.clear();
    m_flocked = false;
}

void WDBTable::after_rollback() {
    drop_ahead();
    if (m_top_pending) return;
    m_new = false;
    std::fill(m_dirty.begin(), m_dirty.end(), 0);
    if (m_eof || m_recno == 0) {
        set_eof();
        return;
    }
    try {
        reload(m_recno);
    } catch (...) {
        set_eof();
        throw;
    }
}

void WDBTable::reset_for_reuse(const UseOptions& opts) {
    // A table parked read-only by one reader of the transaction may be wanted for writing by
    // the next user of the same table, and the other way round.
    m_read_only = opts.read_only;
    m_scoped = false;
    SetOrder(opts.order);
    GoTopLazily();
}

// Every way out of a table (close, destructor, the end of a transaction that parked it) passes
// here once: whatever fails on the way, the locks and the work area are given back, and the
// first failure is reported afterwards.
void WDBTable::close() {
    if (!m_open) return;
    std::exception_ptr failure;
    try {
        flush();
    } catch (...) {
        failure = std::current_exception();
    }
    m_open = false;
    m_new = false;
    give_up_locks();
    m_stmts.clear();
    m_db.locks().release(m_lock_id, m_exclusive ? LockKind::OpenExclusive : LockKind::OpenShared, 0,
                         lock_scope());
    if (m_temp) {
        try {
            m_db.conn().exec("DROP TABLE IF EXISTS " + m_sql);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    m_db.release_area(Area);
    if (failure) std::rethrow_exception(failure);
}

}  // namespace qz::data
