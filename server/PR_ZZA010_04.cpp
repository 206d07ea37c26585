// The last step of every save of the users and rights program: at least one
// employee in service must still be able to sign in and open it.
#include "common/TStoredProc.h"
#include "server/TMenuData.h"
#include "server/TProcedureArgs.h"
#include "server/TRightsStore.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_ZZA010_04(TDatabase& db, const TStoredProc& proc)
{
    TProcedureArgs(proc).EmpNo();
    if (TRightsStore(db).Administrators() == 0)
        TServerInput::Refuse(QStringLiteral("%1(%2)를 열 수 있는 사원이 한 명은 남아야 합니다. 저장하지 않았습니다.")
                                 .arg(TMenuData::AdministrationProgram().name, TMenuData::AdministrationProgram().programId));
}
