#pragma once
// Creating and migrating the schema from the catalogue. Order keys become generated columns
// ("qz_k_" + tag) with an index each, so every writer keeps every order right.
#include <optional>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/sql.h"

namespace qz::data {

inline constexpr const char* kRecnoCol = "qz_recno";
inline constexpr const char* kDeletedCol = "qz_del";
std::string key_column(const std::string& tag);

// The SQL expression that computes an order's key from a row.
std::string key_sql(const TableDef& t, const OrderDef& o, Dialect d);

// CREATE TABLE and CREATE INDEX statements for a table under `sql_name` (a temporary table when
// `temporary`).
std::vector<std::string> create_table_sql(const TableDef& t, const std::string& sql_name,
                                          Dialect d, bool temporary);

struct MigrationReport {
    int tables_created = 0;
    int columns_added = 0;
    int orders_rebuilt = 0;
    int migrations_applied = 0;
};

// The schema this program's catalogue describes. Raise it with every change of the catalogue
// (a test compares the catalogue's fingerprint with the one recorded for this number): a
// workstation must never read a database whose fields it would misread, such as amounts of a
// field whose decimals changed.
inline constexpr int kSchemaVersion = 8;
// The schema a database was last migrated to (qz_meta "schema"); nothing when it predates the
// record.
std::optional<int> schema_version(Connection& c);
// A digest of every table's fields and order keys as this program creates them.
std::string catalogue_fingerprint(const Catalogue& cat);

// Brings the database to the catalogue: creates missing tables, adds missing fields, rebuilds
// orders whose key changed and applies the numbered migrations not yet applied. Idempotent; runs
// in one transaction. Refuses a database migrated by a newer program.
MigrationReport migrate(Connection& c, const Catalogue& cat);

// Number given to a table for record locks; stable across processes (kept in qz_tables).
int table_lock_id(Connection& c, const std::string& table);
// Random number of this installation, so lock keys of installations sharing a server differ.
int installation_id(Connection& c);

}  // namespace qz::data
