// The numbering service: how a number is written, that the series row stays locked until the
// drawing transaction ends (a rollback gives the number back, a second workstation waits), and
// giving numbers back after their transaction committed.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "core/text.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "series_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using qz::test::kSeriesBiz;

class NumberingTest : public test::SeriesFixture {};

TEST_P(NumberingTest, NumbersArePaddedToTheirWidthButNeverCut) {
    add({.code = "PAD", .number = 41, .prefix = "F", .indent = 6});
    add({.code = "BARE", .number = 41, .prefix = "F", .indent = 6, .justifica = 1});
    add({.code = "LONG", .number = 1234567, .prefix = "F", .indent = 3, .suffix = "-X"});
    EXPECT_EQ(GET_CURRENTSERIAL(*db, kSeriesBiz, "PAD"), pad_right("F000042", 15));
    EXPECT_EQ(GET_NXSERIAL(*db, kSeriesBiz, "PAD"), pad_right("F000042", 15));
    EXPECT_EQ(GET_NXSERIAL(*db, kSeriesBiz, "BARE"), pad_right("F42", 15));
    EXPECT_EQ(GET_NXSERIAL(*db, kSeriesBiz, "LONG"), pad_right("F1234568-X", 15));
    EXPECT_EQ(number("PAD"), 42);
    EXPECT_EQ(trim(std::get<std::string>(stored("PAD", "CURRENT_N"))), "F000042");
    EXPECT_EQ(GET_NXSERIAL(*db, kSeriesBiz, "NONE"), pad_right(kNoSerial, 15));
}

TEST_P(NumberingTest, ARolledBackDocumentGivesItsNumberBackAndHoldsTheSeriesUntilThen) {
    add({.code = "FAC", .number = 9});
    auto other = inst->open();
    other->patience = std::chrono::milliseconds(300);
    other->poll_interval = std::chrono::milliseconds(20);
    std::thread workstation;
    {
        data::Transaction tx(*db);
        EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "10");
        // Another workstation cannot draw while this document is unsaved: it gives up its own
        // posting (whose rollback log waits for this one's transaction on the embedded engine).
        std::promise<bool> refused;
        workstation = std::thread([&] {
            data::Transaction waiting(*other);
            try {
                GET_NXSERIAL(*other, kSeriesBiz, "FAC");
                refused.set_value(false);
            } catch (const data::TransactionAborted&) {
                refused.set_value(true);
            }
        });
        EXPECT_TRUE(refused.get_future().get());
        // A second number in the same document continues the series.
        EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "11");
    }  // rolled back
    workstation.join();
    EXPECT_EQ(number("FAC"), 9);
    {
        data::Transaction tx(*other);
        EXPECT_EQ(trim(GET_NXSERIAL(*other, kSeriesBiz, "FAC")), "10");
        tx.commit();
    }
    EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "11");
}

TEST_P(NumberingTest, GivingBackTheLastNumberRestoresTheSeriesAnOlderOneIsRecorded) {
    add({.code = "FAC", .number = 41, .prefix = "F", .indent = 6});
    const std::string first = GET_NXSERIAL(*db, kSeriesBiz, "FAC");
    const std::string second = GET_NXSERIAL(*db, kSeriesBiz, "FAC");
    // The older one: a later number is out already.
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "FAC", first), GiveBack::Recorded);
    EXPECT_EQ(number("FAC"), 43);
    EXPECT_EQ(bad_serials(), 1);
    // The last one: the series moves back and names its new last number.
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "FAC", second), GiveBack::Returned);
    EXPECT_EQ(number("FAC"), 42);
    EXPECT_EQ(trim(std::get<std::string>(stored("FAC", "CURRENT_N"))), "F000042");
    EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "F000043");
    // Nothing was taken: nothing to give back.
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "FAC", "   "), GiveBack::Ignored);
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "FAC", kNoSerial), GiveBack::Ignored);
    // A series gone meanwhile: the number is still accounted for.
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "GONE", "7"), GiveBack::Recorded);
    EXPECT_EQ(bad_serials(), 2);
}

TEST_P(NumberingTest, AUsersOwnSeriesTakesTheNumberBackBeforeTheSharedOne) {
    add({.code = "TIQ", .number = 5});
    add({.code = "TIQ", .number = 5, .user = "ANA"});
    EXPECT_EQ(CANCEL_SERIAL(*db, "ANA", kSeriesBiz, "TIQ", "5"), GiveBack::Returned);
    EXPECT_EQ(number("TIQ", "ANA"), 4);
    EXPECT_EQ(number("TIQ"), 5);
    EXPECT_EQ(CANCEL_SERIAL(*db, "LUIS", kSeriesBiz, "TIQ", "5"), GiveBack::Returned);
    EXPECT_EQ(number("TIQ"), 4);
}

INSTANTIATE_TEST_SUITE_P(Ledger, NumberingTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
