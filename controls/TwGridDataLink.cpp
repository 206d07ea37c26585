#include "controls/TwGridDataLink.h"

#include <QScopeGuard>

#include "controls/TwDBGrid.h"

void TwGridDataLink::ActiveChanged()
{
    m_modified = false;
    if (m_grid)
        m_grid->LinkActiveChanged();
}

void TwGridDataLink::DataSetChanged()
{
    if (m_grid)
        m_grid->LinkDataSetChanged();
}

void TwGridDataLink::DataSetScrolled(int distance)
{
    if (m_grid)
        m_grid->LinkScrolled(distance);
}

void TwGridDataLink::EditingChanged()
{
    if (!Editing())
        m_modified = false;
    if (m_grid)
        m_grid->LinkEditingChanged();
}

void TwGridDataLink::LayoutChanged()
{
    if (m_grid)
        m_grid->LinkActiveChanged();
}

void TwGridDataLink::RecordChanged(TwDataField* field)
{
    if (m_grid && !m_inUpdateData)
        m_grid->LinkRecordChanged(field);
}

void TwGridDataLink::UpdateData()
{
    if (!m_grid || m_inUpdateData || !m_modified)
        return;
    m_inUpdateData = true;
    const auto done = qScopeGuard([this] { m_inUpdateData = false; });
    m_grid->UpdateData();
}
