#include "tests/framework/TfrmZZT070.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwGridFooter.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/TPanel.h"

namespace {
TwMemColumn* AddColumn(TwMemGrid* grid, const QString& caption, TwDataType type, int dataWidth, int width)
{
    auto* column = static_cast<TwMemColumn*>(grid->Columns()->Add());
    column->SetDataType(type);
    column->SetDataWidth(dataWidth);
    column->SetWidth(width);
    column->Title()->SetCaption(caption);
    column->SetAlignment(TwIsNumericType(type) ? Qt::AlignRight : Qt::AlignLeft);
    return column;
}
} // namespace

TfrmZZT070::TfrmZZT070(QWidget* parent) : TfrmZZI070(parent)
{
    setObjectName(QStringLiteral("frmZZT070"));

    lbl_Find = new QLabel(QStringLiteral("영업장명"));
    lbl_Find->setObjectName(QStringLiteral("lbl_Find"));
    AddSearchControl(lbl_Find);
    edtFindName = new QLineEdit();
    edtFindName->setObjectName(QStringLiteral("edtFindName"));
    edtFindName->setFixedWidth(121);
    AddSearchControl(edtFindName);

    AddColumn(rgrGrid, QStringLiteral("업장코드"), wdtString, 6, 70);
    AddColumn(rgrGrid, QStringLiteral("업장명"), wdtString, 30, 130);
    AddColumn(rgrGrid, QStringLiteral("면적"), wdtFloat, 0, 60)->SetReadOnly(true);
    TwMemColumn* rent = AddColumn(rgrGrid, QStringLiteral("임대료"), wdtFloat, 0, 110);
    rent->SetDisplayFormat(QStringLiteral("#,##0"));
    static_cast<TwMemColumnFooter*>(rent->Footer())->SetStyle(0, QStringLiteral("399990"));
    rgrGrid->Footers()->Items(0)->SetVisible(true);

    auto* detail = new QFormLayout(Panel2);
    detail->setContentsMargins(12, 12, 12, 12);
    edt_ShopName = new QLineEdit(Panel2);
    edt_ShopName->setObjectName(QStringLiteral("edt_ShopName"));
    edt_ShopName->setFixedWidth(200);
    bbt_ShopName = new QPushButton(QStringLiteral("..."), Panel2);
    bbt_ShopName->setObjectName(QStringLiteral("bbt_ShopName"));
    bbt_ShopName->setFixedWidth(28);
    connect(bbt_ShopName, &QPushButton::clicked, this, [this] { ++lookups; });
    auto* nameRow = new QHBoxLayout();
    nameRow->addWidget(edt_ShopName);
    nameRow->addWidget(bbt_ShopName);
    nameRow->addStretch(1);
    detail->addRow(QStringLiteral("업장명"), nameRow);
    WireEditor(edt_ShopName);

    qryQuery.SQL() << "SELECT SHOP_CODE, SHOP_NAME, AREA, RENT_AMT FROM ZZT070MS"
                   << "WHERE (SHOP_NAME LIKE :SHOP_NAME OR :SHOP_NAME IS NULL) ORDER BY SHOP_CODE";
    prcProc.SetProcedureName(QStringLiteral("PR_ZZT070_01"));
    CreateForm();
}

void TfrmZZT070::bbtSearchClick()
{
    const QString find = edtFindName->text();
    qryQuery.ParamByName(QStringLiteral("SHOP_NAME"))
        .SetAsString(find.isEmpty() ? QString() : QStringLiteral("%") + find + QStringLiteral("%"));
    TfrmZZI070::bbtSearchClick();
}
