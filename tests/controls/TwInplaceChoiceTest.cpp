#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "MemGridFixture.h"
#include "controls/TwInBoolEdit.h"
#include "controls/TwInCheckEdit.h"
#include "controls/TwInMultiEdit.h"
#include "controls/TwInRadioGroup.h"

namespace {

QKeyEvent Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, key, mods);
}

// A shown editor of type `Editor` for column 0 of a one-column grid.
template <typename Editor>
class ChoiceTest : public ::testing::Test
{
protected:
    void Make(TwDataType type, int height = 20)
    {
        grid = MakeGrid({type});
        column = grid->Column(0);
        form = std::make_unique<QWidget>();
        form->resize(300, 120);
        editor = new Editor(form.get());
        editor->setGeometry(10, 10, 200, height);
        editor->SetCanModify([this] { return allowed; });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        editor->setFocus();
    }
    void Configure() { editor->SetupFromColumn(*column); }

    std::unique_ptr<TwMemGrid> grid;
    TwMemColumn* column = nullptr;
    std::unique_ptr<QWidget> form;
    Editor* editor = nullptr;
    bool allowed = true;
};

// ---- check box and Boolean picture -------------------------------------------

using InCheckEditTest = ChoiceTest<TwInCheckEdit>;

TEST_F(InCheckEditTest, SpaceAndClickToggleDeleteEmpties)
{
    Make(wdtBool);
    Configure();
    editor->SetValue(QVariant());
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_FALSE(editor->Value().isValid());
    QTest::keyClick(editor, Qt::Key_Space);
    EXPECT_EQ(editor->Value(), QVariant(true)); // empty becomes True
    QTest::mouseClick(editor, Qt::LeftButton);
    EXPECT_EQ(editor->Value(), QVariant(false));
    editor->Toggle();
    EXPECT_EQ(editor->Value(), QVariant(true));
    QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier); // the grid's, not an empty
    EXPECT_EQ(editor->Value(), QVariant(true));
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_TRUE(editor->IsEmpty());

    allowed = false;
    editor->SetValue(false);
    QTest::keyClick(editor, Qt::Key_Space);
    QTest::mouseClick(editor, Qt::LeftButton);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->Value(), QVariant(false));
}

TEST_F(InCheckEditTest, CaptionIsWhatTheCellShows)
{
    Make(wdtBool);
    Configure();
    EXPECT_EQ(editor->Caption(true), "True");
    column->SetValues({"N", "Y"});
    Configure();
    EXPECT_EQ(editor->Caption(false), "N");
    column->SetItems({"아니오", "예"});
    Configure();
    EXPECT_EQ(editor->Caption(true), "예");
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsBoolean(true);
    EXPECT_EQ(editor->Caption(true), grid->Cells(0, 0).DisplayText());
}

TEST(InBoolEdit, ShowsAPictureOnlyForTrue)
{
    auto grid = MakeGrid({wdtBool});
    TwInBoolEdit edit;
    edit.resize(40, 18);
    edit.SetupFromColumn(*grid->Column(0));
    const auto shot = [&](const QVariant& value) {
        edit.SetValue(value);
        return edit.grab().toImage();
    };
    const QImage empty = shot(QVariant());
    EXPECT_EQ(shot(false), empty);
    EXPECT_NE(shot(true), empty);
    EXPECT_TRUE(edit.TogglesOnClick());
}

// ---- radio group -------------------------------------------------------------

using InRadioGroupTest = ChoiceTest<TwInRadioGroup>;

TEST_F(InRadioGroupTest, ValueIsTheIndexIntoValues)
{
    Make(wdtString);
    column->SetValues({"1", "2", "3"});
    column->SetItems({"Cash;현금", "Card;카드", "Bill;어음"});
    column->SetRadioColumns(3);
    Configure();
    EXPECT_EQ(editor->Captions(), (QStringList{"Cash", "Card", "Bill"}));
    editor->SetValue(1);
    EXPECT_EQ(editor->Value(), QVariant(1));
    editor->SetValue(QVariant());
    EXPECT_FALSE(editor->Value().isValid());
    editor->SetValue(7);
    EXPECT_FALSE(editor->Value().isValid());

    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->ButtonRect(2).center());
    EXPECT_EQ(editor->Value(), QVariant(2));
    EXPECT_TRUE(editor->AtTextEnd());
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_EQ(editor->Value(), QVariant(1));
    editor->Toggle();
    editor->Toggle();
    EXPECT_EQ(editor->Value(), QVariant(0)); // after the last the first
    EXPECT_TRUE(editor->AtTextStart());

    allowed = false;
    QTest::keyClick(editor, Qt::Key_Right);
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->ButtonRect(1).center());
    EXPECT_EQ(editor->Value(), QVariant(0));
}

TEST_F(InRadioGroupTest, UpAndDownStayInsideAColumnOfButtons)
{
    Make(wdtString, 40);
    column->SetValues({"a", "b", "c"});
    column->SetRadioColumns(2); // a and b in the first column, c in the second
    Configure();
    EXPECT_EQ(editor->ButtonRect(1).left(), editor->ButtonRect(0).left());
    EXPECT_GT(editor->ButtonRect(2).left(), editor->ButtonRect(0).left());
    editor->SetValue(0);
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Up)));
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Down)));
    editor->SetValue(1);
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Up)));
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Down)));
    editor->SetValue(2);
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Down)));

    // A Boolean column without values chooses between False and True.
    column->SetValues({});
    column->SetDataType(wdtBool);
    Configure();
    EXPECT_EQ(editor->Captions(), (QStringList{"False", "True"}));
}

// ---- multi-line text ---------------------------------------------------------

using InMultiEditTest = ChoiceTest<TwInMultiEdit>;

TEST_F(InMultiEditTest, TextRoundTripsWithLengthAndCase)
{
    Make(wdtString, 40);
    column->SetDataWidth(10);
    column->SetMaxLength(5);
    column->SetCharCase(ecUpperCase);
    Configure();
    EXPECT_EQ(editor->MaxLength(), 5);
    editor->SetValue(QVariant());
    EXPECT_FALSE(editor->Value().isValid());
    QTest::keyClicks(editor, "abcdefg");
    EXPECT_EQ(editor->Value(), QVariant("ABCDE"));
    editor->SelectAll();
    QApplication::clipboard()->setText("xy\nzzzz");
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->Value(), QVariant("XY\nZZ"));
    editor->SetValue("first");
    EXPECT_EQ(editor->toPlainText(), "first");
}

TEST_F(InMultiEditTest, UpAndDownLeaveOnlyAtTheOuterLines)
{
    Make(wdtString, 60);
    Configure();
    editor->SetValue("one");
    editor->CaretToEnd();
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Return, Qt::ControlModifier)));
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Return)));
    QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(editor, "two");
    EXPECT_EQ(editor->Value(), QVariant("one\ntwo"));
    EXPECT_TRUE(editor->AtTextEnd());
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Up)));
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Down)));
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Up)));
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Down)));
}

} // namespace
