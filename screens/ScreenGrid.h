#pragma once

#include <QString>
#include <Qt>

class QFont;
class TQuery;
class QWidget;
class TwMemColumn;
class TwMemGrid;

// Grid set-up shared by the business screens.
namespace ScreenGrid {

// Appends a read-only text column: caption, character capacity, display width
// and horizontal alignment of its cells.
TwMemColumn* AddReadOnlyColumn(TwMemGrid* grid, const QString& caption, int dataWidth, int width,
                               Qt::Alignment alignment = Qt::AlignLeft);

// Appends a read-only amount column: right-aligned whole figures with grouping.
TwMemColumn* AmountColumn(TwMemGrid* grid, const QString& caption, int width);

// A grid that only lists rows to pick from: moving and selecting whole rows,
// no editing, no new rows, no deleting.
void MakeListGrid(TwMemGrid* grid);

// A click on a column's title sorts the grid by it, a second click the other
// way round; the title shows the order.
void MakeSortable(TwMemGrid* grid);

// The footer sums of the grid show as whole won grouped by thousands.
void ShowFooterSumsGrouped(TwMemGrid* grid);
// A whole amount grouped by thousands ("1,234,500", "-300").
QString GroupedAmount(double value);

// Writes the grid to a worksheet file under the title (the user names the
// file, `defaultName` proposed), then offers to open it; a failure is shown.
void SaveGridAndOffer(TwMemGrid& grid, const QString& title, const QString& defaultName);

// Appends the rest of an open query's rows, the first `fields` fields of
// each as text, in one update; the rows come in unchanged (no pending states).
void AppendQueryRows(TwMemGrid* grid, TQuery& query, int fields);

// A month's receipt status per amount code, one row each and a total line
// (code "T"): code, name, the month's amount, unpaid amount and late fee
// carried, total due, received and balance. A row with a balance shows it in
// red on a light background, the total line on green.
TwMemGrid* MonthStatusGrid(QWidget* parent, const QFont& font);
enum TMonthStatusColumn { msAmtCode, msAmtName, msNapipAmt, msMinapAmt, msMinapDelay, msTotNapip, msIpgumAmt,
                          msRemainAmt };

} // namespace ScreenGrid
