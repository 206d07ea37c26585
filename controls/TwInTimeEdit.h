#pragma once

#include "controls/TwInDateEdit.h"

// The in-place time picker (editor kind 9): no calendar, the cell's
// "hh:nn:ss" layout when the column has no `EditFormat`.
class TwInTimeEdit : public TwInDateEdit
{
    Q_OBJECT

public:
    explicit TwInTimeEdit(QWidget* parent = nullptr);

protected:
    QString DefaultFormat(TwDataType type) const override;
};
