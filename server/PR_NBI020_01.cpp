// One month of a contract's payment schedule: register ("I") or delete ("D").
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_NBI020_01(TDatabase& db, const TStoredProc& proc)
{
    using TI = TServerInput;
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString gubun = TI::Choice(a.Text("AGUBUN"), {"I", "D"}, QString(), "처리구분");
    const auto contract = store.ContractOrRefuse(a.Text("ACONT_CODE"));
    const QString amtCode = TI::Choice(a.Text("AAMT_CODE"), {"01", "02", "03"}, QString(), "납입코드");
    const QString month = TI::Month(a.Text("ANAPIP_MONTH"), "청구년월");
    store.RefuseIfClosed(month);
    const auto line = store.Line(contract.code, amtCode, month);
    if (gubun == "D") {
        if (!line)
            TI::Refuse(QStringLiteral("삭제할 스케쥴이 없습니다."));
        if (store.HasReceipts(contract.code, amtCode, month))
            TI::Refuse(QStringLiteral("입금된 내역이 있는 스케쥴은 삭제할 수 없습니다."));
        store.DeleteLine(contract.code, amtCode, month);
        store.RefreshBilling(contract.code, month);
        store.KeepArrearsLines(contract.code);
        return;
    } else {
        if (!contract.Active())
            TI::Refuse(QStringLiteral("해지된 계약의 스케쥴은 등록할 수 없습니다."));
        const double amount = TI::Amount(a.Text("ANAPIP_AMT"), "청구금액");
        const QString due = line ? line->dueDate : TScheduleBuilder::DueDate(month, contract.startDate);
        store.PutLine({contract.code, amtCode, month, due, amount, contract.delayRate});
    }
    store.RefreshBilling(contract.code, month);
}
