#pragma once
// Regular invoices on the demonstration business, on each engine, on 20/05/2026: a set of the
// tests' own with regular documents whose models bill the demonstration's articles, and what
// the tests look at afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/regular/regular_generation.h"
#include "domain/regular/regular_rows.h"
#include "domain/session/master_rows.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kRegBiz = "HOTEL";
inline const std::string kRegSet = "TST";
inline const Date kRegDay(2026, 5, 20);

struct RegLine {
    const char* code;
    const char* quantity;
    const char* price;
};

class RegularFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kRegDay, "09:00:00"});
        db = inst->open();
        domain::install_demo_data(*db);
        // The demonstration's own regular documents stay out of the tests' runs.
        domain::erase_keyed_rows(*db, "FAC_REG", "FAC_REG2", {kRegBiz});
        domain::regular::write_regular_set(*db, kRegBiz, {kRegSet, "Pruebas"});
        inst->port.messages.clear();
    }

    // A regular document of the test set with its own model of `lines` (concept FA, colones,
    // warehouse 01), cut off on `cut_off`.
    domain::regular::RegularDocument add_regular(long code, const std::string& customer,
                                                 const std::vector<RegLine>& lines,
                                                 Date cut_off = Date(2026, 5, 1),
                                                 const std::string& concept_code = "FA") {
        domain::regular::RegularDocument d;
        d.code = code;
        d.set = kRegSet;
        d.description = "Mensualidad " + std::to_string(code);
        d.customer = customer;
        d.name = "Cliente " + customer;
        d.cut_off = cut_off;
        domain::regular::write_regular_document(*db, kRegBiz, d);
        domain::regular::write_model(*db, domain::regular::kRegularModels, kRegBiz,
                                     model(d.model_number(), customer, lines, concept_code));
        return d;
    }

    static domain::regular::Model model(const std::string& number, const std::string& customer,
                                        const std::vector<RegLine>& lines,
                                        const std::string& concept_code = "FA") {
        domain::regular::Model m;
        m.header.number = number;
        m.header.concept_code = concept_code;
        m.header.customer = customer;
        m.header.currency = "CO";
        m.header.warehouse = "01";
        m.header.price_type = "01";
        int i = 0;
        for (const RegLine& l : lines) {
            domain::regular::ModelLine ml;
            ml.index = i++;
            ml.code = l.code;
            ml.quantity = Decimal::parse(l.quantity);
            ml.price = Decimal::parse(l.price);
            m.header.amount += (ml.quantity * ml.price).round(2);
            m.lines.push_back(ml);
        }
        m.header.gross = m.header.balance = m.header.amount;
        return m;
    }

    domain::regular::RunRequest request(
        domain::regular::RunMode mode = domain::regular::RunMode::WholeSet) {
        domain::regular::RunRequest r;
        r.mode = mode;
        r.set = kRegSet;
        r.application = kRegDay;
        r.advance = {0, 1, 0};
        r.user = "SUP";
        return r;
    }

    domain::regular::RunResult run(const domain::regular::RunRequest& r) {
        return domain::regular::PROCESAR(*db, inst->port, kRegBiz, r);
    }

    Date cut_off(long code) {
        return domain::regular::read_regular_document(*db, kRegBiz, code)->cut_off;
    }
    long rows(const std::string& table) { return data::USE(*db, table)->KeyCount(); }
    // A field of the receivable document `number`.
    data::Table document(const std::string& number) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kRegBiz, number}))) << number;
        return t;
    }
    std::vector<Decimal> quantities(const std::string& number) {
        std::vector<Decimal> out;
        data::Table t = data::USE(*db, "DET_DOC", "DET_DOC");
        const std::string key = data::order_key("DET_DOC", "DET_DOC", {kRegBiz, number});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(t->num("CANTIDAD"));
        return out;
    }
    // Debit and credit of the journal lines `number` posted (DET_AS by document).
    std::pair<Decimal, Decimal> postings(const std::string& number) {
        Decimal debit, credit;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS6");
        const std::string key = data::order_key("DET_AS", "DET_AS6", {kRegBiz, number});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            debit += t->num("DEBITO");
            credit += t->num("CREDITO");
        }
        return {debit, credit};
    }
    void settings_field(const char* field, const data::Value& v) {
        edit_record(*db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {kRegBiz}),
                    [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

inline Decimal amount(const char* s) { return Decimal::parse(s); }

}  // namespace qz::test
