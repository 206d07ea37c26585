#include "screens/nb/TSheetImportScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>

#include "common/EDatabaseError.h"
#include "common/KoreanFonts.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
#include "controls/TwTypes.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SaveInTransaction.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TStatusBar.h"
#include "screens/ExcelSheetLoader.h"
#include "screens/ScreenGrid.h"

namespace {
constexpr int StripHeight = 44;
constexpr int ButtonWidth = 93;
constexpr int ButtonHeight = 35;
// Calls between two repaints of a long registration.
constexpr int CallsPerStep = 100;
} // namespace

TSheetImportScreen::TSheetImportScreen(const QString& formName, int sheetColumns, QWidget* parent)
    : TfrmZZI000(parent), prcProc(SharedConnection::Database()), m_sheetColumns(sheetColumns)
{
    setObjectName(formName);
    stbMessage->hide();
    panButtons->setFixedHeight(StripHeight);
    bbtClose->setText(QStringLiteral("Close(F12)"));
    bbtClose->setFixedSize(ButtonWidth, ButtonHeight);

    auto* strip = static_cast<QHBoxLayout*>(panButtons->layout());
    ProgressBar1 = new QProgressBar(panButtons);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFixedSize(220, 20);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    strip->insertWidget(0, ProgressBar1);
    strip->insertSpacing(1, 8);
    Label2 = new QLabel(QStringLiteral("조회건수"), panButtons);
    Label2->setObjectName(QStringLiteral("Label2"));
    strip->insertWidget(2, Label2);

    bbtSave = NewButton(QStringLiteral("Save(F2)"), QStringLiteral("bbtSave"), ButtonWidth, ButtonHeight);
    AddButton(bbtSave);
    ConnectButton(bbtSave, [this] { bbtSaveClick(); });
    AddHotkey(QStringLiteral("저장"), Qt::Key_F2, [this] { bbtSaveClick(); });
    bbtExcelLoad = NewButton(QStringLiteral("Excel Load"), QStringLiteral("bbtExcelLoad"), ButtonWidth, ButtonHeight);
    ConnectButton(bbtExcelLoad, [this] { bbtExcelLoadClick(); });

    opdlg1 = new QFileDialog(this);
    opdlg1->setObjectName(QStringLiteral("opdlg1"));
    opdlg1->setFileMode(QFileDialog::ExistingFile);
    opdlg1->setAcceptMode(QFileDialog::AcceptOpen);

    rgrGrid = new TwMemGrid(panMain);
    rgrGrid->setObjectName(QStringLiteral("rgrGrid"));
    rgrGrid->setFont(ScreenFont());
    ScreenGrid::MakeListGrid(rgrGrid);
    rgrGrid->Headers()->SetColHeight(30);
    rgrGrid->Headers()->SetGrpHeight(42);
    rgrGrid->SetColRowHeight(25);
    rgrGrid->Indicators().SetWidth(30);
    rgrGrid->Lines().SetHorzColor(TwColors::Silver());
    rgrGrid->Lines().SetVertColor(TwColors::Silver());
}

void TSheetImportScreen::BuildSheetColumns(std::initializer_list<TSheetColumn> columns)
{
    using ScreenGrid::AddReadOnlyColumn;
    AddReadOnlyColumn(rgrGrid, QStringLiteral("NLL"), 16, 64, Qt::AlignHCenter)->SetVisible(false);
    for (const TSheetColumn& c : columns) {
        TwMemColumn* column = AddReadOnlyColumn(rgrGrid, QString::fromUtf8(c.caption), c.dataWidth, c.width,
                                                c.alignment);
        if (c.alignment & Qt::AlignLeft)
            column->SetMarginLeft(4);
        else if (c.alignment & Qt::AlignRight)
            column->SetMarginRight(4);
    }
}

void TSheetImportScreen::bbtExcelLoadClick()
{
    CheckAvailable(bbtExcelLoad);
    // The window stays live while a file is read: no other command of the
    // screen may start, and the screen may not close, until the load ends.
    QList<QAbstractButton*> locked;
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isEnabled()) {
            button->setEnabled(false);
            locked << button;
        }
    m_busy = true;
    const auto unlock = qScopeGuard([this, &locked] {
        m_busy = false;
        for (QAbstractButton* button : locked)
            button->setEnabled(true);
        EnableRowButtons();
        // Disabling the focused button sent the focus out of the screen, and
        // with it the screen's keys (F2): it comes back to the rows.
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !isAncestorOf(focus))
            rgrGrid->setFocus();
    });
    const QString fileName = ExcelSheetLoader::LoadExcelFile(rgrGrid, opdlg1, Label2, ProgressBar1, m_sheetColumns);
    if (!fileName.isEmpty())
        TakeLoadedRows(fileName);
}

void TSheetImportScreen::SetAmountColumns(std::initializer_list<int> columns)
{
    m_amountColumns.assign(columns.begin(), columns.end());
}

void TSheetImportScreen::AddRowButton(QAbstractButton* button)
{
    m_rowButtons << button;
    EnableRowButtons();
}

void TSheetImportScreen::EnableRowButtons()
{
    bool rows = false;
    for (int line = 0; line < rgrGrid->RowCount() && !rows; ++line)
        rows = !LineIsEmpty(line);
    for (QAbstractButton* button : m_rowButtons)
        button->setEnabled(rows);
}

bool TSheetImportScreen::LineIsEmpty(int line) const
{
    for (int column = 1; column <= m_sheetColumns; ++column)
        if (!Cell(column, line).trimmed().isEmpty())
            return false;
    return true;
}

bool TSheetImportScreen::LineIsTitles(int line) const
{
    if (m_amountColumns.empty() || LineIsEmpty(line))
        return false;
    for (int column : m_amountColumns) {
        bool number = false;
        Cell(column, line).trimmed().remove(QLatin1Char(',')).toDouble(&number);
        if (number)
            return false;
    }
    return true;
}

void TSheetImportScreen::TakeLoadedRows(const QString& fileName)
{
    m_firstSheetRow = 1;
    const bool titles = rgrGrid->RowCount() > 0 && LineIsTitles(0);
    if (titles) {
        rgrGrid->DeleteRow(0, 1, false);
        m_firstSheetRow = 2;
    }
    bool rows = false;
    for (int line = 0; line < rgrGrid->RowCount() && !rows; ++line)
        rows = !LineIsEmpty(line);
    if (!rows) {
        rgrGrid->Clear();
        Label2->setText(QStringLiteral("가져올 자료가 없습니다."));
        ShowInfo(QStringLiteral("가져올 자료가 없습니다."));
        return;
    }
    QString text = fileName + QStringLiteral("을 읽어들였습니다 ") + QString::number(rgrGrid->RowCount())
                   + QStringLiteral(" Line");
    if (titles)
        text += QStringLiteral(" (첫 행은 제목으로 건너뛰었습니다)");
    Label2->setText(text);
}

bool TSheetImportScreen::FormCloseQuery()
{
    if (m_busy)
        return false;
    return TfrmZZI000::FormCloseQuery();
}

QString TSheetImportScreen::Cell(int column, int line) const
{
    return rgrGrid->Cells(column, line).AsString();
}

void TSheetImportScreen::BindCall(std::initializer_list<std::pair<const char*, QString>> values)
{
    for (TParam& param : prcProc.Params())
        param.Clear();
    for (const auto& [name, value] : values)
        prcProc.ParamByName(QString::fromLatin1(name)).SetAsString(value);
    prcProc.ParamByName(QStringLiteral("AU_EMP_NO")).SetAsString(SessionContext::EmpNo());
    prcProc.ParamByName(QStringLiteral("AU_IP")).SetAsString(SessionContext::ClientIP());
}

int TSheetImportScreen::CallForEveryLine(const std::function<void(int line)>& bindLine)
{
    const int lines = rgrGrid->RowCount();
    ProgressBar1->setRange(0, qMax(lines, 1));
    ProgressBar1->setValue(0);
    int calls = 0;
    for (int line = 0; line < lines; ++line) {
        if (!LineIsEmpty(line)) {
            bindLine(line);
            try {
                prcProc.ExecProc();
            } catch (const ESelvarError& e) {
                throw EDatabaseError(QStringLiteral("엑셀 %1행: %2").arg(line + m_firstSheetRow).arg(e.Message()));
            }
            ++calls;
        }
        if ((line + 1) % CallsPerStep == 0 || line + 1 == lines) {
            ProgressBar1->setValue(line + 1);
            // Repaints only: no click may reach another statement on the
            // shared connection while this transaction is open.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    return calls;
}

void TSheetImportScreen::RunInTransaction(const std::function<void()>& calls)
{
    if (!SaveInTransaction(prcProc.Database(), calls))
        Abort(); // shown once; the command then ends silently
}
