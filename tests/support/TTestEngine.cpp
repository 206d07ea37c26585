#include "tests/support/TTestEngine.h"

#include <QCoreApplication>
#include <QProcess>
#include <atomic>
#include <cstdio>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TSqlDialect.h"

namespace {

QString ServerAddress() { return qEnvironmentVariable("SELVAR_TEST_POSTGRES"); }

void RunOn(const TConnectionSettings& settings, const QStringList& statements)
{
    TDatabase db(settings);
    db.Open();
    for (const QString& sql : statements)
        db.Dialect().ExecuteDirect(sql);
}

void RunOnServer(const QString& sql) { RunOn(TTestEngine::Server(), {sql}); }

// The tests' own checks join rows with the embedded engine's GROUP_CONCAT.
const QStringList kTestHelpers = {
    "CREATE FUNCTION public.test_join(text, text, text) RETURNS text LANGUAGE sql IMMUTABLE AS "
    "$f$SELECT CASE WHEN $2 IS NULL THEN $1 WHEN $1 IS NULL THEN $2 ELSE $1 || $3 || $2 END$f$",
    "CREATE FUNCTION public.test_join(text, text) RETURNS text LANGUAGE sql IMMUTABLE AS "
    "$f$SELECT public.test_join($1, $2, ',')$f$",
    "CREATE AGGREGATE public.group_concat(text, text) (SFUNC = public.test_join, STYPE = text)",
    "CREATE AGGREGATE public.group_concat(text) (SFUNC = public.test_join, STYPE = text)",
};

} // namespace

bool TTestEngine::IsPostgres()
{
    return qEnvironmentVariable("SELVAR_TEST_ENGINE").compare(QLatin1String("POSTGRES"), Qt::CaseInsensitive) == 0;
}

TConnectionSettings TTestEngine::Server()
{
    const QString address = ServerAddress().isEmpty() ? QStringLiteral("127.0.0.1:55432") : ServerAddress();
    TConnectionSettings s;
    s.Driver = QStringLiteral("POSTGRES");
    s.Host = address.section(u':', 0, 0);
    s.Port = address.section(u':', 1, 1).toInt();
    s.Database = QStringLiteral("postgres");
    s.User = QStringLiteral("postgres");
    return s;
}

int TTestEngine::CheckServer()
{
    if (!IsPostgres())
        return 0;
    try {
        TDatabase probe(Server());
        probe.Open();
        return 0;
    } catch (const EDatabaseError& e) {
        const bool required = !ServerAddress().isEmpty() || !qEnvironmentVariableIsEmpty("CI");
        std::fprintf(stderr, "PostgreSQL test server %s: %s\n", required ? "unreachable" : "not running (skipped)",
                     e.Message().toUtf8().constData());
        return required ? 1 : 77;
    }
}

void TTestEngine::RestartServer()
{
    // The server the tests use, whatever port the environment names for others.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SELVAR_PG_PORT"), QString::number(Server().Port));
    QProcess script;
    script.setProcessEnvironment(environment);
    script.start(QStringLiteral(SELVAR_SOURCE_DIR "/scripts/start-postgres.sh"), {QStringLiteral("--restart")});
    if (!script.waitForFinished(120000) || script.exitCode() != 0)
        throw EDatabaseError(QStringLiteral("The test server did not restart: ")
                             + QString::fromUtf8(script.readAllStandardError()));
}

TTestEngine::TFreshDatabase::TFreshDatabase(const QString& sqlitePath)
{
    if (!IsPostgres()) {
        m_settings = TConnectionSettings::Sqlite(sqlitePath);
        return;
    }
    static std::atomic<int> counter{0};
    m_settings = Server();
    m_settings.Database = QStringLiteral("selvar_t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    RunOnServer(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(m_settings.Database));
    RunOn(m_settings, kTestHelpers);
}

TTestEngine::TFreshDatabase::~TFreshDatabase()
{
    if (!IsPostgres())
        return;
    try {
        RunOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_settings.Database));
    } catch (const EDatabaseError& e) {
        std::fprintf(stderr, "could not drop %s: %s\n", m_settings.Database.toUtf8().constData(),
                     e.Message().toUtf8().constData());
    }
}
