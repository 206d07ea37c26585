#include "server/TProcedureArgs.h"

#include "common/TStoredProc.h"
#include "server/TServerInput.h"

QString TProcedureArgs::Raw(const QString& name) const
{
    const TParam& param = m_proc.ParamByName(name);
    return param.IsNull() ? QString() : param.AsString();
}

QString TProcedureArgs::Text(const QString& name) const
{
    return Raw(name).trimmed();
}

QString TProcedureArgs::EmpNo() const
{
    return TServerInput::Required(Text(QStringLiteral("AU_EMP_NO")), QStringLiteral("사원번호"));
}

QString TProcedureArgs::Ip() const
{
    return Text(QStringLiteral("AU_IP"));
}
