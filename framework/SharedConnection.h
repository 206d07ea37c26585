#pragma once

class TDatabase;

// The one connection that every screen's queries and procedures run on. The
// data module hands it over at start-up; until then (and in tests that set
// none) screens get a closed connection of their own that any statement
// reports as not open.
class SharedConnection
{
public:
    static TDatabase& Database();
    static void SetDatabase(TDatabase* database);
};
