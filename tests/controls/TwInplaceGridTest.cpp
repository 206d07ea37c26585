#include "TwGridTestSupport.h"

#include "controls/TwInCheckEdit.h"
#include "controls/TwInDateEdit.h"
#include "controls/TwInNumEdit.h"
#include "controls/TwInPickList.h"
#include "controls/TwItemList.h"
#include "controls/TwMemColumn.h"

namespace {

enum { kAmount, kPayKind, kPaid, kDueDate };

// An editable grid with an amount, a pick list, a check box and a date
// column and two stored rows.
class InplaceGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RouteGridDialogsToSeam();
        grid = MakeGrid({wdtFloat, wdtString, wdtBool, wdtDate});
        grid->Column(kAmount)->SetEditFormat("#,##0.00");
        grid->Column(kAmount)->SetDisplayFormat("#,##0.00");
        grid->Column(kAmount)->SetWidth(100);
        grid->Column(kPayKind)->SetValues({"1", "2"});
        grid->Column(kPayKind)->SetItems({"Cash;현금", "Card;카드"});
        grid->Column(kDueDate)->SetWidth(90);
        grid->SetOptions(EditableOptions());
        grid->SetRowCount(2);
        grid->Cells(kAmount, 0).SetAsFloat(10);
        grid->Cells(kAmount, 1).SetAsFloat(20);
        grid->Cells(kDueDate, 0).SetAsString("2024-03-09");
        grid->ClearRowStates(false);
    }

    // Shows the grid with the current cell on row 0 of a column and returns
    // the editor the active grid shows there.
    template <typename Editor>
    Editor* Start(int column)
    {
        grid->SetCurrentColumnIndex(column);
        grid->resize(500, 200);
        grid->show();
        grid->activateWindow();
        if (!QTest::qWaitForWindowActive(grid.get()) || !grid->EditorShown())
            return nullptr;
        return dynamic_cast<Editor*>(grid->Editor());
    }

    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }
    void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // A click where the cell lies: on the editor when it covers the cell.
    void Click(int column, int row)
    {
        const QPoint at = grid->CellRect(grid->Column(column), row).center();
        QWidget* target = grid->viewport()->childAt(at);
        if (!target)
            target = grid->viewport();
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(grid->viewport(), at));
    }

    std::unique_ptr<TwMemGrid> grid;
};

TEST_F(InplaceGrid, NumberColumnStoresTheTypedNumber)
{
    auto* editor = Start<TwInNumEdit>(kAmount);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->DisplayText(), "10.00");
    EXPECT_EQ(editor->Precision(), 2);
    ASSERT_TRUE(editor->hasFocus());
    editor->SelectAll();
    Type("1234.5-");
    EXPECT_EQ(grid->EditState(), wgsEdit); // typing started the edit
    Press(Qt::Key_Down); // to row 1: the row is posted
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_DOUBLE_EQ(grid->Cells(kAmount, 0).AsFloat(), -1234.5);
    EXPECT_EQ(grid->RowState(0), wrsModified);
    EXPECT_EQ(grid->Cells(kAmount, 0).DisplayText(), "-1,234.50");
}

TEST_F(InplaceGrid, PickListColumnStoresTheChosenValue)
{
    auto* editor = Start<TwInPickList>(kPayKind);
    ASSERT_NE(editor, nullptr);
    Type("Ca");
    ASSERT_TRUE(editor->IsDropped());
    Press(Qt::Key_Down); // moves in the list, not the grid
    EXPECT_EQ(grid->Row(), 0);
    Press(Qt::Key_Return); // closes the list, accepting
    EXPECT_FALSE(editor->IsDropped());
    EXPECT_EQ(grid->CurrentColumnIndex(), kPayKind);
    EXPECT_EQ(editor->text(), "Card");
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(kPayKind, 0).AsString(), "2");
    EXPECT_EQ(grid->Cells(kPayKind, 0).DisplayText(), "Card");
}

TEST_F(InplaceGrid, CheckBoxTogglesAtAClick)
{
    auto* editor = Start<TwInCheckEdit>(kPaid);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsEmpty());
    Click(kPaid, 1); // another row: the grid moves there and toggles
    ASSERT_EQ(grid->Row(), 1);
    ASSERT_EQ(grid->Editor(), editor);
    EXPECT_EQ(editor->Value(), QVariant(true));
    grid->Post();
    EXPECT_TRUE(grid->Cells(kPaid, 1).AsBoolean());

    Click(kPaid, 1); // on the editor itself
    EXPECT_EQ(editor->Value(), QVariant(false));
    grid->SetRow(0);
    EXPECT_FALSE(grid->Cells(kPaid, 1).IsNull());
    EXPECT_FALSE(grid->Cells(kPaid, 1).AsBoolean());
    EXPECT_EQ(grid->RowState(1), wrsModified);
}

TEST_F(InplaceGrid, DateColumnRoundTrips)
{
    auto* editor = Start<TwInDateEdit>(kDueDate);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "2024-03-09");
    // Shown and left unchanged: the row stays as it was.
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->RowState(0), wrsNone);
    EXPECT_EQ(grid->Cells(kDueDate, 0).AsString(), "2024-03-09");

    Press(Qt::Key_Up);
    editor->SelectAll();
    Type("2019");
    Press(Qt::Key_Up, Qt::ControlModifier); // steps the month typing moved to; the row stays
    EXPECT_EQ(grid->Row(), 0);
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Cells(kDueDate, 0).AsString(), "2019-04-09");

    // Delete empties the cell.
    Press(Qt::Key_Up);
    Press(Qt::Key_Delete);
    EXPECT_TRUE(editor->Empty());
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(grid->Cells(kDueDate, 0).IsNull());
}

} // namespace

// A radio group on a Boolean column without a value list offers False and
// True; writing it back must store the choice, not empty the cell.
TEST_F(InplaceGrid, RadioGroupOnABooleanColumnKeepsItsValue)
{
    grid->Column(kPaid)->SetEditStyle(wesRadioGroup);
    grid->Cells(kPaid, 0).SetAsBoolean(true);
    grid->ClearRowStates(false);
    auto* editor = Start<TwInplaceEditor>(kPaid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Value(), QVariant(1));
    editor->SetValue(0);
    grid->Edit();
    grid->UpdateData();
    grid->Post();
    EXPECT_FALSE(grid->Cells(kPaid, 0).IsNull());
    EXPECT_FALSE(grid->Cells(kPaid, 0).AsBoolean());
}
