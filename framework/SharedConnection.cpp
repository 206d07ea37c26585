#include "framework/SharedConnection.h"

#include "common/TDatabase.h"

namespace {
TDatabase* g_database = nullptr;
}

TDatabase& SharedConnection::Database()
{
    if (g_database)
        return *g_database;
    static TDatabase unconnected;
    return unconnected;
}

void SharedConnection::SetDatabase(TDatabase* database)
{
    g_database = database;
}
