#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "common/TSqlDialect.h"

// A server that speaks the statements' own dialect, reached through a Qt SQL
// driver (Oracle's QOCI or QODBC). Statements go through unchanged apart from
// the parameter markers; stored procedures are the server's.
class TQtSqlDialect : public TSqlDialect
{
public:
    explicit TQtSqlDialect(const QString& name) : m_name(name) {}

    QString Name() const override { return m_name; }
    void Attach(QSqlDatabase& db, const TConnectionSettings& settings) override;
    void Detach() override;
    void Begin() override;
    void Commit() override;
    void Rollback() override;
    QString Translate(const TSqlStatement& statement) const override;
    void Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                 TResultSet& result, bool wantRows) override;
    void ExecuteDirect(const QString& nativeSql) override;
    bool RunsProceduresLocally() const override { return false; }
    void CallProcedure(const QString& name, const std::vector<TParam>& params) override;

private:
    QSqlQuery& Prepared(const QString& key, const QString& nativeSql);
    void Run(QSqlQuery& query, TResultSet& result, bool wantRows);

    QString m_name;
    QSqlDatabase m_db;
    QHash<QString, QSqlQuery> m_cache;
};
