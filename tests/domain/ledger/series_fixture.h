#pragma once
// A throwaway installation with number series of one business, on each engine.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kSeriesBiz = "HOTEL";

struct SeriesRow {
    std::string code;
    long long number = 0;
    std::string prefix;
    long indent = 0;
    int justifica = 0;
    long long limit = 0;
    std::string mutuo;
    int disabled = 0;
    std::string user;
    std::string suffix;
};

class SeriesFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        db = inst->open();
    }
    void add(const SeriesRow& s) {
        add_record(*db, "SERIALES",
                   {{"NEGOCIO", kSeriesBiz}, {"USUARIO", s.user}, {"CODIGO", s.code},
                    {"DESCRIP", "Serie " + s.code}, {"MODULO", std::string("02")},
                    {"NUMERO", Decimal(s.number)}, {"NUMERO2", Decimal(s.limit)},
                    {"PREFIJO", s.prefix}, {"POSFIJO", s.suffix}, {"INDENT", Decimal(s.indent)},
                    {"JUSTIFICA", Decimal(s.justifica)}, {"MUTUO", s.mutuo},
                    {"INACTIVO", Decimal(s.disabled)}});
    }
    void add_document(const std::string& number) {
        add_record(*db, "DOCUMENT", {{"NEGOCIO", kSeriesBiz}, {"DOCUMENTO", number}});
    }
    // A field of the series as stored now.
    data::Value stored(const std::string& code, const std::string& field,
                       const std::string& user = "") {
        auto t = data::USE(*db, "SERIALES", "SERIALES");
        EXPECT_TRUE(t->Seek(data::order_key("SERIALES", "SERIALES", {kSeriesBiz, user, code})));
        data::Value v = t->FieldGet(field);
        data::KILLTABLA(*db, t);
        return v;
    }
    long long number(const std::string& code, const std::string& user = "") {
        return std::get<Decimal>(stored(code, "NUMERO", user)).to_int();
    }
    long bad_serials() {
        auto t = data::USE(*db, "BAD_SRLS", "BAD_SRLS");
        long n = t->KeyCount();
        data::KILLTABLA(*db, t);
        return n;
    }
    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
