#include "common/TField.h"

#include "common/EDatabaseError.h"
#include "common/TResultSet.h"
#include "common/TValueConversion.h"
#include "controls/EConvertError.h"

TField::TField(TResultSet* rows, const int* currentRow, int index, const QString& name, TFieldType type)
    : m_rows(rows), m_currentRow(currentRow), m_index(index), m_name(name), m_type(type)
{
}

// The rows hold whole rows only, so a cell inside them is on a held row.
QVariant* TField::Slot() const
{
    const int row = *m_currentRow;
    const size_t cell = static_cast<size_t>(row) * m_rows->Types.size() + m_index;
    if (row < 0 || cell >= m_rows->Cells.size())
        return nullptr;
    return &m_rows->Cells[cell];
}

QVariant TField::AsVariant() const { return Value(); }

namespace {
const QVariant kNull;
}

const QVariant& TField::Value() const
{
    const QVariant* v = Slot();
    return v ? *v : kNull;
}

QString TField::AsString() const { return TValueConversion::ToString(Value()); }
double TField::AsFloat() const { return TValueConversion::ToFloat(Value()); }
qint64 TField::AsInteger() const { return TValueConversion::ToInteger(Value()); }
bool TField::IsNull() const { return TValueConversion::IsNull(Value()); }

QDateTime TField::AsDateTime() const
{
    const QVariant v = AsVariant();
    if (TValueConversion::IsNull(v))
        return QDateTime();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString text = v.toString();
    QDateTime result = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!result.isValid())
        result = QDateTime(QDate::fromString(text, QStringLiteral("yyyyMMdd")), QTime(0, 0));
    if (!result.isValid())
        throw EConvertError::InvalidDate(text);
    return result;
}

void TField::SetAsVariant(const QVariant& value)
{
    QVariant* v = Slot();
    if (!v)
        throw EDatabaseError(QStringLiteral("Field '%1': no current record").arg(m_name));
    *v = TValueConversion::IsNull(value) ? QVariant() : value;
}

void TField::SetAsString(const QString& value) { SetAsVariant(value); }
void TField::SetAsFloat(double value) { SetAsVariant(value); }
void TField::Clear() { SetAsVariant(QVariant()); }
