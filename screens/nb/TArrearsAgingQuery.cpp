#include "screens/nb/TArrearsAgingQuery.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <cmath>

#include "common/CommonHelpers.h"
#include "common/TQuery.h"

namespace TArrearsAgingQuery {

namespace {
// Recent months whose lines come with the first pass where a closing carried
// something; an open amount older than these is more than 180 days late
// whatever the day of the month, and is looked up line by line.
constexpr int RecentMonths = 7;

QString MonthAfter(const QString& month, int months)
{
    return QDate::fromString(month + QStringLiteral("01"), QStringLiteral("yyyyMMdd"))
        .addMonths(months)
        .toString(QStringLiteral("yyyyMM"));
}

bool LastDayOfMonth(const QString& date)
{
    const QDate day = QDate::fromString(date, QStringLiteral("yyyyMMdd"));
    return day.isValid() && day.day() == day.daysInMonth();
}

QString CodeCondition(const QString& column, const QString& code)
{
    return code.isEmpty() ? QString() : QStringLiteral(" AND %1 = %2").arg(column, QuotedText(code));
}

// The conditions on the contract, its partner (B) and its shop (C).
QString ContractConditions(const TFilter& filter)
{
    QString sql = CodeCondition(QStringLiteral("C.SHOP_PLACE"), filter.arcade);
    const QString prefix = filter.partnerPrefix.trimmed();
    if (!prefix.isEmpty())
        sql += QStringLiteral(" AND B.C_NAME LIKE ") + QuotedText(prefix + QLatin1Char('%'));
    return sql;
}

double Amount(TField& field)
{
    return field.IsNull() ? 0.0 : field.AsFloat();
}
} // namespace

QString BaseMonth(TDatabase& db, const QString& refDate)
{
    const QString month = refDate.left(6);
    TQuery q(db);
    q.SQL() << QStringLiteral("SELECT MAX(NAPIP_MONTH) AS NAPIP_MONTH FROM NB030MS WHERE NAPIP_MONTH <= :LAST_MONTH");
    q.ParamByName(QStringLiteral("LAST_MONTH")).SetAsString(LastDayOfMonth(refDate) ? month : MonthAfter(month, -1));
    q.Open();
    return q.Eof() || q.Fields(0).IsNull() ? QString() : q.Fields(0).AsString();
}

QString AgingStatement(const TFilter& filter)
{
    const QString code = CodeCondition(QStringLiteral("AMT_CODE"), filter.amtCode);
    return QStringLiteral(
               "SELECT A.CONT_CODE, A.C_CODE, B.C_NAME, B.BOSS_NAME, A.SHOP_CODE, C.SHOP_NAME, C.SHOP_PLACE, "
               "A.CONT_START_DATE, A.CONT_END_DATE, A.MINAP_CHK, G.AMT_CODE, G.OPEN_AMT, G.LAST_DELAY, G.RECEIVED, "
               "G.DELAY_DATE FROM (SELECT CONT_CODE, AMT_CODE, SUM(OPEN_AMT) AS OPEN_AMT, SUM(LAST_DELAY) AS "
               "LAST_DELAY, SUM(RECEIVED) AS RECEIVED, MAX(DELAY_DATE) AS DELAY_DATE FROM (SELECT CONT_CODE, AMT_CODE, "
               "NVL(NAPIP_AMT,0) AS OPEN_AMT, 0 AS LAST_DELAY, 0 AS RECEIVED, NULL AS DELAY_DATE FROM NB010MS WHERE "
               "NAPIP_MONTH > :BASE_MONTH AND NAPIP_MONTH <= :REF_MONTH")
        + code
        + QStringLiteral(" UNION ALL SELECT CONT_CODE, AMT_CODE, 0 - NVL(IPGUM_AMT,0) AS OPEN_AMT, 0 AS LAST_DELAY, "
                         "NVL(IPGUM_AMT,0) AS RECEIVED, NULL AS DELAY_DATE FROM NB020MS WHERE IPGUM_DATE > :BASE_END "
                         "AND IPGUM_DATE <= :REF_DATE")
        + code
        + QStringLiteral(" UNION ALL SELECT CONT_CODE, AMT_CODE, NVL(THIS_MINAPAMT,0) + NVL(THIS_MINAPDEALYAMT,0) "
                         "AS OPEN_AMT, NVL(THIS_MINAPDEALYAMT,0) AS LAST_DELAY, 0 AS RECEIVED, NAPIP_DATE AS DELAY_DATE "
                         "FROM NB030MS WHERE NAPIP_MONTH = :BASE_MONTH")
        + code
        + QStringLiteral(") S GROUP BY CONT_CODE, AMT_CODE) G, NA020MS A, VA050MS B, NA010MS C WHERE G.CONT_CODE = "
                         "A.CONT_CODE AND A.C_CODE = B.C_CODE AND A.SHOP_CODE = C.SHOP_CODE")
        + ContractConditions(filter) + QStringLiteral(" ORDER BY A.CONT_CODE, G.AMT_CODE");
}

// The lines the open amounts are laid over, newest first: those of the open
// months, and those of the recent closed months where the closing carried
// something.
QString LinesStatement(const TFilter& filter)
{
    const QString code = CodeCondition(QStringLiteral("AMT_CODE"), filter.amtCode);
    return QStringLiteral("SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NVL(NAPIP_AMT,0) AS NAPIP_AMT FROM "
                          "NB010MS WHERE NAPIP_MONTH > :BASE_MONTH AND NAPIP_MONTH <= :REF_MONTH")
        + code
        + QStringLiteral(" UNION ALL SELECT L.CONT_CODE, L.AMT_CODE, L.NAPIP_MONTH, L.NAPIP_DATE, NVL(L.NAPIP_AMT,0) "
                         "AS NAPIP_AMT FROM NB030MS K, NB010MS L WHERE K.NAPIP_MONTH = :BASE_MONTH AND "
                         "NVL(K.THIS_MINAPAMT,0) + NVL(K.THIS_MINAPDEALYAMT,0) > 0 AND L.CONT_CODE = K.CONT_CODE AND "
                         "L.AMT_CODE = K.AMT_CODE AND L.NAPIP_MONTH >= :RECENT_FROM AND L.NAPIP_MONTH <= :BASE_MONTH")
        + CodeCondition(QStringLiteral("K.AMT_CODE"), filter.amtCode)
        + QStringLiteral(" ORDER BY 1, 2, 3 DESC");
}

namespace {
struct TLine
{
    QString month, dueDate;
    double amount = 0;
};
} // namespace

std::vector<TContract> Contracts(TDatabase& db, const TFilter& filter)
{
    const QString refMonth = filter.refDate.left(6);
    const QString base = BaseMonth(db, filter.refDate);
    const QString baseMonth = base.isEmpty() ? QStringLiteral("000000") : base;
    auto bind = [&](TQuery& q) {
        q.ParamByName(QStringLiteral("BASE_MONTH")).SetAsString(baseMonth);
        q.ParamByName(QStringLiteral("REF_MONTH")).SetAsString(refMonth);
    };

    QHash<QString, std::vector<TLine>> lines; // by contract and amount code, newest first
    {
        TQuery q(db);
        q.SQL() << LinesStatement(filter);
        bind(q);
        q.ParamByName(QStringLiteral("RECENT_FROM")).SetAsString(MonthAfter(refMonth, 1 - RecentMonths));
        q.Open();
        for (; !q.Eof(); q.Next())
            lines[q.Fields(0).AsString() + q.Fields(1).AsString()].push_back(
                {q.Fields(2).AsString(), q.Fields(3).AsString(), Amount(q.Fields(4))});
    }

    TQuery q(db);
    q.SQL() << AgingStatement(filter);
    bind(q);
    q.ParamByName(QStringLiteral("BASE_END")).SetAsString(baseMonth + QStringLiteral("99"));
    q.ParamByName(QStringLiteral("REF_DATE")).SetAsString(filter.refDate);
    q.Open();

    TQuery older(db);
    older.SQL() << QStringLiteral("SELECT NAPIP_DATE, NAPIP_AMT FROM NB010MS WHERE CONT_CODE = :CONT_CODE AND "
                                  "AMT_CODE = :AMT_CODE AND NAPIP_MONTH < :BEFORE ORDER BY NAPIP_MONTH DESC");

    std::vector<TContract> contracts;
    bool open = false;
    for (; !q.Eof(); q.Next()) {
        const QString contCode = q.Fields(0).AsString();
        if (contracts.empty() || contracts.back().contCode != contCode) {
            if (!contracts.empty() && !open)
                contracts.pop_back();
            open = false;
            TContract c;
            c.contCode = contCode;
            c.cCode = q.Fields(1).AsString();
            c.cName = q.Fields(2).AsString();
            c.bossName = q.Fields(3).AsString();
            c.shopCode = q.Fields(4).AsString();
            c.shopName = q.Fields(5).AsString();
            c.arcade = q.Fields(6).AsString();
            c.startDate = q.Fields(7).AsString();
            c.endDate = q.Fields(8).AsString();
            c.minapChk = q.Fields(9).AsString();
            contracts.push_back(c);
        }
        const double total = std::round(Amount(q.Fields(11)));
        if (total == 0)
            continue;
        open = true;
        // What was received pays the carried late fee first, as at the receipts screen.
        const double lastDelay = Amount(q.Fields(12));
        const double lateFee = lastDelay - std::clamp(Amount(q.Fields(13)), 0.0, std::max(0.0, lastDelay));
        const QString amtCode = q.Fields(10).AsString();
        TArrearsAging aging(total - lateFee, lateFee, q.Fields(14).AsString(), filter.refDate);
        QString before = MonthAfter(baseMonth, 1);
        for (const TLine& line : lines.value(contCode + amtCode)) {
            if (aging.Done())
                break;
            aging.Take(line.dueDate, line.amount);
            before = std::min(before, line.month);
        }
        if (!aging.Done()) {
            older.Close();
            older.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(contCode);
            older.ParamByName(QStringLiteral("AMT_CODE")).SetAsString(amtCode);
            older.ParamByName(QStringLiteral("BEFORE")).SetAsString(before);
            older.Open();
            for (; !older.Eof() && !aging.Done(); older.Next())
                aging.Take(older.Fields(0).AsString(), Amount(older.Fields(1)));
            older.Close();
        }
        contracts.back().aging += aging.Finish();
        for (const TArrearsAging::Share& share : aging.Shares())
            contracts.back().shares.push_back({amtCode, share});
    }
    if (!contracts.empty() && !open)
        contracts.pop_back();
    return contracts;
}

std::vector<TMonthEnd> MonthEnds(TDatabase& db, const TFilter& filter, int months)
{
    const QString refMonth = filter.refDate.left(6);
    const QString last = LastDayOfMonth(filter.refDate) ? refMonth : MonthAfter(refMonth, -1);
    TQuery q(db);
    // The shop and partner are joined only to narrow by them: every contract has both.
    const QString narrowing = ContractConditions(filter);
    q.SQL() << QStringLiteral("SELECT A.NAPIP_MONTH, SUM(NVL(A.THIS_MINAPAMT,0) + NVL(A.THIS_MINAPDEALYAMT,0)) AS "
                              "TOTAL FROM NB030MS A")
                   + (narrowing.isEmpty() ? QString()
                                          : QStringLiteral(", NA020MS X, VA050MS B, NA010MS C"))
                   + QStringLiteral(" WHERE A.NAPIP_MONTH >= :FROM_MONTH AND A.NAPIP_MONTH <= :TO_MONTH")
                   + (narrowing.isEmpty() ? QString()
                                          : QStringLiteral(" AND A.CONT_CODE = X.CONT_CODE AND X.C_CODE = B.C_CODE "
                                                           "AND X.SHOP_CODE = C.SHOP_CODE") + narrowing)
                   + CodeCondition(QStringLiteral("A.AMT_CODE"), filter.amtCode)
                   + QStringLiteral(" GROUP BY A.NAPIP_MONTH ORDER BY A.NAPIP_MONTH");
    q.ParamByName(QStringLiteral("FROM_MONTH")).SetAsString(MonthAfter(last, 1 - months));
    q.ParamByName(QStringLiteral("TO_MONTH")).SetAsString(last);
    q.Open();
    std::vector<TMonthEnd> ends;
    for (; !q.Eof(); q.Next())
        ends.push_back({q.Fields(0).AsString(), std::round(Amount(q.Fields(1)))});
    return ends;
}

} // namespace TArrearsAgingQuery
