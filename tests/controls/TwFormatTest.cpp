#include <gtest/gtest.h>

#include "controls/EConvertError.h"
#include "controls/TwFormat.h"

TEST(TwFormat, NumericPictureSectionsDigitsAndRounding)
{
    EXPECT_EQ(TwFormat::FormatNumber("#,##0", 0), "0");
    EXPECT_EQ(TwFormat::FormatNumber("#,###", 0), "");
    EXPECT_EQ(TwFormat::FormatNumber("000", 7), "007");
    EXPECT_EQ(TwFormat::FormatNumber("#,##0", 999.5), "1,000");
    EXPECT_EQ(TwFormat::FormatNumber("#,##0.00", -1234.567), "-1,234.57");
    EXPECT_EQ(TwFormat::FormatNumber("0.0#", 2), "2.0");
    EXPECT_EQ(TwFormat::FormatNumber("#,##0;-#,##0;없음", 0), "없음");
    EXPECT_EQ(TwFormat::FormatNumber("", 2.5), "2.5");
}

TEST(TwFormat, DatePictureTokens)
{
    const double serial = TwFormat::ParseDateTime("2024-07-09 15:04:05");
    EXPECT_EQ(TwFormat::FormatDateTime("yyyy-mm-dd hh:nn:ss", serial), "2024-07-09 15:04:05");
    // An am/pm marker makes the hour count 1 to 12, as the date editor does.
    EXPECT_EQ(TwFormat::FormatDateTime("h:mm am/pm", serial), "3:04 PM");
    EXPECT_EQ(TwFormat::FormatDateTime("hh:mm am/pm", TwFormat::ParseDateTime("2024-07-09 00:30:00")), "12:30 AM");
    EXPECT_EQ(TwFormat::FormatDateTime("hh:mm", TwFormat::ParseDateTime("2024-07-09 18:00:00")), "18:00");
    EXPECT_EQ(TwFormat::FormatDateTime("yyyy\"년\" m\"월\"", serial), "2024년 7월");
    EXPECT_EQ(TwFormat::FormatDateTime("yymmdd", serial), "240709");
}

TEST(TwFormat, MaskMergeFillsPositionsAndKeepsLiterals)
{
    EXPECT_EQ(TwFormat::FormatMask("9999-99;0;", "2004"), "2004-  ");
    EXPECT_EQ(TwFormat::FormatMask("!9999-99;0;", "200401"), "2004-01");
    EXPECT_EQ(TwFormat::FormatMask(">LL-000;0;", "ab123"), "AB-123");
    EXPECT_EQ(TwFormat::FormatMask("\\A99;0;", "12"), "A12");
    EXPECT_EQ(TwFormat::FormatMask("999", "1234"), "123");
}

TEST(TwFormat, ParsesAndRejectsDateAndNumberTexts)
{
    EXPECT_EQ(TwFormat::ParseDate("20240229"), TwFormat::ParseDate("2024-02-29"));
    EXPECT_EQ(TwFormat::ParseDate("1899-12-29"), -1);
    EXPECT_THROW(TwFormat::ParseDate("2024-02-29 10:00"), EConvertError);
    EXPECT_THROW(TwFormat::ParseTime("2024-02-29"), EConvertError);
    EXPECT_THROW(TwFormat::ParseTime("25:00"), EConvertError);
    EXPECT_DOUBLE_EQ(TwFormat::ParseTime("18:00"), 0.75);
    EXPECT_EQ(TwFormat::ParseInteger(" -12 "), -12);
    EXPECT_THROW(TwFormat::ParseInteger("3000000000"), EConvertError);
    EXPECT_THROW(TwFormat::ParseInteger("1.0"), EConvertError);
    EXPECT_EQ(TwFormat::ParseFloat("1e3"), 1000);
    EXPECT_THROW(TwFormat::ParseFloat("1,000"), EConvertError);
    // Before the base date the time still counts forwards from midnight.
    const QDateTime early = TwFormat::FromSerial(-1.25);
    EXPECT_EQ(early.date(), QDate(1899, 12, 29));
    EXPECT_EQ(early.time(), QTime(6, 0));
    EXPECT_DOUBLE_EQ(TwFormat::ToSerial(early), -1.25);
}
