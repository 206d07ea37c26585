#include "screens/ScreenGrid.h"

#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "common/TQuery.h"
#include "screens/PanelEditors.h"
#include <QDesktopServices>
#include <QScopeGuard>
#include <QUrl>

#include "common/MessageBoxes.h"
#include "common/SpreadsheetExport.h"
#include "framework/TWaitCursor.h"

namespace ScreenGrid {

TwMemColumn* AddReadOnlyColumn(TwMemGrid* grid, const QString& caption, int dataWidth, int width,
                               Qt::Alignment alignment)
{
    auto* column = static_cast<TwMemColumn*>(grid->Columns()->Add());
    column->SetDataType(wdtString);
    column->SetDataWidth(dataWidth);
    column->SetWidth(width);
    column->SetAlignment(alignment);
    column->SetReadOnly(true);
    column->Title()->SetCaption(caption);
    return column;
}

void MakeListGrid(TwMemGrid* grid)
{
    grid->SetOptions(wgoArrowMove | wgoConfirmDelete | wgoEnterToTab | wgoFocusRect | wgoRowSelect);
}

TwMemColumn* AmountColumn(TwMemGrid* grid, const QString& caption, int width)
{
    TwMemColumn* column = AddReadOnlyColumn(grid, caption, 0, width, Qt::AlignRight);
    column->SetDataType(wdtFloat);
    column->SetDisplayFormat(QStringLiteral("0,"));
    return column;
}

void MakeSortable(TwMemGrid* grid)
{
    for (int c = 0; c < grid->Columns()->Count(); ++c)
        grid->Columns()->Items(c)->Title()->SetClicking(true);
    grid->OnColumnTitleClick = [grid](TwColumn* column) {
        const bool descending = column->Title()->SortMark() == wsmAsc;
        for (int c = 0; c < grid->Columns()->Count(); ++c)
            grid->Columns()->Items(c)->Title()->SetSortMark(wsmNone);
        grid->Sort(column->Index(), descending, true);
    };
}

QString GroupedAmount(double value)
{
    QString digits = QString::number(qint64(qRound64(value)));
    const qsizetype start = digits.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (qsizetype i = digits.size() - 3; i > start; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

void ShowFooterSumsGrouped(TwMemGrid* grid)
{
    grid->OnAfterCalcFooters = [grid](QObject*) {
        for (int c = 0; c < grid->Columns()->Count(); ++c) {
            auto* footer = static_cast<TwMemColumnFooter*>(grid->Columns()->Items(c)->Footer());
            if (footer->Kind(0) == 0)
                continue;
            bool ok = false;
            const double total = footer->Values(0).toDouble(&ok);
            footer->SetValues(0, GroupedAmount(ok ? total : 0));
        }
    };
}

void SaveGridAndOffer(TwMemGrid& grid, const QString& title, const QString& defaultName)
{
    TWaitCursor wait;
    const QString result = SaveGridAsXls(grid, title, true, defaultName);
    wait.Restore();
    if (result.isEmpty())
        return;
    if (result.startsWith(QLatin1Char('^'))) {
        ShowError(result.mid(1));
        return;
    }
    if (AskYesNo(QStringLiteral("저장한 Excel 파일을 불러올까요?")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(result));
}

void AppendQueryRows(TwMemGrid* grid, TQuery& query, int fields)
{
    grid->BeginUpdate();
    const auto done = qScopeGuard([grid] { grid->EndUpdate(true); });
    for (int row = grid->RowCount(); !query.Eof(); query.Next(), ++row) {
        grid->AppendRow(true, false, false);
        for (int f = 0; f < fields; ++f)
            grid->Cells(f, row).SetAsString(query.Fields(f).AsString());
    }
    grid->ClearRowStates(false);
}

TwMemGrid* MonthStatusGrid(QWidget* parent, const QFont& font)
{
    auto* grid = new TwMemGrid(parent);
    grid->setObjectName(QStringLiteral("rgrMonthIpgum"));
    grid->setFont(font);
    MakeListGrid(grid);
    AddReadOnlyColumn(grid, QStringLiteral("납입코드"), 16, 31, Qt::AlignHCenter);
    AddReadOnlyColumn(grid, QStringLiteral("납입구분"), 16, 54, Qt::AlignHCenter);
    AmountColumn(grid, QStringLiteral("당월납입금"), 65);
    AmountColumn(grid, QStringLiteral("전월미납금"), 65);
    AmountColumn(grid, QStringLiteral("전월연체료"), 67);
    AmountColumn(grid, QStringLiteral("총 납입금"), 70);
    AmountColumn(grid, QStringLiteral("당월입금액"), 71);
    AmountColumn(grid, QStringLiteral("총 잔금"), 67);
    grid->setFixedHeight(130);
    grid->OnDrawCell = [grid](TwColumn* column, int row, QString& text, QColor& back, QColor& font, TwFontStyles&) {
        if (text.isEmpty() || row < 0 || row >= grid->RowCount()
            || PanelEditors::CellAmount(grid->Cells(msRemainAmt, row).AsString()) <= 0)
            return;
        if (column->Index() == msRemainAmt)
            font = QColor(255, 0, 0);
        back = grid->Cells(msAmtCode, row).AsString() == QLatin1String("T") ? PanelEditors::MoneyGreen()
                                                                             : QColor(215, 228, 242);
    };
    return grid;
}

} // namespace ScreenGrid
