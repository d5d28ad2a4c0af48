#include "domain/search/txt_srch.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/table_ops.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

class TxtSrchTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        index = std::make_unique<TXT_SRCH>(*db, "HOTEL");
    }
    long rows() {
        auto t = USE(*db, "TXT_SRCH");
        return t->LastRec();
    }
    std::vector<TextHit> find(std::vector<std::string> words, std::vector<std::string> tables) {
        return index->SEARCH(words, tables);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
    std::unique_ptr<TXT_SRCH> index;
};

TEST(IndexWords, UpperCasedSplitAtBlanksLongerThanTwoAndOnce) {
    EXPECT_EQ(index_words("  el Masaje  de piedras\tcalientes masaje año"),
              (std::vector<std::string>{"MASAJE", "PIEDRAS", "CALIENTES", "AÑO"}));
    EXPECT_EQ(upper_latin("ñandú é"), "ÑANDÚ É");
    EXPECT_TRUE(index_words("AB de y").empty());
}

TEST_P(TxtSrchTest, WordsAreAndedPerTableAndShortWordsFindNothing) {
    index->ADD_TEXTO("C001", 0, "Juan Perez masaje relajante", "CLIENTES");
    index->ADD_TEXTO("C002", 0, "Ana Perez sauna", "CLIENTES");
    index->ADD_TEXTO("A001", 0, "Perez masaje", "ARTICULO");
    EXPECT_EQ(find({"perez"}, {"CLIENTES"}),
              (std::vector<TextHit>{{"CLIENTES", "C001"}, {"CLIENTES", "C002"}}));
    EXPECT_EQ(find({"PEREZ", "", "masaje"}, {"CLIENTES", "ARTICULO"}),
              (std::vector<TextHit>{{"CLIENTES", "C001"}, {"ARTICULO", "A001"}}));
    EXPECT_TRUE(find({"PEREZ", "SAUNA", "MASAJE"}, {"CLIENTES"}).empty());
    index->ADD_TEXTO("C003", 0, "AB", "CLIENTES");
    EXPECT_TRUE(find({"AB"}, {"CLIENTES"}).empty());
    // Adding the same text again writes nothing new.
    long before = rows();
    index->ADD_TEXTO("C001", 0, "PEREZ perez Juan", "CLIENTES");
    EXPECT_EQ(rows(), before);
    // Another business does not see them.
    index->SET_NEGOCIO("OTRO");
    EXPECT_TRUE(find({"PEREZ"}, {"CLIENTES"}).empty());
}

TEST_P(TxtSrchTest, FreedRowsAreReusedBeforeAppending) {
    index->ADD_TEXTO("C001", 0, "uno de tres cuatro", "CLIENTES");
    EXPECT_EQ(rows(), 3);  // "de" is too short
    index->DEL_TEXTO("C001", 0, "tres cuatro", "CLIENTES");
    EXPECT_TRUE(find({"TRES"}, {"CLIENTES"}).empty());
    EXPECT_EQ(find({"UNO"}, {"CLIENTES"}).size(), 1u);
    index->ADD_TEXTO("C002", 0, "cinco seis siete", "CLIENTES");
    EXPECT_EQ(rows(), 4) << "two freed rows taken, one appended";
    EXPECT_EQ(find({"SIETE", "CINCO"}, {"CLIENTES"}),
              (std::vector<TextHit>{{"CLIENTES", "C002"}}));
}

TEST_P(TxtSrchTest, MaxItemsBoundsTheDocumentsCollected) {
    for (int i = 1; i <= 5; ++i) index->ADD_TEXTO("D" + std::to_string(i), 0, "sauna", "SPA");
    index->Max_Items = 3;
    EXPECT_EQ(find({"SAUNA"}, {"SPA"}).size(), 3u);
}

TEST_P(TxtSrchTest, HookIndexesRecordsOfTablesListedInF_TXT_S) {
    {
        auto list = USE(*db, "F_TXT_S");
        ADD_NEW_REC(*list);
        list->FieldPut("TABLA", std::string("MONEDAS"));
        list->FieldPut("DOCUMENTO", std::string("CODIGO"));
        UNLOCK_NEW_REC(*list);
        KILLTABLA(*db, list);
    }
    auto hook = install_full_text(*db);
    ASSERT_NE(hook, nullptr);
    auto& search = hook->index();
    search.SET_NEGOCIO("HOTEL");
    auto t = USE(*db, "MONEDAS", "MONEDAS");
    ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", std::string("HOTEL"));
    t->FieldPut("CODIGO", std::string("US"));
    t->FieldPut("DESCRIP", std::string("Dolar americano"));
    UNLOCK_NEW_REC(*t);
    EXPECT_EQ(search.SEARCH({"dolar", "americano"}, {"MONEDAS"}),
              (std::vector<TextHit>{{"MONEDAS", "US"}}));

    LOCK_FOR_MODIFY(*t);
    t->FieldPut("DESCRIP", std::string("Dolar canadiense"));
    UNLOCK_FOR_MODIFY(*t);
    EXPECT_TRUE(search.SEARCH({"AMERICANO"}, {"MONEDAS"}).empty());
    EXPECT_EQ(search.SEARCH({"CANADIENSE"}, {"MONEDAS"}).size(), 1u);

    // A table not listed stays out of the index.
    auto other = USE(*db, "DET_MON");
    ADD_NEW_REC(*other);
    other->FieldPut("NEGOCIO", std::string("HOTEL"));
    other->FieldPut("DESCRIP", std::string("Pareja canadiense"));
    UNLOCK_NEW_REC(*other);
    EXPECT_TRUE(search.SEARCH({"PAREJA"}, {"DET_MON", ""}).empty());
}

INSTANTIATE_TEST_SUITE_P(TxtSrch, TxtSrchTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::engine_name);
