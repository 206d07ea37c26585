#include "MemGridFixture.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGroup.h"
#include "controls/TwGroups.h"
#include "controls/TwMemColumnFooter.h"

namespace {
// One column of every stored type; row r holds values derived from r.
std::unique_ptr<TwMemGrid> EveryType(int rows)
{
    auto grid = MakeGrid({wdtString, wdtChar, wdtBool, wdtShort, wdtByte, wdtSmall, wdtWord, wdtLong, wdtFloat,
                          wdtDate});
    grid->Column(1)->SetDataWidth(5);
    for (int r = 0; r < rows; ++r) {
        grid->AppendRow(false, false, false);
        grid->Cells(0, r).SetAsString(QString("행%1").arg(r));
        grid->Cells(1, r).SetAsString(QString("가%1").arg(r));
        grid->Cells(2, r).SetAsBoolean(r % 2);
        for (int c = 3; c <= 8; ++c)
            grid->Cells(c, r).SetAsFloat(r);
        grid->Cells(9, r).SetAsFloat(40000 + r);
    }
    return grid;
}

// Row r of every column as one text.
QString RowText(TwMemGrid& grid, int r)
{
    QStringList parts;
    for (int c = 0; c < grid.Columns()->Count(); ++c)
        parts << grid.Cells(c, r).AsString();
    return parts.join('|');
}
} // namespace

TEST(TwStorageShift, InsertDeleteAndMoveShiftEveryTypeAlike)
{
    auto grid = EveryType(40); // crosses the 16-row capacity steps
    const QString row5 = RowText(*grid, 5);
    const QString row30 = RowText(*grid, 30);
    const QString row39 = RowText(*grid, 39);
    grid->InsertRow(3, false, false, false);
    EXPECT_EQ(RowText(*grid, 3), "|||||||||");
    EXPECT_EQ(RowText(*grid, 6), row5);
    grid->DeleteRow(0, 4, false);
    EXPECT_EQ(RowText(*grid, 2), row5);
    grid->MoveRow(36, 0); // row 39 after the shifts
    EXPECT_EQ(RowText(*grid, 0), row39);
    EXPECT_EQ(RowText(*grid, 3), row5);
    grid->MoveRow(0, 36);
    EXPECT_EQ(RowText(*grid, 36), row39);
    EXPECT_EQ(RowText(*grid, 27), row30);
    for (int c = 0; c < grid->Columns()->Count(); ++c)
        EXPECT_EQ(grid->Column(c)->Pool().Count(), 37) << c;
}

TEST(TwStorageShift, SortCarriesWholeRowsOfEveryType)
{
    auto grid = EveryType(20);
    QStringList before;
    for (int r = 0; r < 20; ++r)
        before << RowText(*grid, r);
    grid->Sort(8, true, false);
    for (int r = 0; r < 20; ++r)
        EXPECT_EQ(RowText(*grid, r), before[19 - r]);
    grid->Sort(1, false, false); // fixed text: "가0" < "가1" < "가10" ...
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "가0");
    EXPECT_EQ(grid->Cells(8, 2).AsInteger(), 10);
    grid->Sort(2, false, false); // Booleans: False rows first, in their order
    EXPECT_EQ(grid->Cells(2, 9).AsString(), "False");
    EXPECT_EQ(grid->Cells(2, 10).AsString(), "True");
}

TEST(TwStorageShift, ClearedCellsTakeNewValues)
{
    auto grid = EveryType(3);
    grid->ClearValues();
    EXPECT_EQ(RowText(*grid, 1), "|||||||||");
    grid->Cells(0, 1).SetAsString("새");
    grid->Cells(1, 1).SetAsString("값");
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "새");
    EXPECT_EQ(grid->Cells(1, 1).AsString(), "값");
    EXPECT_TRUE(grid->Cells(0, 0).IsNull());
}

TEST(TwStorageShift, FootersOfEveryNumericTypeAgree)
{
    auto grid = EveryType(10);
    grid->Footers()->Add();
    for (int c = 3; c <= 8; ++c)
        static_cast<TwMemColumnFooter*>(grid->Column(c)->Footer())->SetStyle(0, "399990");
    grid->CalcFooters();
    for (int c = 3; c <= 8; ++c)
        EXPECT_EQ(grid->Column(c)->Footer()->Values(0), "45") << c;
}

TEST(TwStorageShift, DeletingGroupsAndColumnsKeepsPlacesConsistent)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtString});
    grid->Groups()->Add();
    grid->Groups()->Add()->SetWidth(100);
    grid->Column(0)->SetGroup(0);
    grid->Column(1)->SetGroup(1);
    grid->Column(2)->SetLevelIndex(1);
    grid->Column(2)->SetGroup(1);
    grid->SetGroupMode(true);
    grid->Groups()->Delete(0);
    EXPECT_EQ(grid->Column(0)->Group(), -1);
    EXPECT_EQ(grid->Column(1)->Group(), 0);
    EXPECT_EQ(grid->Groups()->Items(0)->LevelColumns(0).size(), 2u);
    grid->Columns()->Delete(1);
    const TwGroup* group = grid->Groups()->Items(0);
    ASSERT_EQ(group->LevelColumns(0).size(), 1u);
    EXPECT_EQ(grid->Column(1)->Width(), 100);
    EXPECT_EQ(grid->Column(1)->LevelIndex(), 0);
    EXPECT_EQ(grid->Column(1)->Index(), 1);
    grid->Groups()->Items(0)->SetVisible(false);
    EXPECT_FALSE(grid->GroupMode());
}
