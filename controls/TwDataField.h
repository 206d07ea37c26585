#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

#include "controls/TwFieldType.h"

class TwClientDataSet;

// One field of a client-side result set: its layout (name, type, size,
// label, width, formats), and its value in the current record (the edit
// buffer while the record is being edited or inserted).
class TwDataField
{
public:
    TwDataField(TwClientDataSet* dataSet, const QString& name, TwFieldType type, int size);
    TwDataField(const TwDataField&) = delete;
    TwDataField& operator=(const TwDataField&) = delete;

    TwClientDataSet* DataSet() const { return m_dataSet; }
    const QString& FieldName() const { return m_name; }
    TwFieldType DataType() const { return m_type; }
    // Characters of a text field; digits of a BCD field; 0 otherwise.
    int Size() const { return m_size; }
    int Index() const { return m_index; }

    // The caption a grid column takes; the field name until given.
    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void SetDisplayLabel(const QString& value) { m_displayLabel = value; }
    // Characters shown: the size of a text field, 10 otherwise, until given.
    int DisplayWidth() const;
    void SetDisplayWidth(int value) { m_displayWidth = value; }
    // Numeric picture (see TwFormat::FormatNumber) or date picture.
    QString DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& value) { m_displayFormat = value; }
    // Edit mask ("9999-99-99;0;"); a text field shows its value through it.
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString& value) { m_editMask = value; }
    bool Required() const { return m_required; }
    void SetRequired(bool value) { m_required = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // A numeric field shown as an amount (grouped, no decimals) without a format.
    bool Currency() const { return m_currency; }
    void SetCurrency(bool value) { m_currency = value; }
    // No lookup fields here: the result set holds what its source gave.
    bool Lookup() const { return false; }
    QString KeyFields() const { return QString(); }

    // Not read-only, and the result set can be modified.
    bool CanModify() const;
    // Whether a typed character suits the field's type.
    bool IsValidChar(QChar ch) const;
    bool HasSetTextHandler() const { return bool(OnSetText); }

    // The value in the current record.
    QVariant AsVariant() const;
    QString AsString() const;
    double AsFloat() const;
    qint64 AsInteger() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    bool IsNull() const;
    QString DisplayText() const;

    // Only while the result set edits or inserts a record; a text that does
    // not convert to the field's type raises EConvertError.
    void SetAsVariant(const QVariant& value);
    void SetAsString(const QString& value);
    void SetAsFloat(double value);
    void SetAsBoolean(bool value);
    void SetAsDateTime(const QDateTime& value);
    void Clear();
    // Text as typed: through OnSetText when set, else SetAsString.
    void SetText(const QString& text);

    // A value converted to the field's type (Null stays Null).
    QVariant Converted(const QVariant& value) const;
    // How the field shows a value: formats, masks, dates as yyyy-MM-dd.
    QString TextOf(const QVariant& value) const;

    std::function<void(TwDataField* Sender, const QString& Text)> OnSetText;

private:
    friend class TwClientDataSet;
    QString FormattedText(const QVariant& value) const;

    TwClientDataSet* m_dataSet;
    QString m_name;
    TwFieldType m_type;
    int m_size;
    int m_index = -1;
    QString m_displayLabel;
    int m_displayWidth = 0;
    QString m_displayFormat;
    QString m_editMask;
    bool m_required = false;
    bool m_readOnly = false;
    bool m_currency = false;
};
