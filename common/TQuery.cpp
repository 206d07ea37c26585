#include "common/TQuery.h"

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TSqlDialect.h"
#include "common/TValueConversion.h"

TQuery::TQuery(TDatabase& database) : m_database(database) {}

TQuery::~TQuery() = default;

void TQuery::SetUniDirectional(bool value)
{
    if (m_active)
        throw EDatabaseError(QStringLiteral("Cannot change the reading mode of an open query"));
    m_uniDirectional = value;
}

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

std::vector<QVariant> TQuery::Values()
{
    Refresh();
    std::vector<QVariant> values;
    values.reserve(m_params.size());
    for (const TParam& p : m_params)
        values.push_back(p.AsVariant());
    return values;
}

void TQuery::Run(bool wantRows)
{
    Close();
    const std::vector<QVariant> values = Values();
    m_database.Dialect().Execute(m_statement, values, m_rows, wantRows);
    m_rowsAffected = m_rows.RowsAffected;
}

void TQuery::CreateFields()
{
    for (int c = 0; c < m_rows.ColumnCount(); ++c)
        m_fields.emplace_back(&m_rows, &m_row, c, m_rows.Names[c], m_rows.Types[c]);
    m_active = true;
}

// Reads the first row at once; an expression column takes its type from it.
void TQuery::OpenCursor()
{
    Close();
    const std::vector<QVariant> values = Values();
    m_cursor = m_database.Dialect().OpenCursor(m_statement, values, m_rows);
    std::vector<QVariant> first;
    if (m_cursor->Fetch(first)) {
        m_rows.Cells.assign(first.begin(), first.end());
        m_fetched = 1;
    }
    for (int c = 0; c < m_rows.ColumnCount(); ++c)
        if (m_rows.Types[c] == ftUnknown)
            m_rows.Types[c] = m_fetched ? TValueConversion::TypeOf(m_rows.Cells[c]) : ftString;
    for (TFieldType& type : m_rows.Types)
        if (type == ftUnknown)
            type = ftString;
    m_row = m_fetched ? 0 : -1;
    m_eof = !m_fetched;
    if (m_eof)
        m_cursor.reset();
}

void TQuery::Open()
{
    if (m_uniDirectional) {
        OpenCursor();
        CreateFields();
        return;
    }
    Run(true);
    CreateFields();
    First();
}

void TQuery::ExecSQL()
{
    Run(false);
    m_rows.Cells.clear();
}

void TQuery::Close()
{
    m_cursor.reset();
    m_fetched = 0;
    m_active = false;
    m_fields.clear();
    m_rows.Clear();
    m_row = -1;
    m_eof = true;
}

void TQuery::First()
{
    if (m_uniDirectional && m_active) {
        if (m_fetched > 1)
            throw EDatabaseError(QStringLiteral("Operation not allowed on a unidirectional query"));
        m_row = m_fetched ? 0 : -1;
        m_eof = !m_fetched;
        return;
    }
    m_row = m_rows.RowCount() > 0 ? 0 : -1;
    m_eof = m_row < 0;
}

void TQuery::Next()
{
    if (m_eof)
        return;
    if (m_uniDirectional) {
        if (m_cursor && m_cursor->Fetch(m_fetchBuffer)) {
            std::move(m_fetchBuffer.begin(), m_fetchBuffer.end(), m_rows.Cells.begin());
            ++m_fetched;
        } else {
            m_eof = true;
            m_cursor.reset(); // the statement is done: free it at once
        }
        return;
    }
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
