#pragma once

#include <QString>
#include <QVariant>

#include "common/TFieldType.h"

// One named parameter of a query or stored procedure. An empty text is Null,
// so binding "" switches an optional filter such as "(X = :X OR :X IS NULL)" off.
class TParam
{
public:
    explicit TParam(const QString& name = QString());

    const QString& Name() const { return m_name; }
    TFieldType DataType() const { return m_type; }

    QString AsString() const;
    void SetAsString(const QString& value);
    double AsFloat() const;
    void SetAsFloat(double value);
    qint64 AsInteger() const;
    void SetAsInteger(qint64 value);
    QVariant AsVariant() const;
    void SetAsVariant(const QVariant& value);
    bool IsNull() const;
    void Clear();

private:
    QString m_name;
    QVariant m_value;
    TFieldType m_type = ftUnknown;
};
