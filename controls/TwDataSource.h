#pragma once

#include <vector>

class TwClientDataSet;
class TwDataLink;

// Joins a result set to the controls that show it. Whoever goes first
// (result set, source or link) leaves the others unattached.
class TwDataSource
{
public:
    explicit TwDataSource(TwClientDataSet* dataSet = nullptr);
    ~TwDataSource();
    TwDataSource(const TwDataSource&) = delete;
    TwDataSource& operator=(const TwDataSource&) = delete;

    TwClientDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TwClientDataSet* value);
    // Typing into a control starts editing the record.
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool value) { m_autoEdit = value; }

    const std::vector<TwDataLink*>& Links() const { return m_links; }

private:
    friend class TwDataLink;
    friend class TwClientDataSet;
    void AddLink(TwDataLink* link);
    void RemoveLink(TwDataLink* link);

    TwClientDataSet* m_dataSet = nullptr;
    bool m_autoEdit = true;
    std::vector<TwDataLink*> m_links;
};
