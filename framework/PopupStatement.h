#pragma once

#include <QString>
#include <QStringList>

// The statements of the code search popup.
namespace PopupStatement {

// A statement's lines as the popup keeps them: split at every line break.
QStringList Lines(const QString& text);

// The base statement narrowed to the rows whose column `field` contains
// `text` (a literal with its apostrophes doubled). The condition goes after
// the last AND line that follows the WHERE line (wherever the WHERE stands,
// the first line included), else right after the WHERE line; a statement
// without WHERE gets a WHERE line before its GROUP BY or ORDER BY line, or
// at its end. Words on the first line other than WHERE do not count, so
// the clauses the condition must follow stand on lines of their own.
QStringList Refined(const QStringList& base, const QString& field, const QString& text);

} // namespace PopupStatement
