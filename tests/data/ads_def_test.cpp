#include "data/ads_def.h"

#include <gtest/gtest.h>

using qz::data::parse_ads_def;

TEST(AdsDef, LinesEndAtCarriageReturnsAndLateLinesCountOnlyWhenFilled) {
    std::string text = "host=db dbname=hotel\r\n1\r\n1\r\n0\r";
    for (int i = 5; i <= 21; ++i) text += "\r";
    text += "   \r";                   // line 22 blank: the record cache stays 0
    text += ".F.\r\r\r";              // line 23, then 24 and 25 unused
    text += "0100000001\r";           // line 26: ids 2 and 10 run server transactions
    text += "SPA\r";                  // line 27
    auto p = parse_ads_def(text);
    EXPECT_EQ(p.directory, "host=db dbname=hotel");
    EXPECT_TRUE(p.every_transaction);
    EXPECT_TRUE(p.keep_tables_in_tx);
    EXPECT_FALSE(p.force_kind2);
    EXPECT_EQ(p.cache_records, 0);
    EXPECT_TRUE(p.compatible_locking);
    EXPECT_EQ(p.ts.size(), 100u);
    EXPECT_EQ(p.ads_dir, "SPA");
    p.every_transaction = false;
    EXPECT_TRUE(p.id_enabled(2));
    EXPECT_TRUE(p.id_enabled(10));
    EXPECT_FALSE(p.id_enabled(1));
    EXPECT_FALSE(p.id_enabled(std::nullopt));
    EXPECT_FALSE(p.id_enabled(101));

    // Line feeds alone do not end lines; junk never breaks the reader.
    auto q = parse_ads_def("a\nb\rc");
    EXPECT_EQ(q.line(1), "ab");
    EXPECT_EQ(q.line(2), "c");
    EXPECT_EQ(q.line(99), "");
    std::string junk = std::string(30, '\r') + "x";
    junk[22] = '\0';
    EXPECT_NO_THROW(parse_ads_def(junk));
    EXPECT_EQ(parse_ads_def(std::string(21, '\r') + "abc\r").cache_records, 0);
}

