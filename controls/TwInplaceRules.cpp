#include "controls/TwInplaceRules.h"

#include "controls/TwLocaleFormats.h"
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

bool TwInplaceRules::Accepts(TwDataType type, QChar ch, const QLocale& locale)
{
    const bool digit = ch >= u'0' && ch <= u'9';
    switch (type) {
    case wdtShort:
    case wdtSmall:
    case wdtLong: return digit || ch == u'+' || ch == u'-';
    case wdtByte:
    case wdtWord: return digit;
    case wdtFloat: return digit || ch == u'+' || ch == u'-' || ch == u'.' || ch == u'E' || ch == u'e';
    case wdtDate: return digit || TwLocaleFormats::DateSeparator(locale).contains(ch);
    case wdtTime: return digit || TwLocaleFormats::TimeSeparator(locale).contains(ch);
    case wdtGraphic: return false;
    default: return true;
    }
}

QString TwInplaceRules::ApplyCharCase(TwEditCharCase charCase, const QString& text)
{
    switch (charCase) {
    case ecUpperCase: return text.toUpper();
    case ecLowerCase: return text.toLower();
    default: return text;
    }
}
