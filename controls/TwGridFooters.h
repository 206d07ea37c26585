#pragma once

#include <memory>
#include <vector>

class TwCustomGrid;
class TwGridFooter;

// The footer rows of a grid; every column footer keeps one entry per row.
class TwGridFooters
{
public:
    explicit TwGridFooters(TwCustomGrid* grid);
    ~TwGridFooters();

    TwGridFooter* Add();
    void Delete(int index);
    void Clear();
    int Count() const { return int(m_items.size()); }
    TwGridFooter* Items(int index) const;
    int VCount() const { return int(m_visible.size()); }
    TwGridFooter* VItems(int index) const;
    // Sum of the visible footers' heights.
    int BandHeight() const;
    void RebuildVisible();

private:
    void CountChanged();

    TwCustomGrid* m_grid;
    std::vector<std::unique_ptr<TwGridFooter>> m_items;
    std::vector<TwGridFooter*> m_visible;
};
