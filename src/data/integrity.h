#pragma once
// Whether the installation's SQLite file is sound. A damaged file must be told in the system's
// own words, with what to do about it, instead of the engine's English text or, worse, nothing
// at all until a posting fails half-way.
#include <optional>
#include <string>
#include <vector>

#include "data/sql.h"

namespace qz::data {

struct IntegrityReport {
    bool ok = false;
    std::string message;               // for the user: "Integridad: correcta" or what is wrong
    std::vector<std::string> details;  // the engine's own lines, at most 10
};

// Runs PRAGMA quick_check (integrity_check when `full`: slower, also compares every index with
// its table) on a read-only connection of its own. A file that cannot even be opened as a
// database (truncated, overwritten header, not a database) is reported, never thrown.
IntegrityReport check_sqlite_file(const std::string& path, bool full);

// Whether an SQLite result code (primary or extended) means the file itself is damaged rather
// than busy, missing or not permitted.
bool sqlite_damage_code(int result_code);
// The user's message for a damaged database file, naming what the code says is wrong and how to
// recover.
std::string describe_sqlite_failure(const std::string& path, int result_code);
// The user's message when `e` (raised while using the file at `path`) says the file is damaged;
// nothing for any other failure.
std::optional<std::string> damaged_file_message(const std::string& path, const DbError& e);

}  // namespace qz::data
