#pragma once

#include <QString>
#include <vector>

#include "common/TConnectionSettings.h"

// Backups of an office database while its clients keep working. An embedded
// file is copied through the engine's online backup into a file of the same
// kind; a PostgreSQL database is dumped by pg_dump in its custom format. A
// backup is written beside its final name and renamed only when complete, so
// a failed run never leaves a half file under that name. Every failure throws
// EDatabaseError with a Korean message.
class TOfficeBackup
{
public:
    struct TTableRows
    {
        QString table;
        qint64 rows = 0;
    };
    struct TReport
    {
        QString kind; // "SQLite" or "PostgreSQL"
        int schemaVersion = 0;
        std::vector<TTableRows> tables;
    };

    // The programs of the PostgreSQL client used for dumps and restores.
    QString pgDump = QStringLiteral("pg_dump");
    QString pgRestore = QStringLiteral("pg_restore");

    void Backup(const TConnectionSettings& source, const QString& file) const;
    // Opens a backup and checks it: the engine's integrity check (or a full
    // read of the dump), the schema version and the rows of every table.
    TReport Verify(const QString& file) const;
    // Restores into a database without tables only; one that holds tables is
    // refused and left as it was.
    void Restore(const QString& file, const TConnectionSettings& target) const;

private:
    static bool IsDump(const QString& file);
    void DumpPostgres(const TConnectionSettings& source, const QString& part) const;
    void CheckDumpVersion(const TConnectionSettings& source) const;
    TReport VerifyDump(const QString& file) const;
    void RestoreDump(const QString& file, const TConnectionSettings& target) const;
};
