#include "screens/nb/TfrmNBS070.h"

#include <QComboBox>
#include <QDialog>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "common/CommonHelpers.h"
#include "common/MessageBoxes.h"
#include "common/TBusinessClock.h"
#include "common/KoreanFonts.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMarkers.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TWaitCursor.h"
#include "screens/PanelEditors.h"
#include "screens/ScreenGrid.h"
#include "screens/nb/TArrearsChart.h"
#include "screens/nb/TArrearsReport.h"
#include "reportviewer/TReportDocument.h"
#include "reportviewer/TReportViewer.h"
#include "common/SessionContext.h"
#include "screens/nb/TfrmNBI010.h"

using namespace PanelEditors;

namespace {
const char* const ArcadeNameStatement =
    "SELECT DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA001' AND DETAIL = :CODE";
const char* const ArcadesStatement = "SELECT DETAIL, DETAIL_NAME FROM ZX010MS WHERE HEAD = 'NA001' ORDER BY DETAIL";
const char* const AddressStatement =
    "SELECT SHOP_POSITION FROM NA010MS WHERE SHOP_CODE = :SHOP_CODE";
const char* const AmountKinds[] = {"전체", "보증금", "임대료", "관리비"};

bool IsDate(const QString& text)
{
    return text.size() == 8 && QDate::fromString(text, QStringLiteral("yyyyMMdd")).isValid();
}
} // namespace

TfrmNBS070::TfrmNBS070(QWidget* parent) : TfrmZZI010(parent)
{
    setObjectName(QStringLiteral("frmNBS070"));
    bbtSave->hide();
    resize(1200, 760);
    BuildSearchBar();
    BuildGrid();
    bbtExcel = NewButton(QStringLiteral("Excel"), QStringLiteral("bbtExcel"), bbtCancel->width(), bbtCancel->height());
    AddButton(bbtExcel, bbtCancel);
    ConnectButton(bbtExcel, [this] { bbtExcelClick(); });
    bbtReport = NewButton(QStringLiteral("보고서"), QStringLiteral("bbtReport"), bbtCancel->width(), bbtCancel->height());
    AddButton(bbtReport, bbtCancel);
    ConnectButton(bbtReport, [this] { bbtReportClick(); });
    bbtLetter = NewButton(QStringLiteral("독촉장"), QStringLiteral("bbtLetter"), bbtCancel->width(), bbtCancel->height());
    AddButton(bbtLetter, bbtCancel);
    ConnectButton(bbtLetter, [this] { bbtLetterClick(); });
    CreateForm();
}

void TfrmNBS070::BuildSearchBar()
{
    AddSearchControl(new QLabel(QStringLiteral("기준일")));
    edtRefDate = DateBox(QStringLiteral("edtRefDate"), nullptr);
    edtRefDate->setFixedWidth(90);
    AddSearchControl(edtRefDate);
    const TAddControl add = [this](QWidget* control) { AddSearchControl(control); };
    const TSearchCode arcade = SearchCode(QStringLiteral("상가"), QStringLiteral("Arcade"), 2, 36, 90, add);
    edt_Arcade = arcade.code;
    bbt_Arcade = arcade.button;
    edt_ArcadeName = arcade.name;
    ConnectButton(bbt_Arcade, [this] { bbt_ArcadeClick(); });
    connect(edt_Arcade, &QLineEdit::textChanged, this, [this](const QString& code) {
        RunCommand([&] {
            edt_ArcadeName->setText(
                CodeName(qryQuery, QString::fromUtf8(ArcadeNameStatement), QStringLiteral("CODE"), code));
        });
    });
    AddSearchControl(new QLabel(QStringLiteral("납입구분")));
    cbxAmtCode = new QComboBox();
    cbxAmtCode->setObjectName(QStringLiteral("cbxAmtCode"));
    for (const char* kind : AmountKinds)
        cbxAmtCode->addItem(QString::fromUtf8(kind));
    AddSearchControl(cbxAmtCode);
    AddSearchControl(new QLabel(QStringLiteral("거래처")));
    edtFindName = Edit(QStringLiteral("edtFindName"), nullptr, 50);
    edtFindName->setFixedWidth(120);
    AddSearchControl(edtFindName);
}

void TfrmNBS070::BuildGrid()
{
    using ScreenGrid::AddReadOnlyColumn;
    splMain = new QSplitter(Qt::Vertical, panMain);
    splMain->setObjectName(QStringLiteral("splMain"));
    rgrGrid = new TwMemGrid(splMain);
    rgrGrid->setObjectName(QStringLiteral("rgrGrid"));
    rgrGrid->setFont(ScreenFont());
    ScreenGrid::MakeListGrid(rgrGrid);
    rgrGrid->SetColRowHeight(18);
    rgrGrid->Headers()->SetColHeight(21);
    rgrGrid->Footers()->Add();
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약코드"), 6, 60, Qt::AlignHCenter)->SetVisible(false);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("거래처"), 50, 130);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("대표자"), 50, 64);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("업장"), 50, 140);
    AddReadOnlyColumn(rgrGrid, QStringLiteral("계약기간"), 30, 160, Qt::AlignHCenter);
    for (const char* caption : TArrearsAging::Captions)
        ScreenGrid::AmountColumn(rgrGrid, QString::fromUtf8(caption), 96);
    ScreenGrid::AmountColumn(rgrGrid, QStringLiteral("합계"), 106);
    ScreenGrid::AmountColumn(rgrGrid, QStringLiteral("최장 연체일수"), 84);
    for (const char* caption : {"상가", "미수관리", "선택", "거래처코드", "업장코드"})
        AddReadOnlyColumn(rgrGrid, QString::fromUtf8(caption), 10, 40)->SetVisible(false);
    for (int c = 0; c < rgrGrid->Columns()->Count(); ++c) {
        auto* footer = static_cast<TwMemColumnFooter*>(rgrGrid->Columns()->Items(c)->Footer());
        footer->SetStyle(0, c >= colNotDue && c <= colTotal ? QStringLiteral("300020")
                                                            : TwMemColumnFooter::NoAggregate);
    }
    ScreenGrid::ShowFooterSumsGrouped(rgrGrid);
    ScreenGrid::MakeSortable(rgrGrid);
    // The check marks choose the lines that get a reminder letter.
    rgrGrid->Markers().SetVisible(true);
    rgrGrid->Markers().SetStyle(wmsCheckBox);
    rgrGrid->Markers().SetClicking(true);
    rgrGrid->OnDrawMarker = [this](QObject*, int row, bool& checked) {
        checked = row >= 0 && row < rgrGrid->RowCount() && !rgrGrid->Cells(colChosen, row).AsString().isEmpty();
    };
    rgrGrid->OnMarkerClick = [this](QObject*, int row) {
        if (row < 0 || row >= rgrGrid->RowCount())
            return;
        TwCells& chosen = rgrGrid->Cells(colChosen, row);
        chosen.SetAsString(chosen.AsString().isEmpty() ? QStringLiteral("Y") : QString());
        rgrGrid->update();
    };
    rgrGrid->OnDblClick = [this](QObject*) { RunCommand([this] { rgrGridDblClick(); }); };
    rgrGrid->OnDrawCell = [this](TwColumn* column, int row, QString&, QColor&, QColor& font, TwFontStyles&) {
        if (row < 0 || row >= rgrGrid->RowCount())
            return;
        const int c = column->Index();
        if (c >= col31To60 && c <= colOver180 && rgrGrid->Cells(c, row).AsFloat() > 0)
            font = QColor(200, 0, 0);
    };
    chtAging = new TArrearsChart(splMain);
    chtAging->setMinimumHeight(220);
    splMain->setStretchFactor(0, 3);
    splMain->setStretchFactor(1, 2);
    auto* data = new QVBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->addWidget(splMain);
}

void TfrmNBS070::FormCreate()
{
    TfrmZZI010::FormCreate();
    edtRefDate->SetText(TBusinessClock::TodayText());
}

TArrearsAgingQuery::TFilter TfrmNBS070::Filter() const
{
    static const QString codes[] = {QString(), QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")};
    TArrearsAgingQuery::TFilter filter;
    filter.refDate = edtRefDate->Text().trimmed();
    filter.arcade = edt_Arcade->text().trimmed();
    filter.amtCode = codes[std::clamp(cbxAmtCode->currentIndex(), 0, 3)];
    filter.partnerPrefix = edtFindName->text().trimmed();
    return filter;
}

void TfrmNBS070::bbtSearchClick()
{
    const TArrearsAgingQuery::TFilter filter = Filter();
    if (!IsDate(filter.refDate)) {
        ShowError(QStringLiteral("기준일을 확인하세요."));
        edtRefDate->setFocus();
        return;
    }
    TfrmZZI010::bbtSearchClick();
    TWaitCursor wait;
    m_found = TArrearsAgingQuery::Contracts(SharedConnection::Database(), filter);
    FillGrid();
    FillChart(filter);
    if (m_found.empty())
        SetStatusText(QStringLiteral("조회된 자료가 없습니다."));
}

void TfrmNBS070::FillGrid()
{
    rgrGrid->BeginUpdate();
    rgrGrid->Clear();
    rgrGrid->SetRowCount(0);
    for (const auto& c : m_found) {
        const int row = rgrGrid->RowCount();
        rgrGrid->AppendRow(true, false, false);
        const QString texts[] = {c.contCode, c.cName, c.bossName, c.shopName,
                                 FormatDateText(c.startDate) + QStringLiteral(" ~ ") + FormatDateText(c.endDate)};
        for (int i = 0; i < 5; ++i)
            rgrGrid->Cells(i, row).SetAsString(texts[i]);
        for (int b = 0; b < TArrearsAging::abCount; ++b)
            rgrGrid->Cells(colNotDue + b, row).SetAsFloat(c.aging.buckets[b]);
        rgrGrid->Cells(colTotal, row).SetAsFloat(c.aging.Total());
        rgrGrid->Cells(colLongestDays, row).SetAsFloat(c.aging.longestDays);
        rgrGrid->Cells(colArcade, row).SetAsString(c.arcade);
        rgrGrid->Cells(colMinapChk, row).SetAsString(c.minapChk);
        rgrGrid->Cells(colCCode, row).SetAsString(c.cCode);
        rgrGrid->Cells(colShopCode, row).SetAsString(c.shopCode);
    }
    rgrGrid->ClearRowStates(false);
    rgrGrid->EndUpdate(true);
    rgrGrid->CalcFooters();
}

// One bar per arcade in code order; contracts of a shop without one last.
void TfrmNBS070::FillChart(const TArrearsAgingQuery::TFilter& filter)
{
    std::vector<TArrearsChart::Arcade> arcades;
    std::vector<QString> codes;
    qryQuery.Close();
    qryQuery.SQL().clear();
    qryQuery.SQL() << QString::fromUtf8(ArcadesStatement);
    qryQuery.Open();
    for (; !qryQuery.Eof(); qryQuery.Next()) {
        codes.push_back(qryQuery.Fields(0).AsString());
        arcades.push_back({qryQuery.Fields(1).AsString(), {}});
    }
    qryQuery.Close();
    codes.push_back(QString());
    arcades.push_back({QStringLiteral("기타"), {}});
    for (const auto& c : m_found) {
        const auto at = std::find(codes.begin(), codes.end() - 1, c.arcade);
        arcades[std::size_t(at - codes.begin())].aging += c.aging;
    }
    std::vector<TArrearsChart::Arcade> shown;
    for (const auto& a : arcades)
        if (std::any_of(std::begin(a.aging.buckets), std::end(a.aging.buckets), [](double v) { return v != 0; }))
            shown.push_back(a);
    chtAging->SetData(shown, TArrearsAgingQuery::MonthEnds(SharedConnection::Database(), filter));
}

void TfrmNBS070::bbtCancelClick()
{
    TfrmZZI010::bbtCancelClick();
    chtAging->Clear();
    m_found.clear();
    rgrGrid->Clear();
    rgrGrid->SetRowCount(0);
    rgrGrid->CalcFooters();
}

void TfrmNBS070::bbt_ArcadeClick()
{
    const TPicked picked = PickCodeAndName(QStringLiteral("1"));
    if (!picked.code.isEmpty())
        edt_Arcade->setText(picked.code);
}

void TfrmNBS070::rgrGridDblClick()
{
    const int row = rgrGrid->Row();
    if (row < 0 || row >= rgrGrid->RowCount())
        return;
    const QString contCode = rgrGrid->Cells(colContCode, row).AsString();
    if (rgrGrid->Cells(colMinapChk, row).AsString() != QLatin1String("Y")) {
        ShowInfo(QStringLiteral("미수관리 대상이 아닌 계약은 입금 처리 화면에 나타나지 않습니다."));
        return;
    }
    const QString shopCode = rgrGrid->Cells(colShopCode, row).AsString();
    const QString cCode = rgrGrid->Cells(colCCode, row).AsString();
    const QString month = Filter().refDate.left(6);
    OpenOtherProgram(QStringLiteral("입금 처리"), QStringLiteral("NBI010"));
    const QWidget* top = window();
    for (TfrmNBI010* receipts : top->findChildren<TfrmNBI010*>())
        if (receipts->isVisible()) {
            receipts->ShowContract(contCode, shopCode, cCode, month);
            return;
        }
}

void TfrmNBS070::bbtExcelClick()
{
    CheckAvailable(bbtExcel);
    if (rgrGrid->RowCount() == 0) {
        ShowInfo(QStringLiteral("조회할 내용이 없습니다."));
        return;
    }
    bbtExcel->setFocus();
    ScreenGrid::SaveGridAndOffer(*rgrGrid, windowTitle(), QStringLiteral("NBS070"));
}

QString TfrmNBS070::ConditionsText() const
{
    const QString arcade = edt_Arcade->text().trimmed().isEmpty() ? QStringLiteral("전체") : edt_ArcadeName->text();
    const QString partner = edtFindName->text().trimmed();
    return QStringLiteral("상가: %1   납입구분: %2   거래처: %3")
        .arg(arcade, cbxAmtCode->currentText(), partner.isEmpty() ? QStringLiteral("전체") : partner + QStringLiteral("…"));
}

void TfrmNBS070::ShowReport(std::unique_ptr<TReportDocument> document)
{
    if (!dlgReport) {
        dlgReport = new QDialog(this);
        dlgReport->setObjectName(QStringLiteral("dlgReport"));
        dlgReport->resize(1100, 800);
        auto* layout = new QVBoxLayout(dlgReport);
        layout->setContentsMargins(0, 0, 0, 0);
        rvwReport = new TReportViewer(dlgReport);
        rvwReport->setObjectName(QStringLiteral("rvwReport"));
        layout->addWidget(rvwReport);
        rvwReport->SetAutoAdjust(0);
        rvwReport->SetZoomRatio(100);
    }
    dlgReport->setWindowTitle(document->title);
    rvwReport->Show(std::move(document));
    dlgReport->show();
    dlgReport->raise();
}

void TfrmNBS070::bbtReportClick()
{
    if (rgrGrid->RowCount() == 0) {
        ShowInfo(QStringLiteral("조회할 내용이 없습니다."));
        return;
    }
    TWaitCursor wait;
    // The lines in the order the grid shows them.
    std::vector<TArrearsAgingQuery::TContract> lines;
    for (int row = 0; row < rgrGrid->RowCount(); ++row) {
        const QString code = rgrGrid->Cells(colContCode, row).AsString();
        const auto found = std::find_if(m_found.begin(), m_found.end(), [&](const auto& c) { return c.contCode == code; });
        if (found != m_found.end())
            lines.push_back(*found);
    }
    ShowReport(TArrearsReport::Aging(ConditionsText(), Filter().refDate, lines, chtAging->Render(QSize(1300, 420))));
}

void TfrmNBS070::bbtLetterClick()
{
    std::vector<TArrearsReport::TLetter> letters;
    for (int row = 0; row < rgrGrid->RowCount(); ++row) {
        if (rgrGrid->Cells(colChosen, row).AsString().isEmpty())
            continue;
        const QString code = rgrGrid->Cells(colContCode, row).AsString();
        const auto found = std::find_if(m_found.begin(), m_found.end(), [&](const auto& c) { return c.contCode == code; });
        if (found == m_found.end() || found->aging.Total() <= 0)
            continue;
        const QString address = CodeName(qryQuery, QString::fromUtf8(AddressStatement), QStringLiteral("SHOP_CODE"),
                                         found->shopCode);
        letters.push_back({*found, (address + QLatin1Char(' ') + found->shopName).trimmed()});
    }
    if (letters.empty()) {
        ShowInfo(QStringLiteral("독촉장을 보낼 계약을 선택하세요. (미납액이 있는 줄의 체크 표시)"));
        return;
    }
    TWaitCursor wait;
    ShowReport(TArrearsReport::Letters(letters, Filter().refDate,
                                       QStringLiteral("임대업장 관리 담당  %1").arg(SessionContext::UserName())));
}
