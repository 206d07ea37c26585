#pragma once

#include <QStringList>
#include <QVariant>
#include <vector>

#include "common/TFieldType.h"

// The rows a statement returned, held on the client (row-major cells in one
// block: far fewer allocations to make and free than a block per few cells).
struct TResultSet
{
    QStringList Names;
    std::vector<TFieldType> Types;
    std::vector<QVariant> Cells;
    qint64 RowsAffected = 0;

    int ColumnCount() const { return static_cast<int>(Types.size()); }
    int RowCount() const
    {
        return Types.empty() ? 0 : static_cast<int>(Cells.size() / Types.size());
    }
    QVariant& Cell(int row, int column) { return Cells[static_cast<size_t>(row) * Types.size() + column]; }
    void Clear() { *this = TResultSet(); }
};
