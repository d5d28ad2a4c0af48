#pragma once
// The demonstration ledger as the document viewer's operations meet it, with a few readers of
// what they wrote: rows under a key, one field of the row found by a key, a document.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_log.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/document_viewer.h"

namespace qz::test {

class ViewerTest : public DemoLedgerTest {
protected:
    static inline const std::string kBiz = "HOTEL";
    // The agency's instalment invoice, half paid by R00000501, and its credit invoice with lines.
    static inline const std::string kInstalments = "F00001002", kInvoice = "F00001001";

    // Appends a row of the demonstration business.
    void put(const std::string& table,
             std::initializer_list<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kBiz);
        for (const auto& [f, v] : fields) t->FieldPut(f, v);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    // Changes fields of the row found by `parts` in `order`.
    void change(const std::string& table, const std::string& order,
                std::initializer_list<data::KeyValue> parts,
                std::initializer_list<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, table, order);
        ASSERT_TRUE(t->Seek(data::order_key(table, order, parts))) << table;
        data::LOCK_FOR_MODIFY(*t);
        for (const auto& [f, v] : fields) t->FieldPut(f, v);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(*db, t);
    }
    long rows(const std::string& table, const std::string& order,
              std::initializer_list<data::KeyValue> parts) {
        data::Table t = data::USE(*db, table, order);
        const std::string key = data::order_key(table, order, parts);
        t->SetScope(key, key);
        const long n = t->KeyCount();
        data::KILLTABLA(*db, t);
        return n;
    }
    // The field of the row found by `parts`, as text ("?" when there is no such row).
    std::string text(const std::string& table, const std::string& order,
                     std::initializer_list<data::KeyValue> parts, const std::string& field) {
        data::Table t = data::USE(*db, table, order);
        std::string out = "?";
        if (t->Seek(data::order_key(table, order, parts))) {
            const data::Value v = t->FieldGet(field);
            if (auto* s = std::get_if<std::string>(&v)) out = trim(*s);
            if (auto* n = std::get_if<Decimal>(&v)) out = n->to_string(2);
            if (auto* d = std::get_if<Date>(&v)) out = d->iso();
        }
        data::KILLTABLA(*db, t);
        return out;
    }
    domain::ViewedDocument doc(const std::string& number) {
        auto d = domain::read_viewed_document(*db, kBiz, number);
        EXPECT_TRUE(d) << number;
        return d.value_or(domain::ViewedDocument{});
    }
    std::vector<domain::customers::LogNote> notes(const std::string& customer) {
        return domain::customers::customer_log(*db, kBiz, customer);
    }
    size_t messages() const { return inst->port.messages.size(); }

    const domain::customers::LogWriter who{"SUP", {Date(2026, 5, 20), "23:00:00"}};
};

}  // namespace qz::test
