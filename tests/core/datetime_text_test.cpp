#include "core/datetime_text.h"

#include <gtest/gtest.h>

using qz::Date;

TEST(DateTimeText, DatesAndNames) {
    const Date d(2014, 9, 5);
    EXPECT_EQ(qz::DTOC2(d, 1), "05/SET/2014");
    EXPECT_EQ(qz::DTOC2(d, 2), "05/SEP/2014");
    EXPECT_EQ(qz::DTOC2(d), "05/SEP/2014");
    EXPECT_EQ(qz::DTOC2(d, 3), "05/09/2014");
    EXPECT_EQ(qz::DTOC2(Date()), "           ");
    EXPECT_EQ(qz::MES_EN_LETRAS(9), "SETIEMBRE");
    EXPECT_EQ(qz::MES_EN_LETRAS(9, 2), "SEPTEMBER");
    EXPECT_EQ(qz::MES_EN_LETRAS(13), "-----------");
    EXPECT_EQ(qz::MES_EN_LETRAS(0, 2), "-----------");
    EXPECT_EQ(qz::DIAS_EN_LETRAS(d.dow()), "VIERNES");
    EXPECT_EQ(qz::DIAS_EN_LETRAS(1, 1), "DO");
    EXPECT_EQ(qz::DIAS_EN_LETRAS(8), "-----------");
}

TEST(DateTimeText, TimesAndInstants) {
    EXPECT_EQ(qz::TIME_AMPM("13:05:09"), "01:05:09 PM");
    EXPECT_EQ(qz::TIME_AMPM("12:00:00"), "12:00:00 PM");
    EXPECT_EQ(qz::TIME_AMPM("00:30:00"), "00:30:00 AM");
    EXPECT_EQ(qz::TIME_AMPM("23:59:59"), "11:59:59 PM");
    EXPECT_EQ(qz::TIME_TO_S("01:02:03"), 3723);
    EXPECT_EQ(qz::TIME_TO_S("10:05"), 36300);
    EXPECT_EQ(qz::ALTER_TIME("10:05", -10), "09:55");
    EXPECT_EQ(qz::ALTER_TIME("10:05", 125), "12:10");
    EXPECT_EQ(qz::ALTER_TIME("23:55", 10), "24:05");
    EXPECT_EQ(qz::ALTER_TIME("00:05", -10), "-1:55");

    EXPECT_EQ(qz::N_DT_DIFF(Date(2014, 1, 31), "23:00:00", Date(2014, 2, 1), "01:00:00"), 7200);
    EXPECT_LT(qz::N_DATETIME(Date(2014, 4, 30), "23:59:59"),
              qz::N_DATETIME(Date(2014, 5, 1), "00:00:00"));
    EXPECT_LT(qz::N_DATETIME(Date(2014, 12, 31), "23:59:59"),
              qz::N_DATETIME(Date(2015, 1, 1), "00:00:00"));
}

TEST(DateTimeText, NewestFirstKey) {
    EXPECT_EQ(qz::NUM_INVERSO(Date(2090, 1, 1), "10:20:30"),
              "         0        14        40        30");
    const Date d(2014, 9, 5);
    EXPECT_EQ(qz::NUM_INVERSO(d, "08:00:00").size(), 40u);
    // Ascending keys list the latest instant first.
    EXPECT_LT(qz::NUM_INVERSO(d, "10:00:01"), qz::NUM_INVERSO(d, "10:00:00"));
    EXPECT_LT(qz::NUM_INVERSO(d, "11:00:00"), qz::NUM_INVERSO(d, "10:59:59"));
    EXPECT_LT(qz::NUM_INVERSO(d + 1, "00:00:00"), qz::NUM_INVERSO(d, "23:59:59"));
}

TEST(DateTimeText, NamesAndAddresses) {
    EXPECT_EQ(qz::UP_LOW("JOSÉ DE LA PEÑA-SOLÍS"), "José De La Peña-Solís");
    EXPECT_EQ(qz::UP_LOW("hotel (spa) s.a.,ltda"), "Hotel (Spa) S.A.,Ltda");
    EXPECT_EQ(qz::UP_LOW("ACME  CIA", {{"  ", " "}, {"CIA", "COMPAÑIA"}}), "Acme Compañia");
    EXPECT_TRUE(qz::VALID_EMAIL(" ana@spa.cr "));
    EXPECT_FALSE(qz::VALID_EMAIL("ana@spa"));
    EXPECT_FALSE(qz::VALID_EMAIL("a@b."));
    EXPECT_FALSE(qz::VALID_EMAIL("ana @spa.cr"));
    EXPECT_FALSE(qz::VALID_EMAIL("ana.spa.cr"));
}
