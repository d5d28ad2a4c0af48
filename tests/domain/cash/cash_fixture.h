#pragma once
// A throwaway installation with two registers of each family and two operators, one of whom may
// close a front-desk register for someone else.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_maintenance.h"
#include "domain/cash/register_rows.h"
#include "domain/session/pass_code.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kCashBiz = "HOTEL";

class CashFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:00:00"});
        db = inst->open();
        add_operator("01", "ANA", "ana1", false);
        add_operator("02", "JEFE", "jefe2", true);
        add_register(domain::cash::kPosRegisters, "C1", "caja1");
        add_register(domain::cash::kFrontDesk, "H1", "hcaja1");
    }
    void add_operator(const std::string& code, const std::string& name, const std::string& password,
                      bool closes) {
        add_record(*db, "DIGITA",
                   {{"NEGOCIO", kCashBiz},
                    {"CODIGO", code},
                    {"NOMBRE", name},
                    {"CLAVE", domain::hash_pass_code(password)},
                    {"CIERRE", Decimal(closes ? 1 : 0)}});
    }
    void add_register(const domain::cash::RegisterTables& f, const std::string& code,
                      const std::string& password) {
        domain::cash::CashRegister r;
        r.code = code;
        r.description = "Caja " + code;
        ASSERT_TRUE(domain::cash::ADD_Caja(*db, inst->port, f, kCashBiz, r, password));
    }
    domain::cash::CashRegister reg(const domain::cash::RegisterTables& f, const std::string& code,
                                   data::Db* on = nullptr) {
        auto r = domain::cash::read_register(on ? *on : *db, f, kCashBiz, code);
        EXPECT_TRUE(r.has_value()) << code;
        return r.value_or(domain::cash::CashRegister{});
    }
    std::string stored(const char* table, const std::string& code, const char* field) {
        data::Table t = data::USE(*db, table, table);
        std::string v;
        if (t->Seek(data::order_key(table, table, {kCashBiz, code}))) v = rtrim(t->str(field));
        data::KILLTABLA(*db, t);
        return v;
    }
    void set_field(const char* table, const std::string& code, const char* field,
                   const data::Value& v) {
        edit_record(*db, table, table, data::order_key(table, table, {kCashBiz, code}),
                    [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }
    std::string last_message() const {
        return inst->port.messages.empty() ? "" : inst->port.messages.back();
    }
    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
