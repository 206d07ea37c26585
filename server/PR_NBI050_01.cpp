// Basic data of a contract from a sheet: one row of billed amount and receipt
// ("1"), or the removal of that data for a month range ("3").
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
using TI = TServerInput;

void RefuseOtherShop(const TLeaseStore::Contract& c, const QString& site)
{
    if (site != c.shopCode)
        TI::Refuse(QStringLiteral("업장코드(%1)가 선택한 계약의 업장(%2)과 다릅니다.").arg(site, c.shopCode));
}

// Sheet dates may arrive as 2024-01-15 or 2024.01.15.
QString SheetDate(const QString& text)
{
    QString digits = text;
    digits.remove('-').remove('.').remove('/');
    return TI::Date(digits, "입금일자");
}

void Register(TLeaseStore& store, const TProcedureArgs& a, const TLeaseStore::Contract& c)
{
    const char* const cells[] = {"AUPJANG_CODE", "AAMT_CODE", "ANAPIP_MONTH", "ANAPIP_AMT",
                                 "AIPGUM_MONTH", "AIPGUM_DATE", "AIPGUM_AMT"};
    bool blank = true;
    for (const char* cell : cells)
        blank = blank && a.Text(cell).isEmpty();
    if (blank)
        return;
    RefuseOtherShop(c, a.Text("AUPJANG_CODE"));
    const QString amtCode = TI::Choice(a.Text("AAMT_CODE"), {"01", "02", "03"}, QString(), "납입코드");
    if (!a.Text("ANAPIP_MONTH").isEmpty()) {
        const QString month = TI::Month(a.Text("ANAPIP_MONTH"), "청구 납입월");
        store.RefuseIfClosed(month);
        const double amount = TI::Amount(a.Text("ANAPIP_AMT"), "청구금액");
        const auto line = store.Line(c.code, amtCode, month);
        const QString due = line ? line->dueDate : TScheduleBuilder::DueDate(month, c.startDate);
        store.PutLine({c.code, amtCode, month, due, amount, c.delayRate});
        store.RefreshBilling(c.code, month);
    }
    const double received = TI::Amount(a.Text("AIPGUM_AMT"), "입금금액");
    if (received <= 0)
        return;
    const QString month = TI::Month(a.Text("AIPGUM_MONTH"), "입금 납입월");
    store.RefuseIfClosed(month);
    const QString date = SheetDate(a.Text("AIPGUM_DATE"));
    if (date.left(6) != month)
        TI::Refuse(QStringLiteral("입금일자(%1)가 입금 납입월(%2)에 속하지 않습니다.")
                       .arg(date, TLeaseStore::MonthText(month)));
    const QString remark = QStringLiteral("기초데이타등록");
    // The same sheet row registered again leaves the data as the first time did.
    const bool registered = store.Sql().Exists(
        "SELECT CONT_CODE FROM NB020MS WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE "
        "AND NAPIP_MONTH = :NAPIP_MONTH AND IPGUM_DATE = :IPGUM_DATE AND IPGUM_AMT = :IPGUM_AMT "
        "AND REMARKS = :REMARKS",
        {{"CONT_CODE", c.code}, {"AMT_CODE", amtCode}, {"NAPIP_MONTH", month}, {"IPGUM_DATE", date},
         {"IPGUM_AMT", received}, {"REMARKS", remark}});
    if (registered)
        return;
    if (!store.Line(c.code, amtCode, month)) {
        store.PutLine({c.code, amtCode, month, TMonthClosing::ArrearsDueDate(month), 0, c.delayRate});
        store.RefreshBilling(c.code, month);
    }
    store.InsertReceipt(c.code, amtCode, month, "1", date, store.NextSeq(c.code, date), received,
                        QString(), remark);
}

void Initialise(TLeaseStore& store, const TProcedureArgs& a, const TLeaseStore::Contract& c)
{
    RefuseOtherShop(c, a.Text("ASHOP_CODE"));
    const QString from = TI::Month(a.Text("AFROM_MONTH"), "시작 납입월");
    const QString to = TI::Month(a.Text("ATO_MONTH"), "종료 납입월");
    TI::Period(from, to, "초기화 기간");
    const QVariantMap range{{"FROM_MONTH", from}, {"TO_MONTH", to}};
    const QString closed = store.Sql().Value("SELECT MIN(NAPIP_MONTH) FROM NB030MS WHERE NAPIP_MONTH "
                                             "BETWEEN :FROM_MONTH AND :TO_MONTH", range).toString();
    if (!closed.isEmpty())
        TI::Refuse(QStringLiteral("마감된 월(%1)이 포함되어 초기화할 수 없습니다.").arg(TLeaseStore::MonthText(closed)));
    QVariantMap binds = range;
    binds.insert("CONT_CODE", c.code);
    TServerSql& sql = store.Sql();
    sql.Exec("DELETE FROM NB020MS WHERE CONT_CODE = :CONT_CODE AND NAPIP_MONTH BETWEEN :FROM_MONTH AND :TO_MONTH", binds);
    sql.Exec("DELETE FROM NB010MS WHERE CONT_CODE = :CONT_CODE AND NAPIP_MONTH BETWEEN :FROM_MONTH AND :TO_MONTH", binds);
    sql.Exec("DELETE FROM NB020DT WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH BETWEEN :FROM_MONTH AND :TO_MONTH", binds);
    sql.Exec("DELETE FROM NB010DT WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH BETWEEN :FROM_MONTH AND :TO_MONTH", binds);
    store.KeepArrearsLines(c.code);
}
} // namespace

void PR_NBI050_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    const QString gubun = TI::Choice(a.Text("AGUBUN"), {"1", "3"}, QString(), "처리구분");
    // Initialisation only removes rows, so it records no author.
    TLeaseStore store(db, gubun == "1" ? a.EmpNo() : a.Text("AU_EMP_NO"), a.Ip());
    const auto contract = store.ContractOrRefuse(a.Text("ACONT_CODE"));
    if (gubun == "1")
        Register(store, a, contract);
    else
        Initialise(store, a, contract);
}
