#include <QScrollBar>

#include "MemGridFixture.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwGridFooter.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGroup.h"
#include "controls/TwGroupTitle.h"
#include "controls/TwGroups.h"

TEST(TwColumnModel, NewColumnsNumberTheirCaptionsAfterTheLargest)
{
    auto grid = MakeGrid({wdtString});
    EXPECT_EQ(grid->Column(0)->Title()->Caption(), "Column0");
    grid->Column(0)->Title()->SetCaption("my column3");
    grid->Columns()->Add()->Title()->SetCaption("합계");
    EXPECT_EQ(grid->Columns()->Add()->Title()->Caption(), "Column4");
}

TEST(TwColumnModel, HidingTheCurrentColumnMovesToTheNextFocusable)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtString, wdtString});
    grid->SetRowCount(1);
    grid->Column(2)->SetReadOnly(true);
    grid->Cells(1, 0).SetAsString("숨김");
    grid->SetRow(0);
    // Current column 1: hide it; 2 is read-only, so 3 takes the cell.
    TwColumn* current = grid->Columns()->VItems(1);
    grid->Columns()->MoveVisible(current, 1);
    ASSERT_EQ(grid->CurrentColumn(), grid->Column(0));
    grid->Column(0)->SetVisibleIndex(1); // moving keeps the current cell on its column
    EXPECT_EQ(grid->CurrentColumn(), grid->Column(0));
    EXPECT_EQ(grid->Col(), 1);
    grid->Column(0)->SetVisible(false);
    EXPECT_EQ(grid->CurrentColumn(), grid->Column(3));
    EXPECT_EQ(grid->Columns()->VCount(), 3);
    EXPECT_EQ(grid->Columns()->VIndexOf(grid->Column(0)), -1);
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "숨김");
    grid->Column(0)->SetVisible(true); // back at its remembered place
    EXPECT_EQ(grid->Columns()->VItems(1), grid->Column(0));
    EXPECT_EQ(grid->CurrentColumn(), grid->Column(3));
    EXPECT_EQ(ErrorOf([&] { grid->Columns()->VItems(4); }), "TwColumns Bounds Error in GetVItems(4)");
}

TEST(TwColumnModel, WidthsHaveAMinimumAndReportChanges)
{
    auto grid = MakeGrid({wdtString});
    std::vector<std::pair<TwColumn*, int>> changes;
    grid->OnColumnWidthChange = [&](TwColumn* c, int old) { changes.emplace_back(c, old); };
    grid->Column(0)->SetWidth(2);
    EXPECT_EQ(grid->Column(0)->Width(), 4);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].second, 64);
    EXPECT_EQ(grid->Column(0)->GrpWidth(), 64);
}

TEST(TwColumnModel, HeightsKeepTheirMinimumsPerLayout)
{
    auto grid = MakeGrid({wdtString});
    int oldRowHeight = 0;
    grid->OnRowHeightChange = [&](QObject*, int old) { oldRowHeight = old; };
    grid->SetRowHeight(1);
    EXPECT_EQ(grid->RowHeight(), 4);
    EXPECT_EQ(oldRowHeight, 18);
    grid->Headers()->SetHeight(0);
    EXPECT_EQ(grid->Headers()->Height(), 4);
    TwGridFooter* footer = grid->Footers()->Add();
    footer->SetHeight(3);
    EXPECT_EQ(footer->Height(), 4);
    EXPECT_EQ(grid->Footers()->BandHeight(), 4);
    footer->SetVisible(false);
    EXPECT_EQ(grid->Footers()->BandHeight(), 0);

    grid->SetGroupMode(true); // no visible group: ignored
    EXPECT_FALSE(grid->GroupMode());
    grid->Groups()->Add();
    grid->SetGroupMode(true);
    ASSERT_TRUE(grid->GroupMode());
    EXPECT_EQ(grid->RowHeight(), 36);
    EXPECT_EQ(grid->Headers()->Height(), 42);
    grid->SetRowHeight(5);
    EXPECT_EQ(grid->RowHeight(), 8);
    grid->SetFixedCount(3);
    EXPECT_EQ(grid->FixedCount(), 0);
}

namespace {
// Group mode with one group "청구" of width 160: two columns on level 0.
std::unique_ptr<TwMemGrid> GroupedGrid()
{
    auto grid = MakeGrid({wdtString, wdtString, wdtString});
    TwGroup* group = grid->Groups()->Add();
    group->SetWidth(160);
    grid->Column(0)->SetGroup(0);
    grid->Column(1)->SetLevelIndex(1);
    grid->Column(1)->SetGroup(0);
    grid->SetGroupMode(true);
    return grid;
}
} // namespace

TEST(TwColumnModel, JoiningALevelSplitsTheNeighbour)
{
    auto grid = GroupedGrid();
    EXPECT_EQ(grid->Column(0)->Width(), 80);
    EXPECT_EQ(grid->Column(1)->Width(), 80);
    EXPECT_EQ(grid->Column(1)->LevelIndex(), 1);
    grid->Column(2)->SetLevelIndex(0);
    grid->Column(2)->SetGroup(0);
    EXPECT_EQ(grid->Column(2)->Width(), 40);
    EXPECT_EQ(grid->Column(0)->Width(), 40);
    EXPECT_EQ(grid->Column(0)->LevelIndex(), 1);
    grid->Column(2)->SetGroup(-1); // leaving shares its pixels
    EXPECT_EQ(grid->Column(0)->Width() + grid->Column(1)->Width(), 160);
    EXPECT_EQ(grid->Column(0)->Width(), 60);
}

TEST(TwColumnModel, GroupWidthIsRedistributedOverTheLevelColumns)
{
    auto grid = GroupedGrid();
    TwGroup* group = grid->Groups()->Items(0);
    group->SetWidth(200);
    EXPECT_EQ(grid->Column(0)->Width(), 100);
    EXPECT_EQ(grid->Column(1)->Width(), 100);
    group->SetWidth(100);
    EXPECT_EQ(grid->Column(0)->Width(), 50);
    EXPECT_EQ(grid->Column(1)->Width(), 50);
    group->SetWidth(3);
    EXPECT_EQ(group->Width(), 8);
    // A column inside the level takes from its right neighbour, keeping 4.
    group->SetWidth(100);
    grid->Column(0)->SetWidth(120);
    EXPECT_EQ(grid->Column(0)->Width(), 96);
    EXPECT_EQ(grid->Column(1)->Width(), 4);
    grid->Column(1)->SetWidth(30); // the last column gives to its left
    EXPECT_EQ(grid->Column(0)->Width(), 70);
}

TEST(TwColumnModel, LevelWeightsKeepTheirSum)
{
    auto grid = GroupedGrid();
    TwGroup* group = grid->Groups()->Items(0);
    group->SetLevels(3);
    EXPECT_EQ(group->Weight(), 3);
    group->SetWeight(7);
    EXPECT_EQ(group->Weight(), 7);
    EXPECT_EQ(group->Weights(0), 5);
    group->SetWeight(20);
    EXPECT_EQ(group->Weight(), 9);
    group->SetWeight(4);
    EXPECT_EQ(group->Weights(0) + group->Weights(1) + group->Weights(2), 4);
    group->SetWeight(3);
    EXPECT_EQ(group->Weights(0), 1);

    group->SetWeight(6);
    std::vector<int> changedLevels;
    grid->OnLevelHeightChange = [&](TwGroup*, int level, int) { changedLevels.push_back(level); };
    grid->Column(0)->SetWeight(2); // the decrease goes to the next level
    EXPECT_EQ(group->Weights(1), 3);
    EXPECT_EQ(changedLevels, std::vector<int>({0, 1}));
    grid->Column(0)->SetWeight(9); // taken from the following levels, each keeping 1
    EXPECT_EQ(group->Weights(0), 4);
    EXPECT_EQ(group->Weights(1), 1);
    EXPECT_EQ(group->Weight(), 6);
    EXPECT_EQ(group->RowLevelTop(1), 36 * 4 / 6);
    EXPECT_EQ(group->RowLevelHeight(2), 36 - (24 + 36 * 1 / 6));
    EXPECT_EQ(ErrorOf([&] { group->LevelWeight(3); }), "Level bounds error in GetLevelWeight(3)");
}

TEST(TwColumnModel, LevelsHoldingColumnsCannotBeRemoved)
{
    auto grid = GroupedGrid();
    TwGroup* group = grid->Groups()->Items(0);
    group->SetLevels(2);
    grid->Column(1)->SetLevel(1);
    EXPECT_EQ(grid->Column(1)->Width(), 160);
    EXPECT_EQ(grid->Column(0)->Width(), 160);
    EXPECT_EQ(ErrorOf([&] { group->SetLevels(1); }),
              "Level 1에는 연결된 컬럼들이 존재합니다\r\n이들과의 연결을 먼저 끊어야합니다");
    EXPECT_EQ(group->Levels(), 2);
    group->Title()->SetHeight(100);
    EXPECT_EQ(group->Title()->Height(), 42 - 8);
}

TEST(TwColumnModel, LoadingAppliesPlacesAndRowCountAtTheEnd)
{
    TwMemGrid grid;
    grid.BeginLoading();
    grid.Groups()->Add()->SetWidth(100);
    for (int i = 0; i < 2; ++i) {
        TwColumn* column = grid.Columns()->Add();
        column->SetGroup(0);
        column->SetLevelIndex(1 - i);
        column->SetGrpWidth(30 + 40 * i);
    }
    grid.Column(0)->SetVisible(false);
    grid.SetGroupMode(true);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.RowCount(), 0);
    grid.EndLoading();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Columns()->VCount(), 1);
    const TwGroup* group = grid.Groups()->Items(0);
    ASSERT_EQ(group->LevelColumns(0).size(), 2u);
    EXPECT_EQ(group->LevelColumns(0)[0], grid.Column(1));
    EXPECT_EQ(grid.Column(1)->Width(), 70);
    EXPECT_EQ(group->ColumnLeft(grid.Column(0)), 70);
    EXPECT_EQ(group->ColumnWidth(grid.Column(0)), 30);
}

TEST(TwColumnModel, NarrowNeighbourWidensTheGroupAndEveryLevelStillFillsIt)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtString, wdtString});
    TwGroup* group = grid->Groups()->Add();
    group->SetLevels(2);
    group->SetWidth(10);
    grid->Column(0)->SetGroup(0);
    grid->Column(1)->SetLevelIndex(1);
    grid->Column(1)->SetGroup(0); // 5 and 5
    grid->Column(3)->SetLevel(1);
    grid->Column(3)->SetGroup(0);
    grid->SetGroupMode(true);
    grid->Column(2)->SetLevelIndex(2);
    grid->Column(2)->SetGroup(0); // neighbour of 5 pixels: the group grows by 3
    EXPECT_EQ(group->Width(), 13);
    EXPECT_EQ(grid->Column(1)->Width(), 4);
    EXPECT_EQ(grid->Column(2)->Width(), 4);
    EXPECT_EQ(group->ColumnWidth(grid->Column(2)), 13 - 5 - 4);
    EXPECT_EQ(grid->Column(3)->Width(), 13);
}

TEST(TwColumnModel, HeaderAndFooterLevelsShareTheBandsByWeight)
{
    auto grid = GroupedGrid();
    TwGroup* group = grid->Groups()->Items(0);
    group->SetLevels(2);
    group->SetWeight(3); // weights 2 and 1
    EXPECT_EQ(group->TitleHeight(), 19);
    EXPECT_EQ(group->HeaderLevelTop(0), 19);
    EXPECT_EQ(group->HeaderLevelTop(1), 19 + (42 - 19) * 2 / 3);
    EXPECT_EQ(group->HeaderLevelHeight(1), 42 - group->HeaderLevelTop(1));
    EXPECT_EQ(group->FooterLevelTop(1, 42), 42 * 2 / 3 + 1);
    group->SetNoColTitles(true);
    EXPECT_EQ(group->TitleHeight(), 42);
    group->Title()->SetVisible(false);
    EXPECT_FALSE(group->NoColTitles());
    EXPECT_EQ(group->HeaderLevelTop(0), 0);
}

TEST(TwColumnModel, AShownGridCanBeDestroyed)
{
    auto grid = MakeGrid({wdtString, wdtFloat});
    grid->Groups()->Add();
    grid->Column(1)->SetGroup(0);
    grid->SetRowCount(30);
    grid->resize(300, 120);
    grid->show();
    // The last top row still fills the page.
    EXPECT_GT(grid->VisibleRowCount(), 0);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 30 - grid->VisibleRowCount());
    grid.reset();
    SUCCEED();
}
