// Checks one row of the management-fee sheet and writes nothing.
#include "common/TStoredProc.h"
#include "server/TFeeImportRow.h"
#include "server/TProcedureArgs.h"
#include "server/TServerProcedures.h"

void PR_NBI040_IM(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.Text("AU_EMP_NO"), a.Ip());
    TFeeImportRow::Check(store, a);
}
