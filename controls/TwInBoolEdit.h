#pragma once

#include "controls/TwInCheckEdit.h"

// The Boolean picture editor (editor kind 4): a check mark for True and
// nothing otherwise; it toggles and empties as the check box does.
class TwInBoolEdit : public TwInCheckEdit
{
    Q_OBJECT

public:
    explicit TwInBoolEdit(QWidget* parent = nullptr) : TwInCheckEdit(parent) {}

protected:
    void PaintValue(QPainter& painter, const QRect& area) override;
};
