// Reading a large result into strings: the access layer against the same loop
// on the engine's C interface (every value as text, and every value in its
// stored type with numbers formatted as the layer formats them) and on plain
// Qt SQL, over one embedded file.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TValueConversion.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 12;
const char* const kSelect = "SELECT * FROM BENCH";

QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString FilePath() { return Folder().filePath("bench.db"); }

// Eight text columns (codes, dates, a Korean name) and four amounts.
void Fill()
{
    TDatabase db(TConnectionSettings::Sqlite(FilePath()));
    db.Open();
    TQuery q(db);
    q.SQL() << "CREATE TABLE BENCH (C1 VARCHAR(6), C2 VARCHAR(10), C3 VARCHAR(50), C4 VARCHAR(6), "
               "C5 VARCHAR(8), C6 VARCHAR(8), C7 VARCHAR(8), C8 VARCHAR(200), C9 DOUBLE PRECISION, "
               "C10 DOUBLE PRECISION, C11 DOUBLE PRECISION, C12 DOUBLE PRECISION)";
    q.ExecSQL();
    q.SQL().clear();
    q.SQL() << "INSERT INTO BENCH VALUES (:C1, :C2, :C3, :C4, :C5, :C6, :C7, :C8, :C9, :C10, :C11, :C12)";
    db.StartTransaction();
    for (int r = 0; r < kRows; ++r) {
        q.ParamByName("C1").SetAsString(QStringLiteral("K%1").arg(r, 5, 10, QLatin1Char('0')));
        q.ParamByName("C2").SetAsString(QStringLiteral("C%1").arg(r % 977));
        q.ParamByName("C3").SetAsString(QStringLiteral("(주)한빛상사 %1호점").arg(r % 31));
        q.ParamByName("C4").SetAsString(QStringLiteral("40%1").arg(r % 97, 2, 10, QLatin1Char('0')));
        q.ParamByName("C5").SetAsString("20180101");
        q.ParamByName("C6").SetAsString("20181231");
        q.ParamByName("C7").SetAsString(r % 5 ? QString() : QStringLiteral("20180615"));
        q.ParamByName("C8").SetAsString(QStringLiteral("remark for line %1").arg(r));
        q.ParamByName("C9").SetAsFloat(10000000 + r);
        q.ParamByName("C10").SetAsFloat(1000000);
        q.ParamByName("C11").SetAsFloat(r * 0.5);
        q.ParamByName("C12").SetAsFloat(12);
        q.ExecSQL();
    }
    db.Commit();
}

// state.range(0): 1 reads row by row (unidirectional), 0 holds every row.
void LayerRead(benchmark::State& state)
{
    TDatabase db(TConnectionSettings::Sqlite(FilePath()));
    db.Open();
    TQuery q(db);
    q.SetUniDirectional(state.range(0) == 1);
    q.SQL() << kSelect;
    for (auto _ : state) {
        q.Open();
        for (; !q.Eof(); q.Next())
            for (int c = 0; c < kColumns; ++c) {
                QString s = q.Fields(c).AsString();
                benchmark::DoNotOptimize(s);
            }
        q.Close();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void SqliteCRead(benchmark::State& state)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(FilePath().toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, kSelect, -1, &stmt, nullptr);
    for (auto _ : state) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < kColumns; ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                QString s = QString::fromUtf8(text, sqlite3_column_bytes(stmt, c));
                benchmark::DoNotOptimize(s);
            }
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The engine's own reading of what the layer gives: integers, doubles and
// texts as stored, numbers in the layer's text.
QString TypedText(sqlite3_stmt* stmt, int c)
{
    switch (sqlite3_column_type(stmt, c)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(stmt, c));
    case SQLITE_FLOAT:
        return TValueConversion::NumberText(sqlite3_column_double(stmt, c));
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                 sqlite3_column_bytes(stmt, c));
    default:
        return QString();
    }
}

void SqliteCTypedRead(benchmark::State& state)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(FilePath().toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, kSelect, -1, &stmt, nullptr);
    for (auto _ : state) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < kColumns; ++c) {
                QString s = TypedText(stmt, c);
                benchmark::DoNotOptimize(s);
            }
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void QtSqlRead(benchmark::State& state)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench_qt");
        db.setDatabaseName(FilePath());
        db.open();
        for (auto _ : state) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(kSelect);
            while (q.next())
                for (int c = 0; c < kColumns; ++c) {
                    QString s = q.value(c).toString();
                    benchmark::DoNotOptimize(s);
                }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("bench_qt");
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(SqliteCRead)->Unit(benchmark::kMillisecond);
BENCHMARK(SqliteCTypedRead)->Unit(benchmark::kMillisecond);
BENCHMARK(LayerRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(QtSqlRead)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Fill();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
