#include "server/TOfficeBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"

namespace {

[[noreturn]] void Fail(const QString& message)
{
    throw EDatabaseError(message);
}

bool IsPostgresDriver(const TConnectionSettings& s)
{
    return s.Driver.compare(QStringLiteral("POSTGRES"), Qt::CaseInsensitive) == 0;
}

// A native connection to an embedded file, closed with its owner.
class TNativeFile
{
public:
    TNativeFile(const QString& path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK)
            Fail(QStringLiteral("데이터베이스 파일을 열 수 없습니다: %1 (%2)").arg(path, Error()));
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~TNativeFile() { sqlite3_close(m_db); }
    TNativeFile(const TNativeFile&) = delete;
    TNativeFile& operator=(const TNativeFile&) = delete;

    sqlite3* Handle() const { return m_db; }
    QString Error() const { return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("메모리 부족"); }

    // Every row of a statement, each column as text.
    std::vector<QStringList> Rows(const QString& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
            Fail(QStringLiteral("백업 파일을 읽을 수 없습니다: ") + Error());
        std::vector<QStringList> rows;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            rows.push_back(row);
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            Fail(QStringLiteral("백업 파일을 읽을 수 없습니다: ") + Error());
        return rows;
    }

private:
    sqlite3* m_db = nullptr;
};

// The whole file in one step: the copy runs in one read transaction of the
// source, so it shows the database as one commit left it, while writers go
// on in the source's write-ahead log.
void CopyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    {
        TNativeFile source(from, SQLITE_OPEN_READWRITE);
        TNativeFile target(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(target.Handle(), "main", source.Handle(), "main");
        if (!backup)
            Fail(QStringLiteral("백업을 시작할 수 없습니다: ") + target.Error());
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE)
            Fail(QStringLiteral("백업하지 못했습니다: ") + QString::fromUtf8(sqlite3_errstr(rc)));
        // A copy stands alone: no log file beside it.
        target.Rows(QStringLiteral("PRAGMA journal_mode=DELETE"));
    }
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(to + QLatin1String(suffix));
}

void Publish(const QString& part, const QString& file)
{
    QFile::remove(file);
    if (!QFile::rename(part, file)) {
        QFile::remove(part);
        Fail(QStringLiteral("백업 파일을 쓸 수 없습니다: ") + file);
    }
}

QString PartName(const QString& file)
{
    return file + QStringLiteral(".part");
}

// The connection of the client programs of PostgreSQL, through their
// environment, so that the password never appears in a process list.
QProcessEnvironment PgEnvironment(const TConnectionSettings& s)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGHOST"), s.Host.isEmpty() ? QStringLiteral("localhost") : s.Host);
    if (s.Port > 0)
        env.insert(QStringLiteral("PGPORT"), QString::number(s.Port));
    env.insert(QStringLiteral("PGUSER"), s.User);
    env.insert(QStringLiteral("PGPASSWORD"), s.Password);
    env.insert(QStringLiteral("PGDATABASE"), s.Database);
    return env;
}

// Runs a client program to its end; its error output on failure.
bool RunTool(const QString& program, const QStringList& args, const QProcessEnvironment& env, QString* errors)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForStarted() || !process.waitForFinished(-1)) {
        *errors = process.errorString();
        return false;
    }
    *errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int MajorVersion(const QString& versionText)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+)(?:\\.\\d+)?")).match(versionText);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Tables of the access layer's own schemas ("schema.table": the save tokens,
// the work lock) are made by every connection and do not count.
void RequireEmpty(TDatabase& db, const QString& name)
{
    QStringList tables = db.SqlDatabase().tables();
    tables.removeIf([](const QString& table) { return table.contains(u'.'); });
    if (!tables.isEmpty())
        Fail(QStringLiteral("'%1' 데이터베이스에 이미 테이블이 있습니다. 백업은 테이블이 없는 새 데이터베이스에만 "
                            "복원합니다. 아무것도 바꾸지 않았습니다.")
                 .arg(name));
}

} // namespace

bool TOfficeBackup::IsDump(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("백업 파일을 열 수 없습니다: ") + file);
    const QByteArray head = f.read(16);
    if (head.startsWith("PGDMP"))
        return true;
    if (head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return false;
    Fail(QStringLiteral("임대업장 관리의 백업 파일이 아닙니다: ") + file);
}

void TOfficeBackup::Backup(const TConnectionSettings& source, const QString& file) const
{
    const QString part = PartName(file);
    if (!QFileInfo(file).absoluteDir().exists())
        Fail(QStringLiteral("백업 폴더가 없습니다: ") + QFileInfo(file).absolutePath());
    if (IsPostgresDriver(source)) {
        CheckDumpVersion(source);
        DumpPostgres(source, part);
    } else {
        if (!QFileInfo::exists(source.Path))
            Fail(QStringLiteral("데이터베이스 파일이 없습니다: ") + source.Path);
        try {
            CopyFile(source.Path, part);
        } catch (...) {
            QFile::remove(part);
            throw;
        }
    }
    Publish(part, file);
}

void TOfficeBackup::CheckDumpVersion(const TConnectionSettings& source) const
{
    QString output;
    QProcess process;
    process.start(pgDump, {QStringLiteral("--version")});
    if (!process.waitForStarted())
        Fail(QStringLiteral("pg_dump가 설치되어 있지 않습니다(%1). PostgreSQL 클라이언트(postgresql-client "
                            "패키지)를 설치하십시오.")
                 .arg(pgDump));
    process.waitForFinished(-1);
    const int dumpMajor = MajorVersion(QString::fromLocal8Bit(process.readAllStandardOutput()));
    TDatabase db(source);
    db.Open();
    QSqlQuery q(db.SqlDatabase());
    if (!q.exec(QStringLiteral("SHOW server_version_num")) || !q.next())
        Fail(QStringLiteral("서버의 버전을 알 수 없습니다."));
    const int serverMajor = q.value(0).toInt() / 10000;
    if (dumpMajor < serverMajor)
        Fail(QStringLiteral("pg_dump의 버전(%1)이 서버의 버전(%2)보다 낮습니다. 서버와 같거나 새로운 "
                            "PostgreSQL 클라이언트를 설치하십시오.")
                 .arg(dumpMajor)
                 .arg(serverMajor));
}

// One snapshot of the whole database: pg_dump reads in one transaction. The
// access layer's own schemas (the Oracle functions, the save tokens and the
// work lock) are left out: every client connection creates them anew.
void TOfficeBackup::DumpPostgres(const TConnectionSettings& source, const QString& part) const
{
    QString errors;
    if (!RunTool(pgDump, {QStringLiteral("--format=custom"), QStringLiteral("--no-owner"),
                          QStringLiteral("--exclude-schema=selvar_ora"), QStringLiteral("--exclude-schema=selvar_save"),
                          QStringLiteral("--file=") + part, source.Database},
                 PgEnvironment(source), &errors)) {
        QFile::remove(part);
        Fail(QStringLiteral("pg_dump가 백업하지 못했습니다: ") + errors);
    }
}

TOfficeBackup::TReport TOfficeBackup::Verify(const QString& file) const
{
    if (IsDump(file))
        return VerifyDump(file);
    TReport report;
    report.kind = QStringLiteral("SQLite");
    TNativeFile backup(file, SQLITE_OPEN_READONLY);
    const auto check = backup.Rows(QStringLiteral("PRAGMA integrity_check"));
    if (check.empty() || check.front().value(0) != QLatin1String("ok"))
        Fail(QStringLiteral("백업 파일이 손상되었습니다: ")
             + (check.empty() ? QString() : check.front().value(0)));
    const auto tables = backup.Rows(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    for (const QStringList& t : tables) {
        const QString name = t.value(0);
        const qint64 rows =
            backup.Rows(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QString(name).replace('"', "\"\"")))
                .front()
                .value(0)
                .toLongLong();
        report.tables.push_back({name, rows});
        if (name.compare(QLatin1String("SCHEMA_VERSION"), Qt::CaseInsensitive) == 0)
            report.schemaVersion =
                backup.Rows(QStringLiteral("SELECT MAX(VERSION) FROM SCHEMA_VERSION")).front().value(0).toInt();
    }
    if (report.schemaVersion == 0)
        Fail(QStringLiteral("백업 파일에 임대업장 관리의 스키마 버전이 없습니다."));
    return report;
}

// Reading the whole archive checks its blocks; the rows of each table's data
// block are counted as pg_restore writes them out.
TOfficeBackup::TReport TOfficeBackup::VerifyDump(const QString& file) const
{
    TReport report;
    report.kind = QStringLiteral("PostgreSQL");
    QProcess process;
    process.start(pgRestore, {QStringLiteral("--data-only"), QStringLiteral("--file=-"), file});
    if (!process.waitForStarted())
        Fail(QStringLiteral("pg_restore가 설치되어 있지 않습니다(%1). PostgreSQL 클라이언트(postgresql-client "
                            "패키지)를 설치하십시오.")
                 .arg(pgRestore));
    static const QRegularExpression copyLine(QStringLiteral("^COPY (?:[^.\\s]+\\.)?\"?([^\"\\s(]+)\"? "));
    TTableRows* current = nullptr;
    bool versionTable = false;
    auto consume = [&](const QByteArray& raw) {
        const QString line = QString::fromUtf8(raw).remove(QLatin1Char('\n'));
        if (!current) {
            const QRegularExpressionMatch m = copyLine.match(line);
            if (m.hasMatch()) {
                report.tables.push_back({m.captured(1).toUpper(), 0});
                current = &report.tables.back();
                versionTable = current->table == QLatin1String("SCHEMA_VERSION");
            }
        } else if (line == QLatin1String("\\.")) {
            current = nullptr;
        } else {
            ++current->rows;
            if (versionTable)
                report.schemaVersion = qMax(report.schemaVersion, line.section(QLatin1Char('\t'), 0, 0).toInt());
        }
    };
    for (;;) {
        while (process.canReadLine())
            consume(process.readLine());
        if (process.state() == QProcess::NotRunning)
            break;
        process.waitForReadyRead(1000);
    }
    while (process.canReadLine())
        consume(process.readLine());
    if (const QByteArray rest = process.readAll(); !rest.isEmpty())
        consume(rest);
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        Fail(QStringLiteral("백업 파일이 손상되었습니다: ")
             + QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    std::sort(report.tables.begin(), report.tables.end(),
              [](const TTableRows& a, const TTableRows& b) { return a.table < b.table; });
    if (report.schemaVersion == 0)
        Fail(QStringLiteral("백업 파일에 임대업장 관리의 스키마 버전이 없습니다."));
    return report;
}

void TOfficeBackup::Restore(const QString& file, const TConnectionSettings& target) const
{
    const bool dump = IsDump(file);
    if (dump != IsPostgresDriver(target))
        Fail(dump ? QStringLiteral("PostgreSQL 백업은 PostgreSQL 데이터베이스에만 복원할 수 있습니다.")
                  : QStringLiteral("SQLite 백업은 SQLite 데이터베이스 파일에만 복원할 수 있습니다."));
    Verify(file);
    if (dump)
        return RestoreDump(file, target);
    if (QFileInfo(target.Path).size() > 0) {
        TNativeFile existing(target.Path, SQLITE_OPEN_READONLY);
        if (!existing.Rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")).empty())
            Fail(QStringLiteral("'%1' 데이터베이스에 이미 테이블이 있습니다. 백업은 테이블이 없는 새 데이터베이스에만 "
                                "복원합니다. 아무것도 바꾸지 않았습니다.")
                     .arg(target.Path));
    }
    const QString part = PartName(target.Path);
    try {
        CopyFile(file, part);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    Publish(part, target.Path);
}

// In one transaction: a failed restore leaves the database empty.
void TOfficeBackup::RestoreDump(const QString& file, const TConnectionSettings& target) const
{
    {
        TDatabase db(target);
        db.Open();
        RequireEmpty(db, target.Database);
    }
    QString errors;
    if (!RunTool(pgRestore, {QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                             QStringLiteral("--single-transaction"), QStringLiteral("--exit-on-error"),
                             QStringLiteral("--dbname=") + target.Database, file},
                 PgEnvironment(target), &errors))
        Fail(QStringLiteral("pg_restore가 복원하지 못했습니다: ") + errors);
}
