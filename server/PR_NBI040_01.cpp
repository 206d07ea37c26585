// Registers one row of the management-fee sheet as the month's bill of the
// contract running at the site, billed on the line's due date.
#include "common/TStoredProc.h"
#include "server/TFeeImportRow.h"
#include "server/TProcedureArgs.h"
#include "server/TServerProcedures.h"

void PR_NBI040_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    auto row = TFeeImportRow::Check(store, a);
    if (!row)
        return;
    const auto& c = row->contract;
    auto line = store.Line(c.code, "03", row->bill.month);
    if (!line) {
        line = TMonthClosing::ScheduleLine{c.code, "03", row->bill.month,
                                           TScheduleBuilder::DueDate(row->bill.month, c.startDate), 0, c.delayRate};
        store.PutLine(*line);
    }
    row->bill.demandDate = line->dueDate;
    store.PutBill(row->bill);
}
