#include <QClipboard>
#include <QInputMethodEvent>

#include "TwGridTestSupport.h"
#include "controls/TwInEdit.h"
#include "controls/TwLocaleFormats.h"
#include "controls/TwMemColumn.h"

namespace {
TwMemColumn* AddColumn(TwMemGrid& grid, TwDataType type)
{
    auto* column = static_cast<TwMemColumn*>(grid.Columns()->Add());
    column->SetDataType(type);
    return column;
}

// A shown text editor set up from a column.
class InEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit = std::make_unique<TwInEdit>();
        edit->show();
        edit->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(edit.get()));
        edit->setFocus();
    }

    void Setup(TwMemColumn* column)
    {
        edit->SetupFromColumn(*column);
        edit->SetValue(QVariant());
    }
    void Type(const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, edit.get(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    TwMemGrid grid;
    std::unique_ptr<TwInEdit> edit;
};
} // namespace

TEST(TwGridEditKind, FollowsStyleTypeAndValueList)
{
    TwMemGrid grid;
    auto kind = [&](TwDataType type, TwEditStyle style = wesDefault, QStringList values = {}) {
        TwMemColumn* column = AddColumn(grid, type);
        column->SetEditStyle(style);
        column->SetValues(values);
        return column->EditKind();
    };
    EXPECT_EQ(kind(wdtString), wekText);
    EXPECT_EQ(kind(wdtChar, wesDefault, {"A", "B"}), wekPickList);
    EXPECT_EQ(kind(wdtLong, wesDefault, {"1"}), wekPickList);
    EXPECT_EQ(kind(wdtBool), wekCheckBox);
    EXPECT_EQ(kind(wdtBool, wesDefault, {"N", "Y"}), wekCheckBox);
    EXPECT_EQ(kind(wdtFloat), wekNumber);
    EXPECT_EQ(kind(wdtDate), wekDate);
    EXPECT_EQ(kind(wdtDateTime), wekDate);
    EXPECT_EQ(kind(wdtTime), wekTime);
    EXPECT_EQ(kind(wdtGraphic), wekPicture);
    EXPECT_EQ(kind(wdtGraphic, wesText), wekPicture);
    EXPECT_EQ(kind(wdtFloat, wesText), wekText);
    EXPECT_EQ(kind(wdtFloat, wesMultiText), wekNumber);      // text types only
    EXPECT_EQ(kind(wdtString, wesMultiText), wekMultiText);
    EXPECT_EQ(kind(wdtString, wesCheckBox), wekText);        // needs two values
    EXPECT_EQ(kind(wdtString, wesCheckBox, {"N", "Y"}), wekCheckBox);
    EXPECT_EQ(kind(wdtString, wesBoolean, {"N", "Y"}), wekBoolean);
    EXPECT_EQ(kind(wdtString, wesRadioGroup, {"1"}), wekRadioGroup);
    EXPECT_EQ(kind(wdtLong, wesSpinEdit), wekSpinEdit);
    EXPECT_EQ(kind(wdtString, wesNumber), wekText);
    EXPECT_EQ(kind(wdtDate, wesTime), wekDate);
    EXPECT_EQ(kind(wdtDateTime, wesTime), wekTime);
    EXPECT_EQ(kind(wdtString, wesPickList), wekText);        // no values
    EXPECT_EQ(kind(wdtString, wesMemo), wekMemo);
    EXPECT_EQ(kind(wdtString, wesDataList), wekText);        // data-aware grids only
}

TEST_F(InEdit, TakesTheColumnsLookAndLengthLimit)
{
    TwMemColumn* text = AddColumn(grid, wdtString);
    text->SetDataWidth(4);
    text->SetColor(Qt::yellow);
    Setup(text);
    EXPECT_EQ(edit->maxLength(), 4);
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(edit->Color(), QColor(Qt::yellow));
    text->SetMaxLength(2);
    text->SetEditColor(true);
    Setup(text);
    EXPECT_EQ(edit->maxLength(), 2);
    EXPECT_EQ(edit->Color(), QColor(Qt::white));
    text->SetDataWidth(0);
    text->SetMaxLength(0);
    Setup(text);
    Type(QString(40, u'x'));
    EXPECT_EQ(edit->text().size(), 40);

    TwMemColumn* number = AddColumn(grid, wdtFloat);
    number->SetMaxLength(6);
    number->SetEditBorder(webNone);
    Setup(number);
    EXPECT_EQ(edit->maxLength(), 6);
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(edit->hasFrame());
}

TEST_F(InEdit, MaskedTextGivesTheValueWithoutLiteralsAndEmptyIsNull)
{
    TwMemColumn* month = AddColumn(grid, wdtString);
    month->SetEditFormat("9999-99;0;");
    Setup(month);
    EXPECT_FALSE(edit->Value().isValid());
    edit->SetValue("200401");
    EXPECT_EQ(edit->displayText(), "2004-01");
    EXPECT_EQ(edit->Value().toString(), "200401");
    // A date column's EditFormat is a date format, not a mask.
    TwMemColumn* date = AddColumn(grid, wdtDate);
    date->SetEditFormat("yyyy-mm-dd");
    Setup(date);
    EXPECT_TRUE(edit->inputMask().isEmpty());
}

TEST_F(InEdit, RefusesCharactersTheTypeDoesNotTake)
{
    TwMemColumn* whole = AddColumn(grid, wdtLong);
    Setup(whole);
    Type("-1a2");
    EXPECT_EQ(edit->text(), "-12");
    TwMemColumn* unsignedColumn = AddColumn(grid, wdtWord);
    Setup(unsignedColumn);
    Type("+-7");
    EXPECT_EQ(edit->text(), "7");
    TwMemColumn* real = AddColumn(grid, wdtFloat);
    Setup(real);
    Type("1.5e3x");
    EXPECT_EQ(edit->text(), "1.5e3");
    TwMemColumn* date = AddColumn(grid, wdtDate);
    Setup(date);
    const QString separator = TwLocaleFormats::DateSeparator(edit->locale());
    Type("2024" + separator + "1:");
    EXPECT_EQ(edit->text(), "2024" + separator + "1");
    // A pick list takes anything.
    TwMemColumn* list = AddColumn(grid, wdtLong);
    list->SetValues({"1", "2"});
    Setup(list);
    Type("a1");
    EXPECT_EQ(edit->text(), "a1");
    // Pasting text with a refused character changes nothing.
    Setup(whole);
    QApplication::clipboard()->setText("12x");
    edit->paste();
    EXPECT_EQ(edit->text(), "");
    QApplication::clipboard()->setText("-34");
    edit->paste();
    EXPECT_EQ(edit->text(), "-34");
}

TEST_F(InEdit, CharCaseConvertsTypedText)
{
    TwMemColumn* code = AddColumn(grid, wdtString);
    code->SetCharCase(ecUpperCase);
    Setup(code);
    Type("ab가");
    EXPECT_EQ(edit->text(), "AB가");
}

TEST(TwGridComposedInput, KoreanCompositionStartsEditingLikeTyping)
{
    RouteGridDialogsToSeam();
    auto grid = TextGrid(2, 2);
    grid->Column(1)->SetDataType(wdtLong);
    grid->SetOptions(wgoEditing | wgoInserting | wgoArrowMove);
    grid->show();
    grid->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
    grid->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("가"));
    QApplication::sendEvent(grid.get(), &commit);
    ASSERT_TRUE(grid->EditorShown());
    EXPECT_EQ(grid->EditState(), wgsEdit);
    EXPECT_EQ(grid->Editor()->Value().toString(), "가");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); // first row: posts
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "가");
    // A number column refuses it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(grid->CurrentColumnIndex(), 1);
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "");
}
