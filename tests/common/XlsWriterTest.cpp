#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "common/TXlsTableSource.h"
#include "common/TXlsWriter.h"
#include "common/TextEncoding.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

// A table given column by column: a number column holds numbers, others texts.
class TFakeTable : public TXlsTableSource
{
public:
    struct TColumn
    {
        QString title;
        bool number;
        QStringList cells;
    };
    explicit TFakeTable(QList<TColumn> columns, int rows = -1) : m_columns(std::move(columns)), m_rows(rows) {}

    int ColumnCount() const override { return int(m_columns.size()); }
    int RowCount() const override { return m_rows >= 0 ? m_rows : int(m_columns.value(0).cells.size()); }
    QString ColumnTitle(int col) const override { return m_columns[col].title; }
    bool IsNumberColumn(int col) const override { return m_columns[col].number; }
    double Number(int row, int col) const override { return m_columns[col].cells.value(row).toDouble(); }
    QString Text(int row, int col) const override { return m_columns[col].cells.value(row); }

private:
    QList<TColumn> m_columns;
    int m_rows;
};

QByteArray Write(const QString& title, const TXlsTableSource& table)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(TXlsWriter::WriteTable(buffer, title, table));
    return buffer.data();
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}


std::unique_ptr<TwMemGrid> Grid(std::initializer_list<std::pair<const char*, TwDataType>> columns, int rows)
{
    auto grid = std::make_unique<TwMemGrid>();
    for (const auto& [caption, type] : columns) {
        auto* column = static_cast<TwMemColumn*>(grid->Columns()->Add());
        column->SetDataType(type);
        column->Title()->SetCaption(caption);
    }
    grid->SetRowCount(rows);
    return grid;
}

QByteArray SaveGrid(TwMemGrid& grid, const QString& title)
{
    QTemporaryDir dir;
    const QString written = SaveGridAsXls(grid, title, false, dir.filePath("grid"));
    EXPECT_EQ(written, dir.filePath("grid.xls"));
    QFile file(written);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(XlsWriter, TwoColumnsThreeRowsWithTitleGiveTheseExactRecords)
{
    auto grid = Grid({{"코드", wdtString}, {"금액", wdtFloat}}, 3);
    const char* codes[] = {"A1", "B2", "C3"};
    const double amounts[] = {1500.5, -2, 0};
    for (int r = 0; r < 3; ++r) {
        grid->Cells(0, r).SetAsString(codes[r]);
        grid->Cells(1, r).SetAsFloat(amounts[r]);
    }
    const QByteArray expected =
        Hex("0908 0800 0000 1000 0000 0000")                      // beginning of file
        + Hex("4200 0200 b503")                                   // code page 949
        + Hex("0402 1000 0000 0000 0000 0800 c1a2bcf6c7f6c8b2")   // (0,0) 접수현황
        + Hex("0402 0c00 0200 0000 0000 0400 c4dab5e5")           // (2,0) 코드
        + Hex("0402 0c00 0200 0100 0000 0400 b1ddbed7")           // (2,1) 금액
        + Hex("0402 0a00 0300 0000 0000 0200 4131")               // (3,0) A1
        + Hex("0302 0e00 0300 0100 0000 0000000000729740")        // (3,1) 1500.5
        + Hex("0402 0a00 0400 0000 0000 0200 4232")               // (4,0) B2
        + Hex("0302 0e00 0400 0100 0000 00000000000000c0")        // (4,1) -2
        + Hex("0402 0a00 0500 0000 0000 0200 4333")               // (5,0) C3
        + Hex("0302 0e00 0500 0100 0000 0000000000000000")        // (5,1) 0
        + Hex("0a00 0000");                                       // end of file
    EXPECT_EQ(SaveGrid(*grid, "접수현황"), expected);
    // without a title the (0,0) cell is left out and nothing else moves
    const QByteArray untitled = expected.left(18) + expected.mid(18 + 4 + 16);
    EXPECT_EQ(SaveGrid(*grid, ""), untitled);
}

TEST(XlsWriter, NumberColumnsAreNumbersUnlessTheirFormatHasADash)
{
    auto grid = Grid({{"a", wdtFloat}, {"b", wdtLong}, {"c", wdtByte}, {"d", wdtDate}}, 1);
    static_cast<TwMemColumn*>(grid->Columns()->Items(0))->SetDisplayFormat("#,##0;-#,##0");
    for (int c = 0; c < 3; ++c)
        grid->Cells(c, 0).SetAsFloat(7);
    grid->Cells(3, 0).SetAsString("20261208");
    const QByteArray bytes = SaveGrid(*grid, "");
    EXPECT_GE(bytes.indexOf(Hex("0402 0900 0300 0000 0000 0100 37")), 0); // float with "-": text "7"
    EXPECT_GE(bytes.indexOf(Hex("0302 0e00 0300 0100 0000 0000000000001c40")), 0); // long: number 7
    EXPECT_GE(bytes.indexOf(Hex("0402 0900 0300 0200 0000 0100 37")), 0); // byte: text "7"
    EXPECT_EQ(bytes.count(Hex("0302 0e00")), 1);                           // the date is text too
}

TEST(XlsWriter, LongTextsKeepTheirLengthOrAreCutAtACharacterSoTheFileStaysValid)
{
    const QString text300 = QString(300, u'x');
    QByteArray bytes = Write("", TFakeTable({{"t", false, {text300}}}));
    const qsizetype cell = bytes.indexOf(Hex("0402 3401 0300 0000 0000 2c01")); // length 8+300, n = 300
    ASSERT_GE(cell, 0);
    EXPECT_EQ(bytes.mid(cell + 12, 300), QByteArray(300, 'x'));

    // 40000 two-byte characters do not fit a 16-bit record length
    bytes = Write("", TFakeTable({{"t", false, {QString(40000, u'가')}}}));
    const QByteArray head = Hex("0402 feff 0300 0000 0000"); // 8 + 65526
    const qsizetype at = bytes.indexOf(head);
    ASSERT_GE(at, 0);
    const quint16 n = quint16(uchar(bytes[at + 10]) | uchar(bytes[at + 11]) << 8);
    EXPECT_EQ(n, 65526);                             // whole characters only
    EXPECT_EQ(FromCp949(bytes.mid(at + 12, n)), QString(32763, u'가'));
    EXPECT_TRUE(bytes.endsWith(Hex("0a00 0000")));
}

TEST(XlsWriter, TooManyRowsForTheFormatAreRefusedBeforeAnythingIsWritten)
{
    EXPECT_TRUE(TXlsWriter::Fits(65533, 12));
    EXPECT_FALSE(TXlsWriter::Fits(65534, 12));
    QTemporaryDir dir;
    const QString file = dir.filePath("big.xls");
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    const TFakeTable table({{"n", true, {}}}, 70000);
    EXPECT_EQ(SaveTableAsXls(table, "t", false, file), "^Excel 파일로 저장할 수 없습니다.");
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep");
}

TEST(XlsWriter, FileNamesAlwaysEndInXls)
{
    EXPECT_EQ(XlsFileName("/tmp/report.txt"), "/tmp/report.xls");
    EXPECT_EQ(XlsFileName("/tmp/report"), "/tmp/report.xls");
    EXPECT_EQ(XlsFileName("/tmp/a.b/report"), "/tmp/a.b/report.xls");
    EXPECT_EQ(XlsFileName("/tmp/REPORT.XLS"), "/tmp/REPORT.XLS");
    EXPECT_EQ(XlsFileName("NBI010"), "NBI010.xls");
}

TEST(XlsWriter, SaveAsksForTheNameAndReportsWhatItWrote)
{
    QTemporaryDir dir;
    const TFakeTable table({{"코드", false, {"가"}}});
    QString offeredName, offeredFilter;
    SetXlsSaveDialog([&](const QString& name, const QString& filter) {
        offeredName = name;
        offeredFilter = filter;
        return dir.filePath("report.txt");
    });
    EXPECT_EQ(SaveTableAsXls(table, "접수현황", true, "NBI010"), dir.filePath("report.xls"));
    EXPECT_EQ(offeredName, "NBI010");
    EXPECT_EQ(offeredFilter, "Excel 파일(*.xls)");
    EXPECT_FALSE(QFile::exists(dir.filePath("report.txt")));

    // the written file reads back through the spreadsheet stand-in
    auto app = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
    app->Workbooks().Open(dir.filePath("report.xls"));
    EXPECT_EQ(app->Cells(1, 1).Value(), QVariant("접수현황"));
    EXPECT_EQ(app->Cells(4, 1).Value(), QVariant("가"));

    SetXlsSaveDialog([](const QString&, const QString&) { return QString(); }); // cancelled
    EXPECT_EQ(SaveTableAsXls(table, "", true, "NBI010"), "^저장할 파일 이름을 지정하지 않았습니다.");
    SetXlsSaveDialog({});
    EXPECT_EQ(SaveTableAsXls(table, "", false, dir.filePath("no/such/folder/x")), "^Excel 파일로 저장할 수 없습니다.");
}
