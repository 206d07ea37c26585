#include "controls/TwDBColumn.h"

#include "controls/TwClientDataSet.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwDBColumnFooter.h"
#include "controls/TwDBGrid.h"
#include "controls/TwDataField.h"

TwDBColumn::TwDBColumn(TwDBGrid* grid)
    : TwColumn(grid, [](TwColumn* column) { return std::make_unique<TwDBColumnFooter>(column); }),
      m_dbGrid(grid)
{
}

void TwDBColumn::SetFieldName(const QString& value)
{
    m_fieldName = value;
    if (Title()->Caption().isEmpty()) {
        const TwDataField* field = Field();
        Title()->SetCaption(field ? field->DisplayLabel() : value);
    }
    Changed();
}

TwDataField* TwDBColumn::Field() const
{
    TwClientDataSet* dataSet = m_dbGrid->DataSet();
    if (m_fieldName.isEmpty() || !dataSet)
        return nullptr;
    return dataSet->FindField(m_fieldName);
}

bool TwDBColumn::CanFocus() const
{
    const TwDataField* field = Field();
    return !ReadOnly() && field && field->CanModify();
}

bool TwDBColumn::IsNumeric() const
{
    const TwDataField* field = Field();
    return field && TwIsNumericField(field->DataType());
}

bool TwDBColumn::IsPicture() const
{
    const TwDataField* field = Field();
    return field && field->DataType() == wftGraphic;
}
