#include "MemGridFixture.h"
#include "controls/TwColumnTitle.h"

namespace {
// Rows A, B, C, D in one text column.
std::unique_ptr<TwMemGrid> Abcd()
{
    auto grid = MakeGrid({wdtString});
    for (const char* text : {"A", "B", "C", "D"}) {
        grid->AppendRow(false, false, false);
        grid->Cells(0, grid->RowCount() - 1).SetAsString(text);
    }
    return grid;
}
} // namespace

TEST(TwMemGridRows, BoundsErrorsCarryTheOffendingIndex)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtString, wdtString, wdtString});
    grid->SetRowCount(2);
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    EXPECT_EQ(ErrorOf([&] { grid->Cells(5, 0); }), "Cells col bounds error[5]");
    EXPECT_EQ(ErrorOf([&] { grid->Cells(-1, 0); }), "Cells col bounds error[-1]");
    EXPECT_EQ(ErrorOf([&] { grid->Cells(0, 2); }), "Cells row bounds error[2]");
    EXPECT_EQ(ErrorOf([&] { grid->InsertRow(3, false, false, false); }),
              "TwMemGrid - Row Bounds Error(3) in InsertRow");
    EXPECT_EQ(ErrorOf([&] { grid->DeleteRow(2, 1, false); }), "TwMemGrid - Row Bounds Error(2) in DeleteRow");
    EXPECT_EQ(ErrorOf([&] { grid->MoveRow(-1, 0); }), "TwMemGrid - Row Bounds Error(-1) in MoveRow.CurRow");
    EXPECT_EQ(ErrorOf([&] { grid->MoveRow(0, 9); }), "TwMemGrid - Row Bounds Error(9) in MoveRow.NewRow");
    EXPECT_EQ(ErrorOf([&] { grid->SetSelected(7, true); }), "Bound Error in SetSelected(7)");
    EXPECT_EQ(ErrorOf([&] { grid->Sort(5, false, false); }), "Sort col bounds error[5]");
    EXPECT_EQ(ErrorOf([&] { grid->DeleteRow(9, 0, false); }), "<no error>"); // a zero count does nothing
    EXPECT_EQ(grid->RowCount(), 2);
}

TEST(TwMemGridRows, EditingBlocksRowOperationsAndLeavesRowsAlone)
{
    auto grid = Abcd();
    ASSERT_TRUE(grid->StartRowEdit());
    EXPECT_EQ(ErrorOf([&] { grid->SetRowCount(1); }), "수정/추가 중일 때는 RowCount를 변경할 수 없습니다.");
    EXPECT_EQ(ErrorOf([&] { grid->InsertRow(0, false, false, false); }), "Can't InsertRow in Editing");
    EXPECT_EQ(ErrorOf([&] { grid->DeleteRow(0, 1, false); }), "Can't DeleteRow in Editing");
    EXPECT_EQ(ErrorOf([&] { grid->MoveRow(0, 1); }), "Can't MoveRow in Editing");
    grid->DropEditedRow();
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"A", "B", "C", "D"}));
}

TEST(TwMemGridRows, DeleteRowClipsItsCount)
{
    auto grid = Abcd();
    grid->DeleteRow(2, 10, false);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"A", "B"}));
    EXPECT_EQ(grid->Column(0)->Pool().Count(), 2);
    EXPECT_EQ(grid->RowInfos().Count(), 2);
    grid->DeleteRow(0, -1, false);
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->Column(0)->Pool().Count(), 0);
}

TEST(TwMemGridRows, MoveRowCarriesStateAndSelection)
{
    auto grid = Abcd();
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    grid->SetRowState(0, wrsModified);
    grid->SetSelected(0, true);
    grid->MoveRow(0, 2);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"B", "C", "A", "D"}));
    EXPECT_EQ(grid->RowState(2), wrsModified);
    EXPECT_TRUE(grid->Selected(2));
    EXPECT_FALSE(grid->Selected(0));
    grid->MoveRow(3, 0);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"D", "B", "C", "A"}));
    EXPECT_EQ(grid->RowState(3), wrsModified);
    EXPECT_EQ(grid->SelectedCount(), 1);
}

TEST(TwMemGridRows, InsertRowAppliesDefaultsAndMarks)
{
    auto grid = MakeGrid({wdtString, wdtFloat});
    grid->Column(1)->SetDefaults("2.5");
    grid->AppendRow(true, false, false);
    int newRows = 0;
    grid->OnNewRow = [&](QObject*) { ++newRows; };
    grid->InsertRow(0, false, true, true);
    EXPECT_TRUE(grid->Cells(1, 0).IsNull());
    EXPECT_EQ(grid->Cells(1, 1).AsFloat(), 2.5);
    EXPECT_EQ(grid->RowState(0), wrsInserted);
    EXPECT_EQ(grid->RowState(1), wrsNone);
    EXPECT_EQ(newRows, 1);
}

TEST(TwMemGridRows, RowCountGrowsWithEmptyUnmarkedRowsAndShrinksSelection)
{
    auto grid = MakeGrid({wdtString, wdtLong});
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    grid->SetRowCount(40);
    grid->Cells(1, 39).SetAsString("5");
    grid->SetSelected(30, true);
    grid->SetSelected(3, true);
    EXPECT_EQ(grid->SelectedCount(), 2);
    grid->SetRowCount(10);
    EXPECT_EQ(grid->SelectedCount(), 1);
    grid->SetRowCount(40);
    EXPECT_TRUE(grid->Cells(1, 39).IsNull());
    EXPECT_FALSE(grid->Selected(30));
    EXPECT_EQ(grid->Column(1)->Pool().Capacity(), 48);
    grid->SetRowCount(-3);
    EXPECT_EQ(grid->RowCount(), 0);

    auto bare = std::make_unique<TwMemGrid>();
    bare->SetRowCount(5); // no columns: nothing happens
    EXPECT_EQ(bare->RowCount(), 0);
}

TEST(TwMemGridRows, SelectionNeedsMultiSelect)
{
    auto grid = Abcd();
    grid->SetSelected(1, true);
    EXPECT_EQ(grid->SelectedCount(), 0);
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    int changes = 0;
    grid->OnSelectionChange = [&](QObject*) { ++changes; };
    grid->SetSelected(1, true);
    grid->SetSelected(2, true);
    EXPECT_EQ(grid->SelectedCount(), 2);
    EXPECT_EQ(changes, 2);
    grid->SetOptions(grid->Options() & ~TwGridOptions(wgoMultiSelect));
    EXPECT_FALSE(grid->Selected(1));
}

TEST(TwMemGridRows, ClearAndClearValuesResetRowBytes)
{
    auto grid = Abcd();
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    grid->SetSelected(1, true);
    grid->SetRowState(2, wrsDeleted);
    grid->ClearValues();
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_TRUE(grid->Cells(0, 0).IsNull());
    EXPECT_EQ(grid->RowState(2), wrsNone);
    EXPECT_EQ(grid->SelectedCount(), 0);
    grid->SetSelected(1, true);
    grid->SetRowState(3, wrsModified);
    grid->ClearRowStates(true);
    EXPECT_EQ(grid->RowState(3), wrsNone);
    EXPECT_TRUE(grid->Selected(1));
    grid->Clear();
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->SelectedCount(), 0);
}

TEST(TwMemGridRows, NewRowShiftsTheRowsBelowIt)
{
    auto grid = MakeGrid({wdtString});
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    for (const char* text : {"A", "B", "C"}) {
        grid->AppendRow(false, false, false);
        grid->Cells(0, grid->RowCount() - 1).SetAsString(text);
    }
    grid->SetRowState(1, wrsModified);
    grid->SetSelected(1, true);
    grid->SetRow(1);
    grid->StartRowInsert(false);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_TRUE(grid->Cells(0, 1).InEditedRow());
    EXPECT_TRUE(grid->Cells(0, 1).IsNull());
    EXPECT_EQ(grid->Cells(0, 2).AsString(), "B");
    EXPECT_EQ(grid->RowState(1), wrsNone);
    EXPECT_EQ(grid->RowState(2), wrsModified);
    EXPECT_FALSE(grid->Selected(1));
    EXPECT_TRUE(grid->Selected(2));
    grid->Cells(0, 1).SetAsString("N");
    grid->Post();
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"A", "N", "B", "C"}));
    EXPECT_EQ(grid->RowState(1), wrsInserted);
}

TEST(TwMemGridRows, SortIsStableBothWaysWithEmptyCellsFirst)
{
    auto grid = MakeGrid({wdtFloat, wdtString});
    const char* values[] = {"3", "", "1", "3"};
    for (int r = 0; r < 4; ++r) {
        grid->AppendRow(false, false, false);
        grid->Cells(0, r).SetAsString(values[r]);
        grid->Cells(1, r).SetAsString(QString::number(r));
    }
    grid->Sort(0, false, true);
    EXPECT_EQ(ColumnTexts(*grid, 1), QStringList({"1", "2", "0", "3"}));
    EXPECT_EQ(grid->Column(0)->Title()->SortMark(), wsmAsc);
    grid->Sort(0, true, true);
    EXPECT_EQ(ColumnTexts(*grid, 1), QStringList({"0", "3", "2", "1"}));
    EXPECT_EQ(grid->Column(0)->Title()->SortMark(), wsmDesc);
    EXPECT_EQ(ColumnTexts(*grid, 0), QStringList({"3", "3", "1", ""}));
}

TEST(TwMemGridRows, SortMatchesRowByRowInsertionOnTexts)
{
    auto grid = MakeGrid({wdtString, wdtLong});
    const QStringList keys = {"나", "", "가", "B", "나", "a", "", "가", "A", "b"};
    for (int r = 0; r < keys.size(); ++r) {
        grid->AppendRow(false, false, false);
        grid->Cells(0, r).SetAsString(keys[r]);
        grid->Cells(1, r).SetAsFloat(r);
    }
    for (const bool descending : {false, true}) {
        auto reference = MakeGrid({wdtString, wdtLong});
        for (int r = 0; r < grid->RowCount(); ++r) {
            reference->AppendRow(false, false, false);
            reference->Cells(0, r).SetAsString(grid->Cells(0, r).AsString());
            reference->Cells(1, r).SetAsString(grid->Cells(1, r).AsString());
        }
        // The row-by-row insertion the sort must agree with.
        for (int a = 1; a < reference->RowCount(); ++a)
            for (int i = 0; i < a; ++i) {
                const int c = reference->CompareRows(reference->Column(0), i, a);
                if (descending ? c < 0 : c > 0) {
                    reference->MoveRow(a, i);
                    break;
                }
            }
        grid->Sort(0, descending, false);
        EXPECT_EQ(ColumnTexts(*grid, 1), ColumnTexts(*reference, 1)) << descending;
    }
}

TEST(TwMemGridRows, SortPostsAnEditFirst)
{
    auto grid = MakeGrid({wdtLong});
    grid->SetRowCount(2);
    grid->Cells(0, 0).SetAsString("1");
    grid->Cells(0, 1).SetAsString("2");
    grid->StartRowEdit();
    grid->Cells(0, 0).SetAsString("5");
    grid->Sort(0, false, false);
    EXPECT_EQ(grid->EditState(), wgsBrowse);
    EXPECT_EQ(ColumnTexts(*grid), QStringList({"2", "5"}));
    EXPECT_EQ(grid->RowState(1), wrsModified);
}

TEST(TwMemGridRows, RowStateOutsideTheRowsIsABoundsError)
{
    auto grid = Abcd();
    EXPECT_EQ(ErrorOf([&] { grid->RowState(4); }), "Bound Error in GetRowState(4)");
    EXPECT_EQ(ErrorOf([&] { grid->SetRowState(-1, wrsDeleted); }), "Bound Error in SetRowState(-1)");
    EXPECT_FALSE(grid->Selected(99));
}
