#pragma once
// The save of a sale on the demonstration business, on each engine, on the fixture's day
// 20/05/2026: a draft opened at the spa's counter, the save with scripted hooks and terminal,
// and what the tests look at afterwards (rows per table, stock, series).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/ledger/serials.h"
#include "domain/pos/articles.h"
#include "sale_scenario.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const Date kSaleDay(2026, 5, 20);
inline const std::vector<std::string> kSaleTables = {"DOCUMENT", "DET_DOC", "ENC_DOC2", "DOC_PARC",
                                                     "ENC_INV",  "DET_INV", "ENC_PED",  "DET_PED",
                                                     "ENC_PROF", "DET_PROF"};

class SaleSaveFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kSaleDay, "09:00:00"});
        db = inst->open();
        domain::install_demo_data(*db);
        inst->port.messages.clear();
        saver = std::make_unique<domain::pos::SaleSave>(*db, inst->port, hooks, terminal);
    }

    domain::pos::SaleDraft& open(const std::string& concept_code, const std::string& customer,
                                 domain::pos::SaleMode mode = {}) {
        draft = std::make_unique<domain::pos::SaleDraft>(*db, inst->port, kSaleBiz, mode);
        draft->PARAMS_CAJA(counter_register(concept_code, customer));
        return *draft;
    }
    std::optional<domain::pos::SavedSale> save(const domain::pos::SaleExtras& extras = {},
                                               std::optional<domain::pos::SaleSaveContext> c = {}) {
        return saver->PROC_BOK(*draft, tenders, extras, c.value_or(counter_context(kSaleDay)));
    }

    void set_field(const std::string& table, std::initializer_list<data::KeyValue> key,
                   const char* field, const data::Value& v) {
        edit_record(*db, table, table, data::order_key(table, table, key),
                    [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }
    void concept_field(const std::string& code, const char* field, const data::Value& v) {
        set_field("CONCEPT1", {kSaleBiz, code}, field, v);
    }
    void settings_field(const char* field, const data::Value& v) {
        set_field("F_FAC", {kSaleBiz}, field, v);
    }
    void series_field(const std::string& code, const char* field, const data::Value& v) {
        edit_record(*db, "SERIALES", "SERIALES", domain::series_key(kSaleBiz, code),
                    [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }

    long long series_number(const std::string& code) {
        data::Table t = data::USE(*db, "SERIALES", "SERIALES");
        EXPECT_TRUE(t->Seek(domain::series_key(kSaleBiz, code))) << code;
        return t->num("NUMERO").to_int();
    }
    std::map<std::string, long> counts() {
        std::map<std::string, long> out;
        for (const auto& t : kSaleTables) out[t] = data::USE(*db, t)->KeyCount();
        return out;
    }
    long added(const std::map<std::string, long>& before, const std::string& table) {
        return data::USE(*db, table)->KeyCount() - before.at(table);
    }
    std::string next_number(const std::string& series = "FACTURA") {
        return trim(domain::GET_CURRENTSERIAL(*db, kSaleBiz, series));
    }
    domain::pos::ArticleStock stock(const std::string& article) {
        return domain::pos::read_article_stock(*db, kSaleBiz, "01", article)
            .value_or(domain::pos::ArticleStock{});
    }
    // Whether the cashier was told `text` (the port records "title: text").
    bool told(const std::string& text) const {
        for (const auto& m : inst->port.messages)
            if (m.find(text) != std::string::npos) return true;
        return false;
    }
    std::string all_told() const {
        std::string out;
        for (const auto& m : inst->port.messages) out += m + " | ";
        return out;
    }
    // The rows of `table` whose DOCUMENTO is `number`.
    long rows_of(const std::string& table, const std::string& number) {
        data::Table t = data::USE(*db, table);
        long n = 0;
        for (t->GoTop(); !t->Eof(); t->Skip()) n += trim(t->str("DOCUMENTO")) == number;
        data::KILLTABLA(*db, t);
        return n;
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<domain::pos::SaleDraft> draft;
    std::vector<domain::pos::TenderRow> tenders;
    ScriptedHooks hooks;
    ScriptedTerminal terminal;
    std::unique_ptr<domain::pos::SaleSave> saver;
};

}  // namespace qz::test
