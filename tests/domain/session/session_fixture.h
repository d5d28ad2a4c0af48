#pragma once
// An installation with the demonstration business (HOTEL: SUPERVISOR / QUARTZEN, CAJERO /
// CAJA2026, INTENTOS 3) and a session waiting to log in, for the login and rights tests.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/session/login.h"
#include "support/record_edit.h"
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

    void edit(const std::string& table, const std::string& order, const std::string& key,
              const std::function<void(data::WDBTable&)>& change) {
        edit_record(*db, table, order, key, change);
    }
    void edit_user(const std::string& name, const std::function<void(data::WDBTable&)>& change) {
        edit("USUARIOS", "USUARIOS", data::order_key("USUARIOS", "USUARIOS", {"HOTEL", name}),
             change);
    }
    void edit_business(const std::function<void(data::WDBTable&)>& change) {
        edit("NEGOCIOS", "NEGOCIOS", data::business_key("HOTEL"), change);
    }
    void add(const std::string& table,
             std::initializer_list<std::pair<const char*, data::Value>> fields) {
        add_record(*db, table, fields);
    }
    data::Table user(const std::string& name) { return demo_user(*db, name); }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<IniFile> ini;
    domain::Session session;
    domain::AppSettings settings;
};

}  // namespace qz::test
