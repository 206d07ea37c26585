// Regenerates a contract's payment schedule from its terms, keeping what
// must not change: the lines of closed months and lines with receipts.
#include <QSet>

#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_NBI020_02(TDatabase& db, const TStoredProc& proc)
{
    using TI = TServerInput;
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    auto contract = store.ContractOrRefuse(a.Text("ACONT_CODE"));
    if (!contract.Active())
        TI::Refuse(QStringLiteral("해지된 계약은 스케쥴을 재생성할 수 없습니다."));
    contract.startDate = TI::Date(a.Text("ASTART_DATE"), "계약시작일");
    contract.endDate = TI::Date(a.Text("AEND_DATE"), "계약종료일");
    TI::Period(contract.startDate, contract.endDate, "계약기간");
    // Sent as the start date; checked, but the whole contract is regenerated.
    TI::OptionalDate(a.Text("AIPGUM_DATE"), "적용일자");
    if (TScheduleBuilder::Months(contract.startDate, contract.endDate).size() > 600)
        TI::Refuse(QStringLiteral("계약기간이 50년을 넘어 스케쥴을 만들 수 없습니다."));

    const QSet<QString> closed = store.ClosedMonths();
    QSet<QString> kept, touched;
    auto key = [](const QString& amt, const QString& month) { return amt + month; };
    for (const auto& line : store.Lines(contract.code)) {
        if (closed.contains(line.month)
            || store.HasReceipts(contract.code, line.amtCode, line.month)) {
            kept.insert(key(line.amtCode, line.month));
            continue;
        }
        store.DeleteLine(contract.code, line.amtCode, line.month);
        touched.insert(line.month);
    }
    for (const auto& built : TScheduleBuilder::Lines(contract.Terms())) {
        if (closed.contains(built.month) || kept.contains(key(built.amtCode, built.month)))
            continue;
        store.PutLine({contract.code, built.amtCode, built.month, built.dueDate, built.amount, built.delayRate});
        touched.insert(built.month);
    }
    for (const QString& month : touched)
        store.RefreshBilling(contract.code, month);
}
