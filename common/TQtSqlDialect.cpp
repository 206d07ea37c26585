#include "common/TQtSqlDialect.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include "common/EDatabaseError.h"
#include "common/TParam.h"
#include "common/TResultSet.h"
#include "common/TSqlStatement.h"
#include "common/TValueConversion.h"

namespace {

[[noreturn]] void Fail(const QSqlError& error)
{
    throw EDatabaseError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

QVariant BindValue(const QVariant& v)
{
    return TValueConversion::IsNull(v) ? QVariant(QMetaType(QMetaType::QString)) : v;
}

} // namespace

void TQtSqlDialect::Attach(QSqlDatabase& db, const TConnectionSettings& settings)
{
    m_db = db;
    // The statements convert eight-digit texts with TO_DATE and no format.
    if (settings.Driver.compare(QLatin1String("ORACLE"), Qt::CaseInsensitive) == 0)
        ExecuteDirect(QStringLiteral("ALTER SESSION SET NLS_DATE_FORMAT = 'YYYYMMDD'"));
}

void TQtSqlDialect::Detach()
{
    m_cache.clear();
    m_db = QSqlDatabase();
}

void TQtSqlDialect::Begin()
{
    if (!m_db.transaction())
        Fail(m_db.lastError());
}

void TQtSqlDialect::Commit()
{
    if (!m_db.commit())
        Fail(m_db.lastError());
}

void TQtSqlDialect::Rollback()
{
    if (!m_db.rollback())
        Fail(m_db.lastError());
}

QString TQtSqlDialect::Translate(const TSqlStatement& statement) const
{
    QString out;
    for (const auto& t : statement.Tokens())
        out += t.Kind == TSqlStatement::tkParam ? QStringLiteral("?") : t.Text;
    return out;
}

QSqlQuery& TQtSqlDialect::Prepared(const QString& key, const QString& nativeSql)
{
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.prepare(nativeSql))
            Fail(query.lastError());
        it = m_cache.insert(key, query);
    }
    return *it;
}

void TQtSqlDialect::Run(QSqlQuery& query, TResultSet& result, bool wantRows)
{
    if (!query.exec())
        Fail(query.lastError());
    result.Clear();
    if (wantRows && !query.isSelect())
        throw EDatabaseError(QStringLiteral("The statement returns no rows to open"));
    const QSqlRecord record = query.record();
    for (int c = 0; c < record.count(); ++c) {
        result.Names.append(record.fieldName(c).toUpper());
        result.Types.push_back(TValueConversion::TypeOf(QVariant(record.field(c).metaType())));
    }
    while (query.next())
        for (int c = 0; c < record.count(); ++c)
            result.Cells.push_back(query.value(c).isNull() ? QVariant() : query.value(c));
    result.RowsAffected = query.isSelect() ? 0 : query.numRowsAffected();
    query.finish();
}

void TQtSqlDialect::Execute(const TSqlStatement& statement, const std::vector<QVariant>& values,
                            TResultSet& result, bool wantRows)
{
    QSqlQuery& query = Prepared(statement.Text(), Translate(statement));
    int position = 0;
    for (const auto& t : statement.Tokens())
        if (t.Kind == TSqlStatement::tkParam)
            query.bindValue(position++, BindValue(values[t.Param]));
    Run(query, result, wantRows);
}

void TQtSqlDialect::ExecuteDirect(const QString& nativeSql)
{
    QSqlQuery query(m_db);
    if (!query.exec(nativeSql))
        Fail(query.lastError());
}

void TQtSqlDialect::CallProcedure(const QString& name, const std::vector<TParam>& params)
{
    QStringList markers;
    for (size_t i = 0; i < params.size(); ++i)
        markers << QStringLiteral("?");
    const QString call = QStringLiteral("BEGIN %1(%2); END;").arg(name, markers.join(QLatin1String(", ")));
    QSqlQuery& query = Prepared(call, call);
    for (int i = 0; i < static_cast<int>(params.size()); ++i)
        query.bindValue(i, BindValue(params[i].AsVariant()));
    if (!query.exec())
        Fail(query.lastError());
    query.finish();
}
