#pragma once

#include <QColor>
#include <QString>

#include "controls/TwTypes.h"

class TwColumn;
class TwMemColumn;

// What the in-place editors take from the column they edit: its colour,
// alignment, length limit and case conversion. (The characters a column
// takes: `TwMemColumn::AcceptsChar`.)
class TwInplaceRules
{
public:
    // The window colour when the column edits in it, else the column colour.
    static QColor EditorColor(const TwColumn& column);
    // The column's horizontal alignment with its vertical layout.
    static Qt::Alignment Alignment(const TwColumn& column);
    // Characters a text editor takes: text types min(DataWidth, MaxLength)
    // when MaxLength > 0, else DataWidth; other types MaxLength; 0 = no limit.
    static int MaxLength(const TwMemColumn& column);
    // Typed text converted to the column's character case.
    static QString ApplyCharCase(TwEditCharCase charCase, const QString& text);
};
