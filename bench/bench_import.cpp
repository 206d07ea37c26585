// Importing a management-fee sheet of 10,000 rows through the fee import
// screen: reading the file into the grid, checking every row with the check
// procedure and registering every row with the import procedure, each run in
// one transaction on the demo database. The peer stores the same rows as
// they come from the sheet straight into a table of twelve text columns in
// one transaction, through the engine's C interface and through plain Qt SQL.
#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "common/TExcelWorkbook.h"
#include "common/TQuery.h"
#include "common/TXlsReader.h"
#include "common/TXlsxWriter.h"
#include "controls/TwMemGrid.h"
#include "framework/SharedConnection.h"
#include "screens/ExcelSheetLoader.h"
#include "screens/nb/TfrmNBI040.h"
#include "server/TDemoData.h"
#include "server/TServerProcedures.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 12;

struct TSetup
{
    QTemporaryDir dir;
    std::unique_ptr<TDatabase> db;
    std::unique_ptr<TfrmNBI040> screen;
    QString sheetPath;
    std::vector<QStringList> rows;
};

TSetup& Setup()
{
    static TSetup setup;
    return setup;
}

// Sites with one contract running this month, each billed many times over.
void WriteSheet(TSetup& s)
{
    const QString month = TBusinessClock::ThisMonth();
    TQuery q(*s.db);
    q.SQL() << "SELECT SHOP_CODE FROM NA020MS WHERE CONT_START_DATE <= :LAST AND CONT_END_DATE >= :FIRST AND "
               "CONT_CANCEL_DATE IS NULL AND SHOP_CODE IN (SELECT SHOP_CODE FROM NA010MS) GROUP BY SHOP_CODE "
               "HAVING COUNT(*) = 1";
    q.ParamByName("LAST").SetAsString(month + "31");
    q.ParamByName("FIRST").SetAsString(month + "01");
    q.Open();
    QStringList sites;
    for (; !q.Eof(); q.Next())
        sites << q.Fields(0).AsString();
    q.Close();
    s.sheetPath = s.dir.filePath("fee.xlsx");
    TExcelWorkbook book(s.sheetPath);
    TExcelWorksheet& sheet = book.AddSheet("Sheet1");
    for (int r = 0; r < kRows; ++r) {
        const QStringList row{sites[r % sites.size()], month, QStringLiteral("임대업장 %1").arg(r % 97),
                              QString::number(110000 + r * 11), QString::number(100000 + r * 10),
                              QString::number(10000 + r), "60000", "10000", "20000", "5000", "5000",
                              QString::number(r)};
        for (int c = 0; c < kColumns; ++c)
            sheet.SetText(r + 1, c + 1, row[c]);
        s.rows.push_back(row);
    }
    TXlsxWriter::Write(book, s.sheetPath);
}

void Prepare()
{
    TSetup& s = Setup();
    s.db = std::make_unique<TDatabase>(TConnectionSettings::Sqlite(s.dir.filePath("demo.db")));
    s.db->Open();
    TDemoData::Fill(*s.db);
    RegisterServerProcedures();
    SharedConnection::SetDatabase(s.db.get());
    SessionContext::SetUser("10000001", "김관리");
    MessageBoxSeam::SetActive(true);
    WriteSheet(s);
    ExcelSheetLoader::SetFileChooser([path = s.sheetPath] { return path; });
    s.screen = std::make_unique<TfrmNBI040>();
    s.screen->show();
}

// Runs one command of the screen; a message other than its success ends the run.
template <typename Command>
void RunScreen(benchmark::State& state, Command command, bool expectInfo)
{
    TfrmNBI040& screen = *Setup().screen;
    for (auto _ : state) {
        MessageBoxSeam::Reset();
        command(screen);
        const bool ok = expectInfo ? MessageBoxSeam::Shown().size() == 1
                                         && MessageBoxSeam::Last().kind == MessageBoxSeam::mbInfo
                                   : MessageBoxSeam::Shown().isEmpty() && screen.rgrGrid->RowCount() == kRows;
        if (!ok) {
            state.SkipWithError(MessageBoxSeam::Shown().isEmpty() ? "no rows"
                                                                  : MessageBoxSeam::Last().text.toStdString().c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_ScreenRead(benchmark::State& state)
{
    RunScreen(state, [](TfrmNBI040& screen) { screen.bbtExcelLoadClick(); }, false);
}

void BM_ScreenVerify(benchmark::State& state)
{
    RunScreen(state, [](TfrmNBI040& screen) { screen.BitBtn1Click(); }, true);
}

void BM_ScreenRegister(benchmark::State& state)
{
    RunScreen(state, [](TfrmNBI040& screen) { screen.bbtSaveClick(); }, true);
}

// Read, verify and register, as a user imports a sheet.
void BM_ScreenImport(benchmark::State& state)
{
    TfrmNBI040& screen = *Setup().screen;
    for (auto _ : state) {
        MessageBoxSeam::Reset();
        screen.bbtExcelLoadClick();
        screen.BitBtn1Click();
        screen.bbtSaveClick();
        if (MessageBoxSeam::Shown().size() != 2 || MessageBoxSeam::Last().kind != MessageBoxSeam::mbInfo) {
            state.SkipWithError("import failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

const char* const kCreatePeer =
    "CREATE TABLE IF NOT EXISTS PEER (C1 TEXT, C2 TEXT, C3 TEXT, C4 TEXT, C5 TEXT, C6 TEXT, C7 TEXT, C8 TEXT, "
    "C9 TEXT, C10 TEXT, C11 TEXT, C12 TEXT)";
const char* const kInsertPeer = "INSERT INTO PEER VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

void BM_PeerSqliteC(benchmark::State& state)
{
    sqlite3* handle = nullptr;
    sqlite3_open(Setup().dir.filePath("peer_c.db").toUtf8().constData(), &handle);
    sqlite3_exec(handle, kCreatePeer, nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle, kInsertPeer, -1, &insert, nullptr);
    for (auto _ : state) {
        sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
        for (const QStringList& row : Setup().rows) {
            for (int c = 0; c < kColumns; ++c) {
                const QByteArray text = row[c].toUtf8();
                sqlite3_bind_text(insert, c + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(insert);
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_PeerQtSql(benchmark::State& state)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peer");
        db.setDatabaseName(Setup().dir.filePath("peer_qt.db"));
        db.open();
        QSqlQuery(db).exec(kCreatePeer);
        QSqlQuery insert(db);
        insert.prepare(kInsertPeer);
        for (auto _ : state) {
            db.transaction();
            for (const QStringList& row : Setup().rows) {
                for (int c = 0; c < kColumns; ++c)
                    insert.bindValue(c, row[c]);
                insert.exec();
            }
            db.commit();
        }
    }
    QSqlDatabase::removeDatabase("peer");
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_ScreenRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScreenVerify)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ScreenRegister)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ScreenImport)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PeerSqliteC)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PeerQtSql)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TXlsReader::SetHelperPath(QStringLiteral(SELVAR_XLSREAD_PATH));
    Prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Setup().screen.reset();
    SharedConnection::SetDatabase(nullptr);
    return 0;
}
