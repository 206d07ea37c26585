#pragma once

#include <QString>
#include <memory>
#include <vector>

class TwColumn;
class TwCustomGrid;

// The columns of a grid in collection order (hidden ones included; what
// `Cells` addresses) and the visible ones in display order (`VItems`).
class TwColumns
{
public:
    explicit TwColumns(TwCustomGrid* grid);
    ~TwColumns();

    TwCustomGrid* Grid() const { return m_grid; }

    // A new column of the grid's column class, captioned "Column" + n.
    TwColumn* Add();
    void Delete(int index);
    void Clear();
    int Count() const { return int(m_items.size()); }
    TwColumn* Items(int index) const;
    int VCount() const { return int(m_visible.size()); }
    TwColumn* VItems(int index) const;
    int VIndexOf(const TwColumn* column) const;

    // Display order changes; the current column follows (see TwCustomGrid).
    void Show(TwColumn* column);
    void Hide(TwColumn* column);
    void MoveVisible(TwColumn* column, int position);
    // Visible list from the collection, after loading.
    void RebuildVisible();

private:
    QString NextCaption() const;
    void Renumber();

    TwCustomGrid* m_grid;
    std::vector<std::unique_ptr<TwColumn>> m_items;
    std::vector<TwColumn*> m_visible;
};
