#pragma once

#include <QStringList>

class TDatabase;

// The tables of the lease-site database. A table SCHEMA_VERSION records which
// version a file carries, so that a newer client upgrades an older file step by
// step without losing data. The definitions use standard types only:
// codes, months (YYYYMM) and dates (YYYYMMDD) are text, amounts and rates
// floating-point numbers, sequence numbers integers, audit stamps timestamps.
class TSchema
{
public:
    static int LatestVersion();
    // 0 for a database without the version table.
    static int CurrentVersion(TDatabase& db);
    // Creates every table on an empty database; refuses a database that already
    // holds tables.
    static void Create(TDatabase& db);
    // The client's tables (SCHEMA_VERSION included) that the database holds.
    static QStringList ClientTablesIn(TDatabase& db);
    // Brings a database of any earlier version up to LatestVersion, in one
    // transaction (the caller's, when one is open); a database without tables
    // is created. Clients that start at once on a new database take turns.
    static void Upgrade(TDatabase& db);

    // The turn to create or upgrade the schema, held while alive. On
    // PostgreSQL a session lock taken before the transaction starts, so that
    // the transaction's snapshot shows what the previous holder committed;
    // the embedded engine's transaction takes the file's write lock itself.
    class Turn
    {
    public:
        explicit Turn(TDatabase& db);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        TDatabase& m_db;
        bool m_held = false;
    };
};
