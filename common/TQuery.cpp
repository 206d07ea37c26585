#include "common/TQuery.h"

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TSqlDialect.h"

TQuery::TQuery(TDatabase& database) : m_database(database) {}

void TQuery::Refresh()
{
    const QString text = m_sql.join(QLatin1Char('\n'));
    if (m_parsed && text == m_parsedText)
        return;
    m_parsed = true;
    m_parsedText = text;
    m_statement = TSqlStatement(text);
    std::vector<TParam> params;
    for (const QString& name : m_statement.ParamNames()) {
        TParam param(name);
        for (const TParam& old : m_params)
            if (old.Name().compare(name, Qt::CaseInsensitive) == 0)
                param = old;
        params.push_back(param);
    }
    m_params = std::move(params);
}

int TQuery::ParamCount()
{
    Refresh();
    return static_cast<int>(m_params.size());
}

TParam& TQuery::Params(int index)
{
    Refresh();
    if (index < 0 || index >= static_cast<int>(m_params.size()))
        throw EDatabaseError(QStringLiteral("Parameter index %1 out of range").arg(index));
    return m_params[index];
}

TParam& TQuery::ParamByName(const QString& name)
{
    Refresh();
    const int index = m_statement.ParamIndex(name);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    return m_params[index];
}

void TQuery::Run(bool wantRows)
{
    Close();
    Refresh();
    std::vector<QVariant> values;
    values.reserve(m_params.size());
    for (const TParam& p : m_params)
        values.push_back(p.AsVariant());
    m_database.Dialect().Execute(m_statement, values, m_rows, wantRows);
    m_rowsAffected = m_rows.RowsAffected;
}

void TQuery::Open()
{
    Run(true);
    for (int c = 0; c < m_rows.ColumnCount(); ++c)
        m_fields.emplace_back(&m_rows, &m_row, c, m_rows.Names[c], m_rows.Types[c]);
    m_active = true;
    First();
}

void TQuery::ExecSQL()
{
    Run(false);
    m_rows.Cells.clear();
}

void TQuery::Close()
{
    m_active = false;
    m_fields.clear();
    m_rows.Clear();
    m_row = -1;
    m_eof = true;
}

void TQuery::First()
{
    m_row = m_rows.RowCount() > 0 ? 0 : -1;
    m_eof = m_row < 0;
}

void TQuery::Next()
{
    if (m_eof)
        return;
    if (m_row + 1 < m_rows.RowCount())
        ++m_row;
    else
        m_eof = true;
}

TField& TQuery::Fields(int index)
{
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(QStringLiteral("Field index %1 out of range").arg(index));
    return m_fields[index];
}

TField* TQuery::FindField(const QString& name)
{
    for (TField& f : m_fields)
        if (f.FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

TField& TQuery::FieldByName(const QString& name)
{
    TField* field = FindField(name);
    if (!field)
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return *field;
}
