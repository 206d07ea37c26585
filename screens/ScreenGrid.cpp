#include "screens/ScreenGrid.h"

#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

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

} // namespace ScreenGrid
