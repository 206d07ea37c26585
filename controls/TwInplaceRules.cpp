#include "controls/TwInplaceRules.h"

#include "controls/TwMemColumn.h"

QColor TwInplaceRules::EditorColor(const TwColumn& column)
{
    return column.EditColor() ? TwColors::Window() : column.Color();
}

Qt::Alignment TwInplaceRules::Alignment(const TwColumn& column)
{
    Qt::Alignment vertical = Qt::AlignVCenter;
    if (column.Layout() == tlTop)
        vertical = Qt::AlignTop;
    else if (column.Layout() == tlBottom)
        vertical = Qt::AlignBottom;
    return (column.Alignment() & Qt::AlignHorizontal_Mask) | vertical;
}

int TwInplaceRules::MaxLength(const TwMemColumn& column)
{
    if (!TwIsTextType(column.DataType()))
        return qMax(0, column.MaxLength());
    const int width = column.DataWidth();
    if (column.MaxLength() > 0)
        return width > 0 ? qMin(width, column.MaxLength()) : column.MaxLength();
    return width;
}

QString TwInplaceRules::ApplyCharCase(TwEditCharCase charCase, const QString& text)
{
    switch (charCase) {
    case ecUpperCase: return text.toUpper();
    case ecLowerCase: return text.toLower();
    default: return text;
    }
}
