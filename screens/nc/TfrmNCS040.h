#pragma once

#include "screens/nc/TReportScreen.h"

// Rent and management fee per site and partner; either may be left empty for all.
class TfrmNCS040 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCS040(QWidget* parent = nullptr);

    void bbt_UpjangCodeClick();
    void bbt_CCodeClick();

    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QLineEdit* edt_CCode;
    QPushButton* bbt_CCode;

protected:
    QStringList ReportValues() const override;
};
