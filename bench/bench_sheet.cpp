// Spreadsheet export and import at volume: 100,000 rows of 12 columns (three
// texts, nine numbers), as the inquiry screens export and the imports read.
//   bench_sheet --benchmark_filter=Xlsx_Read   (one filter per run to see its peak memory)
// The hostile-file benchmarks read each file in a forked child and report its
// peak resident memory (peak_MiB) and whether the file was refused.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <functional>
#include <freexl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unzip.h>
#include <xlsxwriter.h>
#include <zip.h>

#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "common/EExcelError.h"
#include "common/TExcelWorkbook.h"
#include "common/TCsvReader.h"
#include "common/TExcelValueArray.h"
#include "common/TXlsReader.h"
#include "common/TXlsTableSource.h"
#include "common/TXlsWriter.h"
#include "common/TXlsxReader.h"
#include "common/TXlsxWriter.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 12;

QString CellText(int row, int col)
{
    switch (col) {
    case 0: return QStringLiteral("U%1").arg(row % 9000, 4, 10, QLatin1Char('0'));
    case 1: return QStringLiteral("2026%1").arg(row % 12 + 1, 2, 10, QLatin1Char('0'));
    default: return QStringLiteral("임대업장 %1").arg(row);
    }
}

double CellNumber(int row, int col)
{
    return (row * 37 + col * 1013) % 1000000 + 0.25 * (col % 3);
}

class TBenchTable : public TXlsTableSource
{
public:
    explicit TBenchTable(int rows) : m_rows(rows) {}
    int ColumnCount() const override { return kCols; }
    int RowCount() const override { return m_rows; }
    QString ColumnTitle(int col) const override { return QStringLiteral("열%1").arg(col + 1); }
    bool IsNumberColumn(int col) const override { return col >= 3; }
    double Number(int row, int col) const override { return CellNumber(row, col); }
    QString Text(int row, int col) const override { return CellText(row, col); }

private:
    int m_rows;
};

QString BenchFile(const char* name)
{
    return QDir::tempPath() + QStringLiteral("/bench_sheet_") + QString::fromLatin1(name);
}

// The workbook an export builds: one cell put at a time, texts kept as texts.
void FillWorkbook(TExcelApplication& app)
{
    app.Workbooks().Add();
    TExcelWorksheet& sheet = app.ActiveSheet();
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col) {
            if (col < 3)
                sheet.SetValue(row + 1, col + 1, QStringLiteral("'") + CellText(row, col));
            else
                sheet.SetValue(row + 1, col + 1, CellNumber(row, col));
        }
}

// Made once and kept in the temporary folder, so that a later run of the
// read benchmarks measures the reading alone (peak memory included).
const QString& XlsxFile()
{
    static const QString file = [] {
        const QString name = BenchFile("read.xlsx");
        if (QFile::exists(name))
            return name;
        auto app = TExcelApplication::Create(QStringLiteral("Excel.Application"), TExcelApplication::epRead);
        FillWorkbook(*app);
        TXlsxWriter::Write(*app->Workbooks().Active(), name);
        return name;
    }();
    return file;
}

// The binary worksheet format numbers rows in 16 bits: 65,533 table rows
// fit below the title and column titles, so that is the largest export.
void BM_Xls_Write_MaxRows(benchmark::State& state)
{
    const TBenchTable table(65533);
    for (auto _ : state) {
        QFile file(BenchFile("write.xls"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        if (!TXlsWriter::WriteTable(file, QStringLiteral("접수현황"), table))
            state.SkipWithError("write failed");
    }
    state.counters["rows"] = 65533;
}

// The same through a filled grid, as the receipts and closing screens save it.
void BM_Xls_SaveGridAsXls_MaxRows(benchmark::State& state)
{
    constexpr int rows = 65533;
    TwMemGrid grid;
    for (int col = 0; col < kCols; ++col) {
        auto* column = static_cast<TwMemColumn*>(grid.Columns()->Add());
        column->SetDataType(col < 3 ? wdtString : wdtFloat);
        column->Title()->SetCaption(QStringLiteral("열%1").arg(col + 1));
    }
    grid.SetRowCount(rows);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < kCols; ++col) {
            if (col < 3)
                grid.Cells(col, row).SetAsString(CellText(row, col));
            else
                grid.Cells(col, row).SetAsFloat(CellNumber(row, col));
        }
    for (auto _ : state) {
        if (SaveGridAsXls(grid, QStringLiteral("접수현황"), false, BenchFile("grid.xls")).startsWith(u'^'))
            state.SkipWithError("save failed");
    }
    state.counters["rows"] = rows;
}

void BM_Xlsx_Export_FillAndWrite(benchmark::State& state)
{
    for (auto _ : state) {
        auto app = TExcelApplication::Create(QStringLiteral("Excel.Application"), TExcelApplication::epRead);
        FillWorkbook(*app);
        TXlsxWriter::Write(*app->Workbooks().Active(), BenchFile("write.xlsx"));
    }
    state.counters["rows"] = kRows;
}

// libxlsxwriter alone, in its default mode (shared strings, all in memory).
void WriteWithLibxlsxwriter(const QString& fileName)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(fileName).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col) {
            if (col < 3)
                worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col), CellText(row, col).toUtf8().constData(), nullptr);
            else
                worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(col), CellNumber(row, col), nullptr);
        }
    workbook_close(workbook);
}

// Peer of the export: libxlsxwriter writing the same rows directly.
void BM_Xlsx_Peer_LibxlsxwriterDefaultMode(benchmark::State& state)
{
    for (auto _ : state)
        WriteWithLibxlsxwriter(BenchFile("peer.xlsx"));
    state.counters["rows"] = kRows;
}

// A file whose texts sit in the shared string table, made once like XlsxFile().
const QString& SharedStringsFile()
{
    static const QString file = [] {
        const QString name = BenchFile("read_shared.xlsx");
        if (!QFile::exists(name))
            WriteWithLibxlsxwriter(name);
        return name;
    }();
    return file;
}

// What the import does: open, count the used rows, take A1:L n, convert every cell to text.
void ReadAsImport(benchmark::State& state, const QString& file)
{
    qint64 chars = 0;
    for (auto _ : state) {
        auto app = TExcelApplication::Create(QStringLiteral("Excel.application"), TExcelApplication::epRead);
        app->Workbooks().Open(file);
        const int n = app->ActiveSheet().UsedRange().Rows().Count();
        const TExcelValueArray values = app->Range(app->Cells(1, 1), app->Cells(n, kCols)).Values();
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= kCols; ++c)
                chars += values.Text(r, c).size();
        app->SetDisplayAlerts(false);
        app->Workbooks().Close();
        app->Quit();
    }
    benchmark::DoNotOptimize(chars);
    state.counters["rows"] = kRows;
}

void BM_Xlsx_Read(benchmark::State& state)
{
    ReadAsImport(state, XlsxFile());
}

void BM_Xlsx_Read_SharedStrings(benchmark::State& state)
{
    ReadAsImport(state, SharedStringsFile());
}

// Peer: the straightforward reader, the sheet part inflated by minizip and
// walked with Qt's XML reader into a row list of texts.
void BM_Xlsx_Peer_QXmlStreamReader(benchmark::State& state)
{
    const QString file = XlsxFile();
    qint64 cells = 0;
    for (auto _ : state) {
        unzFile zip = unzOpen64(QFile::encodeName(file).constData());
        unzLocateFile(zip, "xl/worksheets/sheet1.xml", 2);
        unzOpenCurrentFile(zip);
        QByteArray bytes;
        char chunk[1 << 16];
        for (int n; (n = unzReadCurrentFile(zip, chunk, sizeof chunk)) > 0;)
            bytes.append(chunk, n);
        unzCloseCurrentFile(zip);
        unzClose(zip);
        QXmlStreamReader xml(bytes);
        QList<QStringList> rows;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("row"))
                rows.append(QStringList());
            else if (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t"))
                rows.last().append(xml.readElementText());
        }
        cells += rows.size();
    }
    benchmark::DoNotOptimize(cells);
    state.counters["rows"] = kRows;
}

// --- .xls: the reader process against the library in this process ---------

QString SampleXls()
{
    return QStringLiteral(SELVAR_SOURCE_DIR "/tests/data/sheet/sample.xls");
}

void Put16(QByteArray& out, quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); }
void Put32(QByteArray& out, quint32 v) { Put16(out, quint16(v & 0xFFFF)); Put16(out, quint16(v >> 16)); }
void Record(QByteArray& out, quint16 type, const QByteArray& body)
{
    Put16(out, type);
    Put16(out, quint16(body.size()));
    out += body;
}

// A compound-container .xls as other programs write it, big enough to
// measure: the workbook stream (globals with a shared string table, one
// sheet of `rows` x 12 cells: three texts, nine numbers) inside a version 3
// container of 512-byte sectors.
QByteArray CompoundXls(int rows)
{
    QByteArray bof, globals, sheet, body;
    auto beginning = [](quint16 kind) {
        QByteArray b;
        Put16(b, 0x0600); Put16(b, kind); Put16(b, 0x0DBB); Put16(b, 0x07CC); Put32(b, 0); Put32(b, 6);
        return b;
    };
    Record(globals, 0x0809, beginning(0x0005));
    body.clear(); Put16(body, 1200); Record(globals, 0x0042, body);
    body.clear(); Put16(body, 0); Record(globals, 0x0022, body);
    constexpr int kTexts = 300;
    body.clear(); Put32(body, quint32(rows * 3)); Put32(body, kTexts);
    for (int i = 0; i < kTexts; ++i) {
        const QByteArray text = QByteArray("site ") + QByteArray::number(i);
        Put16(body, quint16(text.size())); body.append(char(0)); body += text;
    }
    Record(globals, 0x00FC, body);
    const QByteArray sheetName = "Sheet1";
    QByteArray boundSheet;
    Put32(boundSheet, 0); // the sheet's offset, set below
    boundSheet.append(char(0)).append(char(0)).append(char(sheetName.size())).append(char(0)) += sheetName;
    const qsizetype boundAt = globals.size() + 4;
    Record(globals, 0x0085, boundSheet);
    Record(globals, 0x000A, {});
    Record(sheet, 0x0809, beginning(0x0010));
    body.clear(); Put32(body, 0); Put32(body, quint32(rows)); Put16(body, 0); Put16(body, kCols); Put16(body, 0);
    Record(sheet, 0x0200, body);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < kCols; ++col) {
            body.clear(); Put16(body, quint16(row)); Put16(body, quint16(col)); Put16(body, 0);
            if (col < 3) {
                Put32(body, quint32((row + col) % kTexts));
                Record(sheet, 0x00FD, body);
            } else {
                const double number = CellNumber(row, col);
                body.append(reinterpret_cast<const char*>(&number), 8);
                Record(sheet, 0x0203, body);
            }
        }
    Record(sheet, 0x000A, {});
    const quint32 sheetAt = quint32(globals.size());
    for (int i = 0; i < 4; ++i)
        globals[boundAt + i] = char((sheetAt >> (8 * i)) & 0xFF);
    QByteArray stream = globals + sheet;
    const quint32 streamSize = quint32(stream.size());
    stream.append(QByteArray((512 - stream.size() % 512) % 512, '\0'));
    const quint32 streamSectors = quint32(stream.size() / 512);
    quint32 fatSectors = 1;
    while (fatSectors * 128 < streamSectors + 1 + fatSectors)
        ++fatSectors;
    const quint32 dirSector = streamSectors;
    QByteArray header;
    header += QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(16, '\0');
    Put16(header, 0x003E); Put16(header, 0x0003); Put16(header, 0xFFFE); Put16(header, 9); Put16(header, 6);
    header += QByteArray(6, '\0');
    Put32(header, 0); Put32(header, fatSectors); Put32(header, dirSector); Put32(header, 0); Put32(header, 4096);
    Put32(header, 0xFFFFFFFE); Put32(header, 0); Put32(header, 0xFFFFFFFE); Put32(header, 0);
    for (quint32 i = 0; i < 109; ++i)
        Put32(header, i < fatSectors ? dirSector + 1 + i : 0xFFFFFFFF);
    auto entry = [](const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        for (QChar ch : name) Put16(e, ch.unicode());
        e += QByteArray(64 - e.size(), '\0');
        Put16(e, quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
        e.append(char(type)).append(char(1));
        Put32(e, 0xFFFFFFFF); Put32(e, 0xFFFFFFFF); Put32(e, child);
        e += QByteArray(16 + 4 + 16, '\0');
        Put32(e, start); Put32(e, size); Put32(e, 0);
        return e;
    };
    QByteArray directory = entry(QStringLiteral("Root Entry"), 5, 1, 0xFFFFFFFE, 0)
                           + entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 0, streamSize)
                           + entry(QString(), 0, 0xFFFFFFFF, 0xFFFFFFFF, 0) + entry(QString(), 0, 0xFFFFFFFF, 0xFFFFFFFF, 0);
    QByteArray fat;
    for (quint32 i = 0; i < streamSectors; ++i)
        Put32(fat, i + 1 == streamSectors ? 0xFFFFFFFE : i + 1);
    Put32(fat, 0xFFFFFFFE); // the directory
    for (quint32 i = 0; i < fatSectors; ++i)
        Put32(fat, 0xFFFFFFFD);
    while (fat.size() < qsizetype(fatSectors) * 512)
        Put32(fat, 0xFFFFFFFF);
    return header + stream + directory + fat;
}

const QString& CompoundXlsFile()
{
    static const QString file = [] {
        const QString name = BenchFile("read_compound.xls");
        QFile out(name);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(CompoundXls(20'000));
        return name;
    }();
    return file;
}

// Today's reader before the reader process: freexl called in this process.
void BM_Xls_Peer_FreexlInProcess(benchmark::State& state, bool large)
{
    const QByteArray path = QFile::encodeName(large ? CompoundXlsFile() : SampleXls());
    qint64 cells = 0;
    for (auto _ : state) {
        const void* handle = nullptr;
        if (freexl_open(path.constData(), &handle) != FREEXL_OK) {
            state.SkipWithError("freexl_open failed");
            break;
        }
        unsigned count = 0;
        freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
        for (unsigned index = 0; index < count; ++index) {
            unsigned rows = 0;
            unsigned short cols = 0;
            freexl_select_active_worksheet(handle, static_cast<unsigned short>(index));
            freexl_worksheet_dimensions(handle, &rows, &cols);
            for (unsigned row = 0; row < rows; ++row)
                for (unsigned short col = 0; col < cols; ++col) {
                    FreeXL_CellValue cell;
                    if (freexl_get_cell_value(handle, row, col, &cell) == FREEXL_OK && cell.type != FREEXL_CELL_NULL)
                        ++cells;
                }
        }
        freexl_close(handle);
    }
    benchmark::DoNotOptimize(cells);
    state.counters["cells"] = double(cells) / double(state.iterations());
}

void BM_Xls_Read_ReaderProcess(benchmark::State& state, bool large)
{
    const QString file = large ? CompoundXlsFile() : SampleXls();
    qint64 cells = 0;
    for (auto _ : state) {
        TExcelWorkbook book(QStringLiteral("bench"));
        TXlsReader::Read(file, book);
        for (int i = 0; i < book.SheetCount(); ++i)
            cells += book.Sheet(i).CellCount();
    }
    state.counters["cells"] = double(cells) / double(state.iterations());
}

// The benchmark's own 65,533-row .xls (a bare record stream, as the receipts
// screen saves it) is read in this process by the client's own parser.
void BM_Xls_Read_MaxRowsRecordStream(benchmark::State& state)
{
    const QString name = BenchFile("read.xls");
    if (!QFile::exists(name)) {
        QFile file(name);
        file.open(QIODevice::WriteOnly);
        TXlsWriter::WriteTable(file, QStringLiteral("접수현황"), TBenchTable(65533));
    }
    for (auto _ : state) {
        TExcelWorkbook book(QStringLiteral("bench"));
        TXlsReader::Read(name, book);
        benchmark::DoNotOptimize(book.Sheet(0).CellCount());
    }
    state.counters["rows"] = 65533;
}

// --- cell order: rows written last first against first first ---------------

void WriteZip(const QString& fileName, const QList<std::pair<QByteArray, QByteArray>>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(fileName).constData(), APPEND_STATUS_CREATE);
    for (const auto& [name, bytes] : parts) {
        zipOpenNewFileInZip64(zip, name.constData(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_BEST_SPEED, 1);
        for (qsizetype pos = 0; pos < bytes.size(); pos += 1 << 30)
            zipWriteInFileInZip(zip, bytes.constData() + pos, unsigned(std::min<qsizetype>(bytes.size() - pos, 1 << 30)));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

const QByteArray kRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const QByteArray kWorkbookRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

QByteArray Workbook(int sheets)
{
    QByteArray entries;
    for (int i = 1; i <= sheets; ++i)
        entries += "<sheet name=\"S" + QByteArray::number(i) + "\" sheetId=\"" + QByteArray::number(i) + "\" r:id=\"rId1\"/>";
    return "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>" + entries
           + "</sheets></workbook>";
}

void WriteWorkbook(const QString& name, const QByteArray& sheetData, const QByteArray& shared = "<sst/>",
                   int sheets = 1)
{
    WriteZip(name, {{"_rels/.rels", kRels},
                    {"xl/workbook.xml", Workbook(sheets)},
                    {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                    {"xl/sharedStrings.xml", shared},
                    {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + sheetData + "</sheetData></worksheet>"}});
}

const QString& OrderedRowsFile(bool descending)
{
    static QString files[2];
    QString& file = files[descending];
    if (file.isEmpty()) {
        file = BenchFile(descending ? "rows_descending.xlsx" : "rows_ascending.xlsx");
        QByteArray rows;
        for (int i = 0; i < 100'000; ++i) {
            const QByteArray r = QByteArray::number(descending ? 100'000 - i : i + 1);
            rows += "<row r=\"" + r + "\"><c r=\"A" + r + "\"><v>" + r + "</v></c></row>";
        }
        WriteWorkbook(file, rows);
    }
    return file;
}

void ReadOrdered(benchmark::State& state, bool descending)
{
    const QString file = OrderedRowsFile(descending);
    for (auto _ : state) {
        TExcelWorkbook book(QStringLiteral("bench"));
        TXlsxReader::Read(file, book);
        if (book.Sheet(0).CellCount() != 100'000 || book.Sheet(0).Value(1, 1).toDouble() != 1)
            state.SkipWithError("wrong cells");
    }
    state.counters["rows"] = 100'000;
}

void BM_Xlsx_Read_100kRowsAscending(benchmark::State& state) { ReadOrdered(state, false); }
void BM_Xlsx_Read_100kRowsDescending(benchmark::State& state) { ReadOrdered(state, true); }

// The .xls record path: 65,536 one-cell rows, last row first or first first.
void ReadRecordRows(benchmark::State& state, bool descending)
{
    const QString name = BenchFile(descending ? "records_descending.xls" : "records_ascending.xls");
    if (!QFile::exists(name)) {
        QByteArray bytes, body;
        Put16(body, 0x0600); Put16(body, 0x0010); Put32(body, 0); Put32(body, 0); Put32(body, 0);
        Record(bytes, 0x0809, body);
        for (int i = 0; i < 65536; ++i) {
            body.clear();
            Put16(body, quint16(descending ? 65535 - i : i)); Put16(body, 0); Put16(body, 0);
            const double number = i;
            body.append(reinterpret_cast<const char*>(&number), 8);
            Record(bytes, 0x0203, body);
        }
        Record(bytes, 0x000A, {});
        QFile file(name);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    for (auto _ : state) {
        TExcelWorkbook book(QStringLiteral("bench"));
        TXlsReader::Read(name, book);
        if (book.Sheet(0).CellCount() != 65536)
            state.SkipWithError("wrong cells");
    }
    state.counters["rows"] = 65536;
}

void BM_Xls_Read_65kRecordsAscending(benchmark::State& state) { ReadRecordRows(state, false); }
void BM_Xls_Read_65kRecordsDescending(benchmark::State& state) { ReadRecordRows(state, true); }

// --- hostile files: peak memory of one read ----------------------------------

qint64 RssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

struct THostile
{
    const char* name;
    std::function<void(const QString&)> make;
};

const std::vector<THostile>& HostileCases()
{
    static const std::vector<THostile> cases = {
        // One shared text of 60 M characters in 1 MB runs, named by 16 sheet entries.
        {"amplified_60M_x16.xlsx", [](const QString& name) {
             QByteArray runs;
             for (int i = 0; i < 60; ++i)
                 runs += "<r><t>" + QByteArray(1'000'000, 'a') + "</t></r>";
             WriteWorkbook(name, "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "<sst><si>" + runs + "</si></sst>", 16);
         }},
        // The same within the text bound (30 M characters), named 1,000 times.
        {"amplified_30M_x1000.xlsx", [](const QString& name) {
             QByteArray runs;
             for (int i = 0; i < 30; ++i)
                 runs += "<r><t>" + QByteArray(1'000'000, 'a') + "</t></r>";
             WriteWorkbook(name, "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "<sst><si>" + runs + "</si></sst>", 1000);
         }},
        // One inline cell of 200 M characters in 1 MB runs.
        {"inline_200M.xlsx", [](const QString& name) {
             QByteArray runs;
             for (int i = 0; i < 200; ++i)
                 runs += "<r><t>" + QByteArray(1'000'000, 'b') + "</t></r>";
             WriteWorkbook(name, "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" + runs + "</is></c></row>");
         }},
        // 9 M levels of nesting in the workbook part.
        {"nested_9M.xlsx", [](const QString& name) {
             WriteZip(name, {{"_rels/.rels", kRels}, {"xl/workbook.xml", "<workbook>" + QByteArray("<a>").repeated(9'000'000)},
                             {"xl/_rels/workbook.xml.rels", kWorkbookRels}});
         }},
        // 50 M empty shared texts.
        {"empty_si_50M.xlsx", [](const QString& name) {
             WriteWorkbook(name, "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "<sst>" + QByteArray("<si/>").repeated(50'000'000) + "</sst>");
         }},
        // The most cells allowed, one per row and in descending order.
        {"cells_4M_descending.xlsx", [](const QString& name) {
             QByteArray rows;
             rows.reserve(200'000'000);
             for (int r = 1'000'000; r >= 1; --r) {
                 const QByteArray n = QByteArray::number(r);
                 rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>1</v></c><c r=\"B" + n + "\"><v>2</v></c>"
                         "<c r=\"C" + n + "\"><v>3</v></c><c r=\"D" + n + "\"><v>4</v></c></row>";
             }
             WriteWorkbook(name, rows);
         }},
        // Texts up to the character bound, each cell its own text.
        {"texts_32M_inline.xlsx", [](const QString& name) {
             QByteArray rows;
             const QByteArray text(990, 'c');
             for (int r = 1; r <= 32'000; ++r)
                 rows += "<row r=\"" + QByteArray::number(r) + "\"><c t=\"inlineStr\"><is><t>" + text + "</t></is></c></row>";
             WriteWorkbook(name, rows);
         }},
        // A .csv just under the file bound: 4 M short fields.
        {"fields_4M.csv", [](const QString& name) {
             QFile file(name);
             file.open(QIODevice::WriteOnly);
             const QByteArray line = "123456,234567,345678,456789\n";
             for (int r = 0; r < 1'000'000; ++r)
                 file.write(line);
         }},
    };
    return cases;
}

// Reads the file in a child process; reports its peak memory and outcome.
void BM_Hostile_PeakMemory(benchmark::State& state)
{
    const THostile& hostile = HostileCases().at(size_t(state.range(0)));
    const QString file = BenchFile(hostile.name);
    if (!QFile::exists(file))
        hostile.make(file);
    state.SetLabel(hostile.name);
    int refused = 0;
    double peak = 0, grown = 0;
    for (auto _ : state) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("pipe");
            break;
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipeFds[0]);
            const qint64 before = RssKiB();
            char outcome = 'R';
            try {
                TExcelWorkbook book(QStringLiteral("bench"));
                if (file.endsWith(QLatin1String(".csv")))
                    TCsvReader::Read(file, book);
                else
                    TXlsxReader::Read(file, book);
            } catch (const EExcelError&) {
                outcome = 'F';
            }
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            const qint64 values[2] = {qint64(usage.ru_maxrss), before};
            (void)!write(pipeFds[1], &outcome, 1);
            (void)!write(pipeFds[1], values, sizeof values);
            _exit(0);
        }
        close(pipeFds[1]);
        char outcome = 0;
        qint64 values[2] = {0, 0};
        (void)!read(pipeFds[0], &outcome, 1);
        (void)!read(pipeFds[0], values, sizeof values);
        close(pipeFds[0]);
        waitpid(child, nullptr, 0);
        refused = outcome == 'F';
        peak = double(values[0]) / 1024;
        grown = double(values[0] - values[1]) / 1024;
    }
    state.counters["peak_MiB"] = peak;
    state.counters["read_MiB"] = grown;
    state.counters["refused"] = refused;
}

BENCHMARK(BM_Xls_Write_MaxRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xls_SaveGridAsXls_MaxRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Export_FillAndWrite)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Peer_LibxlsxwriterDefaultMode)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read_SharedStrings)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Peer_QXmlStreamReader)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK_CAPTURE(BM_Xls_Peer_FreexlInProcess, sample, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Xls_Read_ReaderProcess, sample, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Xls_Peer_FreexlInProcess, rows20k, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Xls_Read_ReaderProcess, rows20k, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xls_Read_MaxRowsRecordStream)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read_100kRowsAscending)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read_100kRowsDescending)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xls_Read_65kRecordsAscending)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xls_Read_65kRecordsDescending)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Hostile_PeakMemory)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the grid is a widget
    TXlsReader::SetHelperPath(QStringLiteral(SELVAR_XLSREAD_PATH));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
