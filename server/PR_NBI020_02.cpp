// Regenerates a contract's payment schedule from its terms, keeping what
// must not change: the lines of closed months and lines with receipts.
#include <QHash>
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
    if (contract.Renewed())
        TI::Period(contract.termStart, contract.endDate, "재계약기간");
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
    // A billed month keeps the bill's total as its management fee.
    QHash<QString, double> billed;
    for (const auto& r : store.Sql().Rows("SELECT CONT_MONTH, TOT_MONEY FROM NB020DT WHERE CONT_CODE = :CONT_CODE",
                                          {{"CONT_CODE", contract.code}}))
        billed.insert(r["CONT_MONTH"].toString(), r["TOT_MONEY"].toDouble());
    auto firstOpen = [&](QString month) {
        while (closed.contains(month))
            month = TI::MonthAfter(month, 1);
        return month;
    };
    // The dates sent bound the whole contract: the first term's start and the
    // running term's end.
    std::vector<TScheduleBuilder::Terms> terms = store.AllTerms(contract);
    terms.front().startDate = contract.startDate;
    terms.back().endDate = contract.endDate;
    std::vector<TScheduleBuilder::Line> built = TScheduleBuilder::Lines(terms);
    for (auto& line : built) {
        if (line.amtCode == "03" && billed.contains(line.month))
            line.amount = billed.value(line.month);
        // A deposit share due in a closed month that holds no deposit line would
        // never be billed: it falls due in the first open month instead.
        if (line.amtCode == "01" && closed.contains(line.month) && !kept.contains(key("01", line.month))) {
            line.month = firstOpen(line.month);
            line.dueDate = TScheduleBuilder::DueDate(line.month, line.dueDate);
        }
    }
    QHash<QString, TMonthClosing::ScheduleLine> puts;
    QStringList order;
    for (const auto& b : built) {
        if (closed.contains(b.month) || kept.contains(key(b.amtCode, b.month)))
            continue;
        const QString k = key(b.amtCode, b.month);
        if (puts.contains(k)) {
            puts[k].amount += b.amount;
            continue;
        }
        order << k;
        puts.insert(k, {contract.code, b.amtCode, b.month, b.dueDate, b.amount, b.delayRate});
    }
    for (const QString& k : order) {
        store.PutLine(puts.value(k));
        touched.insert(puts.value(k).month);
    }
    for (const QString& month : touched)
        store.RefreshBilling(contract.code, month);
    store.KeepArrearsLines(contract.code);
}
