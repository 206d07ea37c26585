#include "shell/TOfficeConnection.h"

#include <QDir>
#include <QFileInfo>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "server/TDemoData.h"
#include "server/TMenuData.h"
#include "server/TSchema.h"
#include "shell/TConnectionFile.h"

namespace {
qint64 Count(TDatabase& db, const QString& table)
{
    TQuery q(db);
    q.SQL() << QStringLiteral("SELECT COUNT(*) FROM ") + table;
    q.Open();
    return q.Fields(0).AsInteger();
}
} // namespace

QString TOfficeConnection::DatabaseUser(const QString& appDir, const QString& databaseName)
{
    const TConnectionFile::Entry entry = TConnectionFile::Resolve(appDir, databaseName);
    return entry.user.isEmpty() ? TDemoData::DatabaseUser : entry.user;
}

void TOfficeConnection::Open(TDatabase& db, const QString& appDir, const QString& databaseName,
                             const QString& user, const QString& password)
{
    TConnectionFile::Entry entry = TConnectionFile::Resolve(appDir, databaseName);
    entry.settings.User = user;
    entry.settings.Password = password;
    const bool sqlite = entry.settings.Driver.compare(QStringLiteral("SQLITE"), Qt::CaseInsensitive) == 0;
    if (sqlite && !entry.demo && !QFileInfo::exists(entry.settings.Path))
        throw EDatabaseError(QStringLiteral("데이터베이스 파일이 없습니다: ") + entry.settings.Path);
    if (entry.demo && !QDir().mkpath(QFileInfo(entry.settings.Path).absolutePath()))
        throw EDatabaseError(QStringLiteral("데이터 폴더를 만들 수 없습니다: ")
                             + QFileInfo(entry.settings.Path).absolutePath());
    db.SetSettings(entry.settings);
    db.Open();
    const bool postgres = entry.settings.Driver.compare(QStringLiteral("POSTGRES"), Qt::CaseInsensitive) == 0;
    if (entry.demo)
        PrepareDemoDatabase(db, user);
    else if (postgres)
        TSchema::Upgrade(db); // a new shared database gets its tables from the first client
    else if (sqlite && TSchema::CurrentVersion(db) > 0)
        TSchema::Upgrade(db); // an office file of an older client
}

// A new demonstration file gets the schema and the demonstration data; an
// older one is brought up to the current schema, and gets the demonstration
// employees when it had none, so they can sign in.
void TOfficeConnection::PrepareDemoDatabase(TDatabase& db, const QString& user)
{
    if (TSchema::CurrentVersion(db) < TSchema::LatestVersion())
        TSchema::Upgrade(db);
    if (Count(db, QStringLiteral("ZA040MS")) == 0) {
        TDemoData::Options options;
        options.databaseUser = user;
        TDemoData::Fill(db, options);
    } else if (Count(db, QStringLiteral("ZA010MS")) == 0) {
        db.StartTransaction();
        try {
            TMenuData::FillEmployees(db);
            db.Commit();
        } catch (...) {
            db.Rollback();
            throw;
        }
    }
}
