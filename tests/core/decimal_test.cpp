#include "core/decimal.h"

#include <gtest/gtest.h>

#include <type_traits>

using qz::Decimal;
using namespace qz::literals;

TEST(Decimal, ParsesAndPrintsExactly) {
    EXPECT_EQ(Decimal::parse("1234.50").to_string(2), "1234.50");
    EXPECT_EQ(Decimal::parse(" -0.5 ").to_string(2), "-0.50");
    EXPECT_EQ(Decimal::parse(".25").to_string(), "0.25");
    EXPECT_EQ(Decimal::parse("").to_string(2), "0.00");
    EXPECT_THROW(Decimal::parse("12a"), qz::DecimalError);
    EXPECT_THROW(Decimal::parse("1.2.3"), qz::DecimalError);
    EXPECT_THROW(Decimal::parse("-"), qz::DecimalError);
    // 0.1 + 0.2 is exactly 0.3, which binary floating point never gives.
    EXPECT_EQ(0.1_d + 0.2_d, 0.3_d);
}

TEST(Decimal, RoundsHalfAwayFromZero) {
    EXPECT_EQ(qz::ROUND5(2.345_d), 2.35_d);
    EXPECT_EQ(qz::ROUND5(-2.345_d), -2.35_d);
    EXPECT_EQ(qz::ROUND5(2.344999_d), 2.34_d);
    EXPECT_EQ(qz::ROUND5(1.005_d), 1.01_d);
    EXPECT_EQ((1.5_d).round(0), 2_d);
    EXPECT_EQ((-1.5_d).round(0), -2_d);
    EXPECT_EQ(Decimal::parse("0.00000000005").to_string(), "0.0000000001");
    EXPECT_EQ((2.5_d).to_scaled(0), 3);
    EXPECT_EQ((-12.345_d).to_scaled(2), -1235);
}

TEST(Decimal, MultipliesAndDividesWithoutLosingCents) {
    // A million colones at 1/535 must round to the right cent.
    Decimal factor = 1_d / 535_d;
    EXPECT_EQ(qz::ROUND5(1000000_d * factor), 1869.16_d);
    EXPECT_EQ(qz::ROUND5(100_d * 535.25_d), 53525_d);
    EXPECT_EQ(10_d / 4_d, 2.5_d);
    EXPECT_EQ(((-10_d) / 3_d * 3_d).to_string(), "-9.9999999999");  // ten places kept
    EXPECT_THROW(1_d / 0_d, qz::DecimalError);
    // Large amounts keep their exactness through products.
    EXPECT_EQ(Decimal::parse("999999999999.99") * 1_d, Decimal::parse("999999999999.99"));
    EXPECT_EQ((Decimal::parse("123456789012.34") / 2_d).to_string(2), "61728394506.17");
}

TEST(Decimal, OverflowThrowsInsteadOfWrapping) {
    Decimal big = Decimal::parse("10000000000000000");  // 1e16
    EXPECT_THROW(big * big * big, qz::DecimalError);
    EXPECT_THROW(Decimal::parse("99999999999999999999999999999999999999"), qz::DecimalError);
}

TEST(Decimal, ProductOfALargeAndASmallOperandFitsInEitherOrder) {
    const Decimal huge = Decimal::parse("10000000000000000000");  // 1e19
    EXPECT_EQ((0.5_d * huge).to_string(0), "5000000000000000000");
    EXPECT_EQ((huge * 0.5_d).to_string(0), "5000000000000000000");
    EXPECT_EQ((-0.25_d * huge), huge * -0.25_d);
    EXPECT_EQ((Decimal::parse("0.0000000001") * huge).to_string(0), "1000000000");
    // Rounding of the last place is the same whichever side carries the fraction.
    EXPECT_EQ(Decimal::parse("1.0000000005") * 0.5_d, 0.5_d * Decimal::parse("1.0000000005"));
    EXPECT_THROW(huge * huge, qz::DecimalError);
}

// A whole number becomes an amount only when written so: a function taking an amount refuses an
// int (CAMBIO_ACT(db, n, a, b, 2) once read the column 2 as an increment), while arithmetic and
// comparisons with whole numbers mean the number itself.
static_assert(!std::is_convertible_v<int, Decimal>);
static_assert(!std::is_convertible_v<long long, Decimal>);
static_assert(std::is_constructible_v<Decimal, int>);

TEST(Decimal, WholeNumbersInArithmeticAndComparisonsMeanThemselves) {
    const Decimal d = Decimal::parse("2.5");
    EXPECT_EQ(d * 2, Decimal(5));
    EXPECT_EQ(2 * d, Decimal(5));
    EXPECT_EQ(d + 1, Decimal::parse("3.5"));
    EXPECT_EQ(10 - d, Decimal::parse("7.5"));
    EXPECT_EQ(d / 2, Decimal::parse("1.25"));
    EXPECT_TRUE(d > 2 && d < 3 && 0 < d && d != 0);
    EXPECT_TRUE(Decimal() == 0 && 0 == Decimal());
    EXPECT_EQ(Decimal(7L), Decimal(7LL));
}
