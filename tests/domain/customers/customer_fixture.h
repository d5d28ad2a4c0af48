#pragma once
// A business with no customers yet, on each engine, and the few rows the customer rules look at
// (documents, payments, satellite rows) written directly.
#include <gtest/gtest.h>

#include <memory>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_save.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kBiz = "HOTEL";

// A branch with every choice the editor requires made.
inline domain::customers::BranchRow branch_row(const std::string& code, bool principal,
                                               long recno = 0) {
    domain::customers::BranchRow r;
    r.branch.code = code;
    r.branch.name = "Sucursal " + code;
    r.branch.principal = principal;
    r.branch.limit_currency = "CR";
    r.branch.price_type = "01";
    r.branch.agent = "";
    r.branch.doc_concept = "FC";
    r.recno = recno;
    r.original_code = recno ? code : "";
    return r;
}

class CustomerTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        db = inst->open();
    }
    UserPort& port() { return inst->port; }
    std::string said() {
        if (inst->port.messages.empty()) return "";
        const std::string& m = inst->port.messages.back();
        return m.substr(m.find(": ") + 2);
    }
    domain::customers::CustomerForm new_form(const std::string& code, const std::string& name) {
        auto f = domain::customers::new_customer_form(Date(2026, 5, 20), "01");
        f.customer.code = code;
        f.customer.name = name;
        f.customer.clas1 = "01";
        f.branches[0] = branch_row("01", true);
        return f;
    }
    bool save(const domain::customers::CustomerForm& f) {
        return domain::customers::save_customer(*db, port(), kBiz, f, {"ADM", {}}).saved;
    }
    // A customer stored with the branches given (the first principal).
    void store(const std::string& code, std::initializer_list<const char*> branches) {
        auto f = new_form(code, "Cliente " + code);
        f.branches.clear();
        for (const char* b : branches) f.branches.push_back(branch_row(b, f.branches.empty()));
        ASSERT_TRUE(save(f)) << said();
    }
    domain::customers::CustomerForm stored(const std::string& code) {
        return *domain::customers::customer_form(*db, kBiz, code);
    }
    // Appends a row of `table` with the given fields (business filled in).
    void put(const std::string& table,
             std::initializer_list<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kBiz);
        for (const auto& [f, v] : fields) t->FieldPut(f, v);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    void document(const std::string& number, const std::string& customer, const std::string& branch,
                  const char* balance = "0", const std::string& table = "DOCUMENT") {
        put(table, {{"DOCUMENTO", number},
                    {"CLIENTE", customer},
                    {"SUBCLIENTE", branch},
                    {"MONTO", Decimal(100)},
                    {"SALDO", Decimal::parse(balance)}});
    }
    // Rows of `table` whose key in `order` begins with the parts given.
    long rows(const std::string& table, const std::string& order,
              std::initializer_list<data::KeyValue> parts) {
        data::Table t = data::USE(*db, table, order);
        const std::string key = data::order_key(table, order, parts);
        t->SetScope(key, key);
        const long n = t->KeyCount();
        data::KILLTABLA(*db, t);
        return n;
    }
    std::string field(const std::string& table, const std::string& order,
                      std::initializer_list<data::KeyValue> key, const std::string& name) {
        data::Table t = data::USE(*db, table, order);
        std::string out = "?";
        if (t->Seek(data::order_key(table, order, key))) {
            const data::Value v = t->FieldGet(name);
            if (auto* s = std::get_if<std::string>(&v)) out = trim(*s);
            if (auto* n = std::get_if<Decimal>(&v)) out = n->to_string();
            if (auto* d = std::get_if<Date>(&v)) out = d->iso();
        }
        data::KILLTABLA(*db, t);
        return out;
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
