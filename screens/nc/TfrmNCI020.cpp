#include "screens/nc/TfrmNCI020.h"

#include "controls/TwCustomMaskEdit.h"

TfrmNCI020::TfrmNCI020(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCI020"), QStringLiteral("월임대상가별임대료관리비현황.report"), parent)
{
    const TMonthField month = AddMonthField(QStringLiteral("조회 년월"));
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    CreateForm();
}

QStringList TfrmNCI020::ReportValues() const
{
    return {medMonth->Text()};
}

void TfrmNCI020::FormShow()
{
    ShowThisMonth(medMonth);
}
