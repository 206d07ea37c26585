#include <gtest/gtest.h>

#include "common/TBusinessNumber.h"
#include "tests/support/QtPrinters.h"

TEST(TBusinessNumber, ChecksTheLastDigitOverTheFirstNine)
{
    // The ninth digit's product adds its tens once more: 8 * 5 = 40 adds 4.
    for (const char* good : {"1234567891", "2208111115", "1058700005", "2148600001"})
        EXPECT_TRUE(TBusinessNumber::IsValid(good)) << good;
    for (const char* bad : {"1234567890", "2208111116", "123456789", "12345678911", "12345678a1", ""})
        EXPECT_FALSE(TBusinessNumber::IsValid(bad)) << bad;
}

TEST(TBusinessNumber, DigitsAndTheShownForm)
{
    EXPECT_EQ(TBusinessNumber::Digits("220-81-11115"), "2208111115");
    EXPECT_EQ(TBusinessNumber::Digits(" 220 81 11115 "), "2208111115");
    EXPECT_EQ(TBusinessNumber::Digits("220-81-1111O"), ""); // a letter is no digit
    EXPECT_EQ(TBusinessNumber::Formatted("2208111115"), "220-81-11115");
    EXPECT_EQ(TBusinessNumber::Formatted("22081"), "22081");
}
