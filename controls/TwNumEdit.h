#pragma once

#include "controls/TwCustomNumEdit.h"

// The numeric field as placed on forms (`ned...`).
class TwNumEdit : public TwCustomNumEdit
{
    Q_OBJECT

public:
    explicit TwNumEdit(QWidget* parent = nullptr) : TwCustomNumEdit(parent) {}
};
