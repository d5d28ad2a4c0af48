#pragma once
// A table opened for the length of a block: the statements open several at once and must close
// every one of them on every way out, a thrown error included.
#include <string>

#include "data/table_ops.h"

namespace qz::domain {

class UsedTable {
public:
    UsedTable(data::Db& db, const std::string& table, const std::string& order)
        : m_db(db), m_table(data::USE(db, table, order)) {}
    ~UsedTable() { data::KILLTABLA(m_db, m_table); }
    UsedTable(const UsedTable&) = delete;
    UsedTable& operator=(const UsedTable&) = delete;

    data::WDBTable* operator->() const { return m_table.get(); }
    data::WDBTable& operator*() const { return *m_table; }

private:
    data::Db& m_db;
    data::Table m_table;
};

}  // namespace qz::domain
