#pragma once

#include "screens/nc/TReportScreen.h"

// The payment notice of every contract of a site for a billing month.
class TfrmNCS090 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCS090(QWidget* parent = nullptr);

    void bbt_UpjangCodeClick();

    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;

protected:
    QStringList ReportValues() const override;
    void FormShow() override;
};
