// The SQLite connection keeps the statements its users finished with and hands them out again:
// a reused statement must behave exactly like a freshly prepared one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "data/sqlite_connection.h"

using namespace qz::data;

class StatementPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("qz_pool_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        c = std::make_unique<SqliteConnection>((dir / "main.db").string());
        c->exec("CREATE TABLE t (k TEXT, v INTEGER); INSERT INTO t VALUES ('a', 1), ('b', 2);");
    }
    void TearDown() override {
        c.reset();
        std::filesystem::remove_all(dir);
    }
    int64_t value_of(const std::string& key) {
        auto st = c->prepare("SELECT v FROM t WHERE k = ?");
        st->bind(1, key);
        return st->step() ? st->int_at(0) : -1;
    }

    std::filesystem::path dir;
    std::unique_ptr<SqliteConnection> c;
};

TEST_F(StatementPoolTest, AReusedStatementStartsFromScratch) {
    EXPECT_EQ(value_of("a"), 1);
    EXPECT_EQ(value_of("b"), 2);
    // A statement given back in the middle of its rows comes back reset and unbound.
    {
        auto st = c->prepare("SELECT v FROM t WHERE k = ? OR ? IS NULL ORDER BY k");
        st->bind(1, std::string("z"));
        EXPECT_TRUE(st->step());
    }
    auto again = c->prepare("SELECT v FROM t WHERE k = ? OR ? IS NULL ORDER BY k");
    again->bind(1, std::string("z"));
    again->bind(2, std::string("x"));
    EXPECT_FALSE(again->step());
}

TEST_F(StatementPoolTest, TwoUsersOfOneQueryWalkIndependently) {
    auto first = c->prepare("SELECT k FROM t ORDER BY k");
    auto second = c->prepare("SELECT k FROM t ORDER BY k");
    ASSERT_TRUE(first->step());
    ASSERT_TRUE(second->step());
    ASSERT_TRUE(second->step());
    EXPECT_EQ(first->text_at(0), "a");
    EXPECT_EQ(second->text_at(0), "b");
}

TEST_F(StatementPoolTest, WritesThroughAReusedStatementTakeTheWriteLock) {
    for (int round = 0; round < 2; ++round) {
        c->begin();
        auto st = c->prepare("UPDATE t SET v = v + 10 WHERE k = 'a'");
        st->step();
        EXPECT_TRUE(c->holds_write_lock()) << "round " << round;
        st.reset();
        c->commit();
    }
    EXPECT_EQ(value_of("a"), 21);
}

TEST_F(StatementPoolTest, ATableDroppedAndMadeAgainIsReadAsItIsNow) {
    EXPECT_EQ(value_of("a"), 1);
    c->exec("DROP TABLE t; CREATE TABLE t (k TEXT, v INTEGER); INSERT INTO t VALUES ('a', 7);");
    EXPECT_EQ(value_of("a"), 7);
}

TEST_F(StatementPoolTest, AStatementOutlivingItsConnectionIsStillReleased) {
    auto st = c->prepare("SELECT v FROM t");
    EXPECT_TRUE(st->step());
    c.reset();  // the statement finalizes itself afterwards instead of returning to the pool
    st.reset();
    SUCCEED();
}
