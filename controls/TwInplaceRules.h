#pragma once

#include <QChar>
#include <QColor>
#include <QLocale>
#include <QString>

#include "controls/TwTypes.h"

class TwColumn;
class TwMemColumn;

// What every in-place editor takes from the column it edits: its colour,
// alignment, length limit, case conversion and the characters its type
// accepts.
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
    // Whether a typed character suits a column type: "+", "-" and digits for
    // signed integers, digits for unsigned ones, also ".", "E", "e" for
    // floats, digits and the locale's separator for dates and times, none
    // for pictures, anything for the other types.
    static bool Accepts(TwDataType type, QChar ch, const QLocale& locale);
    // Typed text converted to the column's character case.
    static QString ApplyCharCase(TwEditCharCase charCase, const QString& text);
};
