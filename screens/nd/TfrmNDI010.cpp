#include "screens/nd/TfrmNDI010.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SaveInTransaction.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"

using namespace PanelEditors;

namespace {
const char* const DefaultMonthStatement =
    "SELECT NVL(TO_CHAR(ADD_MONTHS(TO_DATE(MAX(NAPIP_MONTH)||'01'),1),'YYYYMM'),TO_CHAR(SYSDATE,'YYYYMMDD')) "
    "AS NAPIP_MONTH FROM NB030MS A";
const char* const ClosedCheckStatement =
    "SELECT NVL(SUM(1),0) AS CNT FROM NB030MS A WHERE NAPIP_MONTH = :NAPIP_MONTH";

const char* const PreviewSelect =
    "SELECT CONT_CODE, (SELECT (SELECT UPJANG_CODE FROM JA010MS WHERE UPJANG_CODE = B.SHOP_CODE) FROM NA020MS B "
    "WHERE CONT_CODE = A.CONT_CODE) AS UPJANG_CODE, (SELECT (SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = "
    "B.SHOP_CODE) FROM NA020MS B WHERE CONT_CODE = A.CONT_CODE) AS UPJANG_NAME, DECODE(AMT_CODE,'01','보증금','02',"
    "'임대료','03','관리비') AS AMT_CODE, NAPIP_MONTH, LAST_MINAPAMT, LAST_DELAYAMT, NEXT_DATE, NAPIP_AMT, IPGUM_AMT, "
    "IPGUM_DELAYAMT, NAPIP_AMT + LAST_MINAPAMT-IPGUM_AMT AS THIS_MINAPAMT, DECODE(GREATEST(LAST_DELAYAMT-"
    "IPGUM_DELAYAMT+TRUNC(((NAPIP_AMT + LAST_MINAPAMT-IPGUM_AMT)*(DELAY_RATE/100))*DECODE(IPGUM_AMT,0,1/12,"
    "(DELAY_DAY/365)),-1),0),0,'0',LAST_DELAYAMT-IPGUM_DELAYAMT+TRUNC(((NAPIP_AMT + LAST_MINAPAMT-IPGUM_AMT)*"
    "(DELAY_RATE/100))*DECODE(IPGUM_AMT,0,1/12,(DELAY_DAY/365)),-1)) AS THIS_MINAPDEALYAMT ";

// One row per schedule line of the month.
const char* const PreviewLines =
    "SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NVL((SELECT THIS_MINAPAMT FROM NB030MS WHERE CONT_CODE = "
    "A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_MONTH = TO_CHAR(ADD_MONTHS(TO_DATE(A.NAPIP_MONTH||'01'),-1),"
    "'YYYYMM')),0) AS LAST_MINAPAMT, NVL((SELECT NVL(THIS_MINAPDEALYAMT,0) FROM NB030MS WHERE CONT_CODE = "
    "A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_MONTH = TO_CHAR(ADD_MONTHS(TO_DATE(A.NAPIP_MONTH||'01'),-1),"
    "'YYYYMM')),0) AS LAST_DELAYAMT, TO_CHAR(SYSDATE,'YYYYMMDD') AS NEXT_DATE, NVL(NAPIP_AMT,0) AS NAPIP_AMT, "
    "NVL((SELECT SUM(IPGUM_AMT) FROM NB020MS WHERE CONT_CODE = A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_DATE "
    "LIKE SUBSTR(A.NAPIP_DATE,1,6)||'%' AND NAPIP_GUBUN = '1'),0) AS IPGUM_AMT, NVL((SELECT SUM(IPGUM_AMT) FROM "
    "NB020MS WHERE CONT_CODE = A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_DATE LIKE SUBSTR(A.NAPIP_DATE,1,6)"
    "||'%' AND NAPIP_GUBUN = '2'),0) AS IPGUM_DELAYAMT, DELAY_RATE, (SELECT DECODE(GREATEST(TO_DATE(MAX(IPGUM_DATE))"
    "-TO_DATE(MAX(NAPIP_DATE)),0),0,0,TO_DATE(MAX(IPGUM_DATE))-TO_DATE(MAX(NAPIP_DATE))) FROM NB020MS WHERE "
    "CONT_CODE = A.CONT_CODE AND AMT_CODE = A.AMT_CODE AND NAPIP_MONTH = A.NAPIP_MONTH AND NAPIP_DATE = "
    "A.NAPIP_DATE) AS DELAY_DAY FROM NB010MS A WHERE NAPIP_MONTH = :NAPIP_MONTH";

// An earlier month takes the late fee out of the receipts first; when the
// receipts do not cover it, all of them are late fee (never a negative
// amount paid), as the closing itself stores it.
const char* const EarlierMonthLayer =
    "SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, LAST_MINAPAMT, LAST_DELAYAMT, NEXT_DATE, NAPIP_AMT, "
    "IPGUM_AMT-DECODE(GREATEST(LAST_DELAYAMT-IPGUM_AMT,0),0,LAST_DELAYAMT,IPGUM_AMT) AS IPGUM_AMT, "
    "DECODE(GREATEST(LAST_DELAYAMT-IPGUM_AMT,0),0,LAST_DELAYAMT,IPGUM_AMT) AS IPGUM_DELAYAMT, IPGUM_AMT AS TOT_AMT, "
    "DELAY_RATE, DELAY_DAY FROM (";

const char* const FloorMonth = "201811";

QString PreviewStatement(bool earlierMonth)
{
    const QString lines = QString::fromUtf8(PreviewLines);
    const QString source = earlierMonth ? QString::fromUtf8(EarlierMonthLayer) + lines + QStringLiteral(")") : lines;
    return QString::fromUtf8(PreviewSelect) + QStringLiteral("FROM (") + source
           + QStringLiteral(") A ORDER BY CONT_CODE");
}

QString CurrentMonth()
{
    return TBusinessClock::TodayText().left(6);
}

} // namespace

TfrmNDI010::TfrmNDI010(QWidget* parent) : TfrmZZI070(true, parent)
{
    setObjectName(QStringLiteral("frmNDI010"));
    prcProc.SetProcedureName(QStringLiteral("PR_NDI010_01"));
    bbtSave->hide();
    bbtAdd->hide();
    bbtDelete->hide();
    resize(1100, 663);
    BuildMonths();
    BuildGrid();
    CreateForm();
}

void TfrmNDI010::BuildMonths()
{
    AddSearchControl(new QLabel(QStringLiteral("마감 이월 년월")));
    TMonthLine main = MonthLine(panSearch);
    btnMinus = main.minus;
    medMonth = main.month;
    btnPlus = main.plus;
    for (QWidget* w : {static_cast<QWidget*>(btnMinus), static_cast<QWidget*>(medMonth),
                       static_cast<QWidget*>(btnPlus)})
        AddSearchControl(w);
    delete main.row;

    auto* strip = static_cast<QHBoxLayout*>(panButtons->layout());
    auto range = [this, strip](const QString& suffix, QToolButton*& minus, TwCustomMaskEdit*& month,
                               QToolButton*& plus) {
        TMonthLine line = MonthLine(panButtons);
        minus = line.minus;
        month = line.month;
        plus = line.plus;
        minus->setObjectName(QStringLiteral("btnMinus") + suffix);
        month->setObjectName(QStringLiteral("medMonth") + suffix);
        plus->setObjectName(QStringLiteral("btnPlus") + suffix);
        strip->insertLayout(strip->indexOf(bbtCancel), line.row);
        strip->insertSpacing(strip->indexOf(bbtCancel), 6);
    };
    range(QStringLiteral("2"), btnMinus2, medMonth2, btnPlus2);
    range(QStringLiteral("3"), btnMinus3, medMonth3, btnPlus3);

    // The − buttons check the floor before stepping, so their plain step goes.
    for (auto [minus, month] : {std::pair{btnMinus, medMonth}, std::pair{btnMinus2, medMonth2},
                                std::pair{btnMinus3, medMonth3}}) {
        QObject::disconnect(minus, &QToolButton::clicked, month, nullptr);
        TwCustomMaskEdit* box = month;
        ConnectButton(minus, [this, box] { StepBack(box); });
    }
    connect(medMonth, &QLineEdit::textChanged, this, [this] { medMonthChange(); });

    bbtSaleClose = NewButton(QStringLiteral("마감"), QStringLiteral("bbtSaleClose"), 93, 35);
    bbtSaleCloseCancel = NewButton(QStringLiteral("마감취소"), QStringLiteral("bbtSaleCloseCancel"), 93, 35);
    bbtTotalCancel = NewButton(QStringLiteral("일괄마감취소"), QStringLiteral("bbtTotalCancel"), 100, 35);
    for (QPushButton* button : {bbtSaleClose, bbtSaleCloseCancel, bbtTotalCancel}) {
        AddButton(button, bbtCancel);
        ConnectButton(button, [this, button] { bbtSaleCloseClick(button); });
    }
}

void TfrmNDI010::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    ScreenGrid::MakeListGrid(rgrGrid);
    struct TLayout {
        const char* caption;
        int dataWidth;
        int width;
        Qt::Alignment alignment;
    };
    const TLayout columns[] = {
        {"계약코드", 6, 64, Qt::AlignHCenter},      {"업장코드", 6, 64, Qt::AlignHCenter},
        {"업장명", 50, 64, Qt::AlignLeft},          {"AMT구분", 10, 64, Qt::AlignHCenter},
        {"납입년월", 6, 64, Qt::AlignHCenter},      {"전월미납금", 20, 64, Qt::AlignRight},
        {"전월연체금", 20, 64, Qt::AlignRight},     {"이월일자", 8, 64, Qt::AlignHCenter},
        {"당월청구금", 20, 64, Qt::AlignRight},     {"당월입금액", 20, 64, Qt::AlignRight},
        {"당월연체입금액", 20, 88, Qt::AlignRight}, {"이월미납액", 20, 64, Qt::AlignRight},
        {"이월연체금", 20, 64, Qt::AlignRight},
    };
    const QColor buttonFace = palette().color(QPalette::Button);
    for (const TLayout& layout : columns) {
        TwMemColumn* column = AddReadOnlyColumn(rgrGrid, QString::fromUtf8(layout.caption), layout.dataWidth,
                                                layout.width, layout.alignment);
        column->SetColor(buttonFace);
        // The right-aligned columns are amounts, shown with thousands separators.
        if (layout.alignment & Qt::AlignRight) {
            column->SetDataType(wdtFloat);
            column->SetDisplayFormat(QStringLiteral("#,##0"));
        }
    }
}

void TfrmNDI010::FormCreate()
{
    TfrmZZI070::FormCreate();
    medMonth->SetText(CurrentMonth());
    // With nothing closed yet the statement may fail on the empty maximum:
    // the current month stays.
    try {
        qryTemp.Close();
        qryTemp.SQL().clear();
        qryTemp.SQL() << QString::fromUtf8(DefaultMonthStatement);
        qryTemp.Open();
        const QString month = qryTemp.Eof() ? QString() : qryTemp.Fields(0).AsString().left(6);
        qryTemp.Close();
        if (!month.isEmpty())
            medMonth->SetText(month);
    } catch (const std::exception&) {
        qryTemp.Close();
    }
    medMonthChange();
}

void TfrmNDI010::medMonthChange()
{
    medMonth2->SetText(medMonth->Text());
    medMonth3->SetText(medMonth->Text());
}

void TfrmNDI010::StepBack(TwCustomMaskEdit* month)
{
    if (month->Text() <= QLatin1String(FloorMonth)) {
        ShowError(QStringLiteral("2018년 10월 이전 마감작업은 할수 없습니다. 전산실로 문의하세요"));
        return;
    }
    month->SetText(StepMonth(month->Text(), -1));
}

void TfrmNDI010::bbtSearchClick()
{
    const QString month = medMonth->Text();
    qryQuery.Close();
    qryQuery.SQL().clear();
    qryQuery.SQL() << PreviewStatement(month < CurrentMonth());
    qryQuery.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    TfrmZZI070::bbtSearchClick();

    qryTemp.Close();
    qryTemp.SQL().clear();
    qryTemp.SQL() << QString::fromUtf8(ClosedCheckStatement);
    qryTemp.ParamByName(QStringLiteral("NAPIP_MONTH")).SetAsString(month);
    qryTemp.Open();
    const bool closed = !qryTemp.Eof() && qryTemp.Fields(0).AsFloat() > 0;
    qryTemp.Close();
    if (closed)
        ShowInfo(QStringLiteral("마감이 완료 되었습니다."));
    bbtSaleClose->setEnabled(!closed);
    bbtSaleCloseCancel->setEnabled(closed);
    bbtTotalCancel->setEnabled(true);
}

void TfrmNDI010::bbtSaleCloseClick(QPushButton* sender)
{
    CheckAvailable(sender);
    QString kind = QStringLiteral("I");
    if (sender == bbtSaleCloseCancel)
        kind = QStringLiteral("D");
    else if (sender == bbtTotalCancel)
        kind = QStringLiteral("T");
    const QString question = kind == QLatin1String("I") ? QStringLiteral("마감이월 작업을 진행 하시겠습니까?")
                                                        : QStringLiteral("마감이월 작업을 취소 하시겠습니까?");
    if (AskYesNo(question))
        RunClosing(kind);
    TfrmZZI070::bbtCancelClick();
    bbtSearchClick();
}

void TfrmNDI010::RunClosing(const QString& kind)
{
    const bool saved = SaveInTransaction(prcProc.Database(), [&] {
        auto param = [this](const char* name, const QString& value) {
            prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
        };
        param("ANAPIP_MONTH", medMonth->Text());
        param("ANAPIP_MONTH_FROM", medMonth2->Text() + QStringLiteral("01"));
        param("ANAPIP_MONTH_TO", medMonth3->Text() + QStringLiteral("01"));
        param("AGUBUN", kind);
        param("AU_EMP_NO", SessionContext::EmpNo());
        param("AU_IP", SessionContext::ClientIP());
        prcProc.ExecProc();
    });
    if (!saved)
        Abort(); // the error has been shown
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
    Modified = false;
}
