#pragma once

#include "controls/TwDataLink.h"

class TwDBGrid;

// The data-aware grid's link: passes what happens to the result set on to
// the grid, and remembers whether the editor changed a value since editing
// began.
class TwGridDataLink : public TwDataLink
{
public:
    explicit TwGridDataLink(TwDBGrid* grid) : m_grid(grid) {}

    TwDBGrid* Grid() const { return m_grid; }
    // The grid is going: nothing reaches it any more.
    void Detach() { m_grid = nullptr; }
    bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }
    bool InUpdateData() const { return m_inUpdateData; }

    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TwDataField* field) override;
    void UpdateData() override;

private:
    TwDBGrid* m_grid;
    bool m_modified = false;
    bool m_inUpdateData = false;
};
