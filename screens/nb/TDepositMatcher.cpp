#include "screens/nb/TDepositMatcher.h"

#include <QRegularExpression>
#include <algorithm>

#include "common/CommonHelpers.h"
#include "common/TQuery.h"

namespace {

// A name shorter than this is too common to be found inside a longer text.
constexpr int MinPartName = 3;
// A depositor text shorter than this is not taken as a cut-off name.
constexpr int MinCutName = 4;

const char* const ContractStatement =
    "SELECT CONT_CODE, (SELECT C_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS C_NAME, "
    "(SELECT BOSS_NAME FROM VA050MS WHERE C_CODE = A.C_CODE) AS BOSS_NAME, "
    "(SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = A.SHOP_CODE) AS SHOP_NAME "
    "FROM NA020MS A WHERE MINAP_CHK = 'Y' ORDER BY CONT_CODE";
const char* const DepositorStatement = "SELECT CONT_CODE, DEPOSITOR_NAME FROM NA022MS ORDER BY CONT_CODE";

// The receipts screen's total line of a month, for every contract at once
// (receipts dated in the month: the eight-digit dates from its 1st to its 31st).
QString OpenStatement(bool oneContract)
{
    const QString filter = oneContract ? QStringLiteral(" AND CONT_CODE = :CONT_CODE") : QString();
    return QStringLiteral(
               "SELECT CONT_CODE, SUM(AMT) AS OPEN_AMT FROM ("
               "SELECT CONT_CODE, NVL(NAPIP_AMT,0) AS AMT FROM NB010MS WHERE NAPIP_MONTH = :NAPIP_MONTH%1 "
               "UNION ALL SELECT CONT_CODE, 0 - NVL(IPGUM_AMT,0) AS AMT FROM NB020MS "
               "WHERE IPGUM_DATE >= :FIRST_DAY AND IPGUM_DATE <= :LAST_DAY%1 "
               "UNION ALL SELECT CONT_CODE, NVL(THIS_MINAPAMT,0) + NVL(THIS_MINAPDEALYAMT,0) AS AMT FROM NB030MS "
               "WHERE NAPIP_MONTH = :LAST_MONTH%1) A GROUP BY CONT_CODE")
        .arg(filter);
}

} // namespace

QString TDepositMatcher::Normal(const QString& name)
{
    QString n = name;
    static const QRegularExpression forms(QStringLiteral("\\(주\\)|\\(유\\)|\\(사\\)|㈜|주식회사|유한회사"));
    static const QRegularExpression marks(QStringLiteral("[\\s\\p{P}\\p{S}]"));
    n.remove(forms);
    n.remove(marks);
    return n.toUpper();
}

QString TDepositMatcher::ReasonText(TReason reason)
{
    switch (reason) {
    case mrName: return QStringLiteral("이름 일치");
    case mrAmount: return QStringLiteral("금액 일치");
    case mrBoth: return QStringLiteral("둘 다");
    case mrNone: break;
    }
    return QString();
}

void TDepositMatcher::AddContract(const Contract& contract)
{
    const int index = int(m_contracts.size());
    m_contracts.push_back(contract);
    m_byCode.insert(contract.contCode, index);
    QStringList names{contract.cName, contract.bossName};
    names += contract.depositors;
    QStringList added;
    for (const QString& name : names) {
        const QString n = Normal(name);
        if (!n.isEmpty() && !added.contains(n)) {
            m_byName.insert(n, index);
            added << n;
        }
    }
}

void TDepositMatcher::SetOpen(const QString& contCode, const QString& month, double open)
{
    const int index = IndexOf(contCode);
    if (index < 0)
        return;
    const QString key = OpenKey(index, month);
    if (m_open.contains(key))
        m_byAmount[month].remove(Cents(m_open.value(key)), index);
    m_open.insert(key, open);
    if (open > 0)
        m_byAmount[month].insert(Cents(open), index);
}

double TDepositMatcher::Open(const QString& contCode, const QString& month) const
{
    return m_open.value(OpenKey(IndexOf(contCode), month));
}

void TDepositMatcher::Take(int contract, const QString& month, double amount)
{
    if (contract < 0 || contract >= int(m_contracts.size()))
        return;
    const QString& code = m_contracts[contract].contCode;
    SetOpen(code, month, std::max(0.0, Open(code, month) - amount));
}

// Contracts whose names equal the depositor text; failing that, those whose
// name begins the text ("본관베이커리관리비") or is cut off in it, as
// banks shorten long names.
std::vector<int> TDepositMatcher::NameCandidates(const QString& depositor)
{
    const QString text = Normal(depositor);
    std::vector<int> found;
    if (text.isEmpty())
        return found;
    auto add = [&found](int index) {
        if (std::find(found.begin(), found.end(), index) == found.end())
            found.push_back(index);
    };
    for (int index : m_byName.values(text))
        add(index);
    if (!found.empty())
        return found;
    for (int len = text.size() - 1; len >= MinPartName; --len)
        for (int index : m_byName.values(text.left(len)))
            add(index);
    if (!found.empty() || text.size() < MinCutName)
        return found;
    if (m_sortedNames.size() != size_t(m_byName.size())) {
        m_sortedNames.clear();
        for (auto it = m_byName.constBegin(); it != m_byName.constEnd(); ++it)
            m_sortedNames.emplace_back(it.key(), it.value());
        std::sort(m_sortedNames.begin(), m_sortedNames.end());
    }
    for (auto it = std::lower_bound(m_sortedNames.begin(), m_sortedNames.end(), std::make_pair(text, -1));
         it != m_sortedNames.end() && it->first.startsWith(text); ++it)
        add(it->second);
    return found;
}

TDepositMatcher::Proposal TDepositMatcher::Propose(const QString& depositor, double amount, const QString& month)
{
    Proposal p;
    const qint64 cents = Cents(amount);
    std::vector<int> named = NameCandidates(depositor);
    std::sort(named.begin(), named.end());
    for (int index : named)
        if (Cents(m_open.value(OpenKey(index, month))) == cents) {
            p = {index, mrBoth, m_open.value(OpenKey(index, month))};
            break;
        }
    if (p.contract < 0 && !named.empty()) {
        // The tenant is known: the contract with the most open, the first when none has any.
        int best = named.front();
        for (int index : named)
            if (m_open.value(OpenKey(index, month)) > m_open.value(OpenKey(best, month)))
                best = index;
        p = {best, mrName, m_open.value(OpenKey(best, month))};
    }
    if (p.contract < 0) {
        // An amount alone says who paid only when one contract has it open.
        const QList<int> same = m_byAmount.value(month).values(cents);
        if (same.size() == 1)
            p = {same.front(), mrAmount, amount};
    }
    if (p.contract >= 0)
        Take(p.contract, month, amount);
    return p;
}

QHash<QString, double> TDepositMatcher::OpenAmounts(TDatabase& db, const QString& month, const QString& contCode)
{
    TQuery q(db);
    q.SQL() << OpenStatement(!contCode.isEmpty());
    q.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    q.ParamByName(QStringLiteral("LAST_MONTH")).SetAsString(StepMonth(month, -1));
    q.ParamByName(QStringLiteral("FIRST_DAY")).SetAsString(month + QStringLiteral("01"));
    q.ParamByName(QStringLiteral("LAST_DAY")).SetAsString(month + QStringLiteral("31"));
    if (!contCode.isEmpty())
        q.ParamByName(QStringLiteral("CONT_CODE")).SetAsString(contCode);
    q.Open();
    QHash<QString, double> open;
    for (; !q.Eof(); q.Next())
        open.insert(q.Fields(0).AsString(), q.Fields(1).AsFloat());
    return open;
}

void TDepositMatcher::Load(TDatabase& db, const QStringList& months)
{
    QHash<QString, QStringList> remembered;
    {
        TQuery q(db);
        q.SQL() << QString::fromLatin1(DepositorStatement);
        q.Open();
        for (; !q.Eof(); q.Next())
            remembered[q.Fields(0).AsString()] << q.Fields(1).AsString();
    }
    TQuery q(db);
    q.SQL() << QString::fromLatin1(ContractStatement);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        const QString code = q.Fields(0).AsString();
        AddContract({code, q.Fields(1).AsString(), q.Fields(2).AsString(), q.Fields(3).AsString(),
                     remembered.value(code)});
    }
    for (const QString& month : months) {
        const QHash<QString, double> open = OpenAmounts(db, month);
        for (auto it = open.constBegin(); it != open.constEnd(); ++it)
            SetOpen(it.key(), month, it.value());
    }
}
