#include "controls/TwDataSource.h"

#include <algorithm>

#include "controls/TwClientDataSet.h"
#include "controls/TwDataLink.h"

TwDataSource::TwDataSource(TwClientDataSet* dataSet)
{
    SetDataSet(dataSet);
}

TwDataSource::~TwDataSource()
{
    SetDataSet(nullptr);
    for (TwDataLink* link : std::vector<TwDataLink*>(m_links))
        link->SetDataSource(nullptr);
}

void TwDataSource::SetDataSet(TwClientDataSet* value)
{
    if (value == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->RemoveSource(this);
    m_dataSet = value;
    if (m_dataSet)
        m_dataSet->AddSource(this);
    for (TwDataLink* link : std::vector<TwDataLink*>(m_links))
        link->ActiveChanged();
}

void TwDataSource::AddLink(TwDataLink* link)
{
    m_links.push_back(link);
}

void TwDataSource::RemoveLink(TwDataLink* link)
{
    m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
}
