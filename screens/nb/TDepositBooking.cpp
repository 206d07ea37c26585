#include "screens/nb/TDepositBooking.h"

#include <QLocale>
#include <algorithm>

#include "common/CommonHelpers.h"
#include "common/TQuery.h"
#include "screens/nb/TDepositMatcher.h"

namespace {
QString Plain(double amount)
{
    return QString::number(amount, 'f', 0);
}
} // namespace

TDepositBooking::TDepositBooking(TDatabase& db, const QString& empNo, const QString& ip)
    : m_db(db), m_empNo(empNo), m_ip(ip), m_receipt(db), m_line(db), m_name(db), m_columns(db)
{
    m_columns.SetProcedureName(QStringLiteral("PR_NBI060_03"));
    m_receipt.SetProcedureName(QStringLiteral("PR_NBI010_01"));
    m_line.SetProcedureName(QStringLiteral("PR_NBI060_01"));
    m_name.SetProcedureName(QStringLiteral("PR_NBI060_02"));
}

void TDepositBooking::Bind(TStoredProc& proc, std::initializer_list<std::pair<const char*, QString>> values)
{
    for (TParam& param : proc.Params())
        param.Clear();
    for (const auto& [name, value] : values)
        proc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
    proc.ParamByName(QStringLiteral("AU_EMP_NO")).SetAsString(m_empNo);
    proc.ParamByName(QStringLiteral("AU_IP")).SetAsString(m_ip);
}

bool TDepositBooking::Closed(const QString& month)
{
    TQuery q(m_db);
    q.SQL() << QStringLiteral("SELECT COUNT(*) FROM NB030MS WHERE NAPIP_MONTH = :NAPIP_MONTH");
    q.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    q.Open();
    return q.Fields(0).AsInteger() > 0;
}

QString TDepositBooking::Remark(const TBankLine& line, bool nextMonth)
{
    const QString day = QStringLiteral("%1-%2-%3").arg(line.date.left(4), line.date.mid(4, 2), line.date.mid(6, 2));
    const QString text = nextMonth ? QStringLiteral("은행입금 %1 %2 (선납)").arg(day, line.depositor)
                                   : QStringLiteral("은행입금 %1 %2").arg(day, line.depositor);
    return text.left(100);
}

// Books up to what the month has open; returns the amount booked.
double TDepositBooking::BookReceipt(const QString& contCode, const QString& month, const QString& date,
                                    double amount, const QString& remark)
{
    if (Closed(month))
        return 0;
    const double open = TDepositMatcher::OpenAmounts(m_db, month, contCode).value(contCode);
    const double share = std::min(amount, std::max(0.0, open));
    if (share < 1)
        return 0;
    Bind(m_receipt, {{"AGUBUN", "I"}, {"ACONT_CODE", contCode}, {"AAMT_CODE", "T"}, {"ANAPIP_MONTH", month},
                     {"AIPGUM_DATE", date}, {"AIPGUM_AMT", Plain(share)}, {"AREMARKS", remark}});
    m_receipt.ExecProc();
    return share;
}

TDepositBooking::Result TDepositBooking::Book(const QString& account, const std::vector<Decision>& decisions)
{
    Result result;
    for (const Decision& d : decisions) {
        const TBankLine& line = d.line;
        double rest = line.deposit;
        if (!d.contCode.isEmpty()) {
            rest -= BookReceipt(d.contCode, line.date.left(6), line.date, rest, Remark(line, false));
            if (rest > 0 && d.toNextMonth) {
                const QString next = StepMonth(line.date.left(6), 1);
                rest -= BookReceipt(d.contCode, next, next + QStringLiteral("01"), rest, Remark(line, true));
            }
            if (rest < line.deposit) {
                ++result.receipts;
                result.receiptAmount += line.deposit - rest;
            }
        }
        Bind(m_line, {{"AACCOUNT_NO", account}, {"ATRAN_DATE", line.date}, {"ATRAN_TIME", line.time},
                      {"AIPGUM_AMT", Plain(line.deposit)}, {"ABALANCE", Plain(line.balance)},
                      {"ADEPOSITOR", line.depositor}, {"AMEMO", line.memo},
                      {"ATRAN_SEQ", QString::number(line.occurrence)}, {"ACONT_CODE", d.contCode},
                      {"ASUSPENSE_AMT", Plain(rest)}});
        m_line.ExecProc();
        if (rest > 0) {
            ++result.suspense;
            result.suspenseAmount += rest;
        }
        if (d.remember && !d.contCode.isEmpty() && !line.depositor.isEmpty()) {
            Bind(m_name, {{"ACONT_CODE", d.contCode}, {"ADEPOSITOR", line.depositor.left(50)}});
            m_name.ExecProc();
        }
    }
    return result;
}

QHash<QString, QString> TDepositBooking::Recorded(TDatabase& db, const QString& account, const QString& fromDate,
                                        const QString& toDate)
{
    TQuery q(db);
    q.SQL() << QStringLiteral(
        "SELECT TRAN_DATE, TRAN_TIME, IPGUM_AMT, BALANCE, DEPOSITOR, TRAN_SEQ, CONT_CODE FROM NB060MS "
        "WHERE ACCOUNT_NO = :ACCOUNT_NO AND TRAN_DATE >= :FROM_DATE AND TRAN_DATE <= :TO_DATE");
    q.ParamByName(QStringLiteral("ACCOUNT_NO")).SetAsString(account);
    q.ParamByName(QStringLiteral("FROM_DATE")).SetAsString(fromDate);
    q.ParamByName(QStringLiteral("TO_DATE")).SetAsString(toDate);
    q.Open();
    QHash<QString, QString> keys;
    for (; !q.Eof(); q.Next()) {
        TBankLine line;
        line.date = q.Fields(0).AsString();
        line.time = q.Fields(1).AsString();
        line.deposit = q.Fields(2).AsFloat();
        line.balance = q.Fields(3).AsFloat();
        line.depositor = q.Fields(4).AsString();
        line.occurrence = int(q.Fields(5).AsInteger());
        keys.insert(line.Key(account), q.Fields(6).AsString());
    }
    return keys;
}

void TDepositBooking::RememberColumns(const QString& account, const QString& columns, const QString& titles)
{
    Bind(m_columns, {{"AACCOUNT_NO", account}, {"ACOLUMN_MAP", columns}, {"ATITLE_TEXT", titles}});
    m_columns.ExecProc();
}

std::pair<QString, QString> TDepositBooking::RememberedColumns(TDatabase& db, const QString& account)
{
    TQuery q(db);
    q.SQL() << QStringLiteral("SELECT COLUMN_MAP, TITLE_TEXT FROM NB061MS WHERE ACCOUNT_NO = :ACCOUNT_NO");
    q.ParamByName(QStringLiteral("ACCOUNT_NO")).SetAsString(account);
    q.Open();
    if (q.Eof())
        return {};
    return {q.Fields(0).AsString(), q.Fields(1).AsString()};
}
