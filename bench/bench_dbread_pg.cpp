// Reading a large result into strings on the shared server: the access layer
// against the same loop on the server's C interface, and against psql's own
// copy-out of the same rows (process start included), in the same run.
// The server: SELVAR_TEST_POSTGRES=host:port (scripts/start-postgres.sh).
#include <QCoreApplication>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <libpq-fe.h>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TSqlDialect.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 12;
const char* const kSelect = "SELECT * FROM BENCH";
const char* const kDatabase = "selvar_bench";

TConnectionSettings Server(const QString& database)
{
    const QString address = qEnvironmentVariable("SELVAR_TEST_POSTGRES", QStringLiteral("127.0.0.1:55432"));
    TConnectionSettings s;
    s.Driver = QStringLiteral("POSTGRES");
    s.Host = address.section(u':', 0, 0);
    s.Port = address.section(u':', 1, 1).toInt();
    s.Database = database;
    s.User = QStringLiteral("postgres");
    return s;
}

QByteArray ConnInfo()
{
    const TConnectionSettings s = Server(kDatabase);
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4").arg(s.Host).arg(s.Port).arg(s.Database, s.User).toUtf8();
}

// The rows of the embedded benchmark: eight text columns (codes, dates, a
// Korean name) and four amounts, made on the server.
void Fill()
{
    {
        TDatabase admin(Server(QStringLiteral("postgres")));
        admin.Open();
        admin.Dialect().ExecuteDirect(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(kDatabase));
        admin.Dialect().ExecuteDirect(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(kDatabase));
    }
    TDatabase db(Server(kDatabase));
    db.Open();
    db.Dialect().ExecuteDirect(QStringLiteral(
        "CREATE TABLE BENCH (C1 VARCHAR(6), C2 VARCHAR(10), C3 VARCHAR(50), C4 VARCHAR(6), "
        "C5 VARCHAR(8), C6 VARCHAR(8), C7 VARCHAR(8), C8 VARCHAR(200), C9 DOUBLE PRECISION, "
        "C10 DOUBLE PRECISION, C11 DOUBLE PRECISION, C12 DOUBLE PRECISION)"));
    db.Dialect().ExecuteDirect(QStringLiteral(
        "INSERT INTO BENCH SELECT 'K' || lpad(r::text, 5, '0'), 'C' || (r % 977), '(주)한빛상사 ' || (r % 31) || '호점', "
        "'40' || lpad((r % 97)::text, 2, '0'), '20180101', '20181231', CASE WHEN r % 5 = 0 THEN '20180615' END, "
        "'remark for line ' || r, 10000000 + r, 1000000, r * 0.5, 12 FROM generate_series(0, %1) AS r")
                                   .arg(kRows - 1));
    db.Dialect().ExecuteDirect(QStringLiteral("VACUUM ANALYZE BENCH"));
}

// state.range(0): 1 reads row by row (unidirectional), 0 holds every row.
void LayerRead(benchmark::State& state)
{
    TDatabase db(Server(kDatabase));
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

void LibpqRead(benchmark::State& state)
{
    PGconn* conn = PQconnectdb(ConnInfo().constData());
    for (auto _ : state) {
        PGresult* r = PQexec(conn, kSelect);
        const int rows = PQntuples(r);
        for (int row = 0; row < rows; ++row)
            for (int c = 0; c < kColumns; ++c) {
                QString s = QString::fromUtf8(PQgetvalue(r, row, c), PQgetlength(r, row, c));
                benchmark::DoNotOptimize(s);
            }
        PQclear(r);
    }
    PQfinish(conn);
    state.SetItemsProcessed(state.iterations() * kRows);
}

// psql writes the rows as text to a pipe that this process reads to its end.
void PsqlCopyOut(benchmark::State& state)
{
    const TConnectionSettings s = Server(kDatabase);
    const QStringList args = {"-X", "-q", "-h", s.Host, "-p", QString::number(s.Port), "-U", s.User, "-d",
                              s.Database, "-c", "COPY BENCH TO STDOUT"};
    for (auto _ : state) {
        QProcess psql;
        psql.start(QStringLiteral("psql"), args);
        qint64 bytes = 0;
        while (psql.waitForReadyRead(10000))
            bytes += psql.readAllStandardOutput().size();
        psql.waitForFinished();
        bytes += psql.readAllStandardOutput().size();
        if (psql.exitCode() != 0 || bytes == 0)
            state.SkipWithError("psql failed");
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(PsqlCopyOut)->Unit(benchmark::kMillisecond);
BENCHMARK(LibpqRead)->Unit(benchmark::kMillisecond);
BENCHMARK(LayerRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        Fill();
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "no PostgreSQL server (scripts/start-postgres.sh): %s\n", e.Message().toUtf8().constData());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
