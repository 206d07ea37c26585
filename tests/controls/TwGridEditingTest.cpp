#include "TwGridTestSupport.h"

#include "controls/TwMemColumn.h"

namespace {
class GridEditing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RouteGridDialogsToSeam();
        grid = TextGrid(3, 5);
        grid->SetOptions(grid->Options() | wgoEditing | wgoInserting | wgoDeleting);
        RecordCycleEvents(*grid, events);
    }

    std::unique_ptr<TwMemGrid> grid;
    QStringList events;
};
} // namespace

TEST_F(GridEditing, EditAndPostFireTheirEventsInOrder)
{
    grid->SetRow(1);
    events.clear();
    ASSERT_TRUE(grid->Edit());
    EXPECT_EQ(grid->EditState(), wgsEdit);
    EXPECT_FALSE(grid->RowModified());
    EXPECT_TRUE(grid->Edit()); // already editing: no second round of events
    grid->Cells(0, 1).SetAsString("x");
    EXPECT_TRUE(grid->RowModified());
    grid->Post();
    EXPECT_EQ(events, QStringList({"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "DataChanged"}));
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_FALSE(grid->RowModified());
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "x");
    EXPECT_EQ(grid->RowState(1), wrsModified);
}

TEST_F(GridEditing, InsertInTheMiddleThenCancelRestoresTheRows)
{
    grid->SetRow(2);
    events.clear();
    grid->Insert(false);
    EXPECT_EQ(events, QStringList({"BeforeInsert(F)", "NewRow", "AfterInsert(F)"}));
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->Cells(0, 2).IsNull());
    EXPECT_EQ(grid->Cells(0, 3).AsString(), "A2");
    events.clear();
    grid->Cancel();
    EXPECT_EQ(events, QStringList({"BeforeCancel", "AfterCancel"}));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"A0", "A1", "A2", "A3", "A4"}));
}

TEST_F(GridEditing, NewRowTakesDefaultsAndValuesSetByOnNewRowDoNotCountAsChanges)
{
    grid->Column(1)->SetDefaults("dflt");
    grid->OnNewRow = [&](QObject*) { grid->Cells(2, grid->Row()).SetAsString("from event"); };
    grid->Insert(true);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Cells(1, 5).AsString(), "dflt");
    EXPECT_EQ(grid->Cells(2, 5).AsString(), "from event");
    EXPECT_FALSE(grid->RowModified());
    // Moving off an untouched new row drops it.
    grid->SetRow(0);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
}

TEST_F(GridEditing, RowStatesAfterPostingNewEditedAndInsertedRows)
{
    grid->Insert(false); // at row 0
    grid->Cells(0, 0).SetAsString("new");
    grid->SetRow(3); // posts the new row, then moves
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->RowState(0), wrsInserted);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "new");
    EXPECT_EQ(grid->Row(), 3);
    ASSERT_TRUE(grid->Edit());
    grid->Cells(1, 3).SetAsString("edited");
    grid->Post();
    EXPECT_EQ(grid->RowState(3), wrsModified);
    grid->SetRow(0);
    ASSERT_TRUE(grid->Edit());
    grid->Cells(1, 0).SetAsString("again");
    grid->Post();
    EXPECT_EQ(grid->RowState(0), wrsInserted);
    grid->SetCheckRowState(false);
    grid->SetRow(5);
    grid->Edit();
    grid->Cells(0, 5).SetAsString("untracked");
    grid->Post();
    EXPECT_EQ(grid->RowState(5), wrsNone);
}

TEST_F(GridEditing, EditIsRefusedOnDeletedRowsAndWithoutTheOption)
{
    grid->SetRowState(1, wrsDeleted);
    grid->SetRow(1);
    EXPECT_FALSE(grid->Edit());
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    grid->SetRow(2);
    grid->SetOptions(grid->Options() & ~wgoEditing);
    EXPECT_FALSE(grid->Edit());
    EXPECT_TRUE(events.filter("Edit").isEmpty());
}

TEST_F(GridEditing, EditOnAnEmptyGridStartsANewRowOnlyWhenInsertingIsAllowed)
{
    grid->SetRowCount(0);
    grid->SetOptions(grid->Options() & ~wgoInserting);
    EXPECT_FALSE(grid->Edit());
    EXPECT_EQ(grid->RowCount(), 0);
    grid->SetOptions(grid->Options() | wgoInserting);
    EXPECT_TRUE(grid->Edit());
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->RowCount(), 1);
}

TEST_F(GridEditing, RequiredColumnBlocksPostAndRowChangeKeepingTheTypedValues)
{
    grid->Column(2)->SetRequired(true);
    grid->Column(2)->Title()->SetCaption("금액");
    grid->Insert(true);
    grid->Cells(0, 5).SetAsString("typed");
    EXPECT_EQ(ErrorOf([&] { grid->SetRow(1); }), "Column '금액' must have a value.");
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->Cells(0, 5).AsString(), "typed");
    EXPECT_FALSE(events.contains("AfterPost"));
    // Insert posts first, so it is blocked the same way.
    EXPECT_EQ(ErrorOf([&] { grid->Insert(true); }), "Column '금액' must have a value.");
    EXPECT_EQ(grid->RowCount(), 6);
    grid->Cells(2, 5).SetAsString("1");
    grid->SetRow(1);
    EXPECT_EQ(grid->RowState(5), wrsInserted);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridEditing, MaxRowCountLimitsInteractiveInsertOnly)
{
    grid->SetMaxRowCount(6);
    grid->Insert(true);
    grid->Cells(0, 5).SetAsString("x");
    grid->Post();
    grid->Insert(true);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(grid->RowCount(), 6);
    grid->AppendRow(true, false, false);
    EXPECT_EQ(grid->RowCount(), 7);
    grid->SetMaxRowCount(-4);
    EXPECT_EQ(grid->MaxRowCount(), 0);
}

TEST_F(GridEditing, DeleteRemovesTheRowAndAnnouncesTheRowChangeAtOnce)
{
    grid->SetRow(4);
    grid->Edit();
    grid->Cells(0, 4).SetAsString("dropped");
    events.clear();
    QString deleting;
    grid->OnBeforeDelete = [&](QObject*) {
        deleting = grid->Cells(0, grid->Row()).AsString();
        events << "BeforeDelete";
    };
    grid->Delete();
    EXPECT_EQ(deleting, "A4"); // the edit was abandoned first
    EXPECT_EQ(events, QStringList({"BeforeCancel", "AfterCancel", "BeforeDelete", "RowExit", "RowEnter",
                                   "AfterDelete", "DataChanged", "RowChange"}));
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(GridEditing, SoftDeleteMarksTheRowWithoutRowChange)
{
    grid->SetSoftDeleting(true);
    grid->SetRow(2);
    events.clear();
    grid->Delete();
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->RowState(2), wrsDeleted);
    EXPECT_EQ(events, QStringList({"BeforeDelete", "AfterDelete", "DataChanged"}));
    EXPECT_FALSE(grid->Edit());
}

TEST_F(GridEditing, DeleteOfANewRowOnlyCancelsItAndDeleteOnNoRowsDoesNothing)
{
    grid->Insert(true);
    events.clear();
    grid->Delete();
    EXPECT_EQ(events, QStringList({"BeforeCancel", "AfterCancel"}));
    EXPECT_EQ(grid->RowCount(), 5);
    grid->SetRowCount(0);
    events.clear();
    grid->Delete();
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(GridEditing, DeleteSelectedAsksPerRowFromTheLastAndFiresTheOuterEventsOnce)
{
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    for (const int r : {0, 2, 3})
        grid->SetSelected(r, true);
    QList<int> asked;
    grid->OnDeleteRow = [&](QObject*, int row, bool& accept) {
        asked << row;
        accept = row != 2;
    };
    events.clear();
    grid->DeleteSelected();
    EXPECT_EQ(asked, QList<int>({3, 2, 0}));
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"A1", "A2", "A4"}));
    EXPECT_EQ(events.count("BeforeDelete"), 1);
    EXPECT_EQ(events.count("AfterDelete"), 1);
    EXPECT_EQ(events.count("RowChange"), 1);
    EXPECT_EQ(grid->SelectedCount(), 1);
}

TEST_F(GridEditing, AfterPostMayDeleteTheRowJustPosted)
{
    // As the master-detail screens do with a new row left empty.
    grid->OnAfterPost = [&](QObject*) {
        if (grid->Cells(0, grid->Row()).IsNull())
            grid->DeleteRow(grid->Row(), 1, false);
    };
    grid->Insert(true);
    grid->Cells(1, 5).SetAsString("x");
    grid->Cells(1, 5).Clear();
    grid->SetRow(0);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    // The handler moved the current row: that move stands.
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(GridEditing, RowExitIsNotReenteredByAMoveInsideIt)
{
    int exits = 0;
    grid->OnRowExit = [&](QObject*) {
        ++exits;
        if (exits == 1)
            grid->SetRow(4);
    };
    grid->SetRow(1);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(GridEditing, QuickRowMovesGiveOneRowChangeAndDelayZeroGivesNone)
{
    int changes = 0;
    grid->OnRowChange = [&](QObject*) { ++changes; };
    grid->SetChangeDelay(200);
    for (int r = 1; r <= 4; ++r)
        grid->SetRow(r);
    grid->SetRow(0);
    EXPECT_EQ(changes, 0);
    QTest::qWait(400);
    EXPECT_EQ(changes, 1);
    grid->SetChangeDelay(0);
    grid->SetRow(3);
    QTest::qWait(250);
    EXPECT_EQ(changes, 1);
    grid->Delete();
    EXPECT_EQ(changes, 1);
}
