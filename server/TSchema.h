#pragma once

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
    // Brings a database of any earlier version up to LatestVersion, in one
    // transaction; a database without tables is created.
    static void Upgrade(TDatabase& db);
};
