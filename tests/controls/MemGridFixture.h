#pragma once

#include <QStringList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

#include "controls/ESelvarError.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

// A grid with one column per given type.
inline std::unique_ptr<TwMemGrid> MakeGrid(std::initializer_list<TwDataType> types)
{
    auto grid = std::make_unique<TwMemGrid>();
    for (const TwDataType type : types)
        static_cast<TwMemColumn*>(grid->Columns()->Add())->SetDataType(type);
    return grid;
}

// The message of the ESelvarError that `action` raises, or "<no error>".
template <typename Action>
QString ErrorOf(Action&& action)
{
    try {
        action();
    } catch (const ESelvarError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

// Column 0 as texts, one per row.
inline QStringList ColumnTexts(TwMemGrid& grid, int col = 0)
{
    QStringList texts;
    for (int r = 0; r < grid.RowCount(); ++r)
        texts << grid.Cells(col, r).AsString();
    return texts;
}
