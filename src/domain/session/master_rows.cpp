#include "domain/session/master_rows.h"

#include <vector>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"

namespace qz::domain {

std::string normal_code(const std::string& typed) { return upper_ascii(trim(typed)); }

std::string code_width_problem(const std::string& subject, const std::string& code,
                               const std::string& table, const std::string& field) {
    const size_t width = data::field_width(table, field);
    if (utf8_length(code) <= width) return "";
    return subject + " admite " + std::to_string(width) + " caracteres...";
}

namespace {

void for_rows_from(data::Db& db, const std::string& table, const std::string& key,
                   const std::function<void(const data::WDBTable&)>& fn) {
    data::UseOptions o;
    o.order = table;
    o.read_only = true;
    data::Table t = data::USE(db, table, o);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) fn(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

void for_business_rows(data::Db& db, const std::string& table, const std::string& business,
                       const std::function<void(const data::WDBTable&)>& fn) {
    for_rows_from(db, table, data::business_key(business), fn);
}

void for_code_rows(data::Db& db, const std::string& table, const std::string& business,
                   const std::string& code, const std::function<void(const data::WDBTable&)>& fn) {
    for_rows_from(db, table, data::order_key(table, table, {business, normal_code(code)}), fn);
}

bool lock_at_key(data::WDBTable& t, const std::string& key) {
    if (!t.Seek(key)) return false;
    data::LOCK_FOR_MODIFY(t);  // reads the row again
    if (!t.Eof() && !t.Deleted() && starts_with(t.CurrentKey(), key)) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

bool write_keyed_row(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts, bool add,
                     const std::function<void(data::WDBTable&)>& fill) {
    if (!add && !key_exists(db, table, order, parts)) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, table, order);
    if (t->Seek(data::order_key(table, order, parts)))
        data::LOCK_FOR_MODIFY(*t);
    else
        data::ADD_NEW_REC(*t);
    fill(*t);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool erase_keyed_rows(data::Db& db, const std::string& table, const std::string& order,
                      std::initializer_list<data::KeyValue> parts) {
    data::Transaction tx(db);
    const bool any = delete_by_order(db, table, order, parts) > 0;
    tx.commit();
    return any;
}

bool key_exists(data::Db& db, const std::string& table, const std::string& order,
                std::initializer_list<data::KeyValue> parts) {
    data::Table t = data::USE(db, table, order);
    const bool found = t->Seek(data::order_key(table, order, parts));
    data::KILLTABLA(db, t);
    return found;
}

long recode_by_order(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts, const std::string& field,
                     const std::string& new_value, WaitWindow* wait) {
    const std::string prefix = data::order_key(table, order, parts);
    data::Table t = data::USE(db, table, order);
    long done = 0;
    const auto rewrite = [&] {
        t->FieldPut(field, new_value);
        data::UNLOCK_FOR_MODIFY(*t);
        ++done;
        if (wait && done % 50 == 0) wait->progress(done, 0);
    };
    // The record numbers first, in one walk. Seeking the range afresh after each write would
    // make a server step over the index entries of every row already moved, which stay until
    // the transaction ends: the walk would grow with the square of the rows.
    std::vector<long> recnos;
    t->SetScope(prefix, prefix);
    for (t->GoTop(); !t->Eof(); t->Skip()) recnos.push_back(t->RecNo());
    t->ClearScope();
    for (long recno : recnos) {
        t->GoTo(recno);
        if (t->Eof() || t->Deleted()) continue;
        data::LOCK_FOR_MODIFY(*t);  // re-reads the row under its lock
        if (t->Deleted() || t->CurrentKey().compare(0, prefix.size(), prefix) != 0) {
            data::UNLOCK_FOR_MODIFY(*t);  // changed elsewhere since the walk: no longer ours
            continue;
        }
        rewrite();
    }
    // Rows another workstation added to the range while the walk ran.
    while (t->Seek(prefix)) {
        data::LOCK_FOR_MODIFY(*t);
        rewrite();
    }
    data::KILLTABLA(db, t);
    return done;
}

long rewrite_by_order(data::Db& db, const std::string& table, const std::string& order,
                      std::initializer_list<data::KeyValue> parts, const std::string& field,
                      const std::string& value, WaitWindow* wait) {
    const std::string prefix = data::order_key(table, order, parts);
    data::Table t = data::USE(db, table, order);
    t->SetScope(prefix, prefix);
    long done = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (rtrim(t->str(field)) == rtrim(value)) continue;
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut(field, value);
        data::UNLOCK_FOR_MODIFY(*t);
        ++done;
        if (wait && done % 50 == 0) wait->progress(done, 0);
    }
    data::KILLTABLA(db, t);
    return done;
}

long delete_by_order(data::Db& db, const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts) {
    const std::string prefix = data::order_key(table, order, parts);
    data::Table t = data::USE(db, table, order);
    long done = 0;
    while (t->Seek(prefix)) {
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
        ++done;
    }
    data::KILLTABLA(db, t);
    return done;
}

long recode_in_scope(data::Db& db, const std::string& table, const std::string& order,
                     const std::string& business, const std::string& field,
                     const std::string& old_value, const std::string& new_value) {
    const std::string scope = data::order_key(table, order, {business});
    data::Table t = data::USE(db, table, order);
    t->SetScope(scope, scope);
    long done = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (trim(t->str(field)) != old_value) continue;
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut(field, new_value);
        data::UNLOCK_FOR_MODIFY(*t);
        ++done;
    }
    data::KILLTABLA(db, t);
    return done;
}

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "", text);
    return false;
}

}  // namespace qz::domain
