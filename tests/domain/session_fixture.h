#pragma once
// An installation with the demonstration business (HOTEL: SUPERVISOR / QUARTZEN, CAJERO /
// CAJA2026, INTENTOS 3) and a session waiting to log in, for the login and rights tests.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/session/login.h"
#include "support/test_db.h"

namespace qz::test {

inline const Date kLoginDay(2026, 3, 15);

class SessionFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kLoginDay, "09:30:00"});
        db = inst->open();
        domain::install_demo_data(*db);
        ini = std::make_unique<IniFile>(inst->home() + "/QUARTZEN.INI");
    }

    domain::LoginService login() {
        return domain::LoginService(*db, inst->port, session, settings, *ini);
    }
    std::vector<std::string>& shown() { return inst->port.messages; }

    // Changes the record found by `key` along `order` and stores it.
    void edit(const std::string& table, const std::string& order, const std::string& key,
              const std::function<void(data::WDBTable&)>& change) {
        data::Table t = data::USE(*db, table, order);
        ASSERT_TRUE(t->Seek(key)) << table << " " << key;
        data::LOCK_FOR_MODIFY(*t);
        change(*t);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(*db, t);
    }
    void edit_user(const std::string& name, const std::function<void(data::WDBTable&)>& change) {
        edit("USUARIOS", "USUARIOS", pad_right("HOTEL", 15) + pad_right(name, 10), change);
    }
    void edit_business(const std::function<void(data::WDBTable&)>& change) {
        edit("NEGOCIOS", "NEGOCIOS", pad_right("HOTEL", 15), change);
    }
    // Appends a record with the given fields.
    void add(const std::string& table,
             std::initializer_list<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        for (const auto& [name, value] : fields) t->FieldPut(name, value);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    // A copy of the user record as it is stored now.
    data::Table user(const std::string& name) {
        data::Table t = data::USE(*db, "USUARIOS", "USUARIOS");
        EXPECT_TRUE(t->Seek(pad_right("HOTEL", 15) + pad_right(name, 10))) << name;
        return t;
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<IniFile> ini;
    domain::Session session;
    domain::AppSettings settings;
};

}  // namespace qz::test
