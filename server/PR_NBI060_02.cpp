// Remembers a name under which a contract's money arrives on the bank
// statement, so that the next statement matches it at once; and how an
// account's statement files are read.
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
    if (store.Sql().Exists("SELECT CONT_CODE FROM NA022MS WHERE CONT_CODE = :CONT_CODE AND "
                           "DEPOSITOR_NAME = :DEPOSITOR_NAME",
                           key))
        return;
    store.Sql().Exec("INSERT INTO NA022MS (CONT_CODE, DEPOSITOR_NAME, U_EMP_NO, U_IP, U_SYS_DATE) VALUES "
                     "(:CONT_CODE, :DEPOSITOR_NAME, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                     store.Audit(key));
}

// Keeps how the statement files of an account are read.
void PR_NBI060_03(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const QString account =
        TServerInput::Limited(TServerInput::Required(a.Text("AACCOUNT_NO"), "계좌번호"), 30, "계좌번호");
    const QVariantMap values = store.Audit({{"ACCOUNT_NO", account},
                                            {"COLUMN_MAP", TServerInput::Limited(a.Text("ACOLUMN_MAP"), 200, "열 지정")},
                                            {"TITLE_TEXT", a.Raw("ATITLE_TEXT").left(1000)}});
    store.Sql().Exec("DELETE FROM NB061MS WHERE ACCOUNT_NO = :ACCOUNT_NO", {{"ACCOUNT_NO", account}});
    store.Sql().Exec("INSERT INTO NB061MS (ACCOUNT_NO, COLUMN_MAP, TITLE_TEXT, U_EMP_NO, U_IP, U_SYS_DATE) VALUES "
                     "(:ACCOUNT_NO, :COLUMN_MAP, :TITLE_TEXT, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                     values);
}
