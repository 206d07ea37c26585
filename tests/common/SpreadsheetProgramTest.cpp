// The files the client writes for a spreadsheet program, opened by a real one:
// LibreOffice converts them to comma-separated text in headless mode and the
// cells are compared with what the grid and the query held.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "DatabaseTestSupport.h"
#include "common/MessageBoxSeam.h"
#include "common/SpreadsheetExport.h"
#include "common/TCsvReader.h"
#include "common/TExcelApplication.h"
#include "common/TExcelWorkbook.h"
#include "common/TExcelWorksheet.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

// Texts that a spreadsheet program or a comma-separated file could garble.
const QStringList kCodes{"0101", "A-17", "4099"};
const QStringList kNames{"(주)한빛상사, 본점", "카페 \"바다\"", ""};
const QStringList kMonths{"20261203", "20270131", "20261231"};
const QList<double> kAmounts{1500000, -2.5, 123456789.25};

class SpreadsheetProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        TExcelApplication::SetHost({[] { return QStringLiteral("viewer"); },
                                    [this](const QString&, const QString& file) {
                                        m_shown << file;
                                        return true;
                                    }});
        FillGrid();
        m_db.Exec("CREATE TABLE R (CODE VARCHAR(4), AMT DOUBLE PRECISION, NAME VARCHAR(50))");
        for (int r = 0; r < kCodes.size(); ++r)
            m_db.Exec(QStringLiteral("INSERT INTO R VALUES ('%1', %2, '%3')")
                          .arg(kCodes[r], QString::number(kAmounts[r], 'f', 2), QString(kNames[r]).replace("'", "''")));
    }
    void TearDown() override
    {
        for (const QString& file : m_shown)
            QFile::remove(file);
        TExcelApplication::SetHost(TExcelApplication::DefaultHost());
    }

    void FillGrid()
    {
        const std::pair<const char*, TwDataType> columns[] = {
            {"코드", wdtString}, {"업장명", wdtString}, {"금액", wdtFloat}, {"납입월", wdtString}};
        for (const auto& [caption, type] : columns) {
            auto* column = static_cast<TwMemColumn*>(m_grid.Columns()->Add());
            column->SetDataType(type);
            column->Title()->SetCaption(caption);
        }
        m_grid.SetRowCount(int(kCodes.size()));
        for (int r = 0; r < kCodes.size(); ++r) {
            m_grid.Cells(0, r).SetAsString(kCodes[r]);
            m_grid.Cells(1, r).SetAsString(kNames[r]);
            m_grid.Cells(2, r).SetAsFloat(kAmounts[r]);
            m_grid.Cells(3, r).SetAsString(kMonths[r]);
        }
    }

    // The last workbook handed to the viewer, copied under a name of its own.
    QString TakeShown(const QString& name)
    {
        EXPECT_FALSE(m_shown.isEmpty());
        const QString target = m_dir.filePath(name);
        EXPECT_TRUE(QFile::copy(m_shown.value(m_shown.size() - 1), target));
        return target;
    }

    // Converts every file in one start of the program (its start is slow);
    // a private profile keeps parallel runs apart.
    void Convert(const QStringList& files)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        ASSERT_FALSE(program.isEmpty()) << "LibreOffice (soffice) is not installed: scripts/install-deps.sh";
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, QStringList{QStringLiteral("-env:UserInstallation=")
                                               + QUrl::fromLocalFile(m_dir.filePath("profile")).toString(),
                                           "--headless", "--norestore", "--convert-to",
                                           "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir",
                                           m_dir.filePath("csv")}
                                   + files);
        ASSERT_TRUE(process.waitForFinished(240'000)) << "LibreOffice did not finish";
        const QString output = QString::fromLocal8Bit(process.readAll());
        ASSERT_EQ(process.exitCode(), 0) << output.toStdString();
        for (const QString& file : files)
            ASSERT_TRUE(QFileInfo::exists(Csv(file))) << output.toStdString();
    }

    QString Csv(const QString& file) const
    {
        return m_dir.filePath("csv/" + QFileInfo(file).completeBaseName() + ".csv");
    }

    // The converted sheet, one line per row, cells joined by "|" without
    // the empty ones at the end.
    QStringList Lines(const QString& file) const
    {
        TExcelWorkbook book(QStringLiteral("csv"));
        TCsvReader::Read(Csv(file), book);
        const TExcelWorksheet& sheet = book.Sheet(0);
        QStringList lines;
        for (int r = 1; r <= sheet.LastRow(); ++r) {
            QStringList cells;
            for (int c = 1; c <= sheet.LastColumn(); ++c)
                cells << sheet.Value(r, c).toString();
            lines << cells.join('|').remove(QRegularExpression("\\|+$"));
        }
        return lines;
    }

    // The grid's rows as its cells give them in text.
    QStringList GridRows(const std::function<QString(int row)>& code)
    {
        QStringList rows;
        for (int r = 0; r < m_grid.RowCount(); ++r)
            rows << QStringList{code(r), m_grid.Cells(1, r).AsString(), m_grid.Cells(2, r).AsString(),
                                m_grid.Cells(3, r).AsString()}
                        .join('|');
        return rows;
    }

    QTemporaryDir m_dir;
    TTempDatabase m_db;
    TwMemGrid m_grid;
    QStringList m_shown;
};

} // namespace

// One conversion for the three writers: the automation stand-in's .xlsx of a
// grid and of a query, and the grid export's .xls (code page 949 texts).
TEST_F(SpreadsheetProgram, EveryWrittenFileOpensWithTheGridsCellsKoreanTextIncluded)
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() && qEnvironmentVariableIsEmpty("CI"))
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    ExportGridToExcel(m_grid);
    const QString gridXlsx = TakeShown("grid_auto.xlsx");
    TQuery query(m_db.Db());
    query.SQL() << "SELECT CODE, AMT, NAME FROM R ORDER BY ROWID";
    query.Open();
    ASSERT_TRUE(ExportQueryToExcel(query, "계약현황"));
    const QString queryXlsx = TakeShown("query_auto.xlsx");
    const QString gridXls = SaveGridAsXls(m_grid, "업장 목록", false, m_dir.filePath("grid_export"));
    ASSERT_EQ(gridXls, m_dir.filePath("grid_export.xls"));
    ASSERT_TRUE(MessageBoxSeam::Shown().isEmpty());

    Convert({gridXlsx, queryXlsx, gridXls});

    // A text column stays text in the automation export too: the code "0101"
    // keeps its leading zero.
    QStringList lines = Lines(gridXlsx);
    ASSERT_EQ(lines.size(), 3 + m_grid.RowCount());
    EXPECT_EQ(lines[0], "|< 제목 :  >");
    EXPECT_TRUE(QRegularExpression("^\\|\\|\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(lines[1]).hasMatch())
        << lines[1].toStdString();
    EXPECT_EQ(lines.mid(3), GridRows([this](int r) { return m_grid.Cells(0, r).AsString(); }));

    EXPECT_EQ(Lines(gridXls), QStringList({"업장 목록", "", "코드|업장명|금액|납입월"})
                                  + GridRows([this](int r) { return m_grid.Cells(0, r).AsString(); }));

    QStringList queryRows{"|계약현황", "", "CODE|AMT|NAME"};
    for (int r = 0; r < kCodes.size(); ++r)
        queryRows << QStringList{kCodes[r], m_grid.Cells(2, r).AsString(), kNames[r]}.join('|').remove(
            QRegularExpression("\\|+$"));
    EXPECT_EQ(Lines(queryXlsx), queryRows);
}
