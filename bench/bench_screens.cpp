// Every screen of the menu on the scale data set (10,000 contracts, five years
// of schedules, bills, receipts and closings): the time from pressing the
// screen's search button until it shows the result, against its peer, the
// statements that search sent run directly on the engine (each stepped through
// all its rows on a connection of its own, inside a transaction rolled back).
//
// The data set is made once and kept in SELVAR_SCALE_DIR (default
// /tmp/selvar-scale); delete that folder to make it again. SELVAR_SCALE_CONTRACTS
// and SELVAR_SCALE_MONTHS choose a smaller set (80 and 24 make the
// demonstration data); SELVAR_SHOTS=DIR saves each screen after its search
// as DIR/<program ID>.png.
// Budget: a search shows its result within 2 s, or, where its statements
// alone take longer on the engine, within 1.5 times their time (the client's
// own work then adds at most half). The arrears aging (NBS070), grid and
// chart, has 300 ms.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSqlDriver>
#include <QTabWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sqlite3.h>

#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "common/TSqliteFunctions.h"
#include "screens/ScreenRegistry.h"
#include "server/TDemoData.h"
#include "server/TServerProcedures.h"
#include "shell/TConnectionFile.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"

namespace {

constexpr double BudgetSeconds = 2.0;
constexpr double BudgetRatio = 1.5;

double BudgetFor(const QString& programId)
{
    return programId == QLatin1String("NBS070") ? 0.3 : BudgetSeconds;
}

QString ScaleFolder()
{
    const QString dir = qEnvironmentVariable("SELVAR_SCALE_DIR");
    return dir.isEmpty() ? QStringLiteral("/tmp/selvar-scale") : dir;
}

// The demo database file of the scale folder, filled on first use.
void PrepareScaleDatabase()
{
    qputenv("XDG_DATA_HOME", QDir(ScaleFolder()).filePath("data").toUtf8());
    SessionContext::SetExecutable(QDir(ScaleFolder()).filePath("selvar_n"));
    // Every screen of the menu stays open in its tab.
    QSettings(QDir(ScaleFolder()).filePath("Main.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("MAIN/PROGRAM_COUNT"), 50);
    const QString path = TConnectionFile::Resolve(SessionContext::AppDir(), QStringLiteral("DEMO")).settings.Path;
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    TDatabase db(TConnectionSettings::Sqlite(path));
    db.Open();
    TDemoData::Options options;
    options.contracts = qEnvironmentVariableIsSet("SELVAR_SCALE_CONTRACTS")
                            ? qEnvironmentVariableIntValue("SELVAR_SCALE_CONTRACTS")
                            : 10000;
    options.historyMonths = qEnvironmentVariableIsSet("SELVAR_SCALE_MONTHS")
                                ? qEnvironmentVariableIntValue("SELVAR_SCALE_MONTHS")
                                : 60;
    TDemoData::Fill(db, options);
    db.Close();
}

sqlite3* NativeHandle(TDatabase& db)
{
    const QVariant handle = db.SqlDatabase().driver()->handle();
    return *static_cast<sqlite3* const*>(handle.constData());
}

// Collects every statement the client's connection runs, with its bound values.
class StatementRecorder
{
public:
    explicit StatementRecorder(sqlite3* handle) : m_handle(handle)
    {
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &StatementRecorder::Trace, this);
    }
    ~StatementRecorder() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }
    std::vector<std::string> Take() { return std::move(m_statements); }

private:
    static int Trace(unsigned, void* self, void* statement, void* text)
    {
        // Statements run from inside a trigger or function come with "--".
        if (qstrncmp(static_cast<const char*>(text), "--", 2) == 0)
            return 0;
        char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
        if (expanded) {
            static_cast<StatementRecorder*>(self)->m_statements.emplace_back(expanded);
            sqlite3_free(expanded);
        }
        return 0;
    }
    sqlite3* m_handle;
    std::vector<std::string> m_statements;
};

bool IsTransactionControl(const std::string& sql)
{
    for (const char* word : {"BEGIN", "COMMIT", "ROLLBACK", "SAVEPOINT", "RELEASE", "PRAGMA", "END"})
        if (qstrnicmp(sql.c_str(), word, static_cast<uint>(qstrlen(word))) == 0)
            return true;
    return false;
}

// The engine alone: its own connection with the client's functions.
class EnginePeer
{
public:
    explicit EnginePeer(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_handle, SQLITE_OPEN_READWRITE, nullptr);
        TSqliteFunctions::Register(m_handle);
        sqlite3_exec(m_handle, "PRAGMA case_sensitive_like=ON", nullptr, nullptr, nullptr);
        sqlite3_exec(m_handle, "CREATE TEMP VIEW DUAL AS SELECT 'X' AS DUMMY", nullptr, nullptr, nullptr);
    }
    ~EnginePeer() { sqlite3_close(m_handle); }

    // Runs the statements through all their rows; false with the first error.
    bool Run(const std::vector<std::string>& statements, std::string& error)
    {
        sqlite3_exec(m_handle, "BEGIN", nullptr, nullptr, nullptr);
        bool ok = true;
        for (const std::string& sql : statements) {
            if (IsTransactionControl(sql))
                continue;
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(m_handle, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
                error = sqlite3_errmsg(m_handle);
                ok = false;
                break;
            }
            while (sqlite3_step(stmt) == SQLITE_ROW)
                for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
            sqlite3_finalize(stmt);
        }
        sqlite3_exec(m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
        return ok;
    }

private:
    sqlite3* m_handle = nullptr;
};

// The client on the scale database, as the launcher starts it.
struct Client
{
    Client()
    {
        MessageBoxSeam::SetActive(true);
        RegisterServerProcedures();
        RegisterScreens();
        dataModule = std::make_unique<TfrmZZD000>(
            QStringList{"DEMO", TDemoData::DatabaseUser, "10000001", QStringLiteral("김관리")},
            QDir(ScaleFolder()).filePath("selvar_n"));
        window = std::make_unique<TfrmN0Main>(dataModule.get());
        window->resize(1280, 800);
        window->show();
        QApplication::processEvents();
    }

    std::vector<QAction*> MenuEntries() const
    {
        std::vector<QAction*> entries;
        for (QAction* top : window->menuBar()->actions())
            if (top->menu())
                for (QAction* entry : top->menu()->actions())
                    if (!entry->data().toString().isEmpty())
                        entries.push_back(entry);
        return entries;
    }

    QPushButton* Button(const char* name) const
    {
        QWidget* tab = window->Tabs()->currentWidget();
        auto* button = tab ? tab->findChild<QPushButton*>(QString::fromLatin1(name)) : nullptr;
        return button && button->isVisible() && button->isEnabled() ? button : nullptr;
    }

    std::unique_ptr<TfrmZZD000> dataModule;
    std::unique_ptr<TfrmN0Main> window;
};

Client* g_client = nullptr;

// One search on the open screen; the statements it sent.
std::vector<std::string> Search(double& seconds, QString& error)
{
    if (QPushButton* cancel = g_client->Button("bbtCancel"))
        cancel->click();
    QPushButton* search = g_client->Button("bbtSearch");
    if (!search) {
        error = QStringLiteral("no search button (an import screen)");
        return {};
    }
    MessageBoxSeam::Reset();
    StatementRecorder recorder(NativeHandle(g_client->dataModule->dbsDB));
    const auto start = std::chrono::steady_clock::now();
    search->click();
    QApplication::processEvents();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const MessageBoxSeam::Box& box : MessageBoxSeam::Shown())
        if (box.kind == MessageBoxSeam::mbError)
            error = box.text;
    return recorder.Take();
}

void BM_ScreenSearch(benchmark::State& state, QAction* entry)
{
    QTabWidget* tabs = g_client->window->Tabs();
    const int before = tabs->count();
    entry->trigger();
    QApplication::processEvents();
    // A repetition finds the screen's tab already open and brings it forward.
    static QSet<QAction*> opened;
    if (tabs->count() != before + 1 && !(opened.contains(entry) && tabs->count() == before)) {
        state.SkipWithError("the menu entry opened no screen");
        return;
    }
    opened.insert(entry);
    std::vector<std::string> statements;
    double total = 0;
    for (auto _ : state) {
        double seconds = 0;
        QString error;
        statements = Search(seconds, error);
        if (!error.isEmpty()) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const QString shots = qEnvironmentVariable("SELVAR_SHOTS");
    if (!shots.isEmpty())
        g_client->window->grab().save(QDir(shots).filePath(entry->data().toString() + QStringLiteral(".png")));
    if (state.iterations() == 0 || statements.empty())
        return;

    EnginePeer peer(g_client->dataModule->dbsDB.Settings().Path);
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    if (!peer.Run(statements, error))
        state.SkipWithError(("engine: " + error).c_str());
    const double engine = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double screen = total / static_cast<double>(state.iterations());
    state.counters["statements"] = static_cast<double>(statements.size());
    state.counters["engine_ms"] = engine * 1000;
    state.counters["ratio"] = engine > 0 ? screen / engine : 0;
    const double budget = BudgetFor(entry->data().toString());
    state.counters["in_budget"] = screen <= budget || (budget == BudgetSeconds && screen <= BudgetRatio * engine);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("selvar_n"));
    PrepareScaleDatabase();
    Client client;
    g_client = &client;
    for (const MessageBoxSeam::Box& box : MessageBoxSeam::Shown())
        qWarning("start-up: %s", qPrintable(box.text));
    for (QAction* entry : client.MenuEntries())
        benchmark::RegisterBenchmark(("Search/" + entry->data().toString()).toStdString().c_str(),
                                     [entry](benchmark::State& state) { BM_ScreenSearch(state, entry); })
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_client = nullptr;
    return 0;
}
