#pragma once
// A field value as business code sees it: text for C, M and T fields, an exact Decimal for N,
// a Date for D and a bool for L.
#include <string>
#include <variant>

#include "core/date.h"
#include "core/decimal.h"
#include "data/catalogue.h"
#include "data/sql.h"

namespace qz::data {

using Value = std::variant<std::string, Decimal, Date, bool>;

// The blank value of a field (blanks, 0, empty date, false).
Value blank_value(const FieldDef& f);
// Converts what business code puts into a field; throws DbError when the kind does not fit or a
// number does not fit the field's width.
Value coerce(const FieldDef& f, const Value& v);
// Stored form for one engine, and back.
SqlValue to_sql(const FieldDef& f, const Value& v, Dialect d);
Value from_sql(const FieldDef& f, const Statement& st, int col, Dialect d);
// Display text of a value (numbers with the field's decimals, dates dd/mm/yy).
std::string value_text(const FieldDef& f, const Value& v);

}  // namespace qz::data
