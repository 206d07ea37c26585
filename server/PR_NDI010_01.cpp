// Monthly closing with carry-over ("I"), its cancellation for one month ("D")
// or for a range of months ("T").
#include <QDate>
#include <QSet>

#include "common/TBusinessClock.h"
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
using TI = TServerInput;

void RefuseLaterClosed(TLeaseStore& store, const QString& month)
{
    const QString later = store.Sql().Value("SELECT MIN(NAPIP_MONTH) FROM NB030MS WHERE NAPIP_MONTH > :NAPIP_MONTH",
                                            {{"NAPIP_MONTH", month}}).toString();
    if (!later.isEmpty())
        TI::Refuse(QStringLiteral("이후 월(%1)이 마감되어 있어 취소할 수 없습니다. 뒤의 월부터 취소하세요.")
                       .arg(TLeaseStore::MonthText(later)));
}

void Close(TLeaseStore& store, const QString& month)
{
    TServerSql& sql = store.Sql();
    if (store.IsClosed(month))
        TI::Refuse(QStringLiteral("%1은 이미 마감되었습니다.").arg(TLeaseStore::MonthText(month)));
    const QString today = TBusinessClock::TodayText();
    if (month > today.left(6))
        TI::Refuse(QStringLiteral("아직 오지 않은 월은 마감할 수 없습니다."));
    const QString previous = TI::MonthAfter(month, -1);
    const bool previousHasLines = sql.Exists("SELECT CONT_CODE FROM NB010MS WHERE NAPIP_MONTH = :NAPIP_MONTH",
                                             {{"NAPIP_MONTH", previous}});
    if (previousHasLines && !store.IsClosed(previous))
        TI::Refuse(QStringLiteral("전월(%1)이 마감되지 않았습니다.").arg(TLeaseStore::MonthText(previous)));
    // A line not yet due has no late fee to charge and may still be paid on time.
    const QVariantMap due{{"NAPIP_MONTH", month}, {"TODAY", today}};
    const int notDue = sql.Value("SELECT COUNT(*) FROM NB010MS WHERE NAPIP_MONTH = :NAPIP_MONTH "
                                 "AND NAPIP_DATE > :TODAY", due).toInt();
    if (notDue > 0) {
        const QString last = sql.Value("SELECT MAX(NAPIP_DATE) FROM NB010MS WHERE NAPIP_MONTH = :NAPIP_MONTH",
                                       {{"NAPIP_MONTH", month}}).toString();
        TI::Refuse(QStringLiteral("%1에 납입기일이 지나지 않은 스케쥴이 %2건 있어 마감할 수 없습니다. "
                                  "%3 이후에 마감하세요.")
                       .arg(TLeaseStore::MonthText(month)).arg(notDue)
                       .arg(QStringLiteral("%1-%2-%3").arg(last.left(4), last.mid(4, 2), last.mid(6, 2))));
    }
    // Balances carried without a line this month get one before the closing.
    store.AddArrearsLines(month);

    std::vector<TMonthClosing::ScheduleLine> lines;
    for (const auto& r : sql.Rows("SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, DELAY_RATE "
                                  "FROM NB010MS WHERE NAPIP_MONTH = :NAPIP_MONTH", {{"NAPIP_MONTH", month}}))
        lines.push_back({r["CONT_CODE"].toString(), r["AMT_CODE"].toString(), r["NAPIP_MONTH"].toString(),
                         r["NAPIP_DATE"].toString(), r["NAPIP_AMT"].toDouble(), r["DELAY_RATE"].toDouble()});
    // Receipts are matched to a line by the month of their due date, as the preview does.
    std::vector<TMonthClosing::Receipt> receipts;
    for (const auto& r : sql.Rows("SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_GUBUN, IPGUM_DATE, "
                                  "IPGUM_AMT FROM NB020MS WHERE NAPIP_DATE LIKE :NAPIP_MONTH || '%'",
                                  {{"NAPIP_MONTH", month}}))
        receipts.push_back({r["CONT_CODE"].toString(), r["AMT_CODE"].toString(), r["NAPIP_MONTH"].toString(),
                            r["NAPIP_DATE"].toString(), r["NAPIP_GUBUN"].toString(), r["IPGUM_DATE"].toString(),
                            r["IPGUM_AMT"].toDouble()});

    const auto rows = TMonthClosing::Close(month, lines, store.ClosingRows(previous), receipts,
                                           TMonthClosing::SplitFor(month, today.left(6)));
    if (rows.empty())
        TI::Refuse(QStringLiteral("%1에 마감할 납입스케쥴이 없습니다.").arg(TLeaseStore::MonthText(month)));
    QSet<QString> contracts;
    for (const auto& row : rows) {
        sql.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, LAST_MINAPAMT, "
                 "LAST_DELAYAMT, NEXT_DATE, NAPIP_AMT, IPGUM_AMT, IPGUM_DELAYAMT, THIS_MINAPAMT, "
                 "THIS_MINAPDEALYAMT, THIS_MONTHDELAYAMT, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT_CODE, "
                 ":AMT_CODE, :NAPIP_MONTH, :NAPIP_DATE, :LAST_MINAPAMT, :LAST_DELAYAMT, :NEXT_DATE, "
                 ":NAPIP_AMT, :IPGUM_AMT, :IPGUM_DELAYAMT, :THIS_MINAPAMT, :THIS_MINAPDEALYAMT, 0, "
                 ":U_EMP_NO, :U_IP, :U_SYS_DATE)",
                 store.Audit({{"CONT_CODE", row.contCode}, {"AMT_CODE", row.amtCode}, {"NAPIP_MONTH", month},
                              {"NAPIP_DATE", row.napipDate}, {"LAST_MINAPAMT", row.lastUnpaid},
                              {"LAST_DELAYAMT", row.lastDelay}, {"NEXT_DATE", today},
                              {"NAPIP_AMT", row.billed}, {"IPGUM_AMT", row.paidAmount},
                              {"IPGUM_DELAYAMT", row.paidDelay}, {"THIS_MINAPAMT", row.carriedUnpaid},
                              {"THIS_MINAPDEALYAMT", row.carriedDelay}}));
        contracts.insert(row.contCode);
    }
    for (const QString& code : contracts)
        store.RefreshArrears(code);
    // ... and the next month shows what this closing carries into it.
    store.AddArrearsLines(TI::MonthAfter(month, 1));
}

// Cancelling the closings of from..to takes their carry out of the months
// after them (from+1 .. to+1), which then have only their own schedule open.
// Receipts booked there against the carry would be left as more received
// than is open, so the cancel waits until those receipts are cleared.
void RefuseOverpaidAfterCancel(TLeaseStore& store, const QString& from, const QString& to)
{
    const QString first = TI::MonthAfter(from, 1);
    const QString last = TI::MonthAfter(to, 1);
    const auto over = store.Sql().Rows(
        "SELECT R.NAPIP_MONTH, R.CONT_CODE, R.AMT_CODE, R.RECEIVED, NVL(L.NAPIP_AMT, 0) AS DUE FROM "
        "(SELECT SUBSTR(IPGUM_DATE, 1, 6) AS NAPIP_MONTH, CONT_CODE, AMT_CODE, SUM(IPGUM_AMT) AS RECEIVED "
        "FROM NB020MS WHERE IPGUM_DATE BETWEEN :FIRST_DAY AND :LAST_DAY "
        "GROUP BY SUBSTR(IPGUM_DATE, 1, 6), CONT_CODE, AMT_CODE) R "
        "LEFT JOIN NB010MS L ON L.CONT_CODE = R.CONT_CODE AND L.AMT_CODE = R.AMT_CODE "
        "AND L.NAPIP_MONTH = R.NAPIP_MONTH "
        "WHERE R.RECEIVED > NVL(L.NAPIP_AMT, 0) + 0.005 ORDER BY R.NAPIP_MONTH, R.CONT_CODE, R.AMT_CODE",
        {{"FIRST_DAY", first + "01"}, {"LAST_DAY", last + "31"}});
    if (over.empty())
        return;
    const QVariantMap& r = over.front();
    const double received = r["RECEIVED"].toDouble();
    const double due = r["DUE"].toDouble();
    TI::Refuse(QStringLiteral("%1에 이월액까지 받은 입금이 있어 마감을 취소할 수 없습니다. 계약 %2 %3: "
                              "입금 %4원이 이월을 뺀 청구액 %5원보다 %6원 많습니다. "
                              "%1의 그 입금을 먼저 취소하세요.")
                   .arg(TLeaseStore::MonthText(r["NAPIP_MONTH"].toString()), r["CONT_CODE"].toString(),
                        TI::AmountCode(r["AMT_CODE"].toString()), TI::Won(received), TI::Won(due),
                        TI::Won(received - due)));
}

// Removes the closings of from..to and brings the arrears back to the month before.
void Cancel(TLeaseStore& store, const QString& from, const QString& to)
{
    RefuseLaterClosed(store, to);
    TServerSql& sql = store.Sql();
    const QVariantMap range{{"FROM_MONTH", from}, {"TO_MONTH", to}};
    QSet<QString> contracts;
    for (const auto& r : sql.Rows("SELECT DISTINCT CONT_CODE FROM NB030MS WHERE NAPIP_MONTH BETWEEN "
                                  ":FROM_MONTH AND :TO_MONTH", range))
        contracts.insert(r["CONT_CODE"].toString());
    if (contracts.isEmpty())
        TI::Refuse(QStringLiteral("취소할 마감 자료가 없습니다."));
    RefuseOverpaidAfterCancel(store, from, to);
    sql.Exec("DELETE FROM NB030MS WHERE NAPIP_MONTH BETWEEN :FROM_MONTH AND :TO_MONTH", range);
    for (const QString& code : contracts)
        store.RefreshArrears(code);
}
} // namespace

void PR_NDI010_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString gubun = TI::Choice(a.Text("AGUBUN"), {"I", "D", "T"}, QString(), "처리구분");
    if (gubun == "T") {
        const QString from = TI::Month(a.Text("ANAPIP_MONTH_FROM"), "취소 시작년월");
        const QString to = TI::Month(a.Text("ANAPIP_MONTH_TO"), "취소 종료년월");
        TI::Period(from, to, "취소 기간");
        return Cancel(store, from, to);
    }
    const QString month = TI::Month(a.Text("ANAPIP_MONTH"), "마감년월");
    if (gubun == "I")
        return Close(store, month);
    if (!store.IsClosed(month))
        TI::Refuse(QStringLiteral("%1은 마감되지 않았습니다.").arg(TLeaseStore::MonthText(month)));
    Cancel(store, month, month);
}
