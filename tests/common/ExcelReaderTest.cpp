#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <map>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <zip.h>
#include <xlsxwriter.h>

#include "common/EExcelError.h"
#include "common/TExcelApplication.h"
#include "common/TExcelLimits.h"
#include "common/TExcelValueArray.h"
#include "common/TExcelWorksheet.h"
#include "common/TXlsReader.h"

namespace {

QString DataFile(const QString& name)
{
    return QStringLiteral(SELVAR_TEST_DATA_DIR "/sheet/") + name;
}

std::unique_ptr<TExcelApplication> Reader()
{
    auto app = TExcelApplication::Create(QStringLiteral("Excel.application"), TExcelApplication::epRead);
    EXPECT_TRUE(app);
    return app;
}

// What the import reads: rows 1..n (n = used rows) of columns A..`cols`, as text.
QStringList ReadAsImport(const QString& fileName, int cols = 12)
{
    auto app = Reader();
    app->Workbooks().Open(fileName);
    const int n = app->ActiveSheet().UsedRange().Rows().Count();
    const TExcelValueArray values = app->Range(app->Cells(1, 1), app->Cells(n, cols)).Values();
    QStringList lines;
    for (int r = 1; r <= values.RowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c <= cols; ++c)
            cells << values.Text(r, c);
        lines << cells.join(u'|');
    }
    app->SetDisplayAlerts(false);
    app->Workbooks().Close();
    app->Quit();
    return lines;
}

QString DateText(const QDate& date)
{
    return TExcelValueArray::ToText(date);
}

// A zip with the given parts, written the way a .xlsx is laid out.
void WriteZip(const QString& fileName, const QList<std::pair<QString, QByteArray>>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(fileName).constData(), APPEND_STATUS_CREATE);
    ASSERT_TRUE(zip);
    for (const auto& [name, bytes] : parts) {
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.toUtf8().constData(), nullptr, nullptr, 0, nullptr, 0,
                                        nullptr, Z_DEFLATED, Z_BEST_COMPRESSION, 0), ZIP_OK);
        zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

const QByteArray kRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const QByteArray kWorkbook =
    "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const QByteArray kWorkbookRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";

QByteArray SheetXml(const QByteArray& sheetData, const QByteArray& before = QByteArray())
{
    return "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           + before + "<sheetData>" + sheetData + "</sheetData></worksheet>";
}

void WriteXlsx(const QString& fileName, const QByteArray& sheet)
{
    WriteZip(fileName, {{"_rels/.rels", kRels},
                        {"xl/workbook.xml", kWorkbook},
                        {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                        {"xl/worksheets/sheet1.xml", sheet}});
}

// Opening must fail with a message for the user, never crash or hang.
QString OpenFailure(const QString& fileName)
{
    auto app = Reader();
    try {
        app->Workbooks().Open(fileName);
    } catch (const EExcelError& error) {
        return error.Message();
    }
    return QString();
}

class HostileFiles : public ::testing::Test
{
protected:
    void TearDown() override
    {
        TExcelLimits::MaxPartBytes = m_part;
        TExcelLimits::MaxCells = m_cells;
        TExcelLimits::MaxTextChars = m_chars;
        TExcelLimits::MaxFileBytes = m_file;
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    qint64 m_part = TExcelLimits::MaxPartBytes;
    qint64 m_cells = TExcelLimits::MaxCells;
    qint64 m_chars = TExcelLimits::MaxTextChars;
    qint64 m_file = TExcelLimits::MaxFileBytes;
};

} // namespace

TEST(ExcelReader, ReadsAnOtherProgramsXlsxWithSharedTextsNumbersDatesAndBooleans)
{
    const QStringList lines = ReadAsImport(DataFile("sample.xlsx"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "업장코드|납입월|임대업장명|총관리비||||||||");  // fewer used columns: ""
    EXPECT_EQ(lines[1], "0101|202612|해변 매점 & \"카페\"|1234567|0.5|-42.25|" + DateText(QDate(2026, 12, 8))
                            + "|TRUE|9|10|11|12");                // more used columns: cut at L
    EXPECT_EQ(lines[2], "0102|||2469134||||||||");
    EXPECT_EQ(lines[3], "|||||||||||");
    EXPECT_EQ(lines[5], "끝|||||||||||");
}

TEST(ExcelReader, XlsAndCsvFromTheSameSheetReadAlike)
{
    QStringList xlsx = ReadAsImport(DataFile("sample.xlsx"));
    // freexl hands Booleans over as the numbers they are stored as
    EXPECT_EQ(ReadAsImport(DataFile("sample.xls")), xlsx.replaceInStrings("|TRUE|", "|1|"));
    // A text file keeps its texts as written; dates and Booleans stay as the
    // other program wrote them.
    const QStringList utf8 = ReadAsImport(DataFile("sample_utf8.csv"));
    ASSERT_EQ(utf8.size(), 6);
    EXPECT_EQ(utf8[1], "0101|202612|해변 매점 & \"카페\"|1234567|0.5|-42.25|2026-12-08|TRUE|9|10|11|12");
    EXPECT_EQ(ReadAsImport(DataFile("sample_cp949.csv")), utf8);
}

TEST(ExcelReader, ARenamedFileIsReadByItsContent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(DataFile("sample.xlsx"), dir.filePath("renamed.xls")));
    ASSERT_TRUE(QFile::copy(DataFile("sample.xls"), dir.filePath("renamed.dat")));
    const QStringList expected = ReadAsImport(DataFile("sample.xlsx"));
    EXPECT_EQ(ReadAsImport(dir.filePath("renamed.xls")), expected);
    EXPECT_EQ(ReadAsImport(dir.filePath("renamed.dat")).value(0), expected.value(0));
}

TEST(ExcelReader, KeepsEveryColumnOfTheSheetAndItsTypes)
{
    auto app = Reader();
    TExcelWorkbook& book = app->Workbooks().Open(DataFile("sample.xlsx"));
    EXPECT_EQ(book.SheetCount(), 2);
    TExcelWorksheet& sheet = app->ActiveSheet();
    EXPECT_EQ(sheet.Name(), "관리비");
    EXPECT_EQ(sheet.LastColumn(), 14);
    EXPECT_EQ(app->Cells(2, 14).Value(), QVariant("열넷"));
    EXPECT_EQ(app->Cells(2, 4).Value(), QVariant(1234567.0));
    EXPECT_EQ(app->Cells(2, 7).Value(), QVariant(QDate(2026, 12, 8)));
    EXPECT_EQ(app->Cells(2, 8).Value(), QVariant(true));
    EXPECT_FALSE(app->Cells(4, 1).Value().isValid());
}

TEST(ExcelReader, UsedRangeCountsFromTheFirstUsedRowAndTheImportStartsAtRowOne)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("offset.xlsx");
    WriteXlsx(file, SheetXml("<row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><t>a</t></is></c></row>"
                             "<row r=\"5\"><c r=\"C5\"><v>5</v></c></row>"));
    auto app = Reader();
    app->Workbooks().Open(file);
    const TExcelRange used = app->ActiveSheet().UsedRange();
    EXPECT_EQ(used.Rows().Count(), 3);
    EXPECT_EQ(used.Row(), 3);
    // rows 1..3 of A..L: the last used row (5) is left out, as the import does
    EXPECT_EQ(ReadAsImport(file), QStringList({"|||||||||||", "|||||||||||", "|a||||||||||"}));
}

TEST(ExcelReader, ReadsTheActiveSheetInlineRichAndEscapedTextsOfAStreamingWriter)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("stream.xlsx");
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(file).constData(), &options);
    lxw_worksheet* first = workbook_add_worksheet(workbook, "first");
    lxw_worksheet* second = workbook_add_worksheet(workbook, "second");
    worksheet_write_string(first, 0, 0, "not read", nullptr);
    worksheet_write_string(second, 0, 0, "줄\n바꿈 <&> \x01", nullptr);
    worksheet_write_number(second, 0, 1, 1e21, nullptr);
    worksheet_write_boolean(second, 1, 0, 0, nullptr);
    worksheet_activate(second);
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);

    auto app = Reader();
    app->Workbooks().Open(file);
    EXPECT_EQ(app->ActiveSheet().Name(), "second");
    EXPECT_EQ(app->Cells(1, 1).Value(), QVariant(QString::fromUtf8("줄\n바꿈 <&> \x01")));
    const TExcelValueArray values = app->Range(app->Cells(1, 1), app->Cells(2, 2)).Values();
    EXPECT_EQ(values.Text(1, 2), "1000000000000000000000");
    EXPECT_EQ(values.Text(2, 1), "FALSE");
}

TEST_F(HostileFiles, DamagedArchivesAndXmlGiveAMessage)
{
    QFile source(DataFile("sample.xlsx"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    for (const qsizetype cut : {qsizetype(0), qsizetype(30), bytes.size() / 2, bytes.size() - 10}) {
        QFile truncated(Path("cut.xlsx"));
        ASSERT_TRUE(truncated.open(QIODevice::WriteOnly | QIODevice::Truncate));
        truncated.write(bytes.left(cut));
        truncated.close();
        EXPECT_TRUE(OpenFailure(Path("cut.xlsx")).startsWith("Excel 파일이 손상되었거나")) << cut;
    }
    const QList<QByteArray> malformed = {
        SheetXml("<row r=\"1\"><c r=\"A1\"><v>12").left(120),           // cut inside the sheet
        SheetXml("<row r=\"1\"><c r=\"A1\"><v>1x2</v></c></row>"),      // not a number
        SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>"), // no such shared text
        SheetXml("<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>"),        // no column letters
        SheetXml("<row r=\"1\"><c r=\"A1\" <v>1</v></c></row>"),        // broken tag
        "<!DOCTYPE x [<!ENTITY a \"aaaa\">]>" + SheetXml("<row><c><v>&a;</v></c></row>"),
        "not xml at all",
    };
    for (const QByteArray& sheet : malformed) {
        WriteXlsx(Path("bad.xlsx"), sheet);
        EXPECT_TRUE(OpenFailure(Path("bad.xlsx")).startsWith("Excel 파일이 손상되었거나")) << sheet.toStdString();
    }
    WriteZip(Path("noworkbook.xlsx"), {{"_rels/.rels", kRels}});
    EXPECT_TRUE(OpenFailure(Path("noworkbook.xlsx")).startsWith("Excel 파일이 손상되었거나"));
}

TEST_F(HostileFiles, HugeDimensionsAndFarCellsAreBoundedNotAllocated)
{
    WriteXlsx(Path("far.xlsx"), SheetXml("<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>",
                                         "<dimension ref=\"A1:XFD1048576\"/>"));
    auto app = Reader();
    app->Workbooks().Open(Path("far.xlsx"));
    EXPECT_EQ(app->ActiveSheet().CellCount(), 1);
    EXPECT_EQ(app->ActiveSheet().UsedRange().Rows().Count(), 1);

    WriteXlsx(Path("beyond.xlsx"), SheetXml("<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row>"));
    EXPECT_TRUE(OpenFailure(Path("beyond.xlsx")).startsWith("Excel 파일이 손상되었거나"));
    WriteXlsx(Path("wide.xlsx"), SheetXml("<row r=\"1\"><c r=\"ZZZZZZZZZZZZ1\"><v>1</v></c></row>"));
    EXPECT_TRUE(OpenFailure(Path("wide.xlsx")).startsWith("Excel 파일이 손상되었거나"));
}

TEST_F(HostileFiles, AMillionEmptyRowsReadQuicklyAsNothing)
{
    QByteArray rows;
    rows.reserve(25'000'000);
    for (int r = 1; r <= 1'000'000; ++r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"/>";
    WriteXlsx(Path("empty.xlsx"), SheetXml(rows));
    auto app = Reader();
    app->Workbooks().Open(Path("empty.xlsx"));
    EXPECT_EQ(app->ActiveSheet().CellCount(), 0);
    EXPECT_EQ(ReadAsImport(Path("empty.xlsx")), QStringList({"|||||||||||"})); // one empty row, as a blank sheet
}

TEST_F(HostileFiles, ZipBombsAndTooManyCellsStopAtTheirBounds)
{
    TExcelLimits::MaxPartBytes = 4 << 20;
    QByteArray padding(8 << 20, ' '); // compresses to a few kilobytes
    WriteXlsx(Path("bomb.xlsx"), SheetXml(padding));
    EXPECT_TRUE(OpenFailure(Path("bomb.xlsx")).startsWith("Excel 파일이 너무 커서"));

    TExcelLimits::MaxCells = 1000;
    QByteArray cells;
    for (int r = 1; r <= 1001; ++r)
        cells += "<row><c><v>1</v></c></row>";
    WriteXlsx(Path("many.xlsx"), SheetXml(cells));
    EXPECT_EQ(OpenFailure(Path("many.xlsx")), "Excel 파일의 셀이 너무 많아 읽을 수 없습니다.");

    TExcelLimits::MaxTextChars = 100'000; // long texts that compress to nothing
    const QByteArray text = "<row><c t=\"inlineStr\"><is><t>" + QByteArray(60'000, 'a') + "</t></is></c></row>";
    WriteXlsx(Path("texts.xlsx"), SheetXml(text + text));
    EXPECT_EQ(OpenFailure(Path("texts.xlsx")), "Excel 파일의 글자가 너무 많아 읽을 수 없습니다.");
}

TEST_F(HostileFiles, DamagedXlsAndUnknownFilesGiveAMessage)
{
    QFile source(DataFile("sample.xls"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QFile cut(Path("cut.xls"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 3));
    cut.close();
    EXPECT_TRUE(OpenFailure(Path("cut.xls")).startsWith("Excel 파일이 손상되었거나"));

    QFile record(Path("record.xls")); // a text cell claiming more bytes than its record has
    ASSERT_TRUE(record.open(QIODevice::WriteOnly));
    record.write(QByteArray::fromHex("0908080000001000000000000402080000000000000000ff"));
    record.close();
    EXPECT_TRUE(OpenFailure(Path("record.xls")).startsWith("Excel 파일이 손상되었거나"));

    EXPECT_TRUE(OpenFailure(Path("missing.xlsx")).startsWith("파일을 찾을 수 없습니다."));

    QFile csv(Path("open.csv")); // an unterminated quote and bytes of no known encoding
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("a,\"b\n\xff\xfe,c\n");
    csv.close();
    auto app = Reader();
    app->Workbooks().Open(Path("open.csv"));
    EXPECT_EQ(app->Cells(1, 2).Value(), QVariant(QString("b\n\uFFFD\uFFFD,c\n")));
    TExcelLimits::MaxFileBytes = 4;
    EXPECT_TRUE(OpenFailure(Path("open.csv")).startsWith("Excel 파일이 너무 커서"));
    QFile other(Path("notes.doc"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    EXPECT_TRUE(OpenFailure(Path("notes.doc")).startsWith("읽을 수 없는 파일 형식입니다"));
}

namespace {

QByteArray SampleXls()
{
    QFile source(DataFile("sample.xls"));
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QByteArray kSharedRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

QByteArray WorkbookWithSheets(int count)
{
    QByteArray sheets;
    for (int i = 1; i <= count; ++i)
        sheets += "<sheet name=\"S" + QByteArray::number(i) + "\" sheetId=\"" + QByteArray::number(i) + "\" r:id=\"rId1\"/>";
    return "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
           + sheets + "</sheets></workbook>";
}

} // namespace

// The library crashed (byte 4048) or over-read its stack (byte 5697) on these.
TEST_F(HostileFiles, ACorruptXlsEndsTheReaderProcessNotTheClient)
{
    const QByteArray bytes = SampleXls();
    ASSERT_GT(bytes.size(), 5697);
    for (const auto& [offset, value] : {std::pair(4048, '\x00'), std::pair(5697, '\xFF')}) {
        QByteArray damaged = bytes;
        damaged[offset] = value;
        WriteFile(Path("damaged.xls"), damaged);
        const QString message = OpenFailure(Path("damaged.xls"));
        EXPECT_TRUE(message.startsWith("Excel 파일이 손상되었거나")) << offset << message.toStdString();
    }
    // A sheet's dimension record claiming 65,536 x 256 cells: the library's
    // allocation stays within the reader process's memory limit.
    QByteArray claim = bytes;
    const qsizetype dimension = claim.indexOf(QByteArray::fromHex("00020e00"));
    ASSERT_GT(dimension, 0);
    claim.replace(dimension + 4, 12, QByteArray::fromHex("00000000" "00000100" "0000" "0001"));
    WriteFile(Path("claim.xls"), claim);
    EXPECT_TRUE(OpenFailure(Path("claim.xls")).startsWith("Excel 파일이"));
    // Everything still works afterwards.
    EXPECT_EQ(ReadAsImport(DataFile("sample.xls")).value(0), ReadAsImport(DataFile("sample.xlsx")).value(0));
}

TEST_F(HostileFiles, AMissingOrMisbehavingReaderProcessGivesAMessage)
{
    const QString helper = TXlsReader::HelperPath();
    TXlsReader::SetHelperPath(Path("missing_reader"));
    EXPECT_TRUE(OpenFailure(DataFile("sample.xls")).startsWith("Excel 97-2003 파일(.xls)을 읽는 프로그램이 없습니다."));
    // Its output is checked like a file: a text claiming 4 GB, a cell before
    // any sheet, a clean end with a failing exit, an unknown record.
    for (const char* output : {"S\\377\\377\\377\\377", "N\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0E",
                               "E' ; exit 1; '", "?"}) {
        WriteFile(Path("reader.sh"), QByteArray("#!/bin/sh\nprintf '") + output + "'\n");
        QFile::setPermissions(Path("reader.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TXlsReader::SetHelperPath(Path("reader.sh"));
        EXPECT_TRUE(OpenFailure(DataFile("sample.xls")).startsWith("Excel 파일이 손상되었거나")) << output;
    }
    // Killed half way through its output, or hung past the time limit: the
    // file is reported as damaged, the client goes on and the process is gone.
    TXlsReader::SetTimeLimit(1500);
    for (const char* script : {"printf 'S\\005\\0\\0\\0Sheet'; kill -KILL $$", "printf 'S'; exec sleep 30"}) {
        WriteFile(Path("reader.sh"), QByteArray("#!/bin/sh\n") + script + "\n");
        QFile::setPermissions(Path("reader.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TXlsReader::SetHelperPath(Path("reader.sh"));
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(OpenFailure(DataFile("sample.xls")).startsWith("Excel 파일이 손상되었거나")) << script;
        EXPECT_LT(clock.elapsed(), 10'000) << script;
    }
    TXlsReader::SetTimeLimit(0);
    TXlsReader::SetHelperPath(helper);
    EXPECT_EQ(ReadAsImport(DataFile("sample.xls")).value(0), ReadAsImport(DataFile("sample.xlsx")).value(0));
}

// Cells stored in any order read as if stored in order; a later store of the
// same cell wins. Compared against a plain map over every kind of store.
TEST(ExcelWorksheet, CellsStoredInAnyOrderReadInOrderAndTheLastStoreWins)
{
    TExcelWorksheet sheet;
    std::map<std::pair<int, int>, QVariant> expected;
    quint32 seed = 7;
    auto next = [&](int n) { seed = seed * 1103515245u + 12345u; return int((seed >> 8) % quint32(n)); };
    for (int i = 0; i < 150'000; ++i) {
        const int row = i < 100'000 ? 100'000 - i : next(3000) + 1; // descending, then at random
        const int col = i < 100'000 ? 1 : next(40) + 1;
        if (i % 7 == 0) {
            sheet.SetText(row, col, QString::number(i));
            expected[{row, col}] = QString::number(i);
        } else if (i % 11 == 0 && i > 100'000) {
            sheet.ClearCell(row, col);
            expected.erase({row, col});
        } else {
            sheet.SetNumber(row, col, i);
            expected[{row, col}] = double(i);
        }
        if (i == 120'000) // a read in between settles what waits
            EXPECT_EQ(sheet.Value(row, col), expected[std::make_pair(row, col)]);
    }
    EXPECT_EQ(sheet.CellCount(), qint64(expected.size()));
    auto it = expected.begin();
    bool same = true;
    sheet.ForEachCell([&](int row, int col, TExcelWorksheet::TCellKind, const QVariant& value) {
        same = same && it != expected.end() && it->first == std::make_pair(row, col) && it->second == value;
        ++it;
    });
    EXPECT_TRUE(same);
    EXPECT_EQ(sheet.FirstRow(), 1);
    EXPECT_EQ(sheet.LastRow(), 100'000);
}

TEST_F(HostileFiles, RowsWrittenLastFirstReadInTheirPlaces)
{
    QByteArray rows;
    for (int r = 3000; r >= 1; --r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"B" + QByteArray::number(r) + "\"><v>" + QByteArray::number(r)
                + "</v></c><c r=\"A" + QByteArray::number(r) + "\" t=\"inlineStr\"><is><t>r" + QByteArray::number(r) + "</t></is></c></row>";
    WriteXlsx(Path("descending.xlsx"), SheetXml(rows));
    const QStringList lines = ReadAsImport(Path("descending.xlsx"), 2);
    ASSERT_EQ(lines.size(), 3000);
    EXPECT_EQ(lines.front(), "r1|1");
    EXPECT_EQ(lines.back(), "r3000|3000");
}

// Each sheet entry used to copy the shared texts into a pool of its own:
// a small workbook naming one part many times asked for gigabytes.
TEST_F(HostileFiles, SheetEntriesNamingOnePartShareItsTextsAndAreBounded)
{
    TExcelLimits::MaxTextChars = 300'000;
    const QByteArray shared = "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>"
                              + QByteArray(250'000, 'x') + "</t></si><si/><si/></sst>";
    const QByteArray sheet = SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>2</v></c></row>");
    WriteZip(Path("amplified.xlsx"), {{"_rels/.rels", kRels},
                                      {"xl/workbook.xml", WorkbookWithSheets(64)},
                                      {"xl/_rels/workbook.xml.rels", kSharedRels},
                                      {"xl/sharedStrings.xml", shared},
                                      {"xl/worksheets/sheet1.xml", sheet}});
    auto app = Reader();
    TExcelWorkbook& book = app->Workbooks().Open(Path("amplified.xlsx"));
    ASSERT_EQ(book.SheetCount(), 64);
    EXPECT_EQ(book.Sheet(63).Value(1, 1).toString().size(), 250'000);

    WriteZip(Path("many.xlsx"), {{"_rels/.rels", kRels},
                                 {"xl/workbook.xml", WorkbookWithSheets(1025)},
                                 {"xl/_rels/workbook.xml.rels", kSharedRels},
                                 {"xl/sharedStrings.xml", shared},
                                 {"xl/worksheets/sheet1.xml", sheet}});
    EXPECT_EQ(OpenFailure(Path("many.xlsx")), "Excel 파일의 시트가 너무 많아 읽을 수 없습니다.");

    TExcelLimits::MaxCells = 1000; // empty entries cost memory too
    QByteArray empty;
    for (int i = 0; i < 1001; ++i)
        empty += "<si/>";
    WriteZip(Path("empty.xlsx"), {{"_rels/.rels", kRels},
                                  {"xl/workbook.xml", kWorkbook},
                                  {"xl/_rels/workbook.xml.rels", kSharedRels},
                                  {"xl/sharedStrings.xml", "<sst>" + empty + "</sst>"},
                                  {"xl/worksheets/sheet1.xml", sheet}});
    EXPECT_EQ(OpenFailure(Path("empty.xlsx")), "Excel 파일의 공유 문자열이 너무 많아 읽을 수 없습니다.");
}

TEST_F(HostileFiles, ATextOfManyRunsAndDeepNestingStopAtTheirBounds)
{
    TExcelLimits::MaxTextChars = 100'000;
    QByteArray runs;
    for (int i = 0; i < 200; ++i)
        runs += "<r><t>" + QByteArray(1000, 'a') + "</t></r>";
    WriteXlsx(Path("runs.xlsx"), SheetXml("<row><c t=\"inlineStr\"><is>" + runs + "</is></c></row>"));
    EXPECT_EQ(OpenFailure(Path("runs.xlsx")), "Excel 파일의 글자가 너무 많아 읽을 수 없습니다.");

    const QByteArray deep = QByteArray("<a>").repeated(100'000);
    WriteZip(Path("deep.xlsx"), {{"_rels/.rels", kRels},
                                 {"xl/workbook.xml", "<workbook>" + deep},
                                 {"xl/_rels/workbook.xml.rels", kWorkbookRels}});
    EXPECT_TRUE(OpenFailure(Path("deep.xlsx")).contains("너무 깊이 중첩")) << OpenFailure(Path("deep.xlsx")).toStdString();
}

TEST_F(HostileFiles, CsvHonoursByteOrderMarksAndDecodesMixedFilesLineByLine)
{
    const QString text = "코드,이름\r\n0101,해변 매점\r\n";
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar ch : text) {
        le += char(ch.unicode() & 0xFF); le += char(ch.unicode() >> 8);
        be += char(ch.unicode() >> 8); be += char(ch.unicode() & 0xFF);
    }
    for (const QByteArray& bytes : {le, be}) {
        WriteFile(Path("utf16.csv"), bytes);
        EXPECT_EQ(ReadAsImport(Path("utf16.csv"), 2), QStringList({"코드|이름", "0101|해변 매점"}));
    }
    // A UTF-8 file that had a line appended in code page 949.
    WriteFile(Path("mixed.csv"), QByteArray("코드,이름\r\n") + "0102,\xC7\xD8\xBA\xAF\r\n");
    EXPECT_EQ(ReadAsImport(Path("mixed.csv"), 2), QStringList({"코드|이름", "0102|해변"}));
}
