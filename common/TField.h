#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include "common/TFieldType.h"

struct TResultSet;

// One column of an open query, read at the query's current row. At the end of
// an empty result every field is Null.
class TField
{
public:
    TField(TResultSet* rows, const int* currentRow, int index, const QString& name, TFieldType type);

    const QString& FieldName() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    int Index() const { return m_index; }

    QString AsString() const;
    double AsFloat() const;
    qint64 AsInteger() const;
    QDateTime AsDateTime() const;
    QVariant AsVariant() const;
    bool IsNull() const;

    // Changes touch only the rows held on the client, never the database.
    void SetAsString(const QString& value);
    void SetAsFloat(double value);
    void SetAsVariant(const QVariant& value);
    void Clear();

private:
    QVariant* Slot() const;
    const QVariant& Value() const;

    TResultSet* m_rows;
    const int* m_currentRow;
    int m_index;
    QString m_name;
    TFieldType m_type;
};
