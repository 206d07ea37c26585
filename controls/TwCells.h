#pragma once

#include <QString>
#include <QVariant>

class TwMemColumn;
class TwMemGrid;

// The cell accessor of an in-memory grid. `TwMemGrid::Cells` fixes the cell
// and returns the same object every time, so a returned accessor is valid
// only until the next `Cells` call. Reads and writes reach the column's edit
// buffer when the cell lies in the row being edited, storage otherwise.
class TwCells
{
public:
    explicit TwCells(TwMemGrid* grid);

    TwMemGrid* Grid() const { return m_grid; }
    TwMemColumn* Column() const;
    int Col() const { return m_col; }
    int StoredRow() const { return m_row; }
    bool InEditedRow() const { return m_editing; }

    QString AsString() const;
    void SetAsString(const QString& value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    int AsInteger() const;
    double AsFloat() const;
    void SetAsFloat(double value);
    double AsDateTime() const;
    QVariant AsVariant() const;
    void SetAsVariant(const QVariant& value);
    bool IsNull() const;
    void Clear();
    // What the grid paints: formatted value, then OnGetText.
    QString DisplayText() const;

private:
    friend class TwMemGrid;
    void Address(int col, int displayRow, int storedRow, bool editing);
    void StoredSetBoolean(bool value);

    TwMemGrid* m_grid;
    bool m_editing = false;
    int m_row = 0;
    int m_col = 0;
    int m_displayRow = 0;
};
