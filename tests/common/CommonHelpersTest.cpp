#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/TBusinessClock.h"
#include "controls/EConvertError.h"

TEST(StepMonth, CrossesYearEndsBothWays)
{
    EXPECT_EQ(StepMonth("202601", -1), "202512");
    EXPECT_EQ(StepMonth("202512", +1), "202601");
    EXPECT_EQ(StepMonth(" 202606 ", +1), "202607");
    EXPECT_EQ(StepMonth("000101", -1), "000012");
}

TEST(DayInMonthText, TodayInItsMonthOtherwiseTheMonthsLastDay)
{
    const TBusinessClock::TScoped clock(QDate(2026, 12, 9));
    EXPECT_EQ(DayInMonthText("202612"), "20261209");
    EXPECT_EQ(DayInMonthText("202611"), "20261130");
    EXPECT_EQ(DayInMonthText("202402"), "20240229");
    EXPECT_EQ(DayInMonthText("202701"), "20270131");
    EXPECT_EQ(DayInMonthText("202613"), "");
    EXPECT_EQ(DayInMonthText(""), "");
}

TEST(StepMonth, EmptyFieldStepsFromCurrentMonth)
{
    const QDate today = QDate::currentDate();
    EXPECT_EQ(StepMonth("", -1), today.addMonths(-1).toString("yyyyMM"));
    EXPECT_EQ(StepMonth("   ", +1), today.addMonths(1).toString("yyyyMM"));
}

TEST(StepMonth, MalformedFieldRaisesConversionErrorNamingTheText)
{
    EXPECT_THROW(StepMonth("2026", +1), EConvertError); // half-filled: no month digits
    try {
        StepMonth("20x612", -1);
        FAIL() << "expected a conversion error";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains("'20x6'")) << e.Message().toStdString();
    }
    EXPECT_THROW(StepMonth("2026-", +1), EConvertError); // a sign without digits
}

TEST(FormatDateText, FormsOnlyRealCalendarDates)
{
    EXPECT_EQ(FormatDateText("20261208"), "2026-12-08");
    EXPECT_EQ(FormatDateText("2026/12/08"), "2026-12-08");
    EXPECT_EQ(FormatDateText("20260230"), "20260230");
    EXPECT_EQ(FormatDateText("20240229"), "2024-02-29");
    EXPECT_EQ(FormatDateText("20250229"), "20250229");
    EXPECT_EQ(FormatDateText("202612"), "202612");
    EXPECT_EQ(FormatDateText(""), "");
}

TEST(DayOfWeekName, NeedsEightCharactersOfARealDate)
{
    EXPECT_EQ(DayOfWeekName("20261208"), "화요일");
    EXPECT_EQ(DayOfWeekName("20261206"), "일요일");
    EXPECT_EQ(DayOfWeekName("20261212"), "토요일");
    EXPECT_EQ(DayOfWeekName("2026-12-08"), "");
    EXPECT_EQ(DayOfWeekName("20261232"), "");
}

TEST(TextToInt64, AcceptsLeadingBlanksAndSignOnly)
{
    EXPECT_EQ(TextToInt64("  42"), 42);
    EXPECT_EQ(TextToInt64("-17"), -17);
    EXPECT_EQ(TextToInt64("+8"), 8);
    EXPECT_EQ(TextToInt64("42 "), 0);
    EXPECT_EQ(TextToInt64(""), 0);
    EXPECT_EQ(TextToInt64("   "), 0);
    EXPECT_EQ(TextToInt64("9x"), 0);
    EXPECT_EQ(TextToInt64("9223372036854775807"), Q_INT64_C(9223372036854775807));
    EXPECT_EQ(TextToInt64("9223372036854775808"), 0); // out of range
}

TEST(DigitsOnly, KeepsMinusOnlyInFirstPlace)
{
    EXPECT_EQ(DigitsOnly("-1,234"), "-1234");
    EXPECT_EQ(DigitsOnly("1-234"), "1234");
    EXPECT_EQ(DigitsOnly("2026-12-08"), "20261208");
    EXPECT_EQ(DigitsOnly("금액 ₩1,000원"), "1000");
}

TEST(TodayText, FollowsTheBusinessClockWhichTheEnvironmentCanFix)
{
    EXPECT_EQ(TodayText(), QDate::currentDate().toString("yyyyMMdd"));
    {
        const TBusinessClock::TScoped clock(QDate(2025, 12, 31));
        EXPECT_EQ(TodayText(), "20251231");
        EXPECT_EQ(StepMonth("", +1), "202601");
    }
    qputenv("SELVAR_TODAY", "20260301");
    TBusinessClock::Reset();
    EXPECT_EQ(TodayText(), "20260301");
    qputenv("SELVAR_TODAY", "2026-03-01"); // not eight digits: ignored
    TBusinessClock::Reset();
    EXPECT_EQ(TodayText(), QDate::currentDate().toString("yyyyMMdd"));
    qunsetenv("SELVAR_TODAY");
    TBusinessClock::Reset();
}

TEST(ClearContainer, EmptiesDirectEditorsOfPanelsOnly)
{
    QFrame panel;
    auto* edit = new QLineEdit("abc", &panel);
    auto* mask = new QLineEdit(&panel);
    mask->setInputMask("9999-99-99");
    mask->setText("20261208");
    auto* memo = new QPlainTextEdit("memo", &panel);
    auto* combo = new QComboBox(&panel);
    combo->addItems({"a", "b"});
    combo->setCurrentIndex(1);
    auto* label = new QLabel("caption", &panel);
    auto* nested = new QGroupBox(&panel);
    auto* inner = new QLineEdit("kept", nested);

    ClearContainer(&panel);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(mask->text().remove(QLatin1Char('-')), "");
    EXPECT_EQ(memo->toPlainText(), "");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(label->text(), "caption");
    EXPECT_EQ(inner->text(), "kept");

    QPlainTextEdit notAPanel("text");
    ClearContainer(&notAPanel);
    EXPECT_EQ(notAPanel.toPlainText(), "text");
}
