#include "common/TQueryProvider.h"

#include "common/TQuery.h"

namespace {
TwFieldType FieldTypeOf(TFieldType type)
{
    switch (type) {
    case ftInteger: return wftLargeint;
    case ftFloat: return wftFloat;
    case ftDateTime: return wftDateTime;
    case ftBlob: return wftMemo;
    default: return wftString;
    }
}
} // namespace

std::vector<TwRecordProvider::FieldDef> TQueryProvider::FieldDefs()
{
    std::vector<FieldDef> defs;
    if (!m_query || !m_query->Active())
        return defs;
    for (int f = 0; f < m_query->FieldCount(); ++f)
        defs.push_back({m_query->Fields(f).FieldName(), FieldTypeOf(m_query->Fields(f).DataType())});
    return defs;
}

bool TQueryProvider::FetchRecord(std::vector<QVariant>& values)
{
    if (!m_query || !m_query->Active() || m_query->Eof())
        return false;
    values.resize(m_query->FieldCount());
    for (int f = 0; f < m_query->FieldCount(); ++f) {
        TField& field = m_query->Fields(f);
        values[f] = field.IsNull() ? QVariant() : field.AsVariant();
    }
    m_query->Next();
    return true;
}
