// A bank statement of 2,000 deposit lines loaded into the statement import
// screen on the scale data set (10,000 contracts): reading the .xlsx file,
// finding its columns, loading every contract with its names and open amount
// and proposing a contract for each line, until the grid shows them. Budget:
// 2 s. The peer is the floor under that work: the same file read by the
// sheet reader alone, and the screen's contract and open-amount statements
// stepped through all their rows on the engine's C interface.
//
// The data set is made once and kept in SELVAR_SCALE_DIR (default
// /tmp/selvar-scale), shared with the screens' benchmark.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <random>
#include <sqlite3.h>

#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "common/TExcelWorkbook.h"
#include "common/TExcelWorkbooks.h"
#include "common/TQuery.h"
#include "common/TSqliteFunctions.h"
#include "common/TXlsReader.h"
#include "common/TXlsxWriter.h"
#include "controls/TwMemGrid.h"
#include "framework/SharedConnection.h"
#include "screens/nb/TDepositMatcher.h"
#include "screens/nb/TfrmNBI060.h"
#include "server/TDemoData.h"
#include "server/TSchema.h"
#include "server/TServerProcedures.h"
#include "shell/TConnectionFile.h"

namespace {

constexpr int kLines = 2000;
constexpr double BudgetSeconds = 2.0;

QString ScaleFolder()
{
    const QString dir = qEnvironmentVariable("SELVAR_SCALE_DIR");
    return dir.isEmpty() ? QStringLiteral("/tmp/selvar-scale") : dir;
}

struct TSetup
{
    std::unique_ptr<TDatabase> db;
    std::unique_ptr<TfrmNBI060> screen;
    QString path;      // the statement file
    QString dbPath;
    QString month;
};

TSetup& Setup()
{
    static TSetup setup;
    return setup;
}

void PrepareDatabase()
{
    qputenv("XDG_DATA_HOME", QDir(ScaleFolder()).filePath("data").toUtf8());
    SessionContext::SetExecutable(QDir(ScaleFolder()).filePath("selvar_n"));
    TSetup& s = Setup();
    s.dbPath = TConnectionFile::Resolve(SessionContext::AppDir(), QStringLiteral("DEMO")).settings.Path;
    const bool fresh = !QFileInfo::exists(s.dbPath);
    QDir().mkpath(QFileInfo(s.dbPath).absolutePath());
    s.db = std::make_unique<TDatabase>(TConnectionSettings::Sqlite(s.dbPath));
    s.db->Open();
    if (fresh) {
        TDemoData::Options options;
        options.contracts = 10000;
        options.historyMonths = 60;
        TDemoData::Fill(*s.db, options);
    }
    TSchema::Upgrade(*s.db);
    SharedConnection::SetDatabase(s.db.get());
}

// Deposits as a month's statement brings them: most from tenants paying what
// they owe, some paying part, some naming nobody the office knows.
void WriteStatement()
{
    TSetup& s = Setup();
    s.month = TBusinessClock::ThisMonth();
    const QHash<QString, double> open = TDepositMatcher::OpenAmounts(*s.db, s.month);
    std::vector<std::pair<QString, double>> tenants;
    TQuery q(*s.db);
    q.SQL() << QStringLiteral("SELECT A.CONT_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) "
                              "FROM NA020MS A WHERE MINAP_CHK = 'Y' ORDER BY CONT_CODE");
    q.Open();
    for (; !q.Eof(); q.Next())
        if (open.value(q.Fields(0).AsString()) > 0)
            tenants.emplace_back(q.Fields(1).AsString(), open.value(q.Fields(0).AsString()));
    std::mt19937 random(39);
    s.path = QDir(ScaleFolder()).filePath("statement-2000.xlsx");
    TExcelWorkbook book(s.path);
    TExcelWorksheet& sheet = book.AddSheet(QStringLiteral("거래내역"));
    sheet.SetText(1, 1, QStringLiteral("계좌번호 : 110-234-567890"));
    const QStringList titles{"거래일시", "적요", "출금액", "입금액", "잔액", "입금자/내용", "거래점"};
    for (int c = 0; c < titles.size(); ++c)
        sheet.SetText(3, c + 1, titles[c]);
    double balance = 50000000;
    for (int i = 0; i < kLines; ++i) {
        const auto& [name, owed] = tenants.empty() ? std::pair<QString, double>{"", 0}
                                                  : tenants[random() % tenants.size()];
        const int kind = int(random() % 20);
        const QString depositor = kind < 14 ? name : QStringLiteral("입금자%1").arg(i);
        const double amount = kind < 10 ? owed : kind < 14 ? std::max(1000.0, owed / 2) : kind < 17 ? owed : 12000 + i;
        balance += amount;
        const int row = i + 4;
        sheet.SetText(row, 1, QStringLiteral("%1-%2 %3:%4:00")
                                  .arg(s.month.left(4) + "-" + s.month.mid(4, 2))
                                  .arg(1 + i % 9, 2, 10, QChar('0'))
                                  .arg(8 + i % 10, 2, 10, QChar('0'))
                                  .arg(i % 60, 2, 10, QChar('0')));
        sheet.SetText(row, 2, QStringLiteral("타행이체"));
        sheet.SetNumber(row, 3, 0);
        sheet.SetNumber(row, 4, amount);
        sheet.SetNumber(row, 5, balance);
        sheet.SetText(row, 6, depositor);
        sheet.SetText(row, 7, QStringLiteral("본점"));
    }
    TXlsxWriter::Write(book, s.path);
}

void BM_ScreenLoad(benchmark::State& state)
{
    TSetup& s = Setup();
    for (auto _ : state) {
        MessageBoxSeam::Reset();
        const auto start = std::chrono::steady_clock::now();
        const bool loaded = s.screen->LoadFile(s.path);
        QApplication::processEvents();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!loaded) {
            state.SkipWithError(MessageBoxSeam::Last().text.toUtf8().constData());
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["in_budget"] = seconds <= BudgetSeconds;
    }
    int proposed = 0;
    for (int r = 0; r < s.screen->rgrGrid->RowCount(); ++r)
        proposed += !s.screen->rgrGrid->Cells(TfrmNBI060::colContCode, r).AsString().isEmpty();
    state.counters["lines"] = s.screen->rgrGrid->RowCount();
    state.counters["proposed"] = proposed;
}

void Step(sqlite3* handle, const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
    sqlite3_finalize(stmt);
}

void BM_PeerReadAndQuery(benchmark::State& state)
{
    TSetup& s = Setup();
    sqlite3* handle = nullptr;
    sqlite3_open_v2(s.dbPath.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    TSqliteFunctions::Register(handle);
    const QString last = QString::number(QDate::fromString(s.month + "01", "yyyyMMdd").addMonths(-1).year() * 100 +
                                         QDate::fromString(s.month + "01", "yyyyMMdd").addMonths(-1).month());
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TExcelWorkbooks books;
        benchmark::DoNotOptimize(books.Open(s.path).ActiveSheet().CellCount());
        Step(handle, "SELECT CONT_CODE, DEPOSITOR_NAME FROM NA022MS");
        Step(handle, "SELECT CONT_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE), (SELECT BOSS_NAME "
                     "FROM VA050MS WHERE C_CODE = A.C_CODE), (SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = "
                     "A.SHOP_CODE) FROM NA020MS A WHERE MINAP_CHK = 'Y' ORDER BY CONT_CODE");
        Step(handle, QStringLiteral("SELECT CONT_CODE, SUM(AMT) FROM (SELECT CONT_CODE, IFNULL(NAPIP_AMT,0) AS AMT "
                                    "FROM NB010MS WHERE NAPIP_MONTH = '%1' UNION ALL SELECT CONT_CODE, "
                                    "0 - IFNULL(IPGUM_AMT,0) FROM NB020MS WHERE IPGUM_DATE >= '%3' "
                                    "AND IPGUM_DATE <= '%4' UNION ALL "
                                    "SELECT CONT_CODE, IFNULL(THIS_MINAPAMT,0) + IFNULL(THIS_MINAPDEALYAMT,0) FROM "
                                    "NB030MS WHERE NAPIP_MONTH = '%2') GROUP BY CONT_CODE")
                         .arg(s.month, last, s.month + "01", s.month + "31"));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    sqlite3_close(handle);
}

BENCHMARK(BM_ScreenLoad)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PeerReadAndQuery)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("selvar_n"));
    TXlsReader::SetHelperPath(QStringLiteral(SELVAR_XLSREAD_PATH));
    MessageBoxSeam::SetActive(true);
    RegisterServerProcedures();
    PrepareDatabase();
    WriteStatement();
    Setup().screen = std::make_unique<TfrmNBI060>();
    Setup().screen->resize(1280, 800);
    Setup().screen->show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Setup().screen.reset();
    SharedConnection::SetDatabase(nullptr);
    Setup().db.reset(); // before the application object goes
    return 0;
}
