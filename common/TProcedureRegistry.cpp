#include "common/TProcedureRegistry.h"

TProcedureRegistry& TProcedureRegistry::Instance()
{
    static TProcedureRegistry registry;
    return registry;
}

void TProcedureRegistry::Register(const QString& name, const QStringList& paramNames, TBody body)
{
    m_procedures.insert(name.toUpper(), TProcedure{name.toUpper(), paramNames, std::move(body)});
}

void TProcedureRegistry::Unregister(const QString& name) { m_procedures.remove(name.toUpper()); }

const TProcedureRegistry::TProcedure* TProcedureRegistry::Find(const QString& name) const
{
    const auto it = m_procedures.constFind(name.toUpper());
    return it == m_procedures.constEnd() ? nullptr : &it.value();
}

TProcedureRegistry::TScoped::TScoped(const QString& name, const QStringList& paramNames, TBody body)
    : m_name(name)
{
    if (const TProcedure* previous = Instance().Find(name))
        m_previous = *previous;
    Instance().Register(name, paramNames, std::move(body));
}

TProcedureRegistry::TScoped::~TScoped()
{
    if (m_previous)
        Instance().Register(m_previous->Name, m_previous->ParamNames, m_previous->Body);
    else
        Instance().Unregister(m_name);
}
