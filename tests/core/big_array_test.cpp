#include "core/big_array.h"

#include <gtest/gtest.h>

TEST(BigArray, InsertsDeletesAndSeeksAcrossBlocks) {
    qz::BIG_ARRAY a;
    for (int i = 1; i <= 2500; ++i) a.BAADD("item" + std::to_string(i));
    EXPECT_EQ(a.BLEN(), 2500u);
    EXPECT_EQ(a.XLEN(), 3u);
    EXPECT_EQ(a.XLEN(3), 500u);
    // An insert into a full block splits it; every position still answers in order.
    a.BAINS(1, "first");
    a.BAINS(1001, "middle");
    EXPECT_EQ(a.GET(1), "first");
    EXPECT_EQ(a.GET(2), "item1");
    EXPECT_EQ(a.GET(1001), "middle");
    EXPECT_EQ(a.GET(1002), "item1000");
    EXPECT_EQ(a.GET(2502), "item2500");
    a.BADEL(1);
    EXPECT_EQ(a.GET(1), "item1");
    EXPECT_EQ(a.BLEN(), 2501u);
    EXPECT_EQ(a.BSEEK("ITEM2500"), 2501u);
    EXPECT_EQ(a.BSEEK("mid", true), 1000u);
    EXPECT_EQ(a.BSEEK("mid"), 0u);
    a.PUT(2, "x");
    EXPECT_EQ(a.GET(2), "x");
    EXPECT_THROW(a.GET(0), std::out_of_range);
    EXPECT_THROW(a.GET(2502), std::out_of_range);
    a.BAINS(a.BLEN() + 1, "last");
    EXPECT_EQ(a.GET(a.BLEN()), "last");
    a.ZAP();
    EXPECT_EQ(a.BLEN(), 0u);
    EXPECT_EQ(a.BSEEK("x"), 0u);
}
