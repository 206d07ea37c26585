#pragma once

#include <QString>

#include "common/TConnectionSettings.h"

// The engine the database tests run on: a file of the embedded engine, or,
// with SELVAR_TEST_ENGINE=POSTGRES (or the argument --engine=POSTGRES), a
// fresh database on the PostgreSQL test
// server named by SELVAR_TEST_POSTGRES (host:port, scripts/start-postgres.sh).
namespace TTestEngine {

bool IsPostgres();
// The test server as connection settings to its maintenance database.
TConnectionSettings Server();
// Before the tests run: 0 to run them, otherwise the exit code (77 skips when
// no server is configured outside CI; a configured server that cannot be
// reached, or none in CI, fails).
int CheckServer();
// Restarts the test server (for tests of a dropped connection).
void RestartServer();

// A database of its own for one test: the embedded file at sqlitePath, or a
// new database on the server that goes when the guard does.
class TFreshDatabase
{
public:
    explicit TFreshDatabase(const QString& sqlitePath);
    ~TFreshDatabase();
    TFreshDatabase(const TFreshDatabase&) = delete;
    TFreshDatabase& operator=(const TFreshDatabase&) = delete;

    const TConnectionSettings& Settings() const { return m_settings; }

private:
    TConnectionSettings m_settings;
};

} // namespace TTestEngine
