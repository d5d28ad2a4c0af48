#pragma once
// Rows a benchmark writes in bulk, by bare prepared inserts: a ledger of a million documents or
// a shift of ten thousand receipts made through the services would take the bench hours.
#include <memory>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "data/db.h"
#include "data/value.h"

namespace qz::bench {

// An INSERT of the named fields of `table`, each value stored as the table layer stores it.
class Insert {
public:
    Insert(data::Db& db, const std::string& table, std::vector<std::string> fields)
        : m_dialect(db.conn().dialect()), m_def(*data::Catalogue::instance().find(table)) {
        std::string names, marks;
        for (const auto& f : fields) {
            names += (names.empty() ? "\"" : ", \"") + f + "\"";
            marks += marks.empty() ? "?" : ", ?";
            m_fields.push_back(m_def.field(f));
        }
        m_st = db.conn().prepare("INSERT INTO \"" + table + "\" (" + names + ") VALUES (" + marks +
                                 ")");
    }
    void operator()(const std::vector<data::Value>& values) {
        for (size_t i = 0; i < values.size(); ++i)
            m_st->bind(static_cast<int>(i + 1), data::to_sql(*m_fields[i], values[i], m_dialect));
        m_st->step();
        m_st->reset();
    }

private:
    data::Dialect m_dialect;
    const data::TableDef& m_def;
    std::vector<const data::FieldDef*> m_fields;
    std::unique_ptr<data::Statement> m_st;
};

inline std::string numbered(const char* prefix, long i) {
    std::string n = std::to_string(i);
    return prefix + std::string(n.size() < 9 ? 9 - n.size() : 0, '0') + n;
}

}  // namespace qz::bench
