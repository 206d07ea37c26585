#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "TwGridTestSupport.h"
#include "controls/TwGroup.h"
#include "controls/TwGroups.h"
#include "controls/TwInEdit.h"
#include "controls/TwMemColumn.h"

namespace {
// A shown editable grid on a form with one more control to leave it for.
class GridKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RouteGridDialogsToSeam();
        form = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(form.get());
        grid = new TwMemGrid(form.get());
        grid->setObjectName("rgrGrid");
        other = new QLineEdit(form.get());
        layout->addWidget(grid);
        layout->addWidget(other);
        form->resize(500, 300);
        for (const char* caption : {"코드", "이름", "금액"})
            grid->Columns()->Add()->Title()->SetCaption(QString::fromUtf8(caption));
        grid->Column(2)->SetDataType(wdtFloat);
        grid->SetOptions(EditableOptions());
        RecordCycleEvents(*grid, events);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void Fill(int rows)
    {
        grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            grid->Cells(0, r).SetAsString(QString("C%1").arg(r));
            grid->Cells(1, r).SetAsString(QString("이름%1").arg(r));
            grid->Cells(2, r).SetAsFloat(r * 10);
        }
        grid->SetRowState(0, wrsNone);
    }

    void FocusGrid()
    {
        grid->setFocus();
        QApplication::processEvents();
    }

    QWidget* Target() { return QApplication::focusWidget() ? QApplication::focusWidget() : grid; }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Target(), key, mods); }
    void Type(const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, Target(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    QString EditorText()
    {
        if (!grid->EditorShown())
            return QStringLiteral("<hidden>");
        if (auto* edit = dynamic_cast<TwInEdit*>(grid->Editor()))
            return edit->text();
        return grid->Editor()->Value().toString();
    }

    std::unique_ptr<QWidget> form;
    TwMemGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    QStringList events;
};
} // namespace

TEST_F(GridKeys, TypingIntoAnEmptyGridStartsARowAndUpPostsIt)
{
    FocusGrid();
    Key(Qt::Key_7);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(EditorText(), "7");
    EXPECT_TRUE(grid->Cells(0, 0).IsNull()); // not written before the editor is left
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "7");
    EXPECT_EQ(grid->RowState(0), wrsInserted);
    EXPECT_EQ(EditorText(), "7");
}

TEST_F(GridKeys, EscFirstRestoresTheCellValueThenCancelsTheNewRow)
{
    FocusGrid();
    Key(Qt::Key_7);
    Key(Qt::Key_Escape);
    EXPECT_EQ(EditorText(), "");
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->RowCount(), 1);
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_TRUE(events.contains("AfterCancel"));
}

TEST_F(GridKeys, DownOnTheLastRowAddsOneEmptyRowAndASecondDownDoesNothing)
{
    Fill(3);
    FocusGrid();
    grid->SetRow(2);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->EditState(), wgsInsert);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Row(), 3);
    // Up leaves the untouched row and it disappears.
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
}

TEST_F(GridKeys, EditingByTypingIsWrittenWhenTheCellIsLeft)
{
    Fill(3);
    FocusGrid();
    grid->SetRow(1);
    QStringList changes;
    grid->OnValueChanged = [&](TwMemColumn* c) { changes << grid->Cells(c->Index(), grid->Row()).AsString(); };
    Key(Qt::Key_End); // caret at the end of the selected "C1": to the grid, last column
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
    Key(Qt::Key_Home); // caret to the start of the text
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
    Key(Qt::Key_Home); // at the start: to the grid, first column
    EXPECT_EQ(grid->CurrentColumnIndex(), 0);
    Type("X");        // replaces the selected text and starts editing
    EXPECT_EQ(grid->EditState(), wgsEdit);
    Type("Y");
    EXPECT_TRUE(changes.isEmpty());
    Key(Qt::Key_Left); // caret inside the text: stays in the editor
    EXPECT_EQ(grid->CurrentColumnIndex(), 0);
    Key(Qt::Key_Right); // caret to the end
    EXPECT_EQ(grid->CurrentColumnIndex(), 0);
    Key(Qt::Key_Right); // at the end: next column
    EXPECT_EQ(grid->CurrentColumnIndex(), 1);
    EXPECT_EQ(changes, QStringList({"XY"}));
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->RowState(1), wrsModified);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "XY");
}

TEST_F(GridKeys, RequiredColumnBlocksTheRowChangeWithItsMessage)
{
    Fill(2);
    grid->Column(2)->SetRequired(true);
    FocusGrid();
    grid->SetRow(1);
    Key(Qt::Key_Down); // a new row
    Type("N");
    Key(Qt::Key_Up);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_EQ(MessageBoxSeam::Last().text, "Column '금액' must have a value.");
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->Cells(0, 2).AsString(), "N");
}

TEST_F(GridKeys, EnterMovesToTheNextFocusableCellAndWrapsToANewRow)
{
    Fill(2);
    grid->Column(1)->SetReadOnly(true);
    FocusGrid();
    grid->SetRow(1);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->CurrentColumnIndex(), 2); // the read-only column is passed over
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->CurrentColumnIndex(), 0);
    EXPECT_TRUE(grid->EditorShown());
    Key(Qt::Key_Home);
    Key(Qt::Key_End);
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
}

TEST_F(GridKeys, F3CopiesTheCellAboveOnlyBelowTheFirstRow)
{
    Fill(4);
    FocusGrid();
    Key(Qt::Key_F3);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    grid->SetRow(3);
    Key(Qt::Key_F3);
    EXPECT_EQ(grid->EditState(), wgsEdit);
    EXPECT_EQ(grid->Cells(0, 3).AsString(), "C2");
    EXPECT_EQ(EditorText(), "C2");
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->Cells(0, 3).AsString(), "C2");
    EXPECT_EQ(grid->RowState(3), wrsModified);
}

TEST_F(GridKeys, CtrlDeleteAsksInKoreanAndDeletesOnYes)
{
    Fill(3);
    FocusGrid();
    grid->SetRow(1);
    MessageBoxSeam::QueueAnswer(false);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(MessageBoxSeam::Last().text, "자료를 삭제하시겠습니까?");
    EXPECT_EQ(MessageBoxSeam::Last().caption, "삭제");
    EXPECT_EQ(grid->RowCount(), 3);
    MessageBoxSeam::QueueAnswer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"C0", "C2"}));
    EXPECT_TRUE(events.contains("RowChange"));
}

TEST_F(GridKeys, CtrlDeleteWithSoftDeletingMarksTheRowAndFiresNoRowChange)
{
    Fill(3);
    grid->SetSoftDeleting(true);
    FocusGrid();
    grid->SetRow(1);
    QTest::qWait(300);
    events.clear();
    MessageBoxSeam::QueueAnswer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->RowState(1), wrsDeleted);
    QTest::qWait(300);
    EXPECT_FALSE(events.contains("RowChange"));
    // A deleted row cannot be edited: typing is refused.
    Type("Z");
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "C1");
}

TEST_F(GridKeys, SelectedRowsAreAllDeletedAfterTheirOwnQuestion)
{
    Fill(4);
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    FocusGrid();
    grid->SetRow(1);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedCount(), 2);
    MessageBoxSeam::QueueAnswer(true);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(MessageBoxSeam::Last().text, "선택된 자료를 모두 삭제하시겠습니까?");
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"C0", "C3"}));
}

TEST_F(GridKeys, RefusedEditsAndCharactersBeepAndChangeNothing)
{
    Fill(2);
    int asked = 0;
    grid->OnEdit = [&](TwColumn*, bool& accept) {
        ++asked;
        accept = false;
    };
    FocusGrid();
    Type("Q");
    Type("R");
    EXPECT_EQ(asked, 2); // asked again on the next key
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(EditorText(), "C0");
    grid->OnEdit = nullptr;
    Key(Qt::Key_End);
    Type("a");  // not a number
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    Type("5");
    EXPECT_EQ(grid->EditState(), wgsEdit);
    EXPECT_EQ(EditorText(), "5");
}

TEST_F(GridKeys, LeavingTheGridWritesTheValueAndCancelOnExitDropsAnUntouchedRow)
{
    Fill(1);
    grid->SetOptions(grid->Options() | wgoCancelOnExit);
    FocusGrid();
    Type("W");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid->EditorShown());
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "W");
    FocusGrid();
    EXPECT_TRUE(grid->EditorShown());
    grid->Insert(true);
    EXPECT_EQ(grid->RowCount(), 2);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid->RowCount(), 1);
}

TEST_F(GridKeys, GroupModeMovesThroughLevelsBeforeRows)
{
    Fill(3);
    grid->Groups()->Add();
    grid->Groups()->Items(0)->SetLevels(2);
    grid->Groups()->Items(0)->SetWidth(200);
    grid->Column(0)->SetGroup(0);
    grid->Column(1)->SetLevelIndex(1);
    grid->Column(1)->SetGroup(0);
    grid->Column(2)->SetLevel(1);
    grid->Column(2)->SetGroup(0);
    grid->Column(0)->SetReadOnly(true);
    grid->SetGroupMode(true);
    FocusGrid();
    EXPECT_EQ(grid->CurrentColumnIndex(), 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentColumnIndex(), 1);
    Key(Qt::Key_Down);
    // Column 2 spans the whole group, so it holds column 1's left edge.
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
    EXPECT_EQ(grid->Row(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
    Key(Qt::Key_Up);
    // Column 0 holds the left edge but is read-only: rightwards first going up.
    EXPECT_EQ(grid->CurrentColumnIndex(), 1);
    EXPECT_EQ(grid->Row(), 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
    Key(Qt::Key_Right); // the last cell: stays
    EXPECT_EQ(grid->CurrentColumnIndex(), 2);
}

TEST_F(GridKeys, RowsChangedByCodeUnderAShownEditorKeepItInStep)
{
    Fill(3);
    FocusGrid();
    grid->SetRow(2);
    EXPECT_EQ(EditorText(), "C2");
    EXPECT_EQ(ErrorOf([&] { grid->DeleteRow(2, 1, false); }), "<no error>");
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(EditorText(), "C1");
    grid->InsertRow(1, false, false, false);
    EXPECT_EQ(EditorText(), "");
    grid->Sort(0, true, false);
    EXPECT_EQ(EditorText(), grid->Cells(0, grid->Row()).AsString());
    grid->SetRowCount(0);
    EXPECT_FALSE(grid->EditorShown());
}

TEST_F(GridKeys, AnEditorWhoseColumnLeavesIsHiddenAndWritesNowhere)
{
    Fill(2);
    grid->Groups()->Add()->SetWidth(200);
    for (int c = 0; c < 3; ++c) {
        grid->Column(c)->SetLevelIndex(c);
        grid->Column(c)->SetGroup(0);
    }
    grid->SetGroupMode(true);
    FocusGrid();
    Key(Qt::Key_Right);
    ASSERT_EQ(grid->CurrentColumnIndex(), 1);
    Type("Q");
    grid->Column(1)->SetGroup(-1);
    Key(Qt::Key_Up); // first row: posts
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "C0");
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "이름0");
    EXPECT_EQ(grid->Cells(2, 0).AsString(), "0");
    // Flat layout: deleting the column under the editor.
    grid->SetGroupMode(false);
    FocusGrid();
    grid->SetCurrentColumnIndex(2);
    ASSERT_TRUE(grid->EditorShown());
    grid->Columns()->Delete(2);
    EXPECT_EQ(ErrorOf([&] { grid->UpdateData(); }), "<no error>");
    EXPECT_EQ(grid->CurrentColumnIndex(), 1);
}

namespace {
// A check-box editor: toggles on Space and through the grid on clicks, and
// keeps Alt+Down for itself.
class FakeCheckEditor : public QWidget, public TwInplaceEditor
{
public:
    explicit FakeCheckEditor(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn&) override {}
    void SetValue(const QVariant& value) override { m_value = value; }
    QVariant Value() const override { return m_value; }
    bool TogglesOnClick() const override { return true; }
    void Toggle() override { m_value = !m_value.toBool(); }
    bool KeepsKey(const QKeyEvent& event) const override
    {
        return event.key() == Qt::Key_Down && (event.modifiers() & Qt::AltModifier);
    }
    int kept = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Space)
            Toggle();
        else if (KeepsKey(*event))
            ++kept;
        else
            QWidget::keyPressEvent(event);
    }

private:
    QVariant m_value;
};

class CheckGrid : public TwMemGrid
{
public:
    using TwMemGrid::TwMemGrid;
    FakeCheckEditor* check = nullptr;

protected:
    std::unique_ptr<TwInplaceEditor> CreateEditor(TwEditKind kind) override
    {
        if (kind != wekCheckBox)
            return nullptr;
        auto editor = std::make_unique<FakeCheckEditor>(viewport());
        check = editor.get();
        return editor;
    }
};
} // namespace

TEST(TwGridOtherEditors, ClicksAndKeysReachACheckBoxThroughTheGrid)
{
    RouteGridDialogsToSeam();
    CheckGrid grid;
    grid.Columns()->Add();
    static_cast<TwMemColumn*>(grid.Columns()->Add())->SetDataType(wdtBool);
    grid.SetRowCount(3);
    grid.SetOptions(EditableOptions());
    grid.resize(300, 200);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    auto cellCenter = [&](int row) { return grid.CellRect(grid.Column(1), row).center(); };
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(1));
    ASSERT_NE(grid.check, nullptr);
    EXPECT_EQ(grid.Editor(), grid.check);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.EditState(), wgsEdit);
    EXPECT_TRUE(grid.check->Value().toBool()); // the click toggled it at once
    // Alt+Down stays in the editor; Down moves and posts.
    QTest::keyClick(grid.check, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(grid.check->kept, 1);
    EXPECT_EQ(grid.Row(), 1);
    QTest::keyClick(grid.check, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(grid.Cells(1, 1).AsBoolean());
    EXPECT_EQ(grid.RowState(1), wrsModified);
    // Space passes the grid's checks, then toggles.
    QTest::keyClick(grid.check, Qt::Key_Space);
    EXPECT_EQ(grid.EditState(), wgsEdit);
    QTest::keyClick(grid.check, Qt::Key_Up);
    EXPECT_TRUE(grid.Cells(1, 2).AsBoolean());
    // Refused edits do not toggle, neither does a click with wgoNoClickEdit.
    grid.OnEdit = [](TwColumn*, bool& accept) { accept = false; };
    QTest::mouseClick(grid.check, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(grid.check->Value().toBool());
    EXPECT_EQ(grid.EditState(), wgsBrowse);
    grid.OnEdit = nullptr;
    grid.SetOptions(grid.Options() | wgoNoClickEdit);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCenter(0));
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.EditState(), wgsBrowse);
    EXPECT_FALSE(grid.Cells(1, 0).AsBoolean());
}

// Focus handed to the grid while its editor is shown (a screen's search, a
// click below the rows) goes on to the editor, so no typed key is lost.
TEST_F(GridKeys, EveryTypedKeyArrivesWhenTheGridTakesTheFocusBackFromItsEditor)
{
    Fill(2);
    FocusGrid();
    ASSERT_TRUE(grid->EditorShown());
    grid->setFocus(); // as after a search
    QApplication::processEvents();
    Type("123");
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "123");

    grid->SetRow(1);
    const QPoint below(20, grid->viewport()->height() - 5);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    Type("45");
    Key(Qt::Key_Up);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "45");
}

// Passing through a number cell without typing keeps its stored value: the
// editor's precision only governs what is typed.
TEST_F(GridKeys, PassingThroughANumberCellKeepsItsStoredValueExactly)
{
    Fill(1);
    grid->Cells(2, 0).SetAsFloat(1234.5678);
    grid->SetRowState(0, wrsNone);
    FocusGrid();
    Type("X");
    Key(Qt::Key_Return); // to 이름
    Key(Qt::Key_Return); // to 금액, untouched
    Key(Qt::Key_Left);
    grid->Post();
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "X");
    EXPECT_DOUBLE_EQ(grid->Cells(2, 0).AsFloat(), 1234.5678);

    grid->Column(2)->SetEditFormat("#,##0.0");
    grid->Cells(2, 0).SetAsFloat(2.25);
    grid->SetCol(0);
    Type("Y");
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    grid->Post();
    EXPECT_DOUBLE_EQ(grid->Cells(2, 0).AsFloat(), 2.25);

    // Typed, the editor's value goes in.
    grid->SetCol(2);
    Type("7.5");
    grid->Post();
    EXPECT_DOUBLE_EQ(grid->Cells(2, 0).AsFloat(), 7.5);
}

// The bars follow the content and the size every time, not only after a
// column or splitter drag.
TEST_F(GridKeys, ScrollBarsFollowTheRowsColumnsAndSize)
{
    Fill(2);
    QApplication::processEvents();
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    grid->BeginUpdate();
    Fill(200);
    grid->EndUpdate(true);
    QApplication::processEvents();
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    Fill(2);
    QApplication::processEvents();
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());

    form->resize(150, 300);
    QApplication::processEvents();
    EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    form->resize(900, 300);
    QApplication::processEvents();
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
}

// Keys reach the window as a clerk types them: each goes to whatever holds
// the focus once the previous one was handled.
TEST_F(GridKeys, KeysTypedRightAfterEnterOrTabLandInTheNextCell)
{
    Fill(1);
    FocusGrid();
    QWindow* window = form->windowHandle();
    auto type = [&](const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(window, *c);
    };
    type("k1");
    QTest::keyClick(window, Qt::Key_Return);
    type("n1");
    QTest::keyClick(window, Qt::Key_Return);
    type("12");
    QTest::keyClick(window, Qt::Key_Return);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "k1");
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "n1");
    EXPECT_EQ(grid->Cells(2, 0).AsFloat(), 12);

    // Tab in the new row's editor leaves the grid with the typed value.
    EXPECT_EQ(grid->EditState(), wgsInsert);
    type("k2");
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "k2");
    QTest::keyClick(window, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(QApplication::focusWidget() == grid || grid->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "k2");
}
