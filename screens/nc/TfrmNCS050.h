#pragma once

#include "screens/nc/TReportScreen.h"

// Rent and management fee still unpaid in a month, with the days overdue.
class TfrmNCS050 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCS050(QWidget* parent = nullptr);

    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;

protected:
    QStringList ReportValues() const override;
    void FormShow() override;
};
