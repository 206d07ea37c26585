#include "controls/TwInTimeEdit.h"

TwInTimeEdit::TwInTimeEdit(QWidget* parent) : TwInDateEdit(parent)
{
    setCalendarPopup(false);
    SetEditFormat(DefaultFormat(wdtTime));
}

QString TwInTimeEdit::DefaultFormat(TwDataType) const
{
    return QStringLiteral("hh:nn:ss");
}
