#include "MemGridFixture.h"
#include "controls/TwFormat.h"

TEST(TwDisplayText, NumericPicturesGroupThousands)
{
    auto grid = MakeGrid({wdtFloat});
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsFloat(1234567.4);
    const std::pair<const char*, const char*> cases[] = {
        {"0,", "1,234,567"},
        {"#,##0", "1,234,567"},
        {"#,##0.#0", "1,234,567.40"},
        {"#,##0.00", "1,234,567.40"},
        {"#,##0.##", "1,234,567.4"},
    };
    for (const auto& [picture, expected] : cases) {
        grid->Column(0)->SetDisplayFormat(picture);
        EXPECT_EQ(grid->Cells(0, 0).DisplayText(), expected) << picture;
    }
    grid->Cells(0, 0).SetAsFloat(-0.4);
    grid->Column(0)->SetDisplayFormat("#,##0");
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "0"); // no sign on a zero result
    grid->Cells(0, 0).SetAsFloat(-1500);
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "-1,500");
    EXPECT_EQ(TwFormat::FormatNumber("#,##0;(#,##0)", -1500), "(1,500)");
    EXPECT_EQ(TwFormat::FormatNumber("#,##0\"원\"", 12000), "12,000원");
}

TEST(TwDisplayText, EditMaskShapesTextAndDates)
{
    auto grid = MakeGrid({wdtString, wdtString, wdtDate});
    grid->Column(0)->SetEditFormat("9999-99;0;");
    grid->Column(1)->SetEditFormat("9999-99-99;0;");
    grid->Column(2)->SetEditFormat("yyyy.mm.dd");
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("200401");
    grid->Cells(1, 0).SetAsString("20040105");
    grid->Cells(2, 0).SetAsString("2004-01-05");
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "2004-01");
    EXPECT_EQ(grid->Cells(1, 0).DisplayText(), "2004-01-05");
    EXPECT_EQ(grid->Cells(2, 0).DisplayText(), "2004.01.05");
    grid->Column(2)->SetDisplayFormat("yy/m/d hh:nn");
    EXPECT_EQ(grid->Cells(2, 0).DisplayText(), "04-1-5 00:00");
    EXPECT_EQ(TwFormat::FormatMask("!9999-99;1;_", "2004-1"), "2004-1_");
}

TEST(TwDisplayText, TextFormatsValueListsAndGetTextHandler)
{
    auto grid = MakeGrid({wdtString, wdtString});
    grid->Column(0)->SetDisplayFormat("[%s]");
    grid->Column(1)->SetValues({"1", "2"});
    grid->Column(1)->SetItems({"Cash;현금", "Card;카드"});
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("임대");
    grid->Cells(1, 0).SetAsString("2");
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "[임대]");
    EXPECT_EQ(grid->Cells(1, 0).DisplayText(), "Card");
    grid->Column(1)->ListOption().SetValuesIndex(0);
    EXPECT_EQ(grid->Cells(1, 0).DisplayText(), "2");

    int seenRow = -1;
    grid->OnGetText = [&](TwMemColumn* column, int row, QString& text) {
        seenRow = row;
        if (column->Index() == 0)
            text = text + "!";
    };
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "[임대]!");
    EXPECT_EQ(seenRow, 0);
}

TEST(TwDisplayText, PictureCellShowsItsDisplayFormat)
{
    auto grid = MakeGrid({wdtGraphic});
    grid->Column(0)->SetDisplayFormat("(사진)");
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsBoolean(true);
    EXPECT_EQ(grid->Cells(0, 0).DisplayText(), "(사진)");
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "");
}
