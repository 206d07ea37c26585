#include "common/TSqlStatement.h"

namespace {

bool IsWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#'; }

// End of a quoted run starting at i (the opening quote); a doubled quote is an
// escaped one. An unterminated run ends with the text.
int QuotedEnd(const QString& s, int i, QChar quote)
{
    int j = i + 1;
    while (j < s.size()) {
        if (s[j] == quote) {
            if (j + 1 < s.size() && s[j + 1] == quote) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return static_cast<int>(s.size());
}

int NumberEnd(const QString& s, int i)
{
    int j = i;
    while (j < s.size() && s[j].isDigit())
        ++j;
    if (j < s.size() && s[j] == u'.') {
        ++j;
        while (j < s.size() && s[j].isDigit())
            ++j;
    }
    if (j < s.size() && (s[j] == u'e' || s[j] == u'E')) {
        int k = j + 1;
        if (k < s.size() && (s[k] == u'+' || s[k] == u'-'))
            ++k;
        if (k < s.size() && s[k].isDigit()) {
            j = k;
            while (j < s.size() && s[j].isDigit())
                ++j;
        }
    }
    return j;
}

int SpaceEnd(const QString& s, int i)
{
    int j = i;
    while (j < s.size()) {
        if (s[j].isSpace()) {
            ++j;
        } else if (s.mid(j, 2) == QLatin1String("--")) {
            while (j < s.size() && s[j] != u'\n')
                ++j;
        } else if (s.mid(j, 2) == QLatin1String("/*")) {
            const int end = s.indexOf(QLatin1String("*/"), j + 2);
            j = end < 0 ? static_cast<int>(s.size()) : end + 2;
        } else {
            break;
        }
    }
    return j;
}

} // namespace

TSqlStatement::TSqlStatement(const QString& text) : m_text(text) { Lex(); }

void TSqlStatement::Lex()
{
    const QString& s = m_text;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        TToken token{tkSymbol, QString()};
        int end = i + 1;
        if (c.isSpace() || s.mid(i, 2) == QLatin1String("--") || s.mid(i, 2) == QLatin1String("/*")) {
            token.Kind = tkSpace;
            end = SpaceEnd(s, i);
        } else if (c == u'\'') {
            token.Kind = tkString;
            end = QuotedEnd(s, i, c);
        } else if (c == u'"') {
            token.Kind = tkQuotedName;
            end = QuotedEnd(s, i, c);
        } else if (c == u':' && i + 1 < s.size() && IsWordChar(s[i + 1])
                   && (i == 0 || s[i - 1] != u':')) {
            token.Kind = tkParam;
            end = i + 1;
            while (end < s.size() && IsWordChar(s[end]))
                ++end;
            const QString name = s.mid(i + 1, end - i - 1);
            int index = ParamIndex(name);
            if (index < 0) {
                index = static_cast<int>(m_params.size());
                m_params.append(name);
            }
            token.Param = index;
        } else if (IsWordStart(c)) {
            token.Kind = tkWord;
            while (end < s.size() && IsWordChar(s[end]))
                ++end;
        } else if (c.isDigit() || (c == u'.' && i + 1 < s.size() && s[i + 1].isDigit())) {
            token.Kind = tkNumber;
            end = NumberEnd(s, i);
        }
        token.Text = s.mid(i, end - i);
        m_tokens.push_back(token);
        i = end;
    }
}

int TSqlStatement::ParamIndex(const QString& name) const
{
    for (int i = 0; i < m_params.size(); ++i)
        if (m_params[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TSqlStatement::NextSignificant(int from) const
{
    for (int i = from + 1; i < static_cast<int>(m_tokens.size()); ++i)
        if (m_tokens[i].Kind != tkSpace)
            return i;
    return -1;
}

int TSqlStatement::PreviousSignificant(int from) const
{
    for (int i = from - 1; i >= 0; --i)
        if (m_tokens[i].Kind != tkSpace)
            return i;
    return -1;
}
