#include "shell/TConnectionFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

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
        return entry;
    }
    // Anything but letters, digits, '-' and '_' could leave the data folder.
    QString fileName = databaseName;
    fileName.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    if (fileName.isEmpty())
        fileName = QStringLiteral("DEMO");
    entry.settings.Path = QDir(DemoFolder()).filePath(fileName + QStringLiteral(".db"));
    entry.demo = true;
    return entry;
}

QString TConnectionFile::DemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}
