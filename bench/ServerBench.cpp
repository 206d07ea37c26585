// The server stand-in under load: filling the demo database at growing sizes,
// and closing a month with the closing procedure against its peer, the closing
// preview statement that computes the same figures in one query.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "server/TDemoData.h"
#include "server/TMenuData.h"
#include "server/TServerProcedures.h"

namespace {
std::unique_ptr<TDatabase> DemoDatabase(const QTemporaryDir& dir, int contracts)
{
    auto db = std::make_unique<TDatabase>(TConnectionSettings::Sqlite(dir.filePath("demo.db")));
    db->Open();
    TDemoData::Options options;
    options.contracts = contracts;
    TDemoData::Fill(*db, options);
    return db;
}

QString LastMonth()
{
    return QDate::currentDate().addMonths(-1).toString("yyyyMM");
}

QString PreviewStatement()
{
    // The statement as the closing screen sends it, from the test data beside this source.
    QFile file(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../tests/data/screen_statements.sql"));
    file.open(QIODevice::ReadOnly);
    QString statement;
    bool inside = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith("-- @"))
            inside = line.mid(4).trimmed() == "CLOSING_PREVIEW_CURRENT";
        else if (inside && !line.startsWith("--"))
            statement += line + '\n';
    }
    return statement;
}

void BM_DemoFill(benchmark::State& state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        auto db = DemoDatabase(dir, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(db.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DemoFill)->Arg(80)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Cancels and closes last month again, inside a transaction that is rolled back.
void BM_CloseMonthProcedure(benchmark::State& state)
{
    QTemporaryDir dir;
    auto db = DemoDatabase(dir, static_cast<int>(state.range(0)));
    RegisterServerProcedures();
    TStoredProc proc(*db);
    proc.SetProcedureName("PR_NDI010_01");
    proc.ParamByName("ANAPIP_MONTH").SetAsString(LastMonth());
    proc.ParamByName("AU_EMP_NO").SetAsString(TMenuData::AdministratorEmpNo);
    for (auto _ : state) {
        db->StartTransaction();
        proc.ParamByName("AGUBUN").SetAsString("D");
        proc.ExecProc();
        proc.ParamByName("AGUBUN").SetAsString("I");
        proc.ExecProc();
        db->Rollback();
    }
}
BENCHMARK(BM_CloseMonthProcedure)->Arg(80)->Arg(2000)->Unit(benchmark::kMillisecond);

// Peer: the preview statement over the same month, read to its end.
void BM_CloseMonthPreviewStatement(benchmark::State& state)
{
    QTemporaryDir dir;
    auto db = DemoDatabase(dir, static_cast<int>(state.range(0)));
    TQuery q(*db);
    q.SQL() << PreviewStatement();
    for (auto _ : state) {
        q.ParamByName("NAPIP_MONTH").SetAsString(LastMonth());
        q.Open();
        int rows = 0;
        for (; !q.Eof(); q.Next())
            ++rows;
        benchmark::DoNotOptimize(rows);
        q.Close();
    }
}
BENCHMARK(BM_CloseMonthPreviewStatement)->Arg(80)->Arg(2000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
