#include <QDateTime>
#include <limits>

#include "MemGridFixture.h"
#include "controls/EConvertError.h"
#include "controls/TwFormat.h"

TEST(TwCellConversion, ByteRoundsHalfToEvenAndKeepsLowBits)
{
    auto grid = MakeGrid({wdtByte});
    grid->SetRowCount(1);
    TwCells& cell = grid->Cells(0, 0);
    cell.SetAsFloat(2.5);
    EXPECT_EQ(cell.AsInteger(), 2);
    cell.SetAsFloat(3.5);
    EXPECT_EQ(cell.AsInteger(), 4);
    cell.SetAsString("300");
    EXPECT_EQ(cell.AsInteger(), 44);
    cell.SetAsFloat(1e30); // beyond 64 bits
    EXPECT_EQ(cell.AsInteger(), 0);
    EXPECT_FALSE(cell.IsNull());
}

TEST(TwCellConversion, SignedAndWideIntegerTypesWrapToTheirWidth)
{
    auto grid = MakeGrid({wdtShort, wdtSmall, wdtWord, wdtLong});
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("200");
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "-56");
    grid->Cells(1, 0).SetAsFloat(32768);
    EXPECT_EQ(grid->Cells(1, 0).AsInteger(), -32768);
    grid->Cells(2, 0).SetAsString("-1");
    EXPECT_EQ(grid->Cells(2, 0).AsInteger(), 65535);
    grid->Cells(3, 0).SetAsFloat(-2.5);
    EXPECT_EQ(grid->Cells(3, 0).AsVariant(), QVariant(-2));
}

TEST(TwCellConversion, UnparsableTextRaisesAndLeavesTheCell)
{
    auto grid = MakeGrid({wdtLong, wdtFloat, wdtDate});
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("12");
    grid->Cells(1, 0).SetAsString("1.5");
    grid->Cells(2, 0).SetAsString("2024-02-29");
    EXPECT_THROW(grid->Cells(0, 0).SetAsString("12a"), EConvertError);
    EXPECT_THROW(grid->Cells(1, 0).SetAsString("1,5"), EConvertError);
    EXPECT_THROW(grid->Cells(1, 0).SetAsString("inf"), EConvertError);
    EXPECT_THROW(grid->Cells(2, 0).SetAsString("2023-02-29"), EConvertError);
    EXPECT_EQ(grid->Cells(0, 0).AsInteger(), 12);
    EXPECT_EQ(grid->Cells(1, 0).AsFloat(), 1.5);
    EXPECT_EQ(grid->Cells(2, 0).AsString(), "2024-02-29");
}

TEST(TwCellConversion, EmptyCellsReadAsNeutralValues)
{
    auto grid = MakeGrid({wdtFloat, wdtString});
    for (int i = 0; i < 3; ++i)
        grid->AppendRow(true, false, false);
    EXPECT_EQ(grid->RowCount(), 3);
    grid->Cells(0, 1).SetAsFloat(4);
    grid->Cells(0, 1).SetAsString("");
    EXPECT_TRUE(grid->Cells(0, 1).IsNull());
    EXPECT_EQ(grid->Cells(0, 1).AsFloat(), 0);
    EXPECT_FALSE(grid->Cells(0, 1).AsVariant().isValid());
    EXPECT_EQ(grid->Cells(1, 2).AsString(), "");
    EXPECT_FALSE(grid->Cells(1, 2).AsBoolean());
    grid->Cells(0, 0).SetAsVariant(3.25);
    grid->Cells(0, 0).SetAsVariant(QVariant());
    EXPECT_TRUE(grid->Cells(0, 0).IsNull());
}

TEST(TwCellConversion, BooleanColumnTakesItsWordsAndEmptiesOnOtherText)
{
    auto grid = MakeGrid({wdtBool});
    grid->SetRowCount(1);
    TwCells& cell = grid->Cells(0, 0);
    cell.SetAsString("true");
    EXPECT_TRUE(cell.AsBoolean());
    EXPECT_EQ(cell.AsString(), "True");
    cell.SetAsString("FALSE");
    EXPECT_EQ(cell.AsString(), "False");
    EXPECT_FALSE(cell.IsNull());
    cell.SetAsString("1");
    EXPECT_TRUE(cell.IsNull());

    grid->Column(0)->SetValues({"N", "Y"});
    cell.SetAsString("y");
    EXPECT_TRUE(grid->Cells(0, 0).AsBoolean());
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "Y");
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "Y");
    grid->Column(0)->SetItems({"아니오", "예"});
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "예");
}

TEST(TwCellConversion, ValueListStandsForBooleanOnTextColumns)
{
    auto grid = MakeGrid({wdtString});
    grid->Column(0)->SetValues({"N", "Y"});
    grid->SetRowCount(2);
    grid->Cells(0, 0).SetAsBoolean(true);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "Y");
    EXPECT_TRUE(grid->Cells(0, 0).AsBoolean());
    grid->Cells(0, 1).SetAsString("y");
    EXPECT_FALSE(grid->Cells(0, 1).AsBoolean()); // exactly "Y" only
    grid->Cells(0, 1).SetAsBoolean(false);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "N");
}

TEST(TwCellConversion, TextWidthsCutWrittenText)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtChar});
    grid->Column(0)->SetDataWidth(4);
    grid->Column(1)->SetDataWidth(0);
    grid->Column(2)->SetDataWidth(0);
    EXPECT_EQ(grid->Column(2)->DataWidth(), 1);
    EXPECT_EQ(grid->Column(0)->DataWidth(), 4);
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("ABCDEFG");
    grid->Cells(1, 0).SetAsString("ABCDEFG");
    grid->Cells(2, 0).SetAsString("임대업장");
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "ABCD");
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "ABCDEFG");
    EXPECT_EQ(grid->Cells(2, 0).AsString(), "임");
    grid->Cells(0, 0).SetAsFloat(123456.5);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "1234");
}

TEST(TwCellConversion, FixedTextKeepsKoreanWithinItsCapacity)
{
    auto grid = MakeGrid({wdtChar});
    grid->Column(0)->SetDataWidth(3);
    grid->SetRowCount(2);
    grid->Cells(0, 0).SetAsString("가나다라");
    grid->Cells(0, 1).SetAsString("A");
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "가나다");
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "A");
    grid->Column(0)->SetDataWidth(2); // narrowing re-cuts, never garbles
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "가나");
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "A");
}

TEST(TwCellConversion, DataWidthReadsThePayloadOfFixedTypes)
{
    auto grid = MakeGrid({wdtBool, wdtWord, wdtLong, wdtDateTime, wdtGraphic});
    EXPECT_EQ(grid->Column(0)->DataWidth(), 1);
    EXPECT_EQ(grid->Column(1)->DataWidth(), 2);
    EXPECT_EQ(grid->Column(2)->DataWidth(), 4);
    EXPECT_EQ(grid->Column(3)->DataWidth(), 8);
    EXPECT_EQ(grid->Column(4)->DataWidth(), 0);
}

TEST(TwCellConversion, FloatTextHasFifteenSignificantDigits)
{
    EXPECT_EQ(TwFormat::FloatText(3.5), "3.5");
    EXPECT_EQ(TwFormat::FloatText(3.5 / 3), "1.16666666666667");
    EXPECT_EQ(TwFormat::FloatText(1e20), "1E20");
    EXPECT_EQ(TwFormat::FloatText(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(TwFormat::FloatText(0.1 + 0.2), "0.3");
}

TEST(TwCellConversion, DatesAreSerialDaysWithTheTimeAsFraction)
{
    auto grid = MakeGrid({wdtDate, wdtDateTime, wdtTime, wdtString});
    grid->Column(3)->SetDataWidth(0);
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("1900-01-01");
    EXPECT_EQ(grid->Cells(0, 0).AsFloat(), 2);
    grid->Cells(1, 0).SetAsString("2024-01-05 18:00");
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "2024-01-05 18:00:00");
    EXPECT_DOUBLE_EQ(grid->Cells(1, 0).AsDateTime() - int(grid->Cells(1, 0).AsDateTime()), 0.75);
    grid->Cells(1, 0).SetAsString("2024-01-05");
    EXPECT_EQ(grid->Cells(1, 0).AsString(), "2024-01-05");
    grid->Cells(2, 0).SetAsString("06:30");
    EXPECT_EQ(grid->Cells(2, 0).AsString(), "06:30:00");
    grid->Cells(3, 0).SetAsVariant(QDateTime(QDate(2024, 3, 1), QTime(9, 5)));
    EXPECT_EQ(grid->Cells(3, 0).AsString(), "2024-03-01 09:05:00");
    EXPECT_EQ(grid->Cells(0, 0).AsVariant().toDateTime().date(), QDate(1900, 1, 1));
}

TEST(TwCellConversion, ChangingTheTypeConvertsStoredValues)
{
    auto grid = MakeGrid({wdtString});
    grid->Column(0)->SetDefaults("7");
    grid->SetRowCount(2);
    grid->Cells(0, 0).SetAsString("12.5");
    grid->Cells(0, 1).SetAsString("abc");
    grid->Column(0)->SetDataType(wdtFloat);
    EXPECT_EQ(grid->Cells(0, 0).AsFloat(), 12.5);
    EXPECT_TRUE(grid->Cells(0, 1).IsNull());
    EXPECT_EQ(grid->Column(0)->Defaults(), "");
    grid->Column(0)->SetDataType(wdtLong);
    EXPECT_EQ(grid->Cells(0, 0).AsInteger(), 12);
}

TEST(TwCellConversion, NonFiniteNumbersAreRefused)
{
    auto grid = MakeGrid({wdtFloat, wdtString});
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsFloat(2);
    EXPECT_THROW(grid->Cells(0, 0).SetAsFloat(std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(grid->Cells(1, 0).SetAsVariant(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_EQ(grid->Cells(0, 0).AsFloat(), 2);
    EXPECT_TRUE(grid->Cells(1, 0).IsNull());
}
