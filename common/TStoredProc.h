#pragma once

#include <QString>
#include <vector>

#include "common/TParam.h"

class TDatabase;

// A stored-procedure call on the shared connection. Setting the name gives the
// procedure's parameters in declaration order (from TProcedureRegistry); values
// stay until changed. On an engine without server procedures the call runs the
// registered body inside a savepoint: a call that fails leaves nothing behind
// and the caller's transaction goes on, as a failed call does on the server.
class TStoredProc
{
public:
    explicit TStoredProc(TDatabase& database);

    TDatabase& Database() const { return m_database; }
    const QString& ProcedureName() const { return m_name; }
    void SetProcedureName(const QString& name);

    std::vector<TParam>& Params() { return m_params; }
    const std::vector<TParam>& Params() const { return m_params; }
    TParam& ParamByName(const QString& name);             // throws EDatabaseError when absent
    const TParam& ParamByName(const QString& name) const; // throws EDatabaseError when absent

    void ExecProc();

private:
    void RunLocally();

    TDatabase& m_database;
    QString m_name;
    std::vector<TParam> m_params;
};
