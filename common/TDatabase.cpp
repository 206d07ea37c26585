#include "common/TDatabase.h"

#include <QSqlError>
#include <atomic>

#include "common/EDatabaseError.h"
#include "common/TPostgresDialect.h"
#include "common/TQtSqlDialect.h"
#include "common/TSqliteDialect.h"

namespace {

QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("selvar_db_%1").arg(++counter);
}

bool Is(const QString& driver, const char* name)
{
    return driver.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

TDatabase::TDatabase() = default;

TDatabase::TDatabase(const TConnectionSettings& settings) : m_settings(settings) {}

TDatabase::~TDatabase()
{
    try {
        Close();
    } catch (const EDatabaseError&) {
        Release(); // the connection goes regardless
    }
}

void TDatabase::SetSettings(const TConnectionSettings& settings)
{
    if (Connected())
        throw EDatabaseError(QStringLiteral("Cannot change the settings of an open connection"));
    m_settings = settings;
}

void TDatabase::SetConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

TSqlDialect& TDatabase::Dialect() const
{
    if (!m_dialect)
        throw EDatabaseError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
    return *m_dialect;
}

std::unique_ptr<TSqlDialect> TDatabase::CreateDialect(QString* qtDriver) const
{
    const QString& driver = m_settings.Driver;
    if (Is(driver, "SQLITE")) {
        *qtDriver = QStringLiteral("QSQLITE");
        return std::make_unique<TSqliteDialect>();
    }
    if (Is(driver, "POSTGRES")) {
        *qtDriver = QStringLiteral("QPSQL");
        if (!QSqlDatabase::isDriverAvailable(*qtDriver))
            throw EDatabaseError(QStringLiteral("데이터베이스 드라이버 %1이(가) 설치되어 있지 않습니다.").arg(*qtDriver));
        return std::make_unique<TPostgresDialect>();
    }
    *qtDriver = Is(driver, "ORACLE") ? QStringLiteral("QOCI") : Is(driver, "ODBC") ? QStringLiteral("QODBC") : driver;
    if (!QSqlDatabase::isDriverAvailable(*qtDriver))
        throw EDatabaseError(QStringLiteral("데이터베이스 드라이버 %1이(가) 설치되어 있지 않습니다.").arg(*qtDriver));
    return std::make_unique<TQtSqlDialect>(driver.toUpper());
}

void TDatabase::ConfigureQtConnection()
{
    if (Is(m_settings.Driver, "SQLITE")) {
        if (m_settings.Path.isEmpty())
            throw EDatabaseError(QStringLiteral("데이터베이스 파일이 지정되지 않았습니다."));
        m_db.setDatabaseName(m_settings.Path);
        return;
    }
    m_db.setDatabaseName(m_settings.Database.isEmpty() ? m_settings.Path : m_settings.Database);
    m_db.setHostName(m_settings.Host);
    if (m_settings.Port > 0)
        m_db.setPort(m_settings.Port);
    m_db.setUserName(m_settings.User);
    m_db.setPassword(m_settings.Password);
    if (Is(m_settings.Driver, "POSTGRES"))
        m_db.setConnectOptions(QStringLiteral("connect_timeout=5"));
}

void TDatabase::Open()
{
    if (Connected())
        return;
    QString qtDriver;
    std::unique_ptr<TSqlDialect> dialect = CreateDialect(&qtDriver);
    m_connectionName = NextConnectionName();
    m_db = QSqlDatabase::addDatabase(qtDriver, m_connectionName);
    try {
        ConfigureQtConnection();
        if (!m_db.open()) {
            const QSqlError error = m_db.lastError();
            throw EDatabaseError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
        }
        dialect->Attach(m_db, m_settings);
    } catch (...) {
        dialect->Detach();
        Release();
        throw;
    }
    m_dialect = std::move(dialect);
}

void TDatabase::Close()
{
    if (!Connected())
        return;
    try {
        Rollback();
    } catch (...) {
        Release();
        throw;
    }
    Release();
}

void TDatabase::Release()
{
    m_transactionId = 0;
    if (m_dialect)
        m_dialect->Detach();
    m_dialect.reset();
    if (m_connectionName.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

void TDatabase::StartTransaction(int id)
{
    if (InTransaction())
        throw EDatabaseError(QStringLiteral("A transaction is already active on this connection"));
    Dialect().Begin();
    m_transactionId = id == 0 ? 1 : id;
}

void TDatabase::Commit()
{
    if (!InTransaction())
        throw EDatabaseError(QStringLiteral("No transaction is active on this connection"));
    Dialect().Commit();
    m_transactionId = 0;
}

void TDatabase::Rollback()
{
    if (!InTransaction())
        return;
    m_transactionId = 0;
    Dialect().Rollback();
}
