#include "screens/nc/TfrmNCI010.h"

TfrmNCI010::TfrmNCI010(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCI010"), QStringLiteral("임대수수료영업장현황.report"), parent)
{
    CreateForm();
}

QStringList TfrmNCI010::ReportValues() const
{
    return {};
}
