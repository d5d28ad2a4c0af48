#pragma once
// What the maintenance rules of code tables share: the lookups they make before writing, the lock
// of a row found by its key, and the re-coding of references when a code changes. Keys are given as
// the values of the leading parts of the order named with them (data::order_key), so a key is
// always built for the order it is sought in.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::domain {

// A write that met a row another workstation holds gives up the whole transaction.
inline constexpr const char* kRecodeAborted =
    "Otra estación tiene bloqueado un registro que debía actualizarse; no se guardó ningún "
    "cambio. Intente de nuevo en un momento.";

// Shows a refusal of the maintenance rules (an error box) and returns false.
bool refuse(UserPort& port, const std::string& text);

// A code as the maintenance screens keep it: no surrounding blanks, ASCII letters upper-cased,
// so "s01" and "S01 " name the same room.
std::string normal_code(const std::string& typed);

// "" when a typed code fits the field `table`.`field` that keys it, else the refusal
// "<subject> admite N caracteres...": its key part would cut a longer one and name another row.
std::string code_width_problem(const std::string& subject, const std::string& code,
                               const std::string& table, const std::string& field);

// A code and what it stands for, as the lists of a code table offer it.
struct CodeName {
    std::string code, name;
};

// Calls `fn` on every row of the business in a code table whose order of the table's own name
// begins with NEGOCIO, in that order.
void for_business_rows(data::Db& db, const std::string& table, const std::string& business,
                       const std::function<void(const data::WDBTable&)>& fn);
// The same for the rows whose key in that order begins with NEGOCIO + `code`: the detail rows of
// one master row (the lines of a concept, the distribution rows of an article).
void for_code_rows(data::Db& db, const std::string& table, const std::string& business,
                   const std::string& code, const std::function<void(const data::WDBTable&)>& fn);

// The row of `code` in a code table of the business (keyed NEGOCIO + code in the order of the
// table's own name), through the table's mapper; nothing for a blank code or no row.
template <class T, class Decode>
std::optional<T> read_code_row(data::Db& db, const std::string& table, const std::string& business,
                               const std::string& code, Decode decode) {
    std::optional<T> out;
    if (normal_code(code).empty()) return out;
    data::Table t = data::USE(db, table, table);
    if (t->Seek(data::order_key(table, table, {business, normal_code(code)}))) out = decode(*t);
    data::KILLTABLA(db, t);
    return out;
}

// Every row of the business in a code table, in code order, through the table's mapper.
template <class T, class Decode>
std::vector<T> business_rows(data::Db& db, const std::string& table, const std::string& business,
                             Decode decode) {
    std::vector<T> out;
    for_business_rows(db, table, business,
                      [&](const data::WDBTable& t) { out.push_back(decode(t)); });
    return out;
}

// Seeks the row whose key in the handle's order is `key` (a full key) and locks it. False when
// there is none or, once locked, the row no longer has that key: another workstation deleted it
// or changed its code while this one waited. When true the caller releases the lock as usual.
bool lock_at_key(data::WDBTable& t, const std::string& key);

// The row whose full key in `order` is `key`, read through `decode` on a read-only handle;
// nothing when there is none. Inside a transaction or a Db::RowMemo the answer is remembered
// until the table is written or the transaction or memo ends.
template <class T, class Decode>
std::optional<T> read_keyed_row(data::Db& db, const char* table, const char* order,
                                const std::string& key, Decode decode) {
    const std::string memo = std::string(order) + '\x1f' + key;
    if (const std::any* kept = db.remembered_row(table, memo))
        if (const auto* row = std::any_cast<std::optional<T>>(kept)) return *row;
    data::UseOptions o;
    o.order = order;
    o.read_only = true;
    data::Table t = data::USE(db, table, o);
    std::optional<T> out;
    if (t->Seek(key)) out = decode(*t);
    data::KILLTABLA(db, t);
    db.remember_row(table, memo, out);
    return out;
}

// Rewrites the row whose key in `order` is that of `parts`, or appends one when `add` and there
// is none, filling it through `fill`; one transaction. False when there was no row to rewrite.
bool write_keyed_row(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts, bool add,
                     const std::function<void(data::WDBTable&)>& fill);
// Deletes the rows whose key in `order` begins with that of `parts`, in one transaction. False
// when there was none.
bool erase_keyed_rows(data::Db& db, const std::string& table, const std::string& order,
                      std::initializer_list<data::KeyValue> parts);

// Whether `table` has a row whose key in `order` begins with the key of `parts` (all of the
// order's parts: exactly that key).
bool key_exists(data::Db& db, const std::string& table, const std::string& order,
                std::initializer_list<data::KeyValue> parts);

// Rewrites `field` to `new_value` in every row whose key in `order` begins with the key of
// `parts` (the last part is the old value of that field, so each rewritten row leaves the
// range). Each row is locked for its write; the caller holds the transaction. Every step is one
// index seek. Returns the rows rewritten.
long recode_by_order(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts, const std::string& field,
                     const std::string& new_value, WaitWindow* wait = nullptr);

// Writes `value` into `field` (not a part of the order's key) of every row whose key in `order`
// begins with the key of `parts`, each row under its lock; rows that already hold it are left
// alone. The caller holds the transaction. Returns the rows rewritten.
long rewrite_by_order(data::Db& db, const std::string& table, const std::string& order,
                      std::initializer_list<data::KeyValue> parts, const std::string& field,
                      const std::string& value, WaitWindow* wait = nullptr);

// Deletes every row whose key in `order` begins with the key of `parts` (a code's detail rows),
// each under its lock; the caller holds the transaction. Returns the rows deleted.
long delete_by_order(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts);

// The same as recode_by_order for a small table that has no order on the field: walks the business's rows of
// `order` (NEGOCIO first) and rewrites those whose field holds `old_value`.
long recode_in_scope(data::Db& db, const std::string& table, const std::string& order,
                     const std::string& business, const std::string& field,
                     const std::string& old_value, const std::string& new_value);

}  // namespace qz::domain
