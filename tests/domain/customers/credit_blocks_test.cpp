// Blocks of classification pairs: what a block needs, and that a pair is held by one block only,
// also when a block is moved onto a pair another one holds.
#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "domain/customers/credit_blocks.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class BlockTest : public test::CustomerTest {
protected:
    Block block(const char* clas1, const char* clas2, const char* doc = "F-100") {
        Block b;
        b.agent = "10";
        b.clas1 = clas1;
        b.clas2 = clas2;
        b.document = doc;
        b.observation = "Grupo de mayo";
        b.reason = kReserved;
        return b;
    }
    std::optional<std::string> save(const Block& b) { return save_block(*db, kBiz, b, "ANA"); }
};

TEST_P(BlockTest, ABlockNeedsItsAgentAndBothClassesInThatOrder) {
    Block b = block("", "");
    b.agent = " ";
    EXPECT_EQ(save(b), std::string(kNoAgent));
    b.agent = "10";
    EXPECT_EQ(save(b), std::string(kNoClass1));
    b.clas1 = "A1";
    EXPECT_EQ(save(b), std::string(kNoClass2));
    EXPECT_TRUE(blocks(*db, kBiz).empty());
    b.clas2 = "b2";
    EXPECT_FALSE(save(b));
    const Block stored = blocks(*db, kBiz).at(0);
    EXPECT_EQ(stored.clas2, "B2");
    EXPECT_EQ(stored.user, "ANA");
    EXPECT_EQ(stored.reason, kReserved);
}

TEST_P(BlockTest, APairHeldByAnotherBlockIsRefusedNamingItsDocument) {
    ASSERT_FALSE(save(block("A1", "B2")));
    ASSERT_FALSE(save(block("A1", "B3", "F-200")));
    const std::string taken =
        "Ya existe un bloqueo con la combinación de Clas#1 y Clas#2 seleccionados\r\n#Doc :F-100"
        "\r\nObs:Grupo de mayo";
    EXPECT_EQ(save(block("a1", "B2", "F-300")), taken);

    Block moved = blocks(*db, kBiz).at(1);
    moved.clas2 = "B2";
    EXPECT_EQ(save(moved), taken) << "changing a block onto a held pair";
    moved.clas2 = "B3";
    moved.observation = "otra";
    EXPECT_FALSE(save(moved)) << "a block keeps its own pair";
    EXPECT_EQ(blocks(*db, kBiz).at(1).observation, "otra");
    EXPECT_EQ(blocks(*db, kBiz).size(), 2u);

    delete_block(*db, blocks(*db, kBiz).at(0).recno);
    EXPECT_FALSE(save(block("A1", "B2", "F-300"))) << "a removed block frees its pair";
}

INSTANTIATE_TEST_SUITE_P(Engines, BlockTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
