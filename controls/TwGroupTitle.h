#pragma once

#include "controls/TwTitle.h"

class TwGroup;

// The title above a group's columns in group mode.
class TwGroupTitle : public TwTitle
{
public:
    explicit TwGroupTitle(TwGroup* group);

    TwGroup* Group() const { return m_group; }
    int Height() const { return m_height; }
    // Clamped to 0..(group-mode header height - 4 x the group's levels).
    void SetHeight(int value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

private:
    TwGroup* m_group;
    int m_height = 19;
    bool m_visible = true;
};
