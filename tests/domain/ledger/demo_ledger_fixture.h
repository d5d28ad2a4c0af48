#pragma once
// The ledger's set-up rules tried on the demonstration business, on each engine: what the
// scripted port was last told is at hand without its title.
#include <gtest/gtest.h>

#include <memory>

#include "domain/demo/demo_data.h"
#include "support/test_db.h"

namespace qz::test {

class DemoLedgerTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        db = inst->open();
        domain::install_demo_data(*db);
    }
    // The text of the last message (the port records "title: text").
    std::string said() {
        const std::string& m = inst->port.messages.back();
        return m.substr(m.find(": ") + 2);
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
