#pragma once
// A shared table as CSV for scripts and spreadsheets: the same text on SQLite and PostgreSQL.
#include <optional>
#include <ostream>
#include <string>

#include "data/db.h"
#include "data/sql.h"

namespace qz::data {

// The request names no table that can be exported, or filters a table that has no businesses.
// The command line answers it as bad usage rather than as a refusal.
class ExportUsageError : public DbError {
public:
    using DbError::DbError;
};

// A value as a CSV cell: quoted, with the quotes doubled, when it holds a comma, a double quote,
// CR or LF.
std::string csv_quote(const std::string& text);

// Writes a header of the field names in catalogue order, then one line per live record in
// record-number order: dates YYYY-MM-DD (empty when blank), numbers with a point and exactly
// their field's decimals, logical fields T/F, text without trailing blanks. Values holding a
// comma, a double quote, CR or LF are quoted with the quotes doubled. With `business`, only
// records whose NEGOCIO equals it (blanks around ignored). Lines end with LF.
void export_csv(Db& db, const std::string& table, const std::optional<std::string>& business,
                std::ostream& out);

}  // namespace qz::data
