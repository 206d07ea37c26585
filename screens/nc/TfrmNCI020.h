#pragma once

#include "screens/nc/TReportScreen.h"

// Rent and management fee billed to every shop in a month.
class TfrmNCI020 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCI020(QWidget* parent = nullptr);

    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;

protected:
    QStringList ReportValues() const override;
    void FormShow() override;
};
