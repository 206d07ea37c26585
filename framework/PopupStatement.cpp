#include "framework/PopupStatement.h"

#include <QRegularExpression>

#include "common/CommonHelpers.h"

namespace PopupStatement {

QStringList Lines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

namespace {
// The index of the last line containing the word; -1 when there is none,
// or (unless the first line counts) when only the first line has it.
int LastLineWith(const QStringList& lines, const QString& word, bool firstLineCounts)
{
    for (int i = int(lines.size()) - 1; i >= 0; --i)
        if (lines.at(i).toLower().contains(word))
            return i == 0 && !firstLineCounts ? -1 : i;
    return -1;
}
} // namespace

QStringList Refined(const QStringList& base, const QString& field, const QString& text)
{
    QStringList lines = base;
    const QString cond = field + QStringLiteral(" LIKE ") + QuotedText(QLatin1Char('%') + text + QLatin1Char('%'));
    const int w = LastLineWith(lines, QStringLiteral("where "), true);
    const int a = LastLineWith(lines, QStringLiteral("and "), false);
    const int f = LastLineWith(lines, QStringLiteral("from "), false);
    const int g = LastLineWith(lines, QStringLiteral("group by"), false);
    const int o = LastLineWith(lines, QStringLiteral("order by"), false);
    if (w >= 0) {
        const int after = a >= 0 && f < a && w < a ? a : w;
        lines.insert(after + 1, QStringLiteral("AND ") + cond);
    } else if (g >= 0) {
        lines.insert(g, QStringLiteral("WHERE ") + cond);
    } else if (o >= 0) {
        lines.insert(o, QStringLiteral("WHERE ") + cond);
    } else {
        lines.append(QStringLiteral("WHERE ") + cond);
    }
    return lines;
}

} // namespace PopupStatement
