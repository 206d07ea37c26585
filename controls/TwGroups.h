#pragma once

#include <memory>
#include <vector>

class TwCustomGrid;
class TwGroup;

// The groups of a grid and the visible ones in display order.
class TwGroups
{
public:
    explicit TwGroups(TwCustomGrid* grid);
    ~TwGroups();

    TwGroup* Add();
    void Delete(int index);
    int Count() const { return int(m_items.size()); }
    TwGroup* Items(int index) const;
    int VCount() const { return int(m_visible.size()); }
    TwGroup* VItems(int index) const;
    int VIndexOf(const TwGroup* group) const;
    void RebuildVisible();

private:
    TwCustomGrid* m_grid;
    std::vector<std::unique_ptr<TwGroup>> m_items;
    std::vector<TwGroup*> m_visible;
};
