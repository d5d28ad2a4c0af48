#pragma once
// A read-only walk down one order of a table, within the keys that begin with a scope, reading
// only the fields asked for, as one statement the database streams. Checks and reports that pass
// over a whole ledger use it: a table handle positions itself run by run and converts every field
// of every row, which over a million documents is most of the cost. Rows come in the order a
// table handle's walk gives them (key, then record number); deleted rows are passed over.
#include <memory>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/value.h"

namespace qz::data {

class OrderedReader {
public:
    OrderedReader(Db& db, const std::string& table, const std::string& order,
                  const std::string& scope, std::vector<std::string> fields);
    // Starts the walk again over another scope of the same order, reusing the statement: a
    // report that reads the lines of thousands of headers prepares each query once.
    void rescope(const std::string& scope);
    // Starts the walk again over the keys from `first` up to those beginning with `last`: a
    // period along an order whose key ends with a date and a time.
    void range(const std::string& first, const std::string& last);
    // Moves to the next row (the first on the first call); false past the last one.
    bool next();
    // The row's key along the order.
    const std::string& key() const { return m_key; }
    // A field of the row as a table handle reads it (text padded to its width); the name must be
    // one of those asked for.
    Value get(const std::string& field) const;
    std::string str(const std::string& field) const { return std::get<std::string>(get(field)); }
    Decimal num(const std::string& field) const { return std::get<Decimal>(get(field)); }
    Date date(const std::string& field) const { return std::get<Date>(get(field)); }

private:
    Dialect m_dialect;
    std::vector<std::string> m_names;
    std::vector<const FieldDef*> m_fields;
    std::unique_ptr<Statement> m_st;
    std::string m_key;
};

}  // namespace qz::data
