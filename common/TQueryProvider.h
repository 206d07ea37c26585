#pragma once

#include "controls/TwRecordProvider.h"

class TQuery;

// Hands the rows of an open query to a client-side result set, from the
// query's current row on, one row per request.
class TQueryProvider : public TwRecordProvider
{
public:
    TQueryProvider() = default;
    explicit TQueryProvider(TQuery* query) : m_query(query) {}

    TQuery* DataSet() const { return m_query; }
    void SetDataSet(TQuery* query) { m_query = query; }

    // Empty while the query is closed.
    std::vector<FieldDef> FieldDefs() override;
    bool FetchRecord(std::vector<QVariant>& values) override;

private:
    TQuery* m_query = nullptr;
};
