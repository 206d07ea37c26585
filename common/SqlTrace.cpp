#include "common/SqlTrace.h"

#include "common/TQuery.h"
#include "common/TSqlTraceFile.h"
#include "common/TTraceSettings.h"

void RunQueryWithTrace(TQuery& query, const QString& operation)
{
    const TTraceSettings& settings = TTraceSettings::Current();
    TSqlTraceFile trace(settings);
    trace.WriteStatement(query.SQL());
    const bool open = operation.toUpper().contains(QLatin1String("OPEN"));
    const QDateTime started = settings.CurrentTime();
    if (open)
        query.Open();
    else
        query.ExecSQL();
    const qint64 elapsed = started.msecsTo(settings.CurrentTime());
    if (open)
        trace.WriteOpened(elapsed);
    else
        trace.WriteExecuted(query.RowsAffected(), elapsed);
}
