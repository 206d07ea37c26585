#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "controls/TwCustomMaskEdit.h"

namespace {

TEST(MaskTranslation, DigitMasksAndTheSaveFlag)
{
    const QLocale c = QLocale::c();
    // Optional and required digits swap letters; ";0;" is not Qt's blank.
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("9999-99-99;0;", c), "0000-00-00;_");
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("!9999-99;0;", c), "0000-00;_");
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("(999) 000-0000;1;*", c), "(000) 999-9999;*");
    EXPECT_FALSE(TwCustomMaskEdit::SavesLiterals("9999-99;0;"));
    EXPECT_TRUE(TwCustomMaskEdit::SavesLiterals("9999-99;1;"));
    EXPECT_TRUE(TwCustomMaskEdit::SavesLiterals("9999-99"));
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("", c), "");
}

TEST(MaskTranslation, LettersCaseAndLiterals)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask(">LL<ll<>Aa Cc#", c), ">AA<aa!Nn Xx#;_");
    // Characters special only in Qt stay literal; "\" quotes the next one.
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("N-D\\9", c), "\\N-\\D\\9;_");
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("00:00", c), "99:99;_");
    EXPECT_EQ(TwCustomMaskEdit::QtInputMask("99/99_9", c), "00/00 0;_");
}

class MaskEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit = std::make_unique<TwCustomMaskEdit>();
        edit->setObjectName("medDate");
        edit->show();
        edit->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(edit.get()));
        edit->setFocus();
    }

    std::unique_ptr<TwCustomMaskEdit> edit;
};

TEST_F(MaskEditTest, ValueLeavesTheLiteralsOut)
{
    edit->SetEditMask("9999-99-99;0;");
    QTest::keyClicks(edit.get(), "20240131");
    EXPECT_EQ(edit->displayText(), "2024-01-31");
    EXPECT_EQ(edit->Text(), "20240131");
    edit->SetText("20231");
    EXPECT_EQ(edit->displayText(), "2023-1_-__");
    EXPECT_EQ(edit->Text(), "20231");
    edit->SetText("");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(MaskEditTest, MonthMaskRoundTrips)
{
    edit->SetEditMask("!9999-99;0;");
    edit->SetText("202403");
    EXPECT_EQ(edit->displayText(), "2024-03");
    EXPECT_EQ(edit->Text(), "202403");
    edit->SetEditMask("9999-99");
    edit->SetText("2024-05");
    EXPECT_EQ(edit->Text(), "2024-05");
}

TEST_F(MaskEditTest, EscapeTakesBackUnsavedTypingOnly)
{
    edit->SetEditMask("9999-99;0;");
    edit->SetText("202403");
    edit->setCursorPosition(0);
    QTest::keyClicks(edit.get(), "19");
    EXPECT_EQ(edit->Text(), "192403");

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(edit.get(), &esc);
    EXPECT_TRUE(esc.isAccepted());
    EXPECT_EQ(edit->Text(), "202403");
    // Nothing left to take back: Esc goes on to the form.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(edit.get(), &again);
    EXPECT_FALSE(again.isAccepted());
}

TEST_F(MaskEditTest, TabEntrySelectsTheWholeText)
{
    edit->SetEditMask("9999-99;0;");
    edit->SetText("202403");
    edit->clearFocus();
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), "2024-03");
    edit->SetLayout(tlBottom);
    edit->SetAlignment(Qt::AlignRight);
    EXPECT_EQ(edit->alignment(), Qt::AlignRight | Qt::AlignBottom);
}

} // namespace
