// The customer log: the newest-first order of a customer's notes, the keys of notes written before
// the key existed, a change that keeps the author, and copying a log to another customer.
#include "domain/customers/customer_log.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

const Date kDay(2026, 5, 20);

class CustomerLogTest : public test::CustomerTest {
protected:
    long note(const std::string& customer, const Date& date, const char* time,
              const std::string& text, const std::string& user = "SUP") {
        return add_log_note(*db, port(), kBiz, {customer, "", text}, {user, {date, time}});
    }
    std::vector<std::string> texts(const std::string& customer) {
        std::vector<std::string> out;
        for (const auto& n : customer_log(*db, kBiz, customer)) out.push_back(n.text);
        return out;
    }
};

TEST_P(CustomerLogTest, NotesListNewestFirstAcrossMidnightAndWithinADay) {
    note("C1", kDay - 1, "23:59:59", "anoche");
    note("C1", kDay, "00:00:00", "medianoche");
    note("C1", kDay, "14:05:00", "tarde");
    note("C1", kDay, "09:30:00", "mañana");
    note("C1", kDay - 30, "10:00:00", "el mes pasado");
    note("C2", kDay + 1, "08:00:00", "de otro cliente");
    EXPECT_EQ(texts("C1"), (std::vector<std::string>{"tarde", "mañana", "medianoche", "anoche",
                                                     "el mes pasado"}));
}

TEST_P(CustomerLogTest, NotesWrittenWithoutTheKeyGetItBeforeTheyAreListed) {
    note("C1", kDay, "10:00:00", "con llave");
    // As an older program or an import wrote them: no INVERSO.
    put("BITACORA", {{"CLIENTE", "C1"},
                     {"FECHA", kDay + 1},
                     {"HORA", "08:00:00"},
                     {"DESCRIP", "importada nueva"}});
    put("BITACORA", {{"CLIENTE", "C1"},
                     {"FECHA", kDay - 1},
                     {"HORA", "08:00:00"},
                     {"DESCRIP", "importada vieja"}});
    EXPECT_EQ(fill_log_keys(*db), 2);
    EXPECT_EQ(texts("C1"),
              (std::vector<std::string>{"importada nueva", "con llave", "importada vieja"}));
    EXPECT_EQ(fill_log_keys(*db), 0);
}

TEST_P(CustomerLogTest, TheFirstLineIsKeptBesideTheTextAndABlankNoteIsRefused) {
    const long r = note("C1", kDay, "10:00:00", "Llamó el gerente\nPromete pagar el viernes");
    const auto n = read_log_note(*db, r);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->text, "Llamó el gerente\r\nPromete pagar el viernes");
    EXPECT_EQ(n->first_line, "Llamó el gerente");
    EXPECT_EQ(FIRST_LINE("uno\r\r\ndos"), "uno");
    EXPECT_EQ(FIRST_LINE("sin salto"), "sin salto");

    EXPECT_EQ(note("C1", kDay, "10:00:00", " \r\n "), 0);
    EXPECT_EQ(said(), kBlankNote);
    EXPECT_EQ(texts("C1").size(), 1u);
}

TEST_P(CustomerLogTest, AChangeStampsItselfAndKeepsTheAuthor) {
    const long r = note("C1", kDay - 2, "16:45:10", "Primera versión", "ANA");
    ASSERT_TRUE(change_log_note(*db, port(), r, kBiz, {"C1", "F100", "Segunda\nversión"},
                                {"LUIS", {kDay, "11:00:00"}}));
    const auto n = read_log_note(*db, r);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->user, "ANA");
    EXPECT_EQ(n->date, kDay - 2);
    EXPECT_EQ(n->time, "16:45:10");
    EXPECT_EQ(n->document, "F100");
    EXPECT_EQ(n->first_line, "Segunda");
    EXPECT_EQ(n->last_user, "LUIS");
    EXPECT_EQ(n->last_date, kDay);
    EXPECT_EQ(n->last_time, "11:00:00");
    // Still in its place in the order: the key follows the author's moment.
    note("C1", kDay - 1, "08:00:00", "después");
    EXPECT_EQ(texts("C1").back(), "Segunda\r\nversión");

    // A note deleted meanwhile is neither changed nor deleted twice.
    EXPECT_TRUE(delete_log_note(*db, r));
    EXPECT_FALSE(
        change_log_note(*db, port(), r, kBiz, {"C1", "", "otra"}, {"LUIS", {kDay, "12:00:00"}}));
    EXPECT_FALSE(delete_log_note(*db, r));
    EXPECT_EQ(texts("C1"), (std::vector<std::string>{"después"}));
}

TEST_P(CustomerLogTest, CopyingDuplicatesEveryNoteForAnExistingOtherCustomer) {
    store("C1", {"01"});
    store("C2", {"01"});
    // Nothing to copy: nothing happens, nothing is said.
    EXPECT_EQ(copy_customer_log(*db, port(), kBiz, "C1", "C2"), 0);
    EXPECT_TRUE(inst->port.messages.empty());

    const long r = note("C1", kDay, "10:00:00", "nota uno", "ANA");
    note("C1", kDay, "11:00:00", "nota dos");
    note("C3", kDay, "11:00:00", "de otro cliente");
    EXPECT_EQ(copy_customer_log(*db, port(), kBiz, "C1", "C2"), 2);
    const auto copied = customer_log(*db, kBiz, "C2");
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_EQ(copied[1].text, "nota uno");
    EXPECT_EQ(copied[1].user, "ANA");
    EXPECT_EQ(copied[1].date, kDay);
    EXPECT_NE(copied[1].recno, r);
    EXPECT_EQ(texts("C1").size(), 2u);

    EXPECT_EQ(copy_customer_log(*db, port(), kBiz, "C1", "c1 "), -1);
    EXPECT_EQ(said(), kCopyToItself);
    EXPECT_EQ(copy_customer_log(*db, port(), kBiz, "C1", "NADIE"), -1);
    EXPECT_EQ(said(), kNoTarget);
    EXPECT_EQ(copy_customer_log(*db, port(), kBiz, "C1", ""), -1);
    EXPECT_EQ(said(), kNoTarget);
    EXPECT_EQ(texts("C2").size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerLogTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
