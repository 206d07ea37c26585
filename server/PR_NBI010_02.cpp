// Deletes exactly one receipt line.
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_NBI010_02(TDatabase& db, const TStoredProc& proc)
{
    using TI = TServerInput;
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString month = TI::Month(a.Text("ANAPIP_MONTH"), "납입월");
    bool seqOk = false;
    const int seq = static_cast<int>(a.Text("AIPGUM_SEQ").toDouble(&seqOk));
    if (!seqOk)
        TI::Refuse(QStringLiteral("%1 올바르지 않습니다.").arg(TI::Quoted("순번", a.Text("AIPGUM_SEQ"))));
    QVariantMap key{{"CONT_CODE", a.Text("ACONT_CODE")}, {"AMT_CODE", a.Text("AAMT_CODE")},
                    {"NAPIP_MONTH", month}, {"NAPIP_GUBUN", a.Text("ANAPIP_GUBUN")},
                    {"IPGUM_DATE", a.Text("AIPGUM_DATE")}, {"IPGUM_SEQ", seq}};
    QString where = "CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE AND NAPIP_MONTH = :NAPIP_MONTH "
                    "AND NAPIP_GUBUN = :NAPIP_GUBUN AND IPGUM_DATE = :IPGUM_DATE AND IPGUM_SEQ = :IPGUM_SEQ";
    if (a.Text("ANAPIP_DATE").isEmpty()) {
        where += " AND NAPIP_DATE IS NULL";
    } else {
        where += " AND NAPIP_DATE = :NAPIP_DATE";
        key.insert("NAPIP_DATE", a.Text("ANAPIP_DATE"));
    }
    if (!store.Sql().Exists("SELECT CONT_CODE FROM NB020MS WHERE " + where, key))
        TI::Refuse(QStringLiteral("삭제할 입금 내역이 없습니다."));
    if (store.IsClosed(month))
        TI::Refuse(QStringLiteral("마감된 월의 입금은 삭제할 수 없습니다."));
    store.Sql().Exec("DELETE FROM NB020MS WHERE " + where, key);
}
