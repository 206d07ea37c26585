#include "controls/TwGroupTitle.h"

#include "controls/TwCustomGrid.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGroup.h"

TwGroupTitle::TwGroupTitle(TwGroup* group) : TwTitle(group->Grid()), m_group(group) {}

void TwGroupTitle::SetHeight(int value)
{
    const int limit = qMax(0, Grid()->Headers()->GrpHeight() - 4 * m_group->Levels());
    m_height = qBound(0, value, limit);
    Changed();
}

void TwGroupTitle::SetVisible(bool value)
{
    m_visible = value;
    if (!value)
        m_group->SetNoColTitles(false);
    Changed();
}
