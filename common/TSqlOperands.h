#pragma once

#include <QChar>

#include "common/TSqlStatement.h"

// Reading the shape of a statement's tokens for the engines' rewrites: words,
// brackets and the extent of one operand of an operator.
namespace TSqlOperands {

bool IsWord(const TSqlStatement::TToken& t, const char* word);
bool IsSymbol(const TSqlStatement& s, int index, QChar c);
// The "||" operator starts at index.
bool IsConcat(const TSqlStatement& s, int index);
// The token that closes (step +1) or opens (step -1) the bracket at index, or -1.
int MatchingBracket(const TSqlStatement& s, int index, int step);
// First token of the operand that ends at index: a literal, a parameter, a
// (qualified) name, a function call or a bracketed expression; -1 when none.
int OperandStart(const TSqlStatement& s, int index);
// Last token of the operand that starts at index; -1 when none.
int OperandEnd(const TSqlStatement& s, int index);

} // namespace TSqlOperands
