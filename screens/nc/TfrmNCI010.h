#pragma once

#include "screens/nc/TReportScreen.h"

// The leased sites with their deposit, rent and fee: no conditions.
class TfrmNCI010 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCI010(QWidget* parent = nullptr);

protected:
    QStringList ReportValues() const override;
};
