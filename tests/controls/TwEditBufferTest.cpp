#include "MemGridFixture.h"
#include "controls/TwColumnTitle.h"

namespace {
std::unique_ptr<TwMemGrid> OneRow()
{
    auto grid = MakeGrid({wdtString, wdtFloat});
    grid->Column(1)->SetCalculated(true);
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("가");
    grid->Cells(1, 0).SetAsFloat(1);
    return grid;
}
} // namespace

TEST(TwEditBuffer, WritesToTheEditedRowFireValueEventsInOrder)
{
    auto grid = OneRow();
    QStringList events;
    grid->OnValueChanging = [&](TwMemColumn* c, const QVariant& v) {
        events << QString("changing %1 %2").arg(c->Index()).arg(v.isValid() ? v.toString() : "null");
    };
    grid->OnCalcColumns = [&](QObject*) { events << "calc"; };
    grid->OnValueChanged = [&](TwMemColumn* c) { events << QString("changed %1").arg(c->Index()); };

    grid->Cells(0, 0).SetAsString("나"); // browsing: storage, no events
    EXPECT_TRUE(events.isEmpty());
    ASSERT_TRUE(grid->StartRowEdit());
    EXPECT_FALSE(grid->RowModified());
    grid->Cells(0, 0).SetAsString("나"); // same value: nothing
    EXPECT_TRUE(events.isEmpty());
    grid->Cells(0, 0).SetAsString("다");
    grid->Cells(1, 0).SetAsFloat(2);    // calculated column: no OnCalcColumns
    grid->Cells(1, 0).Clear();
    EXPECT_EQ(events, QStringList({"changing 0 다", "calc", "changed 0", "changing 1 2", "changed 1",
                                   "changing 1 null", "changed 1"}));
    EXPECT_TRUE(grid->RowModified());
    EXPECT_EQ(grid->Column(0)->Pool().Count(), 1);
    EXPECT_EQ(TwSlotCodec::GetString(wdtString, grid->Column(0)->Pool().Slot(0)), "나");
    grid->DropEditedRow();
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "나");
    EXPECT_EQ(grid->Cells(1, 0).AsFloat(), 1);
}

TEST(TwEditBuffer, SnapshotTellsWhetherAColumnChanged)
{
    auto grid = OneRow();
    grid->StartRowEdit();
    TwMemColumn* text = grid->Column(0);
    EXPECT_TRUE(text->BufferUnchanged());
    grid->Cells(0, 0).SetAsString("A");
    EXPECT_FALSE(text->BufferUnchanged());
    grid->Cells(0, 0).SetAsString("가");
    EXPECT_TRUE(text->BufferUnchanged());
    grid->Cells(1, 0).SetAsFloat(1.0000001);
    EXPECT_FALSE(grid->Column(1)->BufferUnchanged());
}

TEST(TwEditBuffer, PostMaintainsRowStatesAndDeletedRowsRefuseEditing)
{
    auto grid = OneRow();
    grid->SetRowCount(3);
    grid->SetRowState(1, wrsInserted);
    grid->SetRowState(2, wrsDeleted);
    grid->StartRowEdit();
    grid->Post();
    EXPECT_EQ(grid->RowState(0), wrsModified);
    grid->SetRow(1);
    grid->StartRowEdit();
    grid->Post();
    EXPECT_EQ(grid->RowState(1), wrsInserted);
    grid->SetRow(2);
    EXPECT_FALSE(grid->StartRowEdit());
    grid->SetCheckRowState(false);
    grid->SetRow(0);
    grid->SetRowState(0, wrsNone);
    grid->StartRowEdit();
    grid->Post();
    EXPECT_EQ(grid->RowState(0), wrsNone);
}

TEST(TwEditBuffer, RequiredColumnKeepsTheRowInEditing)
{
    auto grid = OneRow();
    grid->Column(1)->Title()->SetCaption("금액");
    grid->Column(1)->SetRequired(true);
    grid->StartRowInsert(true);
    grid->Cells(0, 1).SetAsString("새");
    EXPECT_EQ(ErrorOf([&] { grid->Post(); }), "Column '금액' must have a value.");
    EXPECT_EQ(grid->EditState(), wgsInsert);
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "새");
    grid->DropEditedRow();
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->Row(), 0);
}

TEST(TwEditBuffer, NewRowStartsFromDefaults)
{
    auto grid = OneRow();
    grid->Column(0)->SetDefaults("기본");
    int dataChanged = 0;
    grid->OnDataChanged = [&](QObject*) { ++dataChanged; };
    grid->StartRowInsert(false);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "기본");
    EXPECT_EQ(grid->Cells(0, 1).AsString(), "가");
    grid->Post();
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "기본");
    EXPECT_EQ(dataChanged, 1);
}
