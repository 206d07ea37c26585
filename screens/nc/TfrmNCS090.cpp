#include "screens/nc/TfrmNCS090.h"

#include <QLineEdit>
#include <QPushButton>

#include "controls/TwCustomMaskEdit.h"
#include "screens/PanelEditors.h"

TfrmNCS090::TfrmNCS090(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCS090"), QStringLiteral("납부고지서.report"), parent)
{
    const TCodeField site = AddCodeField(QStringLiteral("업장코드"), QStringLiteral("edt_UpjangCode"),
                                         QStringLiteral("bbt_UpjangCode"), QStringLiteral("edt_UpjangCodeName"));
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    const TMonthField month = AddMonthField(QStringLiteral("청구 년월"));
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    CreateForm();
}

// The month comes first, the site second.
QStringList TfrmNCS090::ReportValues() const
{
    return {medMonth->Text(), edt_UpjangCode->text()};
}

void TfrmNCS090::FormShow()
{
    ShowThisMonth(medMonth);
}

void TfrmNCS090::bbt_UpjangCodeClick()
{
    const PanelEditors::TPicked site = PanelEditors::PickCodeAndName(QStringLiteral("4"));
    edt_UpjangCode->setText(site.code);
    edt_UpjangCodeName->setText(site.name);
}
