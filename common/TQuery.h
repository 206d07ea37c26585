#pragma once

#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "common/TField.h"
#include "common/TParam.h"
#include "common/TResultSet.h"
#include "common/TSqlStatement.h"

class TDatabase;
class TSqlCursor;

// A statement in the server's dialect on the shared connection. The statement
// is SQL() (a list of lines); its parameters are the ":NAME" markers found in
// it, one per name; changing the text keeps the values of names that remain.
// Open() reads the whole result onto the client; First/Next/Eof walk it.
// A unidirectional query instead reads one row per Next(): much less memory and
// faster for a long result read once, but RecordCount() counts only the rows
// read so far, First() is refused after the first row, and the statement
// stays open on the connection until Close() or the end of the rows.
class TQuery
{
public:
    explicit TQuery(TDatabase& database);
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    TDatabase& Database() const { return m_database; }
    QStringList& SQL() { return m_sql; }
    const QStringList& SQL() const { return m_sql; }

    int ParamCount();
    TParam& Params(int index);
    TParam& ParamByName(const QString& name); // throws EDatabaseError when absent

    bool UniDirectional() const { return m_uniDirectional; }
    void SetUniDirectional(bool value); // only while closed

    void Open();    // a statement that yields rows
    void ExecSQL(); // any statement; its rows, if any, are dropped
    void Close();
    bool Active() const { return m_active; }

    void First();
    void Next();
    bool Eof() const { return m_eof; }
    int RecNo() const { return m_row + 1; }

    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    TField& Fields(int index);
    TField& FieldByName(const QString& name); // throws EDatabaseError when absent
    TField* FindField(const QString& name);
    int RecordCount() const { return m_uniDirectional && m_active ? m_fetched : m_rows.RowCount(); }
    qint64 RowsAffected() const { return m_rowsAffected; }

private:
    void Refresh(); // re-reads the parameters when the text changed
    std::vector<QVariant> Values();
    void Run(bool wantRows);
    void OpenCursor();
    void CreateFields();

    TDatabase& m_database;
    QStringList m_sql;
    QString m_parsedText;
    bool m_parsed = false;
    TSqlStatement m_statement;
    std::vector<TParam> m_params;
    TResultSet m_rows;
    std::deque<TField> m_fields;
    int m_row = -1;
    bool m_eof = true;
    bool m_active = false;
    qint64 m_rowsAffected = 0;
    bool m_uniDirectional = false;
    std::unique_ptr<TSqlCursor> m_cursor;
    std::vector<QVariant> m_fetchBuffer;
    int m_fetched = 0;
};
