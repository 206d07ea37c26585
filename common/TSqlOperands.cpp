#include "common/TSqlOperands.h"

namespace TSqlOperands {

bool IsWord(const TSqlStatement::TToken& t, const char* word)
{
    return t.Kind == TSqlStatement::tkWord && t.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool IsSymbol(const TSqlStatement& s, int index, QChar c)
{
    return index >= 0 && s.Tokens()[index].Kind == TSqlStatement::tkSymbol && s.Tokens()[index].Text == c;
}

bool IsConcat(const TSqlStatement& s, int index)
{
    return IsSymbol(s, index, u'|') && index + 1 < static_cast<int>(s.Tokens().size())
           && s.Tokens()[index + 1].Kind == TSqlStatement::tkSymbol && s.Tokens()[index + 1].Text == u'|';
}

// The token that closes (step +1) or opens (step -1) the bracket at index, or -1.
int MatchingBracket(const TSqlStatement& s, int index, int step)
{
    const QChar open = step > 0 ? u'(' : u')', close = step > 0 ? u')' : u'(';
    int depth = 0;
    for (int i = index; i >= 0 && i < static_cast<int>(s.Tokens().size()); i += step) {
        if (IsSymbol(s, i, open))
            ++depth;
        else if (IsSymbol(s, i, close) && --depth == 0)
            return i;
    }
    return -1;
}

// First token of the operand that ends at index: a literal, a parameter, a
// (qualified) name, a function call or a bracketed expression.
int OperandStart(const TSqlStatement& s, int index)
{
    if (IsSymbol(s, index, u')')) {
        const int open = MatchingBracket(s, index, -1);
        if (open < 0)
            return -1;
        const int before = s.PreviousSignificant(open);
        return before >= 0 && s.Tokens()[before].Kind == TSqlStatement::tkWord ? OperandStart(s, before) : open;
    }
    const auto kind = s.Tokens()[index].Kind;
    if (kind != TSqlStatement::tkWord && kind != TSqlStatement::tkQuotedName)
        return kind == TSqlStatement::tkString || kind == TSqlStatement::tkNumber || kind == TSqlStatement::tkParam
            ? index : -1;
    int start = index;
    for (int dot = s.PreviousSignificant(start); IsSymbol(s, dot, u'.');) {
        const int name = s.PreviousSignificant(dot);
        if (name < 0)
            break;
        start = name;
        dot = s.PreviousSignificant(start);
    }
    return start;
}

// Last token of the operand that starts at index.
int OperandEnd(const TSqlStatement& s, int index)
{
    if (IsSymbol(s, index, u'('))
        return MatchingBracket(s, index, +1);
    const auto kind = s.Tokens()[index].Kind;
    if (kind != TSqlStatement::tkWord && kind != TSqlStatement::tkQuotedName)
        return kind == TSqlStatement::tkString || kind == TSqlStatement::tkNumber || kind == TSqlStatement::tkParam
            ? index : -1;
    int end = index;
    for (int next = s.NextSignificant(end); next >= 0; next = s.NextSignificant(end)) {
        if (IsSymbol(s, next, u'.') && s.NextSignificant(next) >= 0) {
            end = s.NextSignificant(next);
        } else if (IsSymbol(s, next, u'(')) {
            end = MatchingBracket(s, next, +1);
            break;
        } else {
            break;
        }
    }
    return end;
}

} // namespace TSqlOperands
