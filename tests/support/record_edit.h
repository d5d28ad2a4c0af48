#pragma once
// Test helpers that set up records through the table layer, as a screen would.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::test {

// Changes the record found by `key` along `order` and stores it.
inline void edit_record(data::Db& db, const std::string& table, const std::string& order,
                        const std::string& key,
                        const std::function<void(data::WDBTable&)>& change) {
    data::Table t = data::USE(db, table, order);
    ASSERT_TRUE(t->Seek(key)) << table << " " << key;
    data::LOCK_FOR_MODIFY(*t);
    change(*t);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

// Appends a record with the given fields.
inline void add_record(data::Db& db, const std::string& table,
                       std::initializer_list<std::pair<const char*, data::Value>> fields) {
    data::Table t = data::USE(db, table);
    data::ADD_NEW_REC(*t);
    for (const auto& [name, value] : fields) t->FieldPut(name, value);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

// A user of the demonstration business as it is stored now.
inline data::Table demo_user(data::Db& db, const std::string& name) {
    data::Table t = data::USE(db, "USUARIOS", "USUARIOS");
    EXPECT_TRUE(t->Seek(data::order_key("USUARIOS", "USUARIOS", {"HOTEL", name}))) << name;
    return t;
}

}  // namespace qz::test
