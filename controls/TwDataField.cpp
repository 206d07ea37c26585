#include "controls/TwDataField.h"

#include "controls/EConvertError.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwFormat.h"

TwDataField::TwDataField(TwClientDataSet* dataSet, const QString& name, TwFieldType type, int size)
    : m_dataSet(dataSet), m_name(name), m_type(type), m_size(size)
{
}

int TwDataField::DisplayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    return m_type == wftString && m_size > 0 ? m_size : 10;
}

bool TwDataField::CanModify() const
{
    return !m_readOnly && m_dataSet->CanModify();
}

bool TwDataField::IsValidChar(QChar ch) const
{
    const bool digit = ch >= u'0' && ch <= u'9';
    switch (m_type) {
    case wftSmallint:
    case wftInteger:
    case wftLargeint:
    case wftAutoInc: return digit || ch == u'+' || ch == u'-';
    case wftWord: return digit;
    case wftFloat:
    case wftCurrency:
    case wftBCD: return digit || ch == u'+' || ch == u'-' || ch == u'.' || ch == u'E' || ch == u'e';
    case wftGraphic: return false;
    default: return true;
    }
}

QVariant TwDataField::AsVariant() const { return m_dataSet->CurrentValue(m_index); }
bool TwDataField::IsNull() const { return !AsVariant().isValid(); }
QString TwDataField::DisplayText() const { return TextOf(AsVariant()); }

QString TwDataField::AsString() const
{
    const QVariant v = AsVariant();
    if (!v.isValid())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return TwFormat::FloatText(v.toDouble());
    if (v.typeId() == QMetaType::QDateTime)
        return TwFormat::DateTimeText(TwFormat::ToSerial(v.toDateTime()));
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

double TwDataField::AsFloat() const
{
    const QVariant v = AsVariant();
    if (!v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return TwFormat::ParseFloat(v.toString());
    return v.toDouble();
}

qint64 TwDataField::AsInteger() const
{
    const QVariant v = AsVariant();
    if (!v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return TwFormat::ParseInteger(v.toString());
    return qRound64(v.toDouble());
}

bool TwDataField::AsBoolean() const
{
    const QVariant v = AsVariant();
    if (v.typeId() == QMetaType::QString)
        return v.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || v.toString() == u"1";
    return v.isValid() && v.toBool();
}

QDateTime TwDataField::AsDateTime() const
{
    const QVariant v = Converted(AsVariant());
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime();
}

QVariant TwDataField::Converted(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const bool text = value.typeId() == QMetaType::QString;
    if (text && value.toString().isEmpty() && m_type != wftString && m_type != wftMemo)
        return QVariant();
    switch (m_type) {
    case wftString:
    case wftMemo: return value.toString();
    case wftSmallint:
    case wftInteger:
    case wftWord:
    case wftLargeint:
    case wftAutoInc: return text ? qint64(TwFormat::ParseInteger(value.toString())) : qRound64(value.toDouble());
    case wftFloat:
    case wftCurrency:
    case wftBCD: return text ? TwFormat::ParseFloat(value.toString()) : value.toDouble();
    case wftBoolean:
        return text ? value.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 : value.toBool();
    case wftDate:
    case wftTime:
    case wftDateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return value;
        if (text) {
            const QDateTime stamp = QDateTime::fromString(value.toString(), Qt::ISODate);
            if (stamp.isValid())
                return stamp;
        }
        return TwFormat::FromSerial(text ? TwFormat::ParseDateTime(value.toString()) : value.toDouble());
    default: return value;
    }
}

QString TwDataField::TextOf(const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QString();
    try {
        return FormattedText(value);
    } catch (const EConvertError&) {
        return value.toString(); // as the source gave it
    }
}

QString TwDataField::FormattedText(const QVariant& value) const
{
    if (TwIsNumericField(m_type)) {
        const double number = value.typeId() == QMetaType::QString ? TwFormat::ParseFloat(value.toString())
                                                                    : value.toDouble();
        if (!m_displayFormat.isEmpty())
            return TwFormat::FormatNumber(m_displayFormat, number);
        if (m_currency)
            return TwFormat::FormatNumber(QStringLiteral("#,##0"), number);
        return TwIsWholeField(m_type) ? QString::number(qRound64(number)) : TwFormat::FloatText(number);
    }
    if (m_type == wftDate || m_type == wftTime || m_type == wftDateTime) {
        const double serial = TwFormat::ToSerial(Converted(value).toDateTime());
        if (!m_displayFormat.isEmpty())
            return TwFormat::FormatDateTime(m_displayFormat, serial);
        return m_type == wftDate ? TwFormat::DateText(serial)
               : m_type == wftTime ? TwFormat::TimeText(serial)
                                   : TwFormat::DateTimeText(serial);
    }
    if (m_type == wftBoolean)
        return Converted(value).toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (m_type == wftString && !m_editMask.isEmpty())
        return TwFormat::FormatMask(m_editMask, value.toString());
    return value.toString();
}

void TwDataField::SetAsVariant(const QVariant& value) { m_dataSet->SetFieldValue(m_index, Converted(value)); }
void TwDataField::SetAsString(const QString& value) { SetAsVariant(value); }
void TwDataField::SetAsFloat(double value) { SetAsVariant(value); }
void TwDataField::SetAsBoolean(bool value) { SetAsVariant(value); }
void TwDataField::SetAsDateTime(const QDateTime& value) { SetAsVariant(value); }
void TwDataField::Clear() { SetAsVariant(QVariant()); }

void TwDataField::SetText(const QString& text)
{
    if (OnSetText)
        OnSetText(this, text);
    else
        SetAsString(text);
}
