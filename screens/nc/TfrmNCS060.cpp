#include "screens/nc/TfrmNCS060.h"

TfrmNCS060::TfrmNCS060(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCS060"), QStringLiteral("업장별임대업장현황.report"), parent)
{
    CreateForm();
}

QStringList TfrmNCS060::ReportValues() const
{
    return {};
}
