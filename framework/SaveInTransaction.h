#pragma once

#include <functional>

class TDatabase;

// Runs a save's calls in one transaction of `database` (connected and started
// when needed) under the wait cursor, and commits. When a call fails, all of
// it is rolled back and the save error is shown once; the result is then
// false. A silent end (EAbort) from the calls rolls back and goes on up.
bool SaveInTransaction(TDatabase& database, const std::function<void()>& calls);
