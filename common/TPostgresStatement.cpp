#include "common/TPostgresStatement.h"

#include "common/TBusinessClock.h"
#include "common/TSqlOperands.h"
#include "common/TValueConversion.h"

using namespace TSqlOperands;

namespace {

bool IsComparison(const TSqlStatement& s, int index)
{
    if (index < 0)
        return false;
    const auto& t = s.Tokens()[index];
    if (t.Kind == TSqlStatement::tkWord)
        return IsWord(t, "LIKE") || IsWord(t, "BETWEEN");
    return t.Kind == TSqlStatement::tkSymbol && (t.Text == u'=' || t.Text == u'<' || t.Text == u'>');
}

// An operator after a value that needs the value's type.
bool NeedsTypeAfter(const TSqlStatement& s, int index)
{
    if (index < 0)
        return false;
    const auto& t = s.Tokens()[index];
    if (t.Kind == TSqlStatement::tkWord)
        return IsWord(t, "IS");
    return t.Kind == TSqlStatement::tkSymbol
           && (t.Text == u'|' || t.Text == u'+' || t.Text == u'-' || t.Text == u'*' || t.Text == u'/');
}

} // namespace

TPostgresStatement::TPostgresStatement(const TSqlStatement& statement, const std::vector<QVariant>& values)
    : m_statement(statement), m_bound(values)
{
    FindChains();
    m_text = Render(0, static_cast<int>(statement.Tokens().size()) - 1);
}

void TPostgresStatement::FindChains()
{
    const TSqlStatement& s = m_statement;
    const int count = static_cast<int>(s.Tokens().size());
    m_chainAt.assign(count, -1);
    std::vector<bool> used(count, false);
    for (int i = 0; i < count; ++i) {
        if (used[i] || !IsConcat(s, i))
            continue;
        const int leftEnd = s.PreviousSignificant(i);
        const int leftStart = leftEnd < 0 ? -1 : OperandStart(s, leftEnd);
        if (leftStart < 0)
            continue;
        TChain chain{{{leftStart, leftEnd}}};
        for (int op = i; op >= 0 && IsConcat(s, op);) {
            const int rightStart = s.NextSignificant(op + 1);
            const int rightEnd = rightStart < 0 ? -1 : OperandEnd(s, rightStart);
            if (rightEnd < 0)
                break;
            used[op] = true;
            chain.Operands.emplace_back(rightStart, rightEnd);
            op = s.NextSignificant(rightEnd);
        }
        if (chain.Operands.size() < 2 || m_chainAt[leftStart] >= 0)
            continue;
        m_chainAt[leftStart] = static_cast<int>(m_chains.size());
        m_chains.push_back(chain);
    }
}

QString TPostgresStatement::Render(int first, int last)
{
    const TSqlStatement& s = m_statement;
    QString out;
    for (int i = first; i <= last; ++i) {
        if (const int c = m_chainAt[i]; c >= 0 && m_chains[c].Operands.back().second <= last) {
            QStringList parts;
            for (const auto& [from, to] : m_chains[c].Operands)
                parts << Render(from, to);
            out += QLatin1String("NULLIF(CONCAT(") + parts.join(QLatin1String(", ")) + QLatin1String("), '')");
            i = m_chains[c].Operands.back().second;
            continue;
        }
        const auto& t = s.Tokens()[i];
        if (t.Kind == TSqlStatement::tkWord
            && (IsWord(t, "DECODE") || IsWord(t, "GREATEST") || IsWord(t, "LEAST"))) {
            const int open = s.NextSignificant(i);
            const int close = IsSymbol(s, open, u'(') ? MatchingBracket(s, open, +1) : -1;
            if (close >= 0 && close <= last) {
                out += RenderCall(i, open, close);
                i = close;
                continue;
            }
        }
        out += RenderToken(i);
    }
    return out;
}

std::vector<std::pair<int, int>> TPostgresStatement::Arguments(int open, int close) const
{
    std::vector<std::pair<int, int>> args;
    int start = open + 1;
    for (int i = open + 1; i < close; ++i) {
        if (IsSymbol(m_statement, i, u'(')) {
            i = MatchingBracket(m_statement, i, +1);
        } else if (IsSymbol(m_statement, i, u',')) {
            args.emplace_back(start, i - 1);
            start = i + 1;
        }
    }
    args.emplace_back(start, close - 1);
    return args;
}

// DECODE(e, s1, r1, ..., d) matches NULL with NULL; GREATEST and LEAST are NULL
// as soon as one argument is.
QString TPostgresStatement::RenderCall(int name, int open, int close)
{
    const auto args = Arguments(open, close);
    auto arg = [&](size_t i) { return QLatin1Char('(') + Render(args[i].first, args[i].second) + QLatin1Char(')'); };
    if (IsWord(m_statement.Tokens()[name], "DECODE")) {
        QString out = QStringLiteral("CASE");
        size_t i = 1;
        for (; i + 1 < args.size(); i += 2)
            out += QLatin1String(" WHEN ") + arg(0) + QLatin1String(" IS NOT DISTINCT FROM ") + arg(i)
                   + QLatin1String(" THEN ") + arg(i + 1);
        if (i < args.size())
            out += QLatin1String(" ELSE ") + arg(i);
        return out + QLatin1String(" END");
    }
    QStringList nullChecks, values;
    for (size_t i = 0; i < args.size(); ++i) {
        nullChecks << arg(i) + QLatin1String(" IS NULL");
        values << arg(i);
    }
    return QLatin1String("CASE WHEN ") + nullChecks.join(QLatin1String(" OR ")) + QLatin1String(" THEN NULL ELSE ")
           + m_statement.Tokens()[name].Text + QLatin1Char('(') + values.join(QLatin1String(", "))
           + QLatin1String(") END");
}

QString TPostgresStatement::RenderToken(int i)
{
    const TSqlStatement& s = m_statement;
    const auto& t = s.Tokens()[i];
    switch (t.Kind) {
    case TSqlStatement::tkParam:
        return RenderParam(i);
    case TSqlStatement::tkString:
        return t.Text == QLatin1String("''") ? QStringLiteral("NULL") : t.Text;
    case TSqlStatement::tkNumber: {
        // Divisions run in double precision, as on the embedded engine and in
        // the procedures, so that every client shows the same figures.
        const bool divides = IsSymbol(s, s.PreviousSignificant(i), u'/') || IsSymbol(s, s.NextSignificant(i), u'/');
        return divides ? t.Text + QLatin1String("::float8") : t.Text;
    }
    case TSqlStatement::tkSymbol:
        return IsSymbol(s, i, u')') && NeedsAlias(i) ? QStringLiteral(") AS SELVAR_FROM%1").arg(i) : t.Text;
    case TSqlStatement::tkWord:
        if (IsWord(t, "MINUS"))
            return QStringLiteral("EXCEPT");
        // The server's INTEGER has 38 digits, the engine's four bytes.
        if (IsWord(t, "INTEGER") && IsWord(s.Tokens()[std::max(0, s.PreviousSignificant(i))], "AS"))
            return QStringLiteral("BIGINT");
        if (IsWord(t, "SYSDATE") && !IsSymbol(s, s.NextSignificant(i), u'(')
            && !IsSymbol(s, s.PreviousSignificant(i), u'.')) {
            m_values.push_back(TBusinessClock::Now());
            return QStringLiteral("$%1::timestamp(0)").arg(m_values.size());
        }
        return t.Text;
    default:
        return t.Text;
    }
}

QString TPostgresStatement::RenderParam(int i)
{
    const QVariant value = m_bound.empty() ? QVariant() : m_bound[m_statement.Tokens()[i].Param];
    m_values.push_back(value);
    const QString marker = QStringLiteral("$%1").arg(m_values.size());
    return PlaceGivesType(i) ? marker : marker + CastFor(value);
}

// Beside a comparison, or in a VALUES or IN list, the engine takes the type of
// the other side or of the column; anywhere else the value must carry one.
bool TPostgresStatement::PlaceGivesType(int i) const
{
    const TSqlStatement& s = m_statement;
    const int before = s.PreviousSignificant(i), after = s.NextSignificant(i);
    if (NeedsTypeAfter(s, after) || IsConcat(s, before - 1) || IsSymbol(s, before, u'|'))
        return false;
    if (IsComparison(s, before) || IsComparison(s, after))
        return true;
    if (IsWord(s.Tokens()[before < 0 ? i : before], "AND")) {
        // The upper bound of BETWEEN.
        const int lower = s.PreviousSignificant(before);
        return lower >= 0 && IsWord(s.Tokens()[std::max(0, s.PreviousSignificant(lower))], "BETWEEN");
    }
    if (!IsSymbol(s, before, u'(') && !IsSymbol(s, before, u','))
        return false;
    int depth = 0;
    for (int j = before; j >= 0; --j) {
        if (IsSymbol(s, j, u')'))
            ++depth;
        else if (IsSymbol(s, j, u'(') && depth-- == 0) {
            const int word = s.PreviousSignificant(j);
            return word >= 0 && (IsWord(s.Tokens()[word], "VALUES") || IsWord(s.Tokens()[word], "IN"));
        }
    }
    return false;
}

// A subquery in FROM or JOIN without a name of its own (the engine wants one).
bool TPostgresStatement::NeedsAlias(int close) const
{
    const TSqlStatement& s = m_statement;
    const int open = MatchingBracket(s, close, -1);
    const int before = open < 0 ? -1 : s.PreviousSignificant(open);
    const int first = open < 0 ? -1 : s.NextSignificant(open);
    if (before < 0 || first < 0 || !IsWord(s.Tokens()[first], "SELECT")
        || !(IsWord(s.Tokens()[before], "FROM") || IsWord(s.Tokens()[before], "JOIN")))
        return false;
    const int after = s.NextSignificant(close);
    if (after < 0 || s.Tokens()[after].Kind == TSqlStatement::tkSymbol)
        return true;
    for (const char* keyword : {"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "MINUS", "EXCEPT", "INTERSECT", "JOIN",
                                "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "ON"})
        if (IsWord(s.Tokens()[after], keyword))
            return true;
    return false;
}

QString TPostgresStatement::CastFor(const QVariant& value) const
{
    if (TValueConversion::IsNull(value))
        return QStringLiteral("::text");
    switch (TValueConversion::TypeOf(value)) {
    case ftInteger:
    case ftFloat:
        return QStringLiteral("::numeric");
    case ftDateTime:
        return QStringLiteral("::timestamp(0)");
    case ftBlob:
        return QStringLiteral("::bytea");
    default:
        return QStringLiteral("::text");
    }
}
