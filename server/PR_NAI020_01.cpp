// Lease contracts: new ("2"), change and termination ("1"), deletion ("3")
// and renewal ("4").
#include <QSet>
#include <algorithm>

#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
using TI = TServerInput;

// The checked values of one call, by column name.
QVariantMap ReadContract(const TProcedureArgs& a, TServerSql& sql)
{
    const QString cCode = TI::Required(a.Text("AC_CODE"), "거래처코드");
    if (!sql.Exists("SELECT C_CODE FROM VA050MS WHERE C_CODE = :C_CODE", {{"C_CODE", cCode}}))
        TI::Refuse(QStringLiteral("%1 존재하지 않습니다.").arg(TI::QuotedSubject("거래처코드", cCode)));
    const QString shop = TI::Required(a.Text("ASHOP_CODE"), "업장코드");
    if (!sql.Exists("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_CODE = :SHOP_CODE", {{"SHOP_CODE", shop}}))
        TI::Refuse(QStringLiteral("업장코드(%1)가 임대업장으로 등록되어 있지 않습니다.").arg(shop));
    const QString start = TI::Date(a.Text("ACONT_START_DATE"), "계약시작일");
    const QString end = TI::Date(a.Text("ACONT_END_DATE"), "계약종료일");
    TI::Period(start, end, "계약기간");
    // A termination may come before the start: a contract cancelled before it
    // began, or a renewed one ended during its former period.
    const QString cancel = TI::OptionalDate(a.Text("ACONT_CANCEL_DATE"), "해약일자");
    const double deposit = TI::Amount(a.Text("ACONT_DEPOSIT"), "보증금");
    const double first = TI::Amount(a.Text("AFIRST_DEPOSIT"), "계약금");
    if (first > deposit)
        TI::Refuse(QStringLiteral("계약금이 보증금보다 클 수 없습니다."));
    return {
        {"C_CODE", cCode},
        {"SHOP_CODE", shop},
        {"CONT_START_DATE", start},
        {"CONT_END_DATE", end},
        {"CONT_CANCEL_DATE", cancel},
        {"CONT_DEPOSIT", deposit},
        {"CONT_LEASE_MONEY", TI::Amount(a.Text("ACONT_LEASE_MONEY"), "임대료")},
        {"CONT_MANAGE_PAY", TI::Amount(a.Text("ACONT_MANAGE_PAY"), "관리비")},
        {"CONT_SHOP_TYPE", TI::Limited(a.Text("ACONT_SHOP_TYPE"), 20, "업장형태")},
        {"CONT_PENALTY", TI::Amount(a.Text("ACONT_PENALTY"), "위약금")},
        {"CONT_DELAYRATE", TI::Rate(a.Text("ACONT_DELAYRATE"), "연체율")},
        {"CONT_SIZE1", TI::Amount(a.Text("ACONT_SIZE1"), "전체면적")},
        {"CONT_SIZE2", TI::Amount(a.Text("ACONT_SIZE2"), "계약면적")},
        {"CONT_PERMIT", TI::Limited(a.Text("ACONT_PERMIT"), 20, "허가내용")},
        {"CONT_NO", TI::Limited(a.Text("ACONT_NO"), 15, "허가번호")},
        {"PERMIT_DATE", TI::OptionalDate(a.Text("APERMIT_DATE"), "허가일자")},
        {"CONT_REMARK", TI::Limited(a.Raw("ACONT_REMARK"), 200, "비고")},
        {"CONT_CANCEL_REM", TI::Limited(a.Raw("ACONT_CANCEL_REM"), 200, "해지사유")},
        {"CONT_DATE", TI::OptionalDate(a.Text("ACONT_DATE"), "계약체결일")},
        {"BALANCE_DATE", TI::OptionalDate(a.Text("ABALANCE_DATE"), "잔금예정일")},
        {"FIRST_DEPOSIT", first},
        {"LAST_DEPOSIT", TI::Amount(a.Text("ALAST_DEPOSIT"), "잔금")},
        {"MINAP_CHK", TI::Choice(a.Text("AMINAP_CHK"), {"Y", "N"}, "Y", "미납금관리")},
        {"CONT_UPJANGNAME", TI::Limited(a.Text("ACONT_UPJANGNAME"), 20, "계약업장명")},
        {"MANAGE_YN", TI::Choice(a.Text("AMANAGE_YN"), {"Y", "N"}, "Y", "관리여부")},
    };
}

void RefuseOverlap(TLeaseStore& store, const QVariantMap& c, const QString& exceptCode)
{
    const QString start = c["CONT_START_DATE"].toString();
    const QString cancel = c["CONT_CANCEL_DATE"].toString();
    const QString end = cancel.isEmpty() ? c["CONT_END_DATE"].toString() : cancel;
    if (store.Overlaps(c["SHOP_CODE"].toString(), start, end, exceptCode))
        TI::Refuse(QStringLiteral("같은 업장에 계약기간이 겹치는 계약이 있습니다."));
}

QString NextContractCode(TServerSql& sql)
{
    const QString highest = sql.Value("SELECT MAX(CONT_CODE) FROM NA020MS WHERE CONT_CODE BETWEEN "
                                       "'000000' AND '999999'").toString();
    int next = highest.toInt() + 1;
    while (sql.Exists("SELECT CONT_CODE FROM NA020MS WHERE CONT_CODE = :CONT_CODE",
                      {{"CONT_CODE", QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0'))}}))
        ++next;
    if (next > 999999)
        TI::Refuse(QStringLiteral("더 이상 계약코드를 부여할 수 없습니다."));
    return QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0'));
}

const char* const kColumns[] = {
    "C_CODE", "SHOP_CODE", "CONT_START_DATE", "CONT_END_DATE", "CONT_CANCEL_DATE", "CONT_DEPOSIT",
    "CONT_LEASE_MONEY", "CONT_MANAGE_PAY", "CONT_SHOP_TYPE", "CONT_PENALTY", "CONT_DELAYRATE",
    "CONT_SIZE1", "CONT_SIZE2", "CONT_PERMIT", "CONT_NO", "PERMIT_DATE", "CONT_REMARK",
    "CONT_CANCEL_REM", "CONT_DATE", "BALANCE_DATE", "FIRST_DEPOSIT", "LAST_DEPOSIT", "MINAP_CHK",
    "CONT_UPJANGNAME", "MANAGE_YN", "U_EMP_NO", "U_IP", "U_SYS_DATE"};

void Insert(TLeaseStore& store, const QVariantMap& values)
{
    QStringList names{"CONT_CODE"}, markers{":CONT_CODE"};
    for (const char* column : kColumns) {
        names << column;
        markers << QStringLiteral(":") + column;
    }
    store.Sql().Exec(QStringLiteral("INSERT INTO NA020MS (%1) VALUES (%2)").arg(names.join(", "), markers.join(", ")),
                     values);
}

void Update(TLeaseStore& store, const QVariantMap& values, const QStringList& columns)
{
    QStringList sets;
    for (const QString& column : columns)
        sets << column + QStringLiteral(" = :") + column;
    store.Sql().Exec(QStringLiteral("UPDATE NA020MS SET %1 WHERE CONT_CODE = :CONT_CODE").arg(sets.join(", ")),
                     values);
}

// Termination stops the billing: later lines without receipts in open months go.
void DropLinesAfter(TLeaseStore& store, const QString& contCode, const QString& cancelDate)
{
    const QSet<QString> closed = store.ClosedMonths();
    for (const auto& line : store.Lines(contCode)) {
        if (line.month <= cancelDate.left(6) || closed.contains(line.month)
            || store.HasReceipts(contCode, line.amtCode, line.month))
            continue;
        store.DeleteLine(contCode, line.amtCode, line.month);
        store.RefreshBilling(contCode, line.month);
    }
    store.KeepArrearsLines(contCode);
}

// A management-fee line that carries a bill keeps the bill's total.
bool IsBilled(TLeaseStore& store, const QString& code, const QString& month)
{
    return store.Sql().Exists("SELECT CONT_CODE FROM NB020DT WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH = :CONT_MONTH",
                              {{"CONT_CODE", code}, {"CONT_MONTH", month}});
}

// The renewed term's rent and fee lines: months the running term already
// charges keep theirs; later open months without receipts get the new amounts
// (a running term that ran past the new start is cut short there).
void PutRenewedLines(TLeaseStore& store, const TLeaseStore::Contract& renewed, const QString& keptEnd,
                     QSet<QString>& touched)
{
    const QSet<QString> closed = store.ClosedMonths();
    for (const auto& built : TScheduleBuilder::Lines(store.AllTerms(renewed))) {
        if (built.amtCode == "01" || built.month <= keptEnd.left(6) || closed.contains(built.month)
            || store.HasReceipts(renewed.code, built.amtCode, built.month)
            || (built.amtCode == "03" && IsBilled(store, renewed.code, built.month)))
            continue;
        store.PutLine({renewed.code, built.amtCode, built.month, built.dueDate, built.amount, built.delayRate});
        touched.insert(built.month);
    }
}

// The additional deposit falls due on the balance date sent (the new start
// when none is sent). The screen sends the old balance date, often in a closed
// month: it then falls due in the first open month of the new period.
void PutAddedDeposit(TLeaseStore& store, const TLeaseStore::Contract& renewed, double added, QSet<QString>& touched)
{
    const QSet<QString> closed = store.ClosedMonths();
    const QString start = renewed.termStart;
    QString due = renewed.balanceDate.isEmpty() ? start : renewed.balanceDate;
    if (closed.contains(due.left(6))) {
        QString month = start.left(6);
        while (closed.contains(month))
            month = TI::MonthAfter(month, 1);
        due = month == start.left(6) ? start : TScheduleBuilder::DueDate(month, start);
    }
    auto line = store.Line(renewed.code, "01", due.left(6));
    const double amount = (line ? line->amount : 0) + added;
    store.PutLine({renewed.code, "01", due.left(6), line ? line->dueDate : due, amount, renewed.delayRate});
    touched.insert(due.left(6));
}

// A renewal keeps the running term: it goes into the term history, ended the
// day before the new term at the latest, with its lines, bills and receipts;
// the contract then spans both terms and carries the new term's conditions.
void Renew(TLeaseStore& store, const TProcedureArgs& a, const QString& code)
{
    const auto old = store.ContractOrRefuse(code);
    if (!old.Active())
        TI::Refuse(QStringLiteral("해지된 계약은 재계약할 수 없습니다."));
    const QString start = TI::Date(a.Text("ACONT_START_DATE"), "계약시작일");
    const QString end = TI::Date(a.Text("ACONT_END_DATE"), "계약종료일");
    TI::Period(start, end, "계약기간");
    if (start <= old.termStart)
        TI::Refuse(QStringLiteral("재계약 시작일(%1)은 기존 계약시작일(%2) 이후여야 합니다.").arg(start, old.termStart));
    if (store.Overlaps(old.shopCode, start, end, code))
        TI::Refuse(QStringLiteral("같은 업장에 계약기간이 겹치는 계약이 있습니다."));
    const double total = TI::Amount(a.Text("ACONT_DEPOSIT"), "보증금합계");
    const double added = TI::Amount(a.Text("AFIRST_DEPOSIT"), "추가보증금");
    if (added > total)
        TI::Refuse(QStringLiteral("추가보증금이 보증금합계보다 클 수 없습니다."));
    const QString dayBefore = TI::FromDate(TI::ToDate(start).addDays(-1));
    const QString keptEnd = std::min(old.endDate, dayBefore);
    store.KeepTerm(old, keptEnd);
    const QVariantMap values = store.Audit({
        {"CONT_CODE", code},
        {"TERM_START_DATE", start},
        {"CONT_END_DATE", end},
        {"CONT_DEPOSIT", total},
        {"FIRST_DEPOSIT", added},
        {"LAST_DEPOSIT", total - added},
        {"CONT_LEASE_MONEY", TI::Amount(a.Text("ACONT_LEASE_MONEY"), "임대료")},
        {"CONT_MANAGE_PAY", TI::Amount(a.Text("ACONT_MANAGE_PAY"), "관리비")},
        {"CONT_DELAYRATE", TI::Rate(a.Text("ACONT_DELAYRATE"), "연체율")},
        {"CONT_SIZE1", TI::Amount(a.Text("ACONT_SIZE1"), "전체면적")},
        {"CONT_SIZE2", TI::Amount(a.Text("ACONT_SIZE2"), "계약면적")},
        {"CONT_REMARK", TI::Limited(a.Raw("ACONT_REMARK"), 200, "비고")},
        {"CONT_DATE", TI::OptionalDate(a.Text("ACONT_DATE"), "재계약체결일")},
        {"BALANCE_DATE", TI::OptionalDate(a.Text("ABALANCE_DATE"), "잔금납부일")},
        {"MINAP_CHK", TI::Choice(a.Text("AMINAP_CHK"), {"Y", "N"}, "Y", "미납금이월여부")},
    });
    QStringList columns = values.keys();
    columns.removeAll("CONT_CODE");
    Update(store, values, columns);

    const auto renewed = store.ContractOrRefuse(code);
    QSet<QString> touched;
    PutRenewedLines(store, renewed, keptEnd, touched);
    if (added > 0)
        PutAddedDeposit(store, renewed, added, touched);
    for (const QString& month : touched)
        store.RefreshBilling(code, month);
}

void Delete(TLeaseStore& store, const QString& code)
{
    store.ContractOrRefuse(code);
    TServerSql& sql = store.Sql();
    const QVariantMap key{{"CONT_CODE", code}};
    if (sql.Exists("SELECT CONT_CODE FROM NB010MS WHERE CONT_CODE = :CONT_CODE", key)
        || sql.Exists("SELECT CONT_CODE FROM NB020MS WHERE CONT_CODE = :CONT_CODE", key)
        || sql.Exists("SELECT CONT_CODE FROM NB030MS WHERE CONT_CODE = :CONT_CODE", key))
        TI::Refuse(QStringLiteral("납입스케쥴이나 입금 내역이 있는 계약은 삭제할 수 없습니다. 해지 처리하세요."));
    sql.Exec("DELETE FROM NC010MS WHERE CONT_CODE = :CONT_CODE", key);
    sql.Exec("DELETE FROM NA020MS WHERE CONT_CODE = :CONT_CODE", key);
}
} // namespace

void PR_NAI020_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString status = TI::Choice(a.Text("AEDITSTATUS"), {"1", "2", "3", "4"}, QString(), "처리구분");
    const QString code = a.Text("ACONT_CODE");
    if (status == "3")
        return Delete(store, code);
    if (status == "4")
        return Renew(store, a, code);

    QVariantMap values = store.Audit(ReadContract(a, store.Sql()));
    if (status == "2") {
        RefuseOverlap(store, values, QString());
        values.insert("CONT_CODE", NextContractCode(store.Sql()));
        Insert(store, values);
        store.RefreshArrears(values["CONT_CODE"].toString());
        return;
    }
    const auto old = store.ContractOrRefuse(code);
    if (old.Renewed()) {
        // The start belongs to the first term, kept in the history.
        if (values["CONT_START_DATE"].toString() != old.startDate)
            TI::Refuse(QStringLiteral("재계약된 계약의 계약시작일(%1)은 바꿀 수 없습니다.").arg(old.startDate));
        TI::Period(old.termStart, values["CONT_END_DATE"].toString(), "재계약기간");
    }
    values.insert("CONT_CODE", old.code);
    RefuseOverlap(store, values, old.code);
    QStringList columns;
    for (const char* column : kColumns)
        columns << column;
    Update(store, values, columns);
    const QString cancel = values["CONT_CANCEL_DATE"].toString();
    if (!cancel.isEmpty() && cancel != old.cancelDate)
        DropLinesAfter(store, old.code, cancel);
}
