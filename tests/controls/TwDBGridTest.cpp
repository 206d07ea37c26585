#include <QTest>
#include <gtest/gtest.h>

#include "MemGridFixture.h"
#include "controls/EConvertError.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBColumnFooter.h"
#include "controls/TwDBGrid.h"
#include "controls/TwDataField.h"
#include "controls/TwDataSource.h"
#include "controls/TwGridFooters.h"
#include "controls/TwRecordProvider.h"

namespace {

// Rows NAME "n<i>", AMT i * 1000 from a source that counts what it handed out.
class CountingProvider : public TwRecordProvider
{
public:
    explicit CountingProvider(int rows) : m_rows(rows) {}
    std::vector<FieldDef> FieldDefs() override { return {{"NAME", wftString}, {"AMT", wftFloat}}; }
    bool FetchRecord(std::vector<QVariant>& values) override
    {
        if (handedOut >= m_rows)
            return false;
        values = {QString("n%1").arg(handedOut), double(handedOut) * 1000};
        ++handedOut;
        return true;
    }
    int handedOut = 0;

private:
    int m_rows;
};

class DBGridTest : public ::testing::Test
{
protected:
    void Bind(int rows)
    {
        provider = std::make_unique<CountingProvider>(rows);
        dataSet.SetProvider(provider.get());
        grid.SetDataSource(&source);
        grid.OnRowChange = [this](QObject*) { ++rowChanges; };
    }

    TwClientDataSet dataSet;
    TwDataSource source{&dataSet};
    std::unique_ptr<CountingProvider> provider;
    TwDBGrid grid;
    int rowChanges = 0;
};

} // namespace

TEST_F(DBGridTest, AClosedResultShowsNoRowsAndOpeningFiresRowChangeOnceAtOnce)
{
    Bind(3);
    grid.AddColumn("NAME", "이름", 80);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.CellText(grid.Column(0), 0), "");
    dataSet.Open();
    EXPECT_EQ(rowChanges, 1);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellText(grid.Column(0), 2), "n2");
    QTest::qWait(grid.ChangeDelay() + 100);
    EXPECT_EQ(rowChanges, 1);
    dataSet.Close();
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(rowChanges, 1);
}

TEST_F(DBGridTest, MovingTheCursorInCodeMovesTheGridAndFiresRowChangeAfterTheDelay)
{
    Bind(5);
    grid.AddColumn("NAME", "이름", 80);
    grid.SetChangeDelay(50);
    dataSet.Open();
    dataSet.MoveBy(3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(rowChanges, 1);
    QTest::qWait(150);
    EXPECT_EQ(rowChanges, 2);
    // And the other way: the grid moves the cursor.
    grid.SetRow(1);
    EXPECT_EQ(dataSet.RecNo(), 2);
    EXPECT_EQ(dataSet.FieldByName("NAME")->AsString(), "n1");
}

TEST_F(DBGridTest, ColumnsCaptionTheirFieldsAndFooterStylesShowTheirTexts)
{
    Bind(2);
    grid.Footers()->Add();
    dataSet.Open();
    TwDBColumn* missing = grid.AddColumn("NO_SUCH", "", 60);
    TwDBColumn* amount = grid.AddColumn("AMT", "", 60);
    EXPECT_EQ(missing->Title()->Caption(), "NO_SUCH");
    EXPECT_EQ(grid.CellText(missing, 1), "");
    EXPECT_EQ(amount->Title()->Caption(), "AMT");
    EXPECT_EQ(amount->Alignment(), Qt::AlignRight);
    dataSet.FieldByName("AMT")->SetDisplayFormat("#,##0.#0");
    EXPECT_EQ(grid.CellText(amount, 1), "1,000.00");

    static_cast<TwDBColumnFooter*>(missing->Footer())->SetStyle(0, "1합계");
    static_cast<TwDBColumnFooter*>(amount->Footer())->SetStyle(0, "0합계");
    EXPECT_EQ(grid.FooterText(missing, 0), "합계");
    EXPECT_EQ(grid.FooterText(amount, 0), "");
}

TEST_F(DBGridTest, RecordsArriveInPacketsAsTheCursorReachesTheLastOneHeld)
{
    Bind(250);
    grid.AddColumn("NAME", "이름", 80);
    dataSet.SetPacketRecords(100);
    dataSet.Open();
    EXPECT_EQ(dataSet.RecordCount(), 100);
    EXPECT_EQ(provider->handedOut, 100);
    grid.SetRow(99);
    EXPECT_EQ(dataSet.RecordCount(), 200);
    EXPECT_FALSE(dataSet.Eof());
    dataSet.Last();
    EXPECT_EQ(dataSet.RecordCount(), 250);
    EXPECT_EQ(grid.Row(), 249);
    EXPECT_EQ(grid.CellText(grid.Column(0), grid.Row()), "n249");
    dataSet.Next();
    EXPECT_TRUE(dataSet.Eof());
}

TEST_F(DBGridTest, EditingInsertingAndDeletingChangeOnlyTheRecordsHeld)
{
    Bind(3);
    dataSet.Open();
    dataSet.Next();
    const QString second = dataSet.Bookmark();
    dataSet.First();
    dataSet.Insert();
    EXPECT_EQ(grid.EditState(), wgsInsert);
    EXPECT_EQ(grid.RowCount(), 4);
    dataSet.Cancel();
    EXPECT_EQ(dataSet.RecordCount(), 3);
    EXPECT_EQ(dataSet.FieldByName("NAME")->AsString(), "n0");

    dataSet.Edit();
    dataSet.FieldByName("AMT")->SetAsString("12.5");
    dataSet.Next(); // a changed record is posted on leaving it
    EXPECT_EQ(grid.EditState(), wgsBrowse);
    EXPECT_EQ(dataSet.Value(0, 1).toDouble(), 12.5);
    dataSet.Edit();
    EXPECT_THROW(dataSet.FieldByName("AMT")->SetAsString("x"), EConvertError);
    dataSet.Cancel();

    dataSet.FieldByName("NAME")->SetRequired(true);
    dataSet.Append();
    EXPECT_EQ(ErrorOf([&] { dataSet.Post(); }), "Field 'NAME' must have a value");
    dataSet.FieldByName("NAME")->SetAsString("new");
    dataSet.Post();
    EXPECT_EQ(dataSet.RecordCount(), 4);

    dataSet.First();
    dataSet.Delete();
    dataSet.GotoBookmark(second);
    EXPECT_EQ(dataSet.FieldByName("NAME")->AsString(), "n1");
    EXPECT_EQ(grid.Row(), 0);
    dataSet.SetReadOnly(true);
    EXPECT_EQ(ErrorOf([&] { dataSet.Edit(); }), "Cannot modify a read-only dataset");
}

TEST_F(DBGridTest, AValueItsFieldTypeCannotReadShowsAsTheSourceGaveIt)
{
    Bind(2);
    dataSet.AddField("NAME", wftDateTime);
    dataSet.AddField("AMT", wftCurrency)->SetCurrency(true);
    dataSet.Open();
    TwDBColumn* name = grid.AddColumn("NAME", "", 80);
    EXPECT_EQ(grid.CellText(name, 1), "n1");
    EXPECT_EQ(grid.CellText(grid.AddColumn("AMT", "", 80), 1), "1,000");
}

TEST_F(DBGridTest, TheInPlaceEditorsWriteIntoTheFieldsOfTheCurrentRecord)
{
    Bind(2);
    dataSet.AddField("NAME", wftString, 4)->SetEditMask("99-99;0;");
    dataSet.AddField("AMT", wftFloat)->SetDisplayFormat("#,##0.#0");
    dataSet.Open();
    grid.AddColumn("NAME", "이름", 80);
    grid.AddColumn("AMT", "금액", 80);
    grid.SetOptions(wgoAlwaysShowEditor | wgoArrowMove | wgoEditing | wgoEnterToTab);
    grid.resize(300, 150);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.SetCurrentColumnIndex(1);
    ASSERT_TRUE(grid.EditorShown());
    EXPECT_EQ(grid.EditKind(grid.Column(1)), wekNumber);
    QTest::keyClicks(QApplication::focusWidget(), "12.5");
    EXPECT_EQ(grid.EditState(), wgsEdit);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(dataSet.State(), dsBrowse);
    EXPECT_EQ(dataSet.Value(0, 1).toDouble(), 12.5);

    grid.SetCurrentColumnIndex(0);
    ASSERT_TRUE(grid.EditorShown());
    QTest::keyClicks(QApplication::focusWidget(), "0412");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(dataSet.Value(1, 0).toString(), "0412");
    EXPECT_EQ(grid.CellText(grid.Column(0), 1), "04-12");
}
