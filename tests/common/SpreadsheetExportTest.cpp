#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "DatabaseTestSupport.h"
#include "common/MessageBoxSeam.h"
#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

// Exports hand their workbook to a recording viewer; the test reads it back.
class SpreadsheetExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        UseViewer("viewer");
        m_db.Exec("CREATE TABLE R (CODE TEXT, AMT INTEGER, NAME TEXT)");
        m_db.Exec("INSERT INTO R VALUES ('0101', 1500, '매점')");
        m_db.Exec("INSERT INTO R VALUES ('0102', -2, NULL)");
    }
    void TearDown() override
    {
        for (const QString& file : m_shown)
            QFile::remove(file);
        TExcelApplication::SetHost(TExcelApplication::DefaultHost());
    }
    void UseViewer(const QString& viewer)
    {
        TExcelApplication::SetHost({[viewer] { return viewer; },
                                    [this](const QString&, const QString& file) {
                                        m_shown << file;
                                        return true;
                                    }});
    }
    // The shown workbook's rows 1..n, columns A..D, as text.
    QStringList Shown()
    {
        EXPECT_EQ(m_shown.size(), 1);
        auto reader = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
        reader->Workbooks().Open(m_shown.value(0));
        const int rows = reader->ActiveSheet().LastRow();
        const TExcelValueArray values = reader->Range(reader->Cells(1, 1), reader->Cells(rows, 4)).Values();
        QStringList lines;
        for (int r = 1; r <= rows; ++r)
            lines << QStringList{values.Text(r, 1), values.Text(r, 2), values.Text(r, 3), values.Text(r, 4)}.join('|');
        return lines;
    }
    TQuery& OpenQuery()
    {
        m_query.SQL() << "SELECT CODE, AMT, NAME FROM R ORDER BY CODE";
        m_query.Open();
        return m_query;
    }

    TTempDatabase m_db;
    TQuery m_query{m_db.Db()};
    QStringList m_shown;
};

} // namespace

TEST_F(SpreadsheetExport, QueryWithoutTitleHasHeadingsInRowOneAndTextsKeptAsText)
{
    EXPECT_TRUE(ExportQueryToExcel(OpenQuery(), ""));
    EXPECT_EQ(Shown(), QStringList({"CODE|AMT|NAME|", "0101|1500|매점|", "0102|-2||"}));
    EXPECT_TRUE(m_query.Eof());
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(SpreadsheetExport, QueryWithTitleHasItInRowOneColumnTwoAndHeadingsInRowThree)
{
    EXPECT_TRUE(ExportQueryToExcel(OpenQuery(), "계약현황"));
    EXPECT_EQ(Shown(), QStringList({"|계약현황||", "|||", "CODE|AMT|NAME|", "0101|1500|매점|", "0102|-2||"}));
}

TEST_F(SpreadsheetExport, WithoutAProgramToShowWorkbooksNothingIsExported)
{
    UseViewer(QString());
    EXPECT_FALSE(CheckExcelInstalled());
    EXPECT_FALSE(ExportQueryToExcel(OpenQuery(), "계약현황"));
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 2);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbInfo);
    EXPECT_EQ(MessageBoxSeam::Last().text, "MS-EXCEL이 설치되어 있지 않습니다.");
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(SpreadsheetExport, AViewerThatFailsIsReportedInTheErrorBox)
{
    TExcelApplication::SetHost({[] { return QString("viewer"); }, [](const QString&, const QString&) { return false; }});
    EXPECT_FALSE(ExportQueryToExcel(OpenQuery(), ""));
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
}

TEST_F(SpreadsheetExport, GridGoesFromRowFourWithEveryColumnAndATimeStamp)
{
    TwMemGrid grid;
    for (TwDataType type : {wdtString, wdtFloat, wdtString}) {
        auto* column = static_cast<TwMemColumn*>(grid.Columns()->Add());
        column->SetDataType(type);
    }
    grid.Columns()->Items(2)->SetVisible(false);
    grid.SetRowCount(3);
    grid.Cells(0, 0).SetAsString("매점");
    grid.Cells(0, 2).SetAsString("0101"); // a text code stays text
    grid.Cells(1, 0).SetAsFloat(1500.5);
    grid.Cells(2, 0).SetAsString("숨김");
    grid.Cells(0, 1).SetAsString("카페");
    ExportGridToExcel(grid);
    const QStringList lines = Shown();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "|< 제목 :  >||");
    EXPECT_TRUE(QRegularExpression("^\\|\\|\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\|$").match(lines[1]).hasMatch())
        << lines[1].toStdString();
    EXPECT_EQ(lines[2], "|||");
    EXPECT_EQ(lines[3], "매점|1500.5|숨김|");
    EXPECT_EQ(lines[4], "카페|||");
    EXPECT_EQ(lines[5], "0101|||");
}
