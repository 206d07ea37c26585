#include "shell/TConnectionFile.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "common/EDatabaseError.h"
#include "common/TConfigFile.h"

TConnectionFile::Entry TConnectionFile::Resolve(const QString& appDir, const QString& databaseName)
{
    Entry entry;
    TConfigFile config(appDir + FileName());
    QSettings& ini = config.Settings();
    if (!databaseName.isEmpty() && ini.childGroups().contains(databaseName)) {
        ini.beginGroup(databaseName);
        entry.settings.Driver = ini.value(QStringLiteral("Driver"), QStringLiteral("SQLITE")).toString();
        const QString path = ini.value(QStringLiteral("Path")).toString();
        entry.settings.Path = path.isEmpty() ? QString() : QDir(appDir).absoluteFilePath(path);
        entry.settings.Host = ini.value(QStringLiteral("Host")).toString();
        entry.settings.Port = ini.value(QStringLiteral("Port"), 0).toInt();
        entry.settings.Database = ini.value(QStringLiteral("Database")).toString();
        entry.user = ini.value(QStringLiteral("User")).toString().trimmed();
        return entry;
    }
    // Only the documented demonstration name makes a database of its own: a
    // mistyped name must not open a freshly filled set of invented data.
    if (databaseName.compare(DemoName(), Qt::CaseInsensitive) != 0)
        throw EDatabaseError(QStringLiteral("'%1' 데이터베이스가 %2에 등록되어 있지 않습니다.")
                                 .arg(databaseName, QDir::toNativeSeparators(appDir + FileName())));
    entry.settings.Path = QDir(DemoFolder()).filePath(DemoName() + QStringLiteral(".db"));
    entry.demo = true;
    return entry;
}

QString TConnectionFile::DemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}
