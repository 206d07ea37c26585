#pragma once

#include <QString>
#include <Qt>

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

} // namespace ScreenGrid
