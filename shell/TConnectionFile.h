#pragma once

#include <QString>

#include "common/TConnectionSettings.h"

// Resolves the database name of the command line to a connection through
// "Databases.ini" beside the executable: one section per database name with
//   Driver   SQLITE (default), POSTGRES, ORACLE, ODBC or a Qt SQL driver name
//   Path     the SQLite file (relative paths start in the program folder)
//   Host, Port, Database   for a database server
//   User     the database user the launcher and the office tool sign in with
// "DEMO" without a section is the demonstration database: a SQLite file in
// the user's data folder, created and filled on first use. Any other name
// without a section is refused (EDatabaseError naming the name and the file).
class TConnectionFile
{
public:
    struct Entry
    {
        TConnectionSettings settings;
        bool demo = false; // the per-user file, created and filled when new
        QString user;      // the section's "User": the database user to sign in with
    };

    static QString FileName() { return QStringLiteral("Databases.ini"); }
    static QString DemoName() { return QStringLiteral("DEMO"); }
    static Entry Resolve(const QString& appDir, const QString& databaseName);
    // The user's data folder holding the demonstration databases.
    static QString DemoFolder();
};
