#pragma once

#include <QString>

class TQuery;

// Runs a query and traces it in the daily trace file of the program folder:
// the statement before it runs, then how long it took (and, for a statement
// that changes data, how many rows it touched). An operation word that
// contains "OPEN" in any case opens the query; any other word executes it.
// A failing statement leaves its header and text in the file and its error
// goes on to the caller; a trace file that cannot be written raises
// EInOutError (before the statement runs, when it is the first write). The
// session values come from TTraceSettings::Current().
void RunQueryWithTrace(TQuery& query, const QString& operation);
