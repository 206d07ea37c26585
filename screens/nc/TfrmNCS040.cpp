#include "screens/nc/TfrmNCS040.h"

#include <QLineEdit>
#include <QPushButton>

#include "screens/PanelEditors.h"

TfrmNCS040::TfrmNCS040(QWidget* parent)
    : TReportScreen(QStringLiteral("frmNCS040"), QStringLiteral("업장별임대료관리비 현황.report"), parent)
{
    const TCodeField site = AddCodeField(QStringLiteral("업장코드"), QStringLiteral("edt_UpjangCode"),
                                         QStringLiteral("bbt_UpjangCode"), QStringLiteral("edt_UpjangCodeName"));
    edt_UpjangCode = site.code;
    bbt_UpjangCode = site.button;
    edt_UpjangCodeName = site.name;
    const TCodeField partner =
        AddCodeField(QStringLiteral("거래처코드"), QStringLiteral("edt_CCode"), QStringLiteral("bbt_CCode"), QString());
    edt_CCode = partner.code;
    bbt_CCode = partner.button;
    ConnectButton(bbt_UpjangCode, [this] { bbt_UpjangCodeClick(); });
    ConnectButton(bbt_CCode, [this] { bbt_CCodeClick(); });
    CreateForm();
}

QStringList TfrmNCS040::ReportValues() const
{
    return {edt_UpjangCode->text(), edt_CCode->text()};
}

void TfrmNCS040::bbt_UpjangCodeClick()
{
    const PanelEditors::TPicked site = PanelEditors::PickCodeAndName(QStringLiteral("4"));
    edt_UpjangCode->setText(site.code);
    edt_UpjangCodeName->setText(site.name);
}

void TfrmNCS040::bbt_CCodeClick()
{
    edt_CCode->setText(PanelEditors::PickCode(QStringLiteral("3")));
}
