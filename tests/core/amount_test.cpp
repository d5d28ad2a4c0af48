// Amount fields: the picture comes from the field's digits, typed text reads with or without
// separators, and whatever the field cannot hold exactly is refused with a message naming it.
#include "core/amount.h"

#include <gtest/gtest.h>

using qz::AmountField;
using qz::Decimal;
using namespace qz::literals;

namespace {

// What reading `typed` into a field of that width gives: the value as text, or the refusal.
std::string read(const char* typed, int width, int decimals, bool negative = false) {
    AmountField f{"Precio", width, decimals, negative};
    if (width == 7) f.most = 100_d;  // a percentage
    Decimal v;
    const std::string why = f.read(typed, v);
    return why.empty() ? v.to_string() : why;
}

}  // namespace

TEST(AmountField, PictureAndShownTextFollowTheFieldsDigits) {
    const AmountField money{"Monto", 16, 2};
    EXPECT_EQ(money.picture(), "99,999,999,999,999.99");
    EXPECT_EQ((AmountField{"Personas", 4, 0}.picture()), "9,999");
    EXPECT_EQ(money.show(1234.5_d), "1,234.50");
    // A negative value as wide as the field still shows: the minus takes no digit's place.
    EXPECT_EQ((AmountField{"Saldo", 4, 0, true}.show(-9999_d)), "-9,999");
}

TEST(AmountField, TypedTextReadsWithOrWithoutSeparatorsAndIsRefusedWhenItDoesNotFit) {
    EXPECT_EQ(read("1,234.50", 16, 2), "1234.5");
    EXPECT_EQ(read(" 1234.5 ", 16, 2), "1234.5");
    EXPECT_EQ(read("1,23.4", 16, 2), "Precio: \"1,23.4\" no es un número válido.");
    EXPECT_EQ(read("-3", 16, 2), "Precio: no se admiten valores negativos.");
    EXPECT_EQ(read("-1,500.25", 16, 2, true), "-1500.25");
    EXPECT_EQ(read("99,999,999,999,999.99", 16, 2), "99999999999999.99");
    EXPECT_EQ(read("100000000000000", 16, 2),
              "Precio: el valor excede el máximo del campo (99,999,999,999,999.99).");
    // Never rounded or cut behind the user's back.
    EXPECT_EQ(read("10.005", 16, 2), "Precio: admite a lo sumo 2 decimales.");
    EXPECT_EQ(read("2.7", 4, 0), "Precio: debe ser un número entero.");
    EXPECT_EQ(read("100", 7, 3), "100");
    EXPECT_EQ(read("100.001", 7, 3), "Precio: debe estar entre 0 y 100.");
}
