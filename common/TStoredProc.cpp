#include "common/TStoredProc.h"

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TProcedureRegistry.h"
#include "common/TSqlDialect.h"

TStoredProc::TStoredProc(TDatabase& database) : m_database(database) {}

void TStoredProc::SetProcedureName(const QString& name)
{
    if (name.compare(m_name, Qt::CaseInsensitive) == 0 && !m_params.empty())
        return;
    m_name = name;
    m_params.clear();
    if (const auto* procedure = TProcedureRegistry::Instance().Find(name))
        for (const QString& param : procedure->ParamNames)
            m_params.emplace_back(param);
}

const TParam& TStoredProc::ParamByName(const QString& name) const
{
    for (const TParam& p : m_params)
        if (p.Name().compare(name, Qt::CaseInsensitive) == 0)
            return p;
    throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

TParam& TStoredProc::ParamByName(const QString& name)
{
    return const_cast<TParam&>(static_cast<const TStoredProc*>(this)->ParamByName(name));
}

void TStoredProc::ExecProc()
{
    TSqlDialect& dialect = m_database.Dialect();
    if (dialect.RunsProceduresLocally())
        RunLocally();
    else
        dialect.CallProcedure(m_name, m_params);
}

namespace {

// Takes the failed call's work back. When the engine has already rolled the
// whole transaction back, there is no savepoint left and the call's own error
// is the one to report.
void UndoCall(TSqlDialect& dialect)
{
    try {
        dialect.ExecuteDirect(QStringLiteral("ROLLBACK TO SAVEPOINT SELVAR_PROC"));
        dialect.ExecuteDirect(QStringLiteral("RELEASE SAVEPOINT SELVAR_PROC"));
    } catch (const EDatabaseError&) {
    }
}

} // namespace

void TStoredProc::RunLocally()
{
    const auto* procedure = TProcedureRegistry::Instance().Find(m_name);
    if (!procedure)
        throw EDatabaseError(QStringLiteral("프로시저 '%1'이(가) 없습니다.").arg(m_name));
    const TProcedureRegistry::TBody body = procedure->Body; // the body may re-register
    TSqlDialect& dialect = m_database.Dialect();
    dialect.ExecuteDirect(QStringLiteral("SAVEPOINT SELVAR_PROC"));
    try {
        body(m_database, *this);
    } catch (const EDatabaseError&) {
        UndoCall(dialect);
        throw;
    } catch (const std::exception& e) {
        UndoCall(dialect);
        const auto* own = dynamic_cast<const ESelvarError*>(&e);
        throw EDatabaseError(own ? own->Message() : QString::fromLocal8Bit(e.what()));
    }
    dialect.ExecuteDirect(QStringLiteral("RELEASE SAVEPOINT SELVAR_PROC"));
}
