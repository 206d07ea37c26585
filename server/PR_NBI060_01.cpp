// Records one deposit line of a bank statement as booked and, for the part
// of it no contract took, writes a suspense voucher line that the suspense
// receipts screen lists and books. The receipt part is booked by the caller
// through PR_NBI010_01 in the same transaction.
#include <QLocale>
#include <QRegularExpression>

#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
using TI = TServerInput;

// Vouchers of bank deposits are numbered "B" + seven digits, one line each,
// apart from the accounting side's numbers (six date digits and a counter).
QString NextSlipNo(TServerSql& sql)
{
    const QString last = sql.Value("SELECT MAX(SLIP_NO) FROM VB011DT WHERE SLIP_NO LIKE 'B%'").toString();
    const qint64 next = last.mid(1).toLongLong() + 1;
    if (next > 9999999)
        TI::Refuse(QStringLiteral("가수금 전표번호가 모두 사용되었습니다."));
    return QStringLiteral("B%1").arg(next, 7, 10, QLatin1Char('0'));
}

QString Time(const QString& text)
{
    static const QRegularExpression sixDigits(QStringLiteral("^([01]\\d|2[0-3])[0-5]\\d[0-5]\\d$"));
    if (!sixDigits.match(text).hasMatch())
        TI::Refuse(QStringLiteral("%1 올바르지 않습니다.").arg(TI::Quoted("거래시간", text)));
    return text;
}

double Number(const QString& text, const QString& what)
{
    bool ok = false;
    const double value = text.isEmpty() ? 0 : text.toDouble(&ok);
    if (!text.isEmpty() && !ok)
        TI::Refuse(QStringLiteral("%1 숫자가 아닙니다.").arg(TI::Quoted(what, text)));
    return value;
}

QString Won(double amount)
{
    return QString::number(amount, 'f', 0);
}

QString SuspenseVoucher(TLeaseStore& store, const QString& date, double amount, const QString& depositor,
                        const QString& reference)
{
    TServerSql& sql = store.Sql();
    const QString slipNo = NextSlipNo(sql);
    const QVariantMap key{{"SESSION_ID", date.left(4)}, {"SLIP_NO", slipNo}, {"SLIP_SEQ_NO", "01"}};
    QVariantMap header = key;
    header.insert("REF_DATA", reference);
    sql.Exec("INSERT INTO VB011MS (SESSION_ID, SLIP_NO, SLIP_SEQ_NO, REF_DATA) "
             "VALUES (:SESSION_ID, :SLIP_NO, :SLIP_SEQ_NO, :REF_DATA)",
             header);
    QVariantMap line = key;
    // The suspense account changed on 24 May 2018.
    line.insert("ACCT_CODE", date <= "20180523" ? "2111300" : "2111310");
    line.insert("MG_DETAIL", depositor);
    line.insert("CONF_DATE", date);
    line.insert("C_AMOUNT", amount);
    sql.Exec("INSERT INTO VB011DT (SESSION_ID, SLIP_NO, SLIP_SEQ_NO, ACCT_CODE, MG_CODE, MG_DETAIL, CONF_DATE, "
             "D_AMOUNT, C_AMOUNT) VALUES (:SESSION_ID, :SLIP_NO, :SLIP_SEQ_NO, :ACCT_CODE, 140, :MG_DETAIL, "
             ":CONF_DATE, 0, :C_AMOUNT)",
             line);
    return slipNo + "01";
}
} // namespace

void PR_NBI060_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString account = TI::Limited(TI::Required(a.Text("AACCOUNT_NO"), "계좌번호"), 30, "계좌번호");
    const QString date = TI::Date(a.Text("ATRAN_DATE"), "거래일자");
    const QString time = Time(a.Text("ATRAN_TIME"));
    const double amount = TI::PositiveAmount(a.Text("AIPGUM_AMT"), "입금액");
    const double balance = Number(a.Text("ABALANCE"), "잔액");
    const QString depositor = TI::Limited(a.Text("ADEPOSITOR"), 50, "입금자");
    const QString memo = TI::Limited(a.Text("AMEMO"), 100, "적요");
    const int seq = int(Number(a.Text("ATRAN_SEQ"), "순번"));
    if (seq < 1)
        TI::Refuse(QStringLiteral("%1 올바르지 않습니다.").arg(TI::Quoted("순번", a.Text("ATRAN_SEQ"))));
    const double suspense = TI::Amount(a.Text("ASUSPENSE_AMT"), "가수금액");
    if (suspense > amount + 0.005)
        TI::Refuse(QStringLiteral("가수금액이 입금액보다 큽니다."));
    const QString contCode = a.Text("ACONT_CODE");
    if (!contCode.isEmpty())
        store.ContractOrRefuse(contCode);
    if (contCode.isEmpty() && suspense < amount - 0.005)
        TI::Refuse(QStringLiteral("계약이 없는 입금은 전액 가수금으로 처리해야 합니다."));

    const QString key = QStringList{account, date, time, Won(amount), Won(balance), depositor, QString::number(seq)}
                            .join(QLatin1Char('|'));
    if (store.Sql().Exists("SELECT LINE_KEY FROM NB060MS WHERE LINE_KEY = :LINE_KEY", {{"LINE_KEY", key}}))
        TI::Refuse(QStringLiteral("이미 처리된 입금입니다 (%1-%2-%3 %4원 %5).")
                       .arg(date.left(4), date.mid(4, 2), date.mid(6, 2),
                            QLocale(QLocale::English).toString(amount, 'f', 0), depositor));
    const QString slip = suspense > 0.005
                             ? SuspenseVoucher(store, date, suspense, depositor,
                                               QStringLiteral("은행입금 %1 %2").arg(account, memo).trimmed())
                             : QString();
    store.Sql().Exec("INSERT INTO NB060MS (LINE_KEY, ACCOUNT_NO, TRAN_DATE, TRAN_TIME, IPGUM_AMT, BALANCE, DEPOSITOR, "
                     "MEMO, TRAN_SEQ, CONT_CODE, RECEIPT_AMT, SLIP_CODE, U_EMP_NO, U_IP, U_SYS_DATE) VALUES "
                     "(:LINE_KEY, :ACCOUNT_NO, :TRAN_DATE, :TRAN_TIME, :IPGUM_AMT, :BALANCE, :DEPOSITOR, :MEMO, "
                     ":TRAN_SEQ, :CONT_CODE, :RECEIPT_AMT, :SLIP_CODE, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                     store.Audit({{"LINE_KEY", key}, {"ACCOUNT_NO", account}, {"TRAN_DATE", date},
                                  {"TRAN_TIME", time}, {"IPGUM_AMT", amount}, {"BALANCE", balance},
                                  {"DEPOSITOR", depositor}, {"MEMO", memo}, {"TRAN_SEQ", seq},
                                  {"CONT_CODE", contCode}, {"RECEIPT_AMT", amount - suspense},
                                  {"SLIP_CODE", slip}}));
}
