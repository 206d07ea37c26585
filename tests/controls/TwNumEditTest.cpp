#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "MemGridFixture.h"
#include "controls/TwNumEdit.h"

namespace {

// A shown numeric field with a second control to move the focus to.
class NumEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form = std::make_unique<QWidget>();
        edit = new TwNumEdit(form.get());
        edit->setObjectName("nedAmount");
        edit->setLocale(QLocale::c());
        other = new QLineEdit(form.get());
        other->move(0, 40);
        edit->OnChange = [this](QObject*) { ++changes; };
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Focus without the integer part selected, caret where `caretKey` puts it.
    void Focus(Qt::Key caretKey = Qt::Key_End)
    {
        edit->SetAutoSelect(false);
        edit->setFocus();
        QTest::keyClick(edit, caretKey);
    }

    void Type(const char* keys) { QTest::keyClicks(edit, keys); }

    std::unique_ptr<QWidget> form;
    TwNumEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    int changes = 0;
};

TEST_F(NumEditTest, KeepsFixedDecimalsAndGroupsOnlyOnScreen)
{
    edit->SetPrecision(2);
    edit->SetValue(1234.5);
    EXPECT_EQ(edit->Num().Text(), "1234.50");
    EXPECT_EQ(edit->DisplayText(), "1,234.50");
    edit->SetThousandSep(false);
    EXPECT_EQ(edit->DisplayText(), "1234.50");
    edit->SetThousandSep(true);
    edit->SetValue(-1234567.891);
    EXPECT_EQ(edit->DisplayText(), "1,234,567.89");
    EXPECT_DOUBLE_EQ(edit->Value(), -1234567.89);
}

TEST_F(NumEditTest, WritingRoundsHalfAwayFromZeroAtEighteenDigits)
{
    EXPECT_EQ(TwNumText::FormatFixed(2.5, 0), "3");
    EXPECT_EQ(TwNumText::FormatFixed(-2.5, 0), "3");
    EXPECT_EQ(TwNumText::FormatFixed(0.125, 2), "0.13");
    EXPECT_EQ(TwNumText::FormatFixed(9.995, 2), "9.99"); // 9.99499999999999993 in binary
    EXPECT_EQ(TwNumText::FormatFixed(99.5, 0), "100");
    EXPECT_EQ(TwNumText::FormatFixed(0.004, 2), "0.00");
    EXPECT_EQ(TwNumText::FormatFixed(1e20, 0), "100000000000000000000");
    EXPECT_EQ(TwNumText::FormatFixed(0.000123, 5), "0.00012");
    // A negative value that rounds to zero carries no sign.
    edit->SetPrecision(2);
    edit->SetValue(-0.001);
    EXPECT_EQ(edit->Num().Sign(), 1);
}

TEST_F(NumEditTest, TypingIntoEmptyFieldKeepsThePointInPlace)
{
    edit->SetPrecision(2);
    edit->SetEnableNull(true);
    edit->Clear();
    ASSERT_TRUE(edit->IsEmpty());
    Focus();
    changes = 0;
    Type("5");
    EXPECT_EQ(edit->Num().Text(), "5.00");
    EXPECT_EQ(edit->Num().Caret(), 1);
    Type(".2");
    EXPECT_EQ(edit->Num().Text(), "5.20");
    EXPECT_DOUBLE_EQ(edit->Value(), 5.2);
    EXPECT_EQ(changes, 2);
    // At the end of the decimals a further digit changes nothing.
    Type("9");
    EXPECT_EQ(edit->Num().Text(), "5.29");
    Type("1");
    EXPECT_EQ(edit->Num().Text(), "5.29");
}

TEST_F(NumEditTest, DigitsReplaceASingleZeroThenInsert)
{
    edit->SetPrecision(2);
    edit->SetValue(0);
    Focus(Qt::Key_Home);
    Type("7");
    EXPECT_EQ(edit->Num().Text(), "7.00");
    Type("8");
    EXPECT_EQ(edit->Num().Text(), "78.00");
    EXPECT_EQ(edit->Num().Caret(), 2);
}

TEST_F(NumEditTest, DigitLimitDropsFurtherDigits)
{
    edit->SetValue(0);
    Focus();
    Type("12345678901");
    EXPECT_EQ(edit->Num().Text(), "1234567890");
    edit->SetPrecision(2);
    edit->SetValue(12345678);
    Focus();
    QTest::keyClick(edit, Qt::Key_Home);
    Type("9");
    EXPECT_EQ(edit->Num().Text(), "12345678.00"); // ten digits already
    // The limit never drops below the decimals, and the decimals never exceed it.
    edit->SetMaxLength(1);
    EXPECT_EQ(edit->MaxLength(), 2);
    edit->SetPrecision(5);
    EXPECT_EQ(edit->Precision(), 2);
}

TEST_F(NumEditTest, BackspaceOnASingleDigitDependsOnEnableNull)
{
    edit->SetValue(5);
    Focus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Num().Text(), "0");
    EXPECT_FALSE(edit->IsEmpty());

    edit->SetEnableNull(true);
    edit->SetValue(5);
    changes = 0;
    Focus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_TRUE(edit->IsEmpty());
    EXPECT_DOUBLE_EQ(edit->Value(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(edit->CellValue().isValid());
    // Leaving an empty field keeps it empty.
    other->setFocus();
    EXPECT_TRUE(edit->IsEmpty());
}

TEST_F(NumEditTest, BackspaceAndDeleteNeverMoveThePoint)
{
    edit->SetPrecision(2);
    edit->SetValue(12.34);
    Focus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Num().Text(), "12.30");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace); // steps over the point
    EXPECT_EQ(edit->Num().Text(), "12.00");
    EXPECT_EQ(edit->Num().Caret(), 2);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Num().Text(), "1.00");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Num().Text(), "0.00");

    edit->SetValue(5.25);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Num().Text(), "0.25");
    QTest::keyClick(edit, Qt::Key_Delete); // over the point
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Num().Text(), "0.05");
}

TEST_F(NumEditTest, DeletingASelectionAcrossThePointZeroesDecimals)
{
    edit->SetPrecision(2);
    edit->SetValue(1234.56);
    Focus(Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Right);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit->Num().SelectedText(), "34.5");
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Num().Text(), "12.06");
    EXPECT_EQ(edit->Num().Caret(), 2);

    // The whole integer part: a leading zero keeps the number well formed.
    edit->SetValue(1234.56);
    QTest::keyClick(edit, Qt::Key_Home);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Num().Text(), "0.56");

    // A digit typed over a selection replaces it.
    edit->SetValue(1234.56);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
    Type("7");
    EXPECT_EQ(edit->Num().Text(), "7.00");
}

TEST_F(NumEditTest, CtrlASelectsTheWholeNumberForTheNextDigitToReplace)
{
    edit->SetPrecision(2);
    edit->SetValue(1234.56);
    Focus(Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->Num().SelectedText(), "1234.56");
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->Num().Text(), "0.00");
}

TEST_F(NumEditTest, MinusTogglesTheSignUnlessTheRangeIsNonNegative)
{
    edit->SetMinValue(0);
    edit->SetMaxValue(100);
    edit->SetValue(5);
    Focus();
    changes = 0;
    Type("-");
    EXPECT_EQ(edit->Num().Sign(), 1);
    EXPECT_EQ(changes, 0);

    edit->SetMaxValue(0);
    Type("-");
    EXPECT_DOUBLE_EQ(edit->Value(), -5);
    EXPECT_EQ(changes, 1);
    Type("-");
    EXPECT_DOUBLE_EQ(edit->Value(), 5);
    EXPECT_EQ(changes, 2);

    edit->SetValue(0);
    changes = 0;
    Type("-");
    EXPECT_EQ(edit->Num().Sign(), -1);
    EXPECT_EQ(changes, 0);
    Type("4");
    EXPECT_DOUBLE_EQ(edit->Value(), -4);
}

TEST_F(NumEditTest, WritingOnlyANewSignFiresNoChange)
{
    edit->SetValue(5);
    changes = 0;
    edit->SetValue(-5);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(edit->Num().Sign(), -1);
    EXPECT_EQ(edit->DisplayText(), "5");
    edit->SetValue(6);
    EXPECT_EQ(changes, 1);
}

TEST_F(NumEditTest, RangeIsEnforcedWhenTheFieldIsLeft)
{
    edit->SetMinValue(1);
    edit->SetMaxValue(12);
    edit->SetValue(1);
    Focus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    Type("30");
    EXPECT_DOUBLE_EQ(edit->Value(), 30);
    other->setFocus();
    EXPECT_DOUBLE_EQ(edit->Value(), 12);
    // The published property is what shared helpers use.
    EXPECT_DOUBLE_EQ(edit->property("Value").toDouble(), 12);
    edit->setProperty("Value", 0.0);
    EXPECT_DOUBLE_EQ(edit->Value(), 0);
}

TEST_F(NumEditTest, ReadOnlyRefusesEveryChange)
{
    edit->SetValue(42);
    edit->SetReadOnly(true);
    Focus();
    changes = 0;
    Type("1-");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_DOUBLE_EQ(edit->Value(), 42);
    EXPECT_EQ(changes, 0);
}

TEST_F(NumEditTest, AutoSelectSelectsTheIntegerPartOnEntry)
{
    edit->SetPrecision(2);
    edit->SetValue(1234.5);
    other->setFocus();
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->Num().SelectedText(), "1234");
    Type("9");
    EXPECT_EQ(edit->Num().Text(), "9.50");
}

TEST_F(NumEditTest, ClipboardCarriesPlainDigits)
{
    edit->SetPrecision(2);
    edit->SetValue(1234.5);
    other->setFocus();
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1234");
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Num().Text(), "0.50");
    QApplication::clipboard()->setText("-2,500.255");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(edit->Value(), -2500.26);
    // Text that is no number, or more digits than the field holds, is refused.
    edit->SetMaxLength(10);
    for (const char* refused : {"abc", "nan", "inf", "123456789"}) {
        QApplication::clipboard()->setText(refused);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(edit->Value(), -2500.26) << refused;
    }
    QApplication::clipboard()->setText("12345678");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(edit->Value(), 12345678);
}

TEST_F(NumEditTest, ClickPlacesTheCaretOverGroupSeparators)
{
    edit->SetValue(1234567);
    Focus();
    const QFontMetrics fm = edit->fontMetrics();
    const QString display = edit->DisplayText(); // 1,234,567
    ASSERT_EQ(display, "1,234,567");
    const int left = edit->width() - 3 - fm.horizontalAdvance(display);
    // Middle of the "5" (display index 6) is digit index 4.
    const int x = left + fm.horizontalAdvance(display.left(6)) + fm.horizontalAdvance(u'5') / 2;
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(x, edit->height() / 2));
    EXPECT_EQ(edit->Num().Caret(), 4);
    Type("0");
    EXPECT_EQ(edit->Num().Text(), "12340567");

    EXPECT_EQ(TwNumText::DisplayIndex(4, 7, true), 5);
    EXPECT_EQ(TwNumText::DisplayIndex(7, 7, true), 9);
    EXPECT_EQ(TwNumText::TextIndex(5, 7, 7, true), 4); // the separator before "5" belongs to it
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, edit->height() / 2));
    EXPECT_EQ(edit->Num().SelectedText(), "12340567");
}

TEST_F(NumEditTest, SpinButtonsStepWithinTheRange)
{
    edit->SetSpinner(true);
    edit->SetMinValue(0);
    edit->SetMaxValue(3);
    edit->SetValue(2);
    const QPoint upper(edit->width() - 6, 5);
    const QPoint lower(edit->width() - 6, edit->height() - 5);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, upper);
    EXPECT_DOUBLE_EQ(edit->Value(), 3);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, upper);
    EXPECT_DOUBLE_EQ(edit->Value(), 3);
    int lastDelta = 0;
    edit->OnSpinClick = [&](QObject*, int delta, bool& accept) {
        lastDelta = delta;
        accept = false;
    };
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, lower);
    EXPECT_EQ(lastDelta, -1);
    EXPECT_DOUBLE_EQ(edit->Value(), 3);
    edit->OnSpinClick = nullptr;
    // Pressing one half and releasing over the other is no click.
    QTest::mousePress(edit, Qt::LeftButton, Qt::NoModifier, upper);
    QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, lower);
    EXPECT_DOUBLE_EQ(edit->Value(), 3);
}

TEST_F(NumEditTest, ColumnSetupAndCellValueExchange)
{
    EXPECT_EQ(TwCustomNumEdit::PrecisionOfFormat("#,##0.00"), 2);
    EXPECT_EQ(TwCustomNumEdit::PrecisionOfFormat("#,##0.#0"), 2);
    EXPECT_EQ(TwCustomNumEdit::PrecisionOfFormat("0.0%"), 1);
    EXPECT_EQ(TwCustomNumEdit::PrecisionOfFormat("#,##0"), 0);

    edit->SetMaxLength(1);
    edit->SetValue(7);
    changes = 0;
    TwCustomNumEdit::SetupFromColumn(*edit, "#,##0.00", 12, "1000", "x", true);
    EXPECT_EQ(edit->Num().Text(), "7.00");
    EXPECT_EQ(changes, 0); // setting up is no edit
    EXPECT_EQ(edit->Precision(), 2);
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_TRUE(edit->ThousandSep());
    EXPECT_TRUE(edit->Spinner());
    EXPECT_DOUBLE_EQ(edit->MaxValue(), 1000);
    EXPECT_DOUBLE_EQ(edit->MinValue(), 0);

    edit->SetEnableNull(true);
    edit->SetCellValue(QVariant());
    EXPECT_TRUE(edit->IsEmpty());
    EXPECT_FALSE(edit->CellValue().isValid());
    edit->SetCellValue(QVariant(QStringLiteral("2500.5")));
    EXPECT_EQ(edit->DisplayText(), "2,500.50");
    EXPECT_DOUBLE_EQ(edit->CellValue().toDouble(), 1000); // clamped on the way out
}

TEST_F(NumEditTest, GroupedTwoDecimalColumnGivesTwoDecimalsAndGrouping)
{
    auto grid = MakeGrid({wdtFloat});
    TwColumn* column = grid->Columns()->Items(0);
    column->SetEditFormat("#,##0.00");
    column->SetMaxValue("99999");
    column->SetColor(Qt::yellow);
    column->SetLayout(tlBottom);
    TwCustomNumEdit::SetupFromColumn(*edit, *column, false);
    EXPECT_EQ(edit->Precision(), 2);
    EXPECT_TRUE(edit->ThousandSep());
    EXPECT_DOUBLE_EQ(edit->MaxValue(), 99999);
    EXPECT_EQ(edit->Color(), QColor(Qt::yellow));
    EXPECT_EQ(edit->Layout(), tlBottom);
    column->SetEditColor(true);
    TwCustomNumEdit::SetupFromColumn(*edit, *column, false);
    EXPECT_EQ(edit->Color(), QColor(Qt::white));
}

} // namespace
