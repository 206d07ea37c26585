#include "screens/nb/TfrmNBS040.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SpreadsheetExport.h"
#include "common/SqlTrace.h"
#include "common/TBusinessClock.h"
#include "common/KoreanFonts.h"
#include "common/TQuery.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

using namespace PanelEditors;

namespace {
const char* const CommonSelect =
    "SELECT A.CONT_CODE, B.C_NAME, B.BOSS_NAME, C.SHOP_NAME, A.CONT_START_DATE, A.CONT_END_DATE, ";
const char* const BaseStatements[] = {
    "A.CONT_DEPOSIT, D.DEMAND_DATE1, D.DEMAND_MONEY1, E.UNCOL_AMT1 FROM NA020MS A, VA050MS B, NA010MS C, "
    "NB010DT D, NC010MS E WHERE A.C_CODE = B.C_CODE AND A.SHOP_CODE = C.SHOP_CODE AND A.CONT_CODE = D.CONT_CODE "
    "AND A.CONT_CODE = E.CONT_CODE AND D.DEMAND_DATE1 <> '99999999' AND B.USE_YN = 'Y'",
    "A.CONT_LEASE_MONEY, D.CONT_MONTH, D.DEMAND_MONEY2, E.UNCOL_AMT2 FROM NA020MS A, VA050MS B, NA010MS C, "
    "NB010DT D, NC010MS E WHERE A.C_CODE = B.C_CODE AND A.SHOP_CODE = C.SHOP_CODE AND A.CONT_CODE = D.CONT_CODE "
    "AND A.CONT_CODE = E.CONT_CODE AND D.DEMAND_DATE2 <> '99999999' AND B.USE_YN = 'Y'",
    "F.CONT_MONTH, D.DEMAND_MONEY3, F.SUP_PRICE, F.SUP_TAX, F.SUP_ELEC, F.SUP_GAS, F.SUP_CONT, F.SUP_ENVI, "
    "F.SUP_WATER, F.SUP_TELE, F.SUP_WARE_RANT, F.SUP_WARE_ELEC, F.SUP_WARE_MANT, E.UNCOL_AMT3,F.SUP_REMARK FROM "
    "NA020MS A, VA050MS B, NA010MS C, NB010DT D, NC010MS E, NB020DT F WHERE A.C_CODE = B.C_CODE AND A.SHOP_CODE = "
    "C.SHOP_CODE AND A.CONT_CODE = D.CONT_CODE AND A.CONT_CODE = E.CONT_CODE AND A.CONT_CODE = F.CONT_CODE AND "
    "D.CONT_MONTH = F.CONT_MONTH AND D.DEMAND_DATE3 = F.DEMAND_DATE AND B.USE_YN = 'Y'",
};

struct TColumnLayout {
    const char* caption;
    int width;
    char kind; // 't' text, 'c' centred, 'd' date, 'm' month, 'a' amount
};
} // namespace

TfrmNBS040::TfrmNBS040(QWidget* parent) : TfrmZZI010(parent)
{
    setObjectName(QStringLiteral("frmNBS040"));
    bbtSave->hide();
    resize(1100, 680);
    BuildSearchBar();
    rgrMain = new TwMemGrid(panMain);
    rgrMain->setObjectName(QStringLiteral("rgrMain"));
    rgrMain->setFont(ScreenFont());
    ScreenGrid::MakeListGrid(rgrMain);
    rgrMain->SetColRowHeight(18);
    rgrMain->Headers()->SetColHeight(21);
    rgrMain->Footers()->Add();
    ScreenGrid::ShowFooterSumsGrouped(rgrMain);
    auto* data = new QVBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->addWidget(rgrMain);
    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), bbtCancel->width(), bbtCancel->height());
    AddButton(bbtExcel, bbtCancel);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
    CreateForm();
}

void TfrmNBS040::BuildSearchBar()
{
    lblMonth = new QLabel(QStringLiteral("청구년월"));
    lblMonth->setObjectName(QStringLiteral("lblMonth"));
    AddSearchControl(lblMonth);
    TMonthLine month = MonthLine(panSearch);
    btnMinus = month.minus;
    medMonth = month.month;
    btnPlus = month.plus;
    AddSearchControl(btnMinus);
    AddSearchControl(medMonth);
    AddSearchControl(btnPlus);
    delete month.row;
    AddSearchControl(new QLabel(QStringLiteral("상  가  명")));
    edtFindShopName = Edit(QStringLiteral("edtFindShopName"), nullptr, 50);
    edtFindShopName->setFixedWidth(110);
    AddSearchControl(edtFindShopName);
    AddSearchControl(new QLabel(QStringLiteral("업  주  명")));
    edtFindBossName = Edit(QStringLiteral("edtFindBossName"), nullptr, 50);
    edtFindBossName->setFixedWidth(90);
    AddSearchControl(edtFindBossName);
    cbxGubn = new QComboBox();
    cbxGubn->setObjectName(QStringLiteral("cbxGubn"));
    cbxGubn->addItems({QStringLiteral("보증금 청구내역 조회"), QStringLiteral("임대료 청구내역 조회"),
                       QStringLiteral("관리비 청구내역 조회")});
    AddSearchControl(cbxGubn);
}

void TfrmNBS040::FormCreate()
{
    TfrmZZI010::FormCreate();
    medMonth->SetText(TBusinessClock::TodayText().left(6));
    cbxGubn->setCurrentIndex(gkManagementFee);
    cbxGubnChange();
    connect(cbxGubn, &QComboBox::currentIndexChanged, this, [this] { RunCommand([this] { cbxGubnChange(); }); });
}

int TfrmNBS040::FieldCount() const
{
    return cbxGubn->currentIndex() == gkManagementFee ? 21 : 10;
}

void TfrmNBS040::cbxGubnChange()
{
    rgrMain->Clear();
    rgrMain->Columns()->Clear();
    const int kind = cbxGubn->currentIndex();
    const bool monthShown = kind != gkDeposit;
    if (!monthShown)
        medMonth->SetText(QString());
    for (QWidget* w : {static_cast<QWidget*>(lblMonth), static_cast<QWidget*>(medMonth),
                       static_cast<QWidget*>(btnMinus), static_cast<QWidget*>(btnPlus)})
        w->setVisible(monthShown);

    QList<TColumnLayout> layouts = {{"계약코드", 135, 't'}, {"거  래  처", 135, 't'}, {"대표자명", 100, 't'},
                                {"업장명", 120, 't'},   {"계약시작일", 70, 'd'}, {"계약종료일", 70, 'd'}};
    if (kind == gkDeposit)
        layouts << TColumnLayout{"보증금", 110, 'a'} << TColumnLayout{"청구일", 70, 'd'}
              << TColumnLayout{"청구금액", 100, 'a'} << TColumnLayout{"전월미수금", 100, 'a'};
    else if (kind == gkRent)
        layouts << TColumnLayout{"총임대료", 110, 'a'} << TColumnLayout{"청구월", 70, 'm'}
              << TColumnLayout{"청구임대료", 100, 'a'} << TColumnLayout{"전월미수금", 100, 'a'};
    else {
        layouts << TColumnLayout{"청구월", 50, 'm'} << TColumnLayout{"청구금액", 110, 'a'};
        for (const char* caption : {"공급가액", "세액", "전기료", "가스료", "냉난방비", "환경비", "수도비", "전화료",
                                    "창고임대료", "창고전기료", "창고유지비", "전월미수금"})
            layouts << TColumnLayout{caption, 100, 'a'};
        layouts << TColumnLayout{"비고", 250, 't'};
    }
    for (const TColumnLayout& layout : layouts) {
        const Qt::Alignment alignment = layout.kind == 'a'   ? Qt::AlignRight
                                        : layout.kind == 't' ? Qt::AlignLeft
                                                           : Qt::AlignHCenter;
        TwMemColumn* column = ScreenGrid::AddReadOnlyColumn(rgrMain, QString::fromUtf8(layout.caption),
                                                            layout.kind == 'a' ? 0 : 250, layout.width, alignment);
        if (layout.kind == 'd')
            column->SetEditFormat(QStringLiteral("9999-99-99;0;"));
        else if (layout.kind == 'm')
            column->SetEditFormat(QStringLiteral("9999-99;0;"));
        auto* footer = static_cast<TwMemColumnFooter*>(column->Footer());
        if (layout.kind == 'a') {
            column->SetDataType(wdtFloat);
            column->SetDisplayFormat(QStringLiteral("#,##0"));
            footer->SetStyle(0, QStringLiteral("300020"));
        } else {
            footer->SetStyle(0, TwMemColumnFooter::NoAggregate);
        }
    }
    rgrMain->Columns()->Items(0)->SetVisible(false);
    rgrMain->CalcFooters();
}

QString TfrmNBS040::SearchStatement() const
{
    const int kind = cbxGubn->currentIndex();
    QString sql = QString::fromUtf8(CommonSelect) + QString::fromUtf8(BaseStatements[kind]);
    const QString month = medMonth->Text().trimmed();
    if (kind != gkDeposit && !month.isEmpty()) {
        sql += QStringLiteral("   AND ") + QuotedText(month + QStringLiteral("99"))
               + QStringLiteral(" BETWEEN A.CONT_START_DATE    ");
        sql += QStringLiteral("\r   AND A.CONT_END_DATE                         ");
        sql += QStringLiteral("\r   AND D.CONT_MONTH = ") + QuotedText(month);
        if (kind == gkManagementFee)
            sql += QStringLiteral("\r   AND F.CONT_MONTH = ") + QuotedText(month);
    }
    const QString shop = edtFindShopName->text().trimmed();
    if (!shop.isEmpty())
        sql += QStringLiteral("\r   AND C.SHOP_NAME LIKE ") + QuotedText(shop + QLatin1Char('%'));
    const QString boss = edtFindBossName->text().trimmed();
    if (!boss.isEmpty())
        sql += QStringLiteral("\r   AND B.BOSS_NAME LIKE ") + QuotedText(boss + QLatin1Char('%'));
    return sql + QStringLiteral(" ORDER BY A.CONT_CODE, D.CONT_MONTH");
}

void TfrmNBS040::bbtSearchClick()
{
    TfrmZZI010::bbtSearchClick();
    TQuery query(SharedConnection::Database());
    query.SQL() << SearchStatement();
    // A failing statement leaves the grid as it was.
    RunQueryWithTrace(query, QStringLiteral("Open"));
    const int fields = FieldCount();
    rgrMain->Clear();
    rgrMain->SetRowCount(0);
    ScreenGrid::AppendQueryRows(rgrMain, query, fields);
    query.Close();
    rgrMain->CalcFooters();
}

void TfrmNBS040::bbtExcelClick()
{
    if (rgrMain->RowCount() == 0) {
        ShowInfo(QStringLiteral("조회할 내용이 없습니다."));
        return;
    }
    ExportGridToExcel(*rgrMain);
}
