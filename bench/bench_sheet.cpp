// Spreadsheet export and import at volume: 100,000 rows of 12 columns (three
// texts, nine numbers), as the inquiry screens export and the imports read.
//   bench_sheet --benchmark_filter=Xlsx_Read   (one filter per run to see its peak memory)
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <unzip.h>
#include <xlsxwriter.h>

#include "common/SpreadsheetExport.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"
#include "common/TXlsTableSource.h"
#include "common/TXlsWriter.h"
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

BENCHMARK(BM_Xls_Write_MaxRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xls_SaveGridAsXls_MaxRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Export_FillAndWrite)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Peer_LibxlsxwriterDefaultMode)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Read_SharedStrings)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->Iterations(1);
BENCHMARK(BM_Xlsx_Peer_QXmlStreamReader)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the grid is a widget
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
