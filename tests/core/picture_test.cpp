#include "core/picture.h"

#include <gtest/gtest.h>

using qz::Decimal;
using qz::pic_format;
using qz::pic_parse;
using namespace qz::literals;

TEST(Picture, FormatsNumbersIntoTheirTemplate) {
    EXPECT_EQ(pic_format(1234.5_d, "999,999.99"), "  1,234.50");
    EXPECT_EQ(pic_format(-1234.5_d, "999,999.99"), " -1,234.50");
    EXPECT_EQ(pic_format(-5_d, "999,999.99"), "     -5.00");
    EXPECT_EQ(pic_format(1234567.891_d, "99,999,999.99"), " 1,234,567.89");
    EXPECT_EQ(pic_format(1.000005_d, "999,999.99999"), "      1.00001");
    EXPECT_EQ(pic_format(2.345_d, "99.99"), " 2.35");
    EXPECT_EQ(pic_format(-2.345_d, "99.99"), "-2.35");
    EXPECT_EQ(pic_format(0.5_d, "99.9"), " 0.5");
    EXPECT_EQ(pic_format(0_d, "9999"), "   0");
    EXPECT_EQ(pic_format(-0.001_d, "99.99"), " 0.00");  // rounds to zero: no sign
    // The minus sign takes the place of a separator that has no digit before it.
    EXPECT_EQ(pic_format(-123_d, "999,999"), "   -123");
    // What does not fit shows asterisks, never a cut number.
    EXPECT_EQ(pic_format(1000_d, "999"), "***");
    EXPECT_EQ(pic_format(99.995_d, "99.99"), "*****");
    EXPECT_EQ(pic_format(-123_d, "999"), "***");
    EXPECT_EQ(pic_format(-123456_d, "999,999"), "*******");

    EXPECT_EQ(pic_format(1234.5_d, "@E 999,999.99"), "  1.234,50");
    EXPECT_EQ(pic_format(0_d, "@Z 999,999.99"), "          ");
    EXPECT_EQ(pic_format(0.004_d, "@Z 99.99"), "     ");
    EXPECT_EQ(pic_format(1_d, "@Z 99.99"), " 1.00");
    EXPECT_EQ(pic_format(1234.5_d, "@EZ 99,999"), " 1.235");
    EXPECT_EQ(pic_format(1234.5_d, ""), "1234.5");
}

TEST(Picture, ParsesWhatUsersType) {
    Decimal v;
    ASSERT_TRUE(pic_parse("1,234.50", "999,999.99", v));
    EXPECT_EQ(v, 1234.5_d);
    ASSERT_TRUE(pic_parse("  - 1,234.5 ", "999,999.99", v));
    EXPECT_EQ(v, -1234.5_d);
    ASSERT_TRUE(pic_parse("1.234,50", "@E 999,999.99", v));
    EXPECT_EQ(v, 1234.5_d);
    ASSERT_TRUE(pic_parse("2.345", "99.99", v));
    EXPECT_EQ(v, 2.35_d);
    ASSERT_TRUE(pic_parse("   ", "99.99", v));
    EXPECT_EQ(v, 0_d);
    for (Decimal d : {1234.5_d, -0.01_d, 999999.99_d, 0_d}) {
        ASSERT_TRUE(pic_parse(pic_format(d, "@E 999,999.99"), "@E 999,999.99", v));
        EXPECT_EQ(v, d);
    }

    v = 7_d;
    for (const char* bad :
         {"12a", "1..2", "-", ".", "--1", "1 234", "1,2", ",123", "1,234.5,0", "1234,50", "+5"})
        EXPECT_FALSE(pic_parse(bad, "999,999.99", v)) << bad;
    EXPECT_FALSE(pic_parse("1.5", "@E 999,999.99", v));    // a dot is a separator there
    EXPECT_FALSE(pic_parse("12345", "9999", v));           // would not fit the field
    EXPECT_FALSE(pic_parse("99.999", "99.99", v));         // rounds to 100.00
    EXPECT_FALSE(pic_parse(std::string(60, '9'), "", v));  // beyond any amount
    EXPECT_EQ(v, 7_d);
}

TEST(Picture, FormatsTextMasks) {
    EXPECT_EQ(qz::pic_format_text("peña álvarez", "@!"), "PEÑA ÁLVAREZ");
    EXPECT_EQ(qz::pic_format_text("1005", "@R 99:99"), "10:05");
    EXPECT_EQ(qz::pic_format_text("10:05", "99:99"), "10:05");
    EXPECT_EQ(qz::pic_format_text("ñu", "!!!"), "ÑU ");
    EXPECT_EQ(qz::pic_format_text("abcdef", "XXX"), "abc");
    EXPECT_EQ(qz::lower_latin("ÁÉÍÓÚÑÜ×"), "áéíóúñü×");
    EXPECT_EQ(qz::upper_latin("÷ÿ"), "÷ÿ");
}
