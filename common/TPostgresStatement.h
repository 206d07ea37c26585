#pragma once

#include <QString>
#include <QVariant>
#include <vector>

#include "common/TSqlStatement.h"

// A statement of the server's dialect as PostgreSQL text with its values.
// Each parameter occurrence becomes its own "$n" (the engine types each one
// from its place); where the place gives no type (":P IS NULL", a function's
// argument, a concatenation, the select list) it is cast to the type of the
// value bound. A bare SYSDATE is one more value: the business clock's time.
// Rewritten as well: MINUS -> EXCEPT; '' -> NULL; a number next to "/" is a
// double; a || b -> NULLIF(CONCAT(a, b), ''); DECODE -> CASE with NULL
// matching NULL; GREATEST and LEAST give NULL when any argument is NULL; a
// subquery in FROM without a name gets one; CAST(x AS INTEGER) is a BIGINT.
class TPostgresStatement
{
public:
    // values: one per parameter name; empty means no values are known (the
    // casts are then to text).
    TPostgresStatement(const TSqlStatement& statement, const std::vector<QVariant>& values);

    const QString& Text() const { return m_text; }
    // The value of each "$n" in order (n - 1).
    const std::vector<QVariant>& Values() const { return m_values; }

private:
    struct TChain
    {
        std::vector<std::pair<int, int>> Operands;
    };

    void FindChains();
    QString Render(int first, int last);
    QString RenderToken(int index);
    QString RenderParam(int index);
    QString RenderCall(int name, int open, int close);
    std::vector<std::pair<int, int>> Arguments(int open, int close) const;
    bool PlaceGivesType(int index) const;
    bool NeedsAlias(int close) const;
    QString CastFor(const QVariant& value) const;

    const TSqlStatement& m_statement;
    const std::vector<QVariant>& m_bound;
    std::vector<TChain> m_chains; // by first token, in m_chainAt
    std::vector<int> m_chainAt;   // per token: index into m_chains or -1
    QString m_text;
    std::vector<QVariant> m_values;
};
