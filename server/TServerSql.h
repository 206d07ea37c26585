#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <vector>

class TDatabase;
class TQuery;

// Short statements of the server's own on the shared connection. Values are
// always bound by name; an empty text binds as NULL. Statements are kept
// prepared by text, so a procedure run for many rows prepares each once.
class TServerSql
{
public:
    explicit TServerSql(TDatabase& db);
    ~TServerSql();

    qint64 Exec(const QString& sql, const QVariantMap& binds = {});
    // The first column of the first row; invalid when there is no row.
    QVariant Value(const QString& sql, const QVariantMap& binds = {});
    bool Exists(const QString& sql, const QVariantMap& binds = {});
    // Every row, by upper-case field name.
    std::vector<QVariantMap> Rows(const QString& sql, const QVariantMap& binds = {});


private:
    TQuery& Prepared(const QString& sql, const QVariantMap& binds);

    TDatabase& m_db;
    std::vector<std::pair<QString, std::unique_ptr<TQuery>>> m_queries;
};
