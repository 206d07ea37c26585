#pragma once

#include <QString>

class TDatabase;

// Opens the database a name of Databases.ini stands for, the same way for
// the client, the sign-in launcher and the office tool: a demonstration
// database is created and filled when new, a shared server's database is
// brought up to this client's schema, a listed embedded file must exist.
class TOfficeConnection
{
public:
    // The database user of a name: the section's "User" key, or "SELVAR".
    static QString DatabaseUser(const QString& appDir, const QString& databaseName);
    // Throws EDatabaseError with the reason.
    static void Open(TDatabase& db, const QString& appDir, const QString& databaseName,
                     const QString& user, const QString& password);

private:
    static void PrepareDemoDatabase(TDatabase& db, const QString& user);
};
