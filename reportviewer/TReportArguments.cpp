#include "reportviewer/TReportArguments.h"

#include "controls/ESelvarError.h"

namespace {
const QString Prefix = QStringLiteral("/rp");

[[noreturn]] void Malformed(const QString& text)
{
    throw ESelvarError(QStringLiteral("보고서 인자의 형식이 올바르지 않습니다.\r") + text);
}

qsizetype SkipBlanks(const QString& text, qsizetype at)
{
    while (at < text.size() && text.at(at).isSpace())
        ++at;
    return at;
}

// The "]" that closes the value opened before `from`: the first one followed
// (after blanks) by the end or by the next "[".
qsizetype ClosingBracket(const QString& text, qsizetype from)
{
    for (qsizetype at = text.indexOf(QLatin1Char(']'), from); at >= 0; at = text.indexOf(QLatin1Char(']'), at + 1)) {
        const qsizetype next = SkipBlanks(text, at + 1);
        if (next == text.size() || text.at(next) == QLatin1Char('['))
            return at;
    }
    return -1;
}
} // namespace

QString TReportArguments::Build(const QStringList& values)
{
    QString text = Prefix;
    for (const QString& value : values)
        text += QStringLiteral(" [") + value + QLatin1Char(']');
    return text;
}

QStringList TReportArguments::Parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (!trimmed.startsWith(Prefix, Qt::CaseInsensitive))
        Malformed(text);
    QStringList values;
    qsizetype at = SkipBlanks(trimmed, Prefix.size());
    if (at == Prefix.size() && at < trimmed.size() && trimmed.at(at) != QLatin1Char('['))
        Malformed(text); // "/rpx"
    while (at < trimmed.size()) {
        if (trimmed.at(at) != QLatin1Char('['))
            Malformed(text);
        const qsizetype close = ClosingBracket(trimmed, at + 1);
        if (close < 0)
            Malformed(text);
        values << trimmed.mid(at + 1, close - at - 1);
        at = SkipBlanks(trimmed, close + 1);
    }
    return values;
}
