#include "data/schema.h"

#include <cstdio>
#include <random>

#include "core/clock.h"
#include "core/date.h"
#include "core/stamp.h"
#include "core/text.h"

namespace qz::data {

namespace {

std::string column_type(const FieldDef& f, Dialect d) {
    switch (f.kind) {
        case FieldKind::N:
            if (d == Dialect::SQLite) return "INTEGER NOT NULL DEFAULT 0";
            return "NUMERIC(" + std::to_string(f.width) + "," + std::to_string(f.decimals) +
                   ") NOT NULL DEFAULT 0";
        case FieldKind::L:
            return d == Dialect::SQLite ? "INTEGER NOT NULL DEFAULT 0"
                                        : "SMALLINT NOT NULL DEFAULT 0";
        default:
            return "TEXT NOT NULL DEFAULT ''";
    }
}

std::string pad_sql(const std::string& col, int width, Dialect d) {
    std::string w = std::to_string(width);
    if (d == Dialect::SQLite) return "printf('%-!" + w + "." + w + "s', " + col + ")";
    return "rpad(" + col + ", " + w + ")";
}

std::string number_sql(const FieldDef& f, int width, Dialect d) {
    std::string w = std::to_string(width), col = quote_ident(f.name);
    std::string stars = quote_literal(std::string(static_cast<size_t>(width), '*'));
    if (d == Dialect::SQLite) {
        std::string v = col;
        if (f.decimals > 0) {
            long long p = 1;
            for (int i = 0; i < f.decimals; ++i) p *= 10;
            v = "(" + col + " / " + std::to_string(p) + ")";
        }
        return "(CASE WHEN length(CAST(" + v + " AS TEXT)) <= " + w + " THEN printf('%" + w +
               "d', " + v + ") ELSE " + stars + " END)";
    }
    std::string v = "(trunc(" + col + ")::bigint)::text";
    return "(CASE WHEN length(" + v + ") <= " + w + " THEN lpad(" + v + ", " + w + ") ELSE " +
           stars + " END)";
}

std::string days2090_sql(const std::string& col, Dialect d) {
    std::string empty = quote_literal(pad_left(std::to_string(days_to_2090(Date())), 14, '0'));
    auto part = [&](int from, int len, const char* cast) {
        return "substr(" + col + "," + std::to_string(from) + "," + std::to_string(len) + ")" +
               cast;
    };
    if (d == Dialect::SQLite)
        return "(CASE WHEN " + col + " = '' THEN " + empty +
               " ELSE printf('%014d', CAST(julianday('2090-01-01') - julianday(" +
               part(1, 4, "") + "||'-'||" + part(5, 2, "") + "||'-'||" + part(7, 2, "") +
               ") AS INTEGER)) END)";
    return "(CASE WHEN " + col + " = '' THEN " + empty +
           " ELSE lpad((make_date(2090,1,1) - make_date(" + part(1, 4, "::int") + ", " +
           part(5, 2, "::int") + ", " + part(7, 2, "::int") + "))::text, 14, '0') END)";
}

std::string part_sql(const TableDef& t, const KeyPart& p, Dialect d) {
    std::string col = quote_ident(p.field);
    switch (p.kind) {
        case KeyPart::Kind::Field:
        case KeyPart::Kind::Date:
            return pad_sql(col, p.width, d);
        case KeyPart::Kind::Upper:
            return d == Dialect::SQLite ? "upper(" + pad_sql(col, p.width, d) + ")"
                                        : "qz_upper(" + pad_sql(col, p.width, d) + ")";
        case KeyPart::Kind::Number:
            return number_sql(*t.field(p.field), p.width, d);
        case KeyPart::Kind::Days2090:
            return days2090_sql(col, d);
        case KeyPart::Kind::Expr:
            return pad_sql("(" + p.expr + ")", p.width, d);
    }
    return "''";
}

std::string index_name(const std::string& table, const std::string& tag) {
    return table + "__" + tag;
}

void ensure_meta(Connection& c) {
    bool pg = c.dialect() == Dialect::PostgreSQL;
    c.exec("CREATE TABLE IF NOT EXISTS qz_meta (name TEXT PRIMARY KEY, value TEXT NOT NULL)");
    c.exec("CREATE TABLE IF NOT EXISTS qz_tables (name TEXT PRIMARY KEY, id INTEGER NOT NULL "
           "UNIQUE)");
    c.exec("CREATE TABLE IF NOT EXISTS qz_orders (tbl TEXT NOT NULL, tag TEXT NOT NULL, "
           "expr TEXT NOT NULL, PRIMARY KEY (tbl, tag))");
    c.exec("CREATE TABLE IF NOT EXISTS qz_migrations (number INTEGER PRIMARY KEY, "
           "applied TEXT NOT NULL)");
    c.exec("CREATE TABLE IF NOT EXISTS qz_fields (tbl TEXT NOT NULL, name TEXT NOT NULL, "
           "sig TEXT NOT NULL, PRIMARY KEY (tbl, name))");
    if (pg)
        c.exec("CREATE OR REPLACE FUNCTION qz_upper(text) RETURNS text LANGUAGE sql IMMUTABLE "
               "PARALLEL SAFE AS $$ SELECT translate($1, 'abcdefghijklmnopqrstuvwxyz', "
               "'ABCDEFGHIJKLMNOPQRSTUVWXYZ') $$");
}

std::vector<std::string> existing_columns(Connection& c, const std::string& table) {
    std::vector<std::string> cols;
    if (c.dialect() == Dialect::SQLite) {
        auto st = c.prepare("SELECT name FROM pragma_table_xinfo(?)");
        st->bind(1, table);
        while (st->step()) cols.push_back(st->text_at(0));
    } else {
        auto st = c.prepare(
            "SELECT column_name FROM information_schema.columns WHERE table_schema = "
            "current_schema() AND table_name = ?");
        st->bind(1, table);
        while (st->step()) cols.push_back(st->text_at(0));
    }
    return cols;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
    for (const auto& x : v)
        if (x == s) return true;
    return false;
}

std::string order_column_sql(const TableDef& t, const OrderDef& o, Dialect d) {
    std::string type = d == Dialect::SQLite ? "TEXT" : "TEXT COLLATE \"C\"";
    std::string kind = d == Dialect::SQLite ? "VIRTUAL" : "STORED";
    return quote_ident(key_column(o.tag)) + " " + type + " GENERATED ALWAYS AS (" +
           key_sql(t, o, d) + ") " + kind;
}

// SQLite keeps the rowid in every index, so (key) already orders by (key, record number);
// PostgreSQL needs the record number spelled out. A unique order indexes the key alone.
std::string order_index_sql(const std::string& sql_name, const OrderDef& o, Dialect d,
                            bool temporary) {
    std::string idx = quote_ident(index_name(sql_name, o.tag));
    if (temporary && d == Dialect::SQLite) idx = "temp." + idx;
    std::string cols = quote_ident(key_column(o.tag));
    if (!o.unique && d == Dialect::PostgreSQL) cols += ", " + quote_ident(kRecnoCol);
    return std::string("CREATE ") + (o.unique ? "UNIQUE " : "") + "INDEX IF NOT EXISTS " + idx +
           " ON " + quote_ident(sql_name) + " (" + cols + ") WHERE " + quote_ident(kDeletedCol) +
           " = 0";
}

void record_order(Connection& c, const std::string& table, const std::string& tag,
                  const std::string& expr) {
    auto del = c.prepare("DELETE FROM qz_orders WHERE tbl = ? AND tag = ?");
    del->bind(1, table);
    del->bind(2, tag);
    del->step();
    auto ins = c.prepare("INSERT INTO qz_orders (tbl, tag, expr) VALUES (?, ?, ?)");
    ins->bind(1, table);
    ins->bind(2, tag);
    ins->bind(3, expr);
    ins->step();
}

std::string stored_order_expr(Connection& c, const std::string& table, const std::string& tag) {
    auto st = c.prepare("SELECT expr FROM qz_orders WHERE tbl = ? AND tag = ?");
    st->bind(1, table);
    st->bind(2, tag);
    return st->step() ? st->text_at(0) : "";
}

void register_table_id(Connection& c, const std::string& table) {
    auto st = c.prepare("SELECT id FROM qz_tables WHERE name = ?");
    st->bind(1, table);
    if (st->step()) return;
    auto next = c.scalar("SELECT COALESCE(MAX(id), 0) + 1 FROM qz_tables");
    auto ins = c.prepare("INSERT INTO qz_tables (name, id) VALUES (?, ?)");
    ins->bind(1, table);
    ins->bind(2, static_cast<int64_t>(std::stoll(next.value_or("1"))));
    ins->step();
}

std::string field_sig(const FieldDef& f) {
    return std::string(1, static_cast<char>(f.kind)) + std::to_string(f.width) + "." +
           std::to_string(f.decimals);
}

void record_field(Connection& c, const std::string& table, const FieldDef& f) {
    auto del = c.prepare("DELETE FROM qz_fields WHERE tbl = ? AND name = ?");
    del->bind(1, table);
    del->bind(2, f.name);
    del->step();
    auto ins = c.prepare("INSERT INTO qz_fields (tbl, name, sig) VALUES (?, ?, ?)");
    ins->bind(1, table);
    ins->bind(2, f.name);
    ins->bind(3, field_sig(f));
    ins->step();
}

std::string stored_field_sig(Connection& c, const std::string& table, const std::string& name) {
    auto st = c.prepare("SELECT sig FROM qz_fields WHERE tbl = ? AND name = ?");
    st->bind(1, table);
    st->bind(2, name);
    return st->step() ? st->text_at(0) : "";
}

// The meta rows of a new table in two statements: creating the whole catalogue stays quick on a
// server where every statement is a round trip.
void record_new_table(Connection& c, const TableDef& t) {
    std::string tbl = quote_literal(t.name()), fields, orders;
    for (const auto& f : t.fields())
        fields += (fields.empty() ? "" : ", ") + std::string("(") + tbl + ", " +
                  quote_literal(f.name) + ", " + quote_literal(field_sig(f)) + ")";
    for (const auto& o : t.orders())
        orders += (orders.empty() ? "" : ", ") + std::string("(") + tbl + ", " +
                  quote_literal(o.tag) + ", " +
                  quote_literal(key_sql(t, o, c.dialect()) + (o.unique ? " UNIQUE" : "")) + ")";
    if (!fields.empty()) c.exec("INSERT INTO qz_fields (tbl, name, sig) VALUES " + fields);
    if (!orders.empty()) c.exec("INSERT INTO qz_orders (tbl, tag, expr) VALUES " + orders);
}

bool order_uses(const OrderDef& o, const std::string& field) {
    for (const auto& p : o.parts)
        if (p.field == field || p.expr.find(quote_ident(field)) != std::string::npos) return true;
    return false;
}

void drop_order(Connection& c, const std::string& table, const std::string& tag) {
    c.exec("DROP INDEX IF EXISTS " + quote_ident(index_name(table, tag)));
    c.exec("ALTER TABLE " + quote_ident(table) + " DROP COLUMN " + quote_ident(key_column(tag)));
}

// A number field whose decimals changed keeps its values: SQLite stores them scaled, so they
// are rescaled (rounding half away from zero when decimals are dropped); PostgreSQL converts.
void change_number(Connection& c, const TableDef& t, const FieldDef& f, int old_decimals) {
    std::string col = quote_ident(f.name), tbl = quote_ident(t.name());
    if (c.dialect() == Dialect::PostgreSQL) {
        c.exec("ALTER TABLE " + tbl + " ALTER COLUMN " + col + " TYPE " +
               column_type(f, c.dialect()).substr(0, column_type(f, c.dialect()).find(' ')) +
               " USING round(" + col + ", " + std::to_string(f.decimals) + ")");
        return;
    }
    int k = f.decimals - old_decimals;
    long long p = 1;
    for (int i = 0; i < (k < 0 ? -k : k); ++i) p *= 10;
    std::string ps = std::to_string(p), half = std::to_string(p / 2);
    if (k > 0)
        c.exec("UPDATE " + tbl + " SET " + col + " = " + col + " * " + ps);
    else if (k < 0)
        c.exec("UPDATE " + tbl + " SET " + col + " = CASE WHEN " + col + " >= 0 THEN (" + col +
               " + " + half + ") / " + ps + " ELSE (" + col + " - " + half + ") / " + ps + " END");
}

void upgrade_fields(Connection& c, const TableDef& t, std::vector<std::string>& cols,
                    MigrationReport& rep) {
    for (const auto& f : t.fields()) {
        if (!contains(cols, f.name)) {
            c.exec("ALTER TABLE " + quote_ident(t.name()) + " ADD COLUMN " + quote_ident(f.name) +
                   " " + column_type(f, c.dialect()));
            record_field(c, t.name(), f);
            ++rep.columns_added;
            continue;
        }
        std::string old = stored_field_sig(c, t.name(), f.name);
        if (old == field_sig(f)) continue;
        if (!old.empty() && old[0] != static_cast<char>(f.kind))
            throw DbError("El campo " + t.name() + "." + f.name +
                          " cambió de tipo: hace falta una migración numerada");
        if (!old.empty() && f.kind == FieldKind::N) {
            for (const auto& o : t.orders())
                if (order_uses(o, f.name) && contains(cols, key_column(o.tag))) {
                    drop_order(c, t.name(), o.tag);
                    std::erase(cols, key_column(o.tag));
                }
            change_number(c, t, f, std::stoi(old.substr(old.find('.') + 1)));
        }
        record_field(c, t.name(), f);
    }
}

// Brings one existing table up to its declaration.
void upgrade_table(Connection& c, const TableDef& t, MigrationReport& rep) {
    Dialect d = c.dialect();
    auto cols = existing_columns(c, t.name());
    upgrade_fields(c, t, cols, rep);
    for (const auto& o : t.orders()) {
        std::string expr = key_sql(t, o, d) + (o.unique ? " UNIQUE" : "");
        std::string col = key_column(o.tag);
        if (contains(cols, col) && stored_order_expr(c, t.name(), o.tag) == expr) continue;
        if (contains(cols, col)) drop_order(c, t.name(), o.tag);
        c.exec("ALTER TABLE " + quote_ident(t.name()) + " ADD COLUMN " +
               order_column_sql(t, o, d));
        c.exec(order_index_sql(t.name(), o, d, false));
        record_order(c, t.name(), o.tag, expr);
        ++rep.orders_rebuilt;
    }
}

// Numbered migrations of data and structure that the catalogue alone cannot express. Each
// runs once, in order, inside the migration transaction.
struct NumberedMigration {
    int number;
    void (*apply)(Connection&);
};

const std::vector<NumberedMigration>& numbered_migrations() {
    static const std::vector<NumberedMigration> list = {
        {1,
         [](Connection& c) {
             auto st = c.prepare("INSERT INTO qz_meta (name, value) VALUES ('installation', ?)");
             std::random_device rd;
             st->bind(1, std::to_string(rd() % 32000 + 1));
             st->step();
         }},
    };
    return list;
}

int apply_numbered(Connection& c) {
    int applied = 0;
    for (const auto& m : numbered_migrations()) {
        auto st = c.prepare("SELECT 1 FROM qz_migrations WHERE number = ?");
        st->bind(1, static_cast<int64_t>(m.number));
        if (st->step()) continue;
        m.apply(c);
        auto ins = c.prepare("INSERT INTO qz_migrations (number, applied) VALUES (?, ?)");
        ins->bind(1, static_cast<int64_t>(m.number));
        ins->bind(2, info_user(workstation_now()));
        ins->step();
        ++applied;
    }
    return applied;
}

}  // namespace

std::string key_column(const std::string& tag) { return "qz_k_" + tag; }

std::string key_sql(const TableDef& t, const OrderDef& o, Dialect d) {
    std::string sql;
    for (const auto& p : o.parts) {
        if (!sql.empty()) sql += " || ";
        sql += part_sql(t, p, d);
    }
    return sql.empty() ? "''" : sql;
}

std::vector<std::string> create_table_sql(const TableDef& t, const std::string& sql_name,
                                          Dialect d, bool temporary) {
    std::string recno = d == Dialect::SQLite
                            ? "INTEGER PRIMARY KEY AUTOINCREMENT"
                            : "BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
    std::string sql = std::string("CREATE ") + (temporary ? "TEMP " : "") +
                      "TABLE IF NOT EXISTS " + quote_ident(sql_name) + " (" +
                      quote_ident(kRecnoCol) + " " + recno + ", " + quote_ident(kDeletedCol) +
                      (d == Dialect::SQLite ? " INTEGER" : " SMALLINT") + " NOT NULL DEFAULT 0";
    for (const auto& f : t.fields()) sql += ", " + quote_ident(f.name) + " " + column_type(f, d);
    for (const auto& o : t.orders()) sql += ", " + order_column_sql(t, o, d);
    sql += ")";
    std::vector<std::string> out{sql};
    for (const auto& o : t.orders()) out.push_back(order_index_sql(sql_name, o, d, temporary));
    return out;
}

std::optional<int> schema_version(Connection& c) {
    if (!c.table_exists("", "qz_meta")) return std::nullopt;
    auto st = c.prepare("SELECT value FROM qz_meta WHERE name = 'schema'");
    if (!st->step()) return std::nullopt;
    return std::stoi(st->text_at(0));
}

std::string catalogue_fingerprint(const Catalogue& cat) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a
    auto mix = [&](const std::string& s) {
        for (unsigned char ch : s) h = (h ^ ch) * 1099511628211ULL;
        h = (h ^ 0xFF) * 1099511628211ULL;
    };
    for (const auto& name : cat.names()) {
        const TableDef& t = *cat.find(name);
        mix(t.name());
        mix(t.is_template() ? "T" : "S");
        for (const auto& f : t.fields()) mix(f.name + " " + field_sig(f));
        for (const auto& o : t.orders())
            mix(o.tag + " " + key_sql(t, o, Dialect::SQLite) + (o.unique ? " UNIQUE" : ""));
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

static void record_schema_version(Connection& c) {
    c.exec("DELETE FROM qz_meta WHERE name = 'schema'");
    auto st = c.prepare("INSERT INTO qz_meta (name, value) VALUES ('schema', ?)");
    st->bind(1, std::to_string(kSchemaVersion));
    st->step();
}

MigrationReport migrate(Connection& c, const Catalogue& cat) {
    MigrationReport rep;
    if (auto v = schema_version(c); v && *v > kSchemaVersion)
        throw DbError("La base de datos fue actualizada por una versión más reciente del sistema "
                      "(esquema " + std::to_string(*v) + "); este programa usa el esquema " +
                      std::to_string(kSchemaVersion) + " y no puede migrarla.");
    c.begin();
    try {
        ensure_meta(c);
        for (const auto& name : cat.names()) {
            const TableDef& t = *cat.find(name);
            if (t.is_template()) continue;
            if (!c.table_exists("", t.name())) {
                for (const auto& s : create_table_sql(t, t.name(), c.dialect(), false)) c.exec(s);
                record_new_table(c, t);
                ++rep.tables_created;
            } else {
                upgrade_table(c, t, rep);
            }
            register_table_id(c, t.name());
        }
        rep.migrations_applied = apply_numbered(c);
        record_schema_version(c);
        c.commit();
    } catch (...) {
        c.rollback();
        throw;
    }
    return rep;
}

int table_lock_id(Connection& c, const std::string& table) {
    auto st = c.prepare("SELECT id FROM qz_tables WHERE name = ?");
    st->bind(1, table);
    if (st->step()) return static_cast<int>(st->int_at(0));
    return 0;
}

int installation_id(Connection& c) {
    auto v = c.scalar("SELECT value FROM qz_meta WHERE name = 'installation'");
    return v ? std::stoi(*v) : 0;
}

}  // namespace qz::data
