#include "core/legacy_crypt.h"

#include <gtest/gtest.h>

TEST(LegacyCrypt, PositionXorOfTheTrimmedText) {
    EXPECT_EQ(qz::ENCRYPT_STRING("  abc ", 0), "  abc ");
    EXPECT_EQ(qz::ENCRYPT_STRING("ABC  ", 1), "@@@  ");  // 'A'^1, 'B'^2, 'C'^3
    EXPECT_EQ(qz::ENCRYPT_STRING("  A", 1), "@  ");      // positions start after the blanks
    EXPECT_EQ(qz::ENCRYPT_STRING("\xF1", 1), "\xF0");    // Latin-1 bytes, not UTF-8
    EXPECT_EQ(qz::DECRYPT_STRING(qz::ENCRYPT_STRING("secreto", 7), 7), "secreto");
    // Positions past 255 wrap as single-byte codes do.
    std::string long_text(300, 'a');
    std::string scrambled = qz::ENCRYPT_STRING(long_text, 1);
    EXPECT_EQ(scrambled[255], 'a');
    EXPECT_EQ(scrambled[256], static_cast<char>('a' ^ 1));
    EXPECT_EQ(qz::DECRYPT_STRING(scrambled, 1), long_text);
    EXPECT_EQ(qz::C4W_XOR(0xFF, 0x0F), 0xF0);
    EXPECT_EQ(qz::C4W_XOR(65, 1), 64);
}
