#pragma once

#include "framework/TfrmZZI070.h"

class QLabel;
class QLineEdit;

// A screen built on the master-detail editing screen the way a business
// screen is, over the test site table: a name condition, four grid columns
// with a rent total, a detail editor with its lookup button, and the save
// procedure PR_ZZT070_01. It needs the procedure registered before creation.
class TfrmZZT070 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmZZT070(QWidget* parent = nullptr);

    void bbtSearchClick() override;

    QLabel* lbl_Find;
    QLineEdit* edtFindName;
    QLineEdit* edt_ShopName;
    QPushButton* bbt_ShopName;
    int lookups = 0;
};
