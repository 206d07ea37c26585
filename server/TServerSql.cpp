#include "server/TServerSql.h"

#include "common/TDatabase.h"
#include "common/TQuery.h"

TServerSql::TServerSql(TDatabase& db) : m_db(db) {}

TServerSql::~TServerSql() = default;

TQuery& TServerSql::Prepared(const QString& sql, const QVariantMap& binds)
{
    TQuery* query = nullptr;
    for (auto& [text, q] : m_queries)
        if (text == sql)
            query = q.get();
    if (!query) {
        m_queries.emplace_back(sql, std::make_unique<TQuery>(m_db));
        query = m_queries.back().second.get();
        query->SQL() << sql;
    }
    query->Close();
    for (auto it = binds.begin(); it != binds.end(); ++it)
        query->ParamByName(it.key()).SetAsVariant(it.value());
    return *query;
}

qint64 TServerSql::Exec(const QString& sql, const QVariantMap& binds)
{
    TQuery& q = Prepared(sql, binds);
    q.ExecSQL();
    return q.RowsAffected();
}

QVariant TServerSql::Value(const QString& sql, const QVariantMap& binds)
{
    TQuery& q = Prepared(sql, binds);
    q.Open();
    const QVariant value = q.Eof() ? QVariant() : q.Fields(0).AsVariant();
    q.Close();
    return value;
}

bool TServerSql::Exists(const QString& sql, const QVariantMap& binds)
{
    TQuery& q = Prepared(sql, binds);
    q.Open();
    const bool found = !q.Eof();
    q.Close();
    return found;
}

std::vector<QVariantMap> TServerSql::Rows(const QString& sql, const QVariantMap& binds)
{
    TQuery& q = Prepared(sql, binds);
    q.Open();
    std::vector<QVariantMap> rows;
    for (q.First(); !q.Eof(); q.Next()) {
        QVariantMap row;
        for (int i = 0; i < q.FieldCount(); ++i)
            row.insert(q.Fields(i).FieldName().toUpper(), q.Fields(i).AsVariant());
        rows.push_back(std::move(row));
    }
    q.Close();
    return rows;
}
