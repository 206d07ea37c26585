#include "controls/TwDataLink.h"

#include "controls/TwClientDataSet.h"
#include "controls/TwDataSource.h"

TwDataLink::~TwDataLink()
{
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
}

void TwDataLink::SetDataSource(TwDataSource* value)
{
    if (value == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
    m_dataSource = value;
    if (m_dataSource)
        m_dataSource->AddLink(this);
    ActiveChanged();
}

TwClientDataSet* TwDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

bool TwDataLink::Active() const
{
    return DataSet() && DataSet()->Active();
}

bool TwDataLink::Editing() const
{
    return Active() && (DataSet()->State() == dsEdit || DataSet()->State() == dsInsert);
}

bool TwDataLink::Edit()
{
    if (!Active() || m_readOnly)
        return false;
    if (!Editing())
        DataSet()->Edit();
    return Editing();
}
