#pragma once

#include "controls/TwColumn.h"

class TwDataField;
class TwDataSource;
class TwDBGrid;

// A column of the data-aware grid: the field it shows, found by name in the
// grid's result set whenever it is needed, and the list source of a data
// list editor.
class TwDBColumn : public TwColumn
{
public:
    explicit TwDBColumn(TwDBGrid* grid);

    TwDBGrid* DBGrid() const { return m_dbGrid; }
    QString FieldName() const { return m_fieldName; }
    // An empty title caption takes the field's display label, or the name
    // itself when the result set has no such field.
    void SetFieldName(const QString& value);
    QString ListFields() const { return m_listFields; }
    void SetListFields(const QString& value) { m_listFields = value; }
    int ListIndex() const { return m_listIndex; }
    void SetListIndex(int value) { m_listIndex = value; }
    TwDataSource* ListSource() const { return m_listSource; }
    void SetListSource(TwDataSource* value) { m_listSource = value; }

    // The bound field, or nullptr (no field name, closed or unlinked result).
    TwDataField* Field() const;
    // Only when its field may be modified.
    bool CanFocus() const override;

protected:
    bool IsNumeric() const override;
    bool IsPicture() const override;

private:
    TwDBGrid* m_dbGrid;
    QString m_fieldName;
    QString m_listFields;
    int m_listIndex = 0;
    TwDataSource* m_listSource = nullptr;
};
