#include <QCalendarWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "controls/TwDateEdit.h"
#include "controls/TwLocaleFormats.h"

namespace {

TEST(DateEditFormat, MonthsAndMinutesTakeThePickerLetters)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(TwDateEdit::ConvertFormat("yyyy-mm-dd", c), "yyyy-MM-dd");
    EXPECT_EQ(TwDateEdit::ConvertFormat("YYYY-MM-DD", c), "yyyy-MM-dd"); // read in lower case
    EXPECT_EQ(TwDateEdit::ConvertFormat("hh:nn", c), "HH':'mm");
    EXPECT_EQ(TwDateEdit::ConvertFormat("yyyy/mm/dd hh:nn:ss", c), "yyyy'/'MM'/'dd HH':'mm':'ss");
}

TEST(DateEditFormat, SeparatorsComeFromTheLocale)
{
    const QLocale finnish(QLocale::Finnish, QLocale::Finland); // 9.3.2024 klo 13.05
    ASSERT_EQ(TwLocaleFormats::TimeSeparator(finnish), ".");
    ASSERT_EQ(TwLocaleFormats::DateSeparator(finnish), ".");
    EXPECT_EQ(TwDateEdit::ConvertFormat("hh:nn", finnish), "HH'.'mm");
    EXPECT_EQ(TwDateEdit::ConvertFormat("dd/mm", finnish), "dd'.'MM");
}

TEST(DateEditFormat, MorningAfternoonMakesTheHourTwelveHour)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(TwDateEdit::ConvertFormat("hh:nn am/pm", c), "hh':'mm AP");
    EXPECT_EQ(TwDateEdit::ConvertFormat("ampm h", c), "AP h");
    EXPECT_EQ(TwDateEdit::ConvertFormat("h a/p", c), "h AP");
}

TEST(DateEditFormat, QuotedTextAndLocaleLayoutsAreNotConvertedAgain)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(TwDateEdit::ConvertFormat("yyyy\"년 \"mm\"월\"", c), "yyyy'년 'MM'월'");
    EXPECT_EQ(TwDateEdit::ConvertFormat("'hmn' hh", c), "'hmn' HH");
    // The locale's own layouts keep their letters (mm stays minutes there).
    EXPECT_EQ(TwDateEdit::ConvertFormat("c", c), c.dateFormat(QLocale::ShortFormat));
    EXPECT_EQ(TwDateEdit::ConvertFormat("dddddd", c), c.dateFormat(QLocale::LongFormat));
    EXPECT_EQ(TwDateEdit::ConvertFormat("ddddd t", c),
              c.dateFormat(QLocale::ShortFormat) + " " + c.timeFormat(QLocale::ShortFormat));
    EXPECT_EQ(TwDateEdit::ConvertFormat("tt", c), c.timeFormat(QLocale::LongFormat));
}

class DateEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit = std::make_unique<TwDateEdit>();
        edit->setObjectName("dtpDate");
        edit->setLocale(QLocale::c());
        edit->SetEditFormat("yyyy-mm-dd");
        edit->SetDateTime(QDateTime(QDate(2024, 3, 9), QTime(0, 0)));
        edit->show();
        edit->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(edit.get()));
        edit->setFocus();
    }

    std::unique_ptr<TwDateEdit> edit;
};

TEST_F(DateEditTest, ShowsTheConvertedLayout)
{
    EXPECT_EQ(edit->text(), "2024-03-09");
    edit->SetEditFormat("hh:nn am/pm");
    edit->SetDateTime(QDateTime(QDate(2024, 3, 9), QTime(15, 5)));
    EXPECT_EQ(edit->text(), "03:05 PM");
    EXPECT_TRUE(edit->displayedSections() & QDateTimeEdit::AmPmSection);
}

TEST_F(DateEditTest, NeverEmptyWithoutEnableNull)
{
    edit->SetEnableNull(false);
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    EXPECT_FALSE(edit->Empty());
    EXPECT_EQ(edit->date(), QDate(2024, 3, 9));
    EXPECT_EQ(edit->text(), "2024-03-09");
    edit->SetEmpty(true);
    EXPECT_FALSE(edit->Empty());
    edit->SetCellValue(QVariant());
    EXPECT_FALSE(edit->Empty());
    EXPECT_TRUE(edit->CellValue().isValid());
}

TEST_F(DateEditTest, DeleteEmptiesAndTypingFillsAgain)
{
    QTest::keyClick(edit.get(), Qt::Key_Delete);
    ASSERT_TRUE(edit->Empty());
    EXPECT_FALSE(edit->CellValue().isValid());
    // Letters and arrows are dropped while empty.
    QTest::keyClicks(edit.get(), "x");
    QTest::keyClick(edit.get(), Qt::Key_Up);
    EXPECT_TRUE(edit->Empty());
    EXPECT_EQ(edit->date(), QDate(2024, 3, 9));
    // A digit starts editing the first field.
    QTest::keyClick(edit.get(), Qt::Key_2);
    EXPECT_FALSE(edit->Empty());
    EXPECT_EQ(edit->currentSection(), QDateTimeEdit::YearSection);
}

TEST_F(DateEditTest, HomeFillsTodayAndTurningNullOffFills)
{
    edit->SetEmpty(true);
    QTest::keyClick(edit.get(), Qt::Key_Home);
    EXPECT_FALSE(edit->Empty());
    EXPECT_EQ(edit->date(), QDate::currentDate());

    edit->SetEmpty(true);
    edit->SetEnableNull(false);
    EXPECT_FALSE(edit->Empty());
}

TEST_F(DateEditTest, CalendarKeysFillAndOpenTheCalendar)
{
    edit->SetEmpty(true);
    QTest::keyClick(edit.get(), Qt::Key_F4);
    EXPECT_FALSE(edit->Empty());
    EXPECT_TRUE(edit->calendarWidget()->isVisible());
    edit->calendarWidget()->window()->hide();
    edit->SetEmpty(true);
    QTest::keyClick(edit.get(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(edit->Empty());
    EXPECT_TRUE(edit->calendarWidget()->isVisible());
    edit->calendarWidget()->window()->hide();
}

TEST_F(DateEditTest, ChoosingInTheCalendarFills)
{
    edit->SetEmpty(true);
    emit edit->calendarWidget()->clicked(QDate(2024, 5, 1));
    EXPECT_FALSE(edit->Empty());
    edit->SetCellValue(QVariant());
    EXPECT_TRUE(edit->Empty());
    edit->SetCellValue(QDateTime(QDate(2023, 12, 31), QTime(8, 0)));
    EXPECT_FALSE(edit->Empty());
    EXPECT_EQ(edit->CellValue().toDateTime().date(), QDate(2023, 12, 31));
}

} // namespace
