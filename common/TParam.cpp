#include "common/TParam.h"

#include "common/TValueConversion.h"

TParam::TParam(const QString& name) : m_name(name) {}

QString TParam::AsString() const { return TValueConversion::ToString(m_value); }

void TParam::SetAsString(const QString& value)
{
    m_type = ftString;
    m_value = value.isEmpty() ? QVariant() : QVariant(value);
}

double TParam::AsFloat() const { return TValueConversion::ToFloat(m_value); }

void TParam::SetAsFloat(double value)
{
    m_type = ftFloat;
    m_value = value;
}

qint64 TParam::AsInteger() const { return TValueConversion::ToInteger(m_value); }

void TParam::SetAsInteger(qint64 value)
{
    m_type = ftInteger;
    m_value = value;
}

QVariant TParam::AsVariant() const { return m_value; }

void TParam::SetAsVariant(const QVariant& value)
{
    if (TValueConversion::IsNull(value)) {
        m_value = QVariant();
        return;
    }
    m_type = TValueConversion::TypeOf(value);
    m_value = value;
}

bool TParam::IsNull() const { return TValueConversion::IsNull(m_value); }

void TParam::Clear() { m_value = QVariant(); }
