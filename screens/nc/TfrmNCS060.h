#pragma once

#include "screens/nc/TReportScreen.h"

// The leasable shops of every arcade with their tenants: no conditions.
class TfrmNCS060 : public TReportScreen
{
    Q_OBJECT

public:
    explicit TfrmNCS060(QWidget* parent = nullptr);

protected:
    QStringList ReportValues() const override;
};
