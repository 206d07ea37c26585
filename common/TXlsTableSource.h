#pragma once

#include <QString>

// A table as the binary worksheet writer sees it: titled columns, each
// written either as numbers or as texts, and rows of cells.
class TXlsTableSource
{
public:
    virtual ~TXlsTableSource() = default;

    virtual int ColumnCount() const = 0;
    virtual int RowCount() const = 0;
    virtual QString ColumnTitle(int col) const = 0;
    virtual bool IsNumberColumn(int col) const = 0;
    virtual double Number(int row, int col) const = 0;
    virtual QString Text(int row, int col) const = 0;
};
