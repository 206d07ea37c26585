#include "common/TSqlDialect.h"

#include "common/EDatabaseError.h"

void TSqlDialect::CallProcedure(const QString& name, const std::vector<TParam>&)
{
    throw EDatabaseError(QStringLiteral("Procedure %1 cannot be called on %2").arg(name, Name()));
}
