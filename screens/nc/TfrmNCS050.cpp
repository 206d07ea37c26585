#include "screens/nc/TfrmNCS050.h"

#include "controls/TwCustomMaskEdit.h"

TfrmNCS050::TfrmNCS050(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCS050"), QStringLiteral("임대료관리비미납현황보고.report"), parent)
{
    const TMonthField month = AddMonthField(QStringLiteral("조회 년월"));
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    CreateForm();
}

QStringList TfrmNCS050::ReportValues() const
{
    return {medMonth->Text()};
}

void TfrmNCS050::FormShow()
{
    ShowThisMonth(medMonth);
}
