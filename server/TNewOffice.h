#pragma once

#include <QString>

class TDatabase;

// A new office on a database of its own: the schema, the program registry,
// the common codes with the office's title, the rights level "관리자" holding
// every program, and the administrator who signs in first. No business data.
// One transaction: a refusal or an error leaves the database as it was.
class TNewOffice
{
public:
    struct Options
    {
        QString databaseUser; // names the title row
        QString title;
        QString empNo;
        QString name;
        QString password;
    };

    // Throws EDatabaseError with a Korean message: a database that already
    // holds the client's tables (naming databaseName), or an invalid option.
    static void Create(TDatabase& db, const QString& databaseName, const Options& options);
    // The problem with the administrator's number, name or password; empty
    // when they are fine.
    static QString CheckOptions(const Options& options);
};
