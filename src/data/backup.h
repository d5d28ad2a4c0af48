#pragma once
// Copies of the installation's database taken while the workstations keep working.
#include <string>

namespace qz::data {

// Copies the SQLite file `db_path` to `target` with SQLite's online backup: one consistent state
// of the database even while other processes write, and never a half-written `target` (the copy
// goes to `target` + ".tmp" and takes its name only when complete and sound). Throws DbError, in
// Spanish, when `target` already exists or the source cannot be read or is damaged.
void backup_sqlite(const std::string& db_path, const std::string& target);

// What to tell the administrator of a server installation: the pg_dump command for the database
// of the libpq connection string `conninfo`, writing `target`. A password never appears in it.
std::string pg_dump_advice(const std::string& conninfo, const std::string& target);

}  // namespace qz::data
