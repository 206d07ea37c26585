#include "MemGridFixture.h"
#include "controls/EConvertError.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumnFooter.h"

namespace {
TwMemColumnFooter* FooterOf(TwMemGrid& grid, int col)
{
    return static_cast<TwMemColumnFooter*>(grid.Column(col)->Footer());
}

// Column 0 float 1.5, empty, 2; column 1 text Y, N, Y.
std::unique_ptr<TwMemGrid> Sample()
{
    auto grid = MakeGrid({wdtFloat, wdtString});
    grid->Footers()->Add();
    grid->SetRowCount(3);
    grid->Cells(0, 0).SetAsFloat(1.5);
    grid->Cells(0, 2).SetAsFloat(2);
    grid->Cells(1, 0).SetAsString("Y");
    grid->Cells(1, 1).SetAsString("N");
    grid->Cells(1, 2).SetAsString("Y");
    return grid;
}

QString Aggregate(TwMemGrid& grid, int col, const QString& style)
{
    FooterOf(grid, col)->SetStyle(0, style);
    grid.CalcFooters();
    return grid.Column(col)->Footer()->Values(0);
}
} // namespace

TEST(TwFooters, AggregatesOverAllRows)
{
    auto grid = Sample();
    EXPECT_EQ(Aggregate(*grid, 0, "399990"), "3.5");
    EXPECT_EQ(Aggregate(*grid, 0, "499990"), "1.16666666666667"); // empty cells count in the divisor
    EXPECT_EQ(Aggregate(*grid, 0, "299990"), "3");
    EXPECT_EQ(Aggregate(*grid, 0, "599990"), "2");
    EXPECT_EQ(Aggregate(*grid, 0, "699990"), ""); // the empty cell is the minimum
    EXPECT_EQ(Aggregate(*grid, 1, "399990"), ""); // no sum over text
    EXPECT_EQ(Aggregate(*grid, 1, "499990"), "");
    EXPECT_EQ(Aggregate(*grid, 1, "599990"), "Y");
    EXPECT_EQ(Aggregate(*grid, 0, "300990"), ""); // no condition column
}

TEST(TwFooters, MaxAndMinStartFromRowZeroWhateverTheCondition)
{
    auto grid = MakeGrid({wdtFloat, wdtString});
    grid->Footers()->Add();
    grid->SetRowCount(3);
    grid->Cells(0, 1).SetAsFloat(5);
    grid->Cells(0, 2).SetAsFloat(4);
    grid->Cells(1, 0).SetAsString("Y");
    grid->Cells(1, 2).SetAsString("Y");
    EXPECT_EQ(Aggregate(*grid, 0, "599990"), "5");
    EXPECT_EQ(Aggregate(*grid, 0, "600011Y"), ""); // empty row 0 stays the minimum
    EXPECT_EQ(Aggregate(*grid, 0, "500011Y"), "4"); // row 1 does not qualify
    grid->SetRowCount(0);
    EXPECT_EQ(Aggregate(*grid, 0, "599990"), "");
}

TEST(TwFooters, ConditionsCompareInTheConditionColumnType)
{
    auto grid = Sample();
    EXPECT_EQ(Aggregate(*grid, 0, "200011Y"), "2");
    EXPECT_EQ(Aggregate(*grid, 0, "300011Y"), "3.5");
    EXPECT_EQ(Aggregate(*grid, 0, "400016Y"), "0"); // row N has an empty value: 0 / 1
    EXPECT_EQ(Aggregate(*grid, 1, "200002" "1.5"), "1");
    EXPECT_EQ(Aggregate(*grid, 1, "200003" "1.5"), "2");
    EXPECT_EQ(Aggregate(*grid, 1, "200004" "2"), "2"); // the empty cell is less
    EXPECT_EQ(Aggregate(*grid, 1, "200005" "1.5"), "2");
    EXPECT_EQ(Aggregate(*grid, 1, "200002"), "2"); // an empty operand is less than any value
    EXPECT_EQ(Aggregate(*grid, 0, "400012Y"), "");  // nothing qualifies: count 0
    FooterOf(*grid, 1)->SetStyle(0, "200002abc");
    EXPECT_THROW(grid->CalcFooters(), EConvertError);
}

TEST(TwFooters, EventsFramesTheComputation)
{
    auto grid = Sample();
    grid->Column(0)->Footer()->SetValues(0, "keep");
    int after = 0;
    grid->OnAfterCalcFooters = [&](QObject*) { ++after; };
    grid->CalcFooters(); // every style "099990"
    EXPECT_EQ(grid->Column(0)->Footer()->Values(0), "keep");
    EXPECT_EQ(after, 1);
    FooterOf(*grid, 0)->SetStyle(0, "399990");
    grid->OnCalcFooters = [](QObject*, bool& useDefault) { useDefault = false; };
    grid->CalcFooters();
    EXPECT_EQ(grid->Column(0)->Footer()->Values(0), "keep");
    EXPECT_EQ(after, 2);
}

TEST(TwFooters, DeleteRowWithNotifyRecomputes)
{
    auto grid = Sample();
    FooterOf(*grid, 0)->SetStyle(0, "399990");
    grid->DeleteRow(2, 1, false);
    EXPECT_EQ(grid->Column(0)->Footer()->Values(0), "");
    grid->DeleteRow(1, 1, true);
    EXPECT_EQ(grid->Column(0)->Footer()->Values(0), "1.5");
}

TEST(TwFooters, ValuesAreBoundToTheFooterRows)
{
    auto grid = Sample();
    EXPECT_EQ(ErrorOf([&] { grid->Column(0)->Footer()->SetValues(1, "x"); }),
              "Bound Error in TwColumnFooter.SetValues(1)");
    EXPECT_EQ(grid->Column(0)->Footer()->Values(5), "");
    grid->Footers()->Add();
    grid->Column(0)->Footer()->SetValues(1, "x");
    EXPECT_EQ(grid->Column(0)->Footer()->ValueList(), QStringList({"", "x"}));
}

TEST(TwFooters, StyleListFollowsTheFooterRows)
{
    auto grid = MakeGrid({wdtFloat});
    TwMemColumnFooter* footer = FooterOf(*grid, 0);
    EXPECT_TRUE(footer->Style().isEmpty());
    grid->Footers()->Add();
    grid->Footers()->Add();
    EXPECT_EQ(footer->Style(), QStringList({"099990", "099990"}));
    footer->SetStyle(QStringList({"399990", "4", "599990"}));
    EXPECT_EQ(footer->Style(), QStringList({"399990", "4", "099990"}));
    footer->SetKind(0, 6);
    EXPECT_EQ(footer->Style(0), "699990");
    EXPECT_EQ(footer->Kind(1), 4);
    EXPECT_EQ(footer->Styles(), "[Styles]");
    grid->Columns()->Add();
    EXPECT_EQ(static_cast<TwMemColumnFooter*>(grid->Column(1)->Footer())->Style().size(), 2);
}

TEST(TwFooters, FooterTextUsesTheColumnFormats)
{
    auto grid = Sample();
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsFloat(1234567);
    grid->Column(0)->SetDisplayFormat("0,");
    FooterOf(*grid, 0)->SetStyle(0, "399990");
    grid->CalcFooters();
    EXPECT_EQ(grid->Column(0)->FooterText(0), "1,234,567");
    FooterOf(*grid, 0)->SetKind(0, 1);
    grid->Column(0)->Footer()->SetValues(0, "합계 1,234");
    EXPECT_EQ(grid->Column(0)->FooterText(0), "합계 1,234");
    FooterOf(*grid, 0)->SetKind(0, 3); // a value that does not parse shows as it is
    EXPECT_EQ(grid->Column(0)->FooterText(0), "합계 1,234");
    FooterOf(*grid, 0)->SetKind(0, 0);
    EXPECT_EQ(grid->Column(0)->FooterText(0), "");

    auto dates = MakeGrid({wdtDate});
    dates->Footers()->Add();
    dates->SetRowCount(2);
    dates->Cells(0, 0).SetAsString("2024-03-01");
    dates->Cells(0, 1).SetAsString("2024-01-31");
    dates->Column(0)->SetEditFormat("yyyy.mm.dd");
    FooterOf(*dates, 0)->SetStyle(0, "699990");
    dates->CalcFooters();
    EXPECT_EQ(dates->Column(0)->Footer()->Values(0), "2024-01-31");
    EXPECT_EQ(dates->Column(0)->FooterText(0), "2024.01.31");
}
