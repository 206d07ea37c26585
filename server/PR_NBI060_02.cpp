// Remembers a name under which a contract's money arrives on the bank
// statement, so that the next statement matches it at once.
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_NBI060_02(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString contCode = store.ContractOrRefuse(a.Text("ACONT_CODE")).code;
    const QString name = TServerInput::Limited(TServerInput::Required(a.Text("ADEPOSITOR"), "입금자명"), 50, "입금자명");
    const QVariantMap key{{"CONT_CODE", contCode}, {"DEPOSITOR_NAME", name}};
    if (store.Sql().Exists("SELECT CONT_CODE FROM NA021MS WHERE CONT_CODE = :CONT_CODE AND "
                           "DEPOSITOR_NAME = :DEPOSITOR_NAME",
                           key))
        return;
    store.Sql().Exec("INSERT INTO NA021MS (CONT_CODE, DEPOSITOR_NAME, U_EMP_NO, U_IP, U_SYS_DATE) VALUES "
                     "(:CONT_CODE, :DEPOSITOR_NAME, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                     store.Audit(key));
}
