#pragma once

#include "framework/TfrmZZI070.h"

// The master-detail editing screen in one pane, for the lookup dialogs: the
// grid fills the whole data area. Behaviour, fields and handlers are those of
// TfrmZZI070.
class TfrmZZI090 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmZZI090(QWidget* parent = nullptr);
};
