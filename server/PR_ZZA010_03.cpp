// A program added ('Y') or removed ('N') for one employee (ZA150MS). A
// changed row replaces the exception it was loaded as.
#include "common/TStoredProc.h"
#include "server/TMenuData.h"
#include "server/TProcedureArgs.h"
#include "server/TRightsStore.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_ZZA010_03(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    a.EmpNo();
    TRightsStore store(db);
    TServerSql& sql = store.Sql();
    const QString status = a.Text("AEDITSTATUS");
    if (status != QLatin1String("2"))
        sql.Exec("DELETE FROM ZA150MS WHERE EMP_NO = :EMP_NO AND PROJECT_ID = :PROJECT_ID "
                 "AND PROGRAM_ID = :PROGRAM_ID AND ADD_YN = :ADD_YN",
                 {{"EMP_NO", a.Text("AOLD_EMP_NO")}, {"PROJECT_ID", TMenuData::ProjectId},
                  {"PROGRAM_ID", a.Text("AOLD_PROGRAM_ID")}, {"ADD_YN", a.Text("AOLD_ADD_YN")}});
    if (status == QLatin1String("3"))
        return;
    const QString empNo = store.EmpNoOrRefuse(a.Text("AEMP_NO"));
    store.RefuseUnlessEmployee(empNo);
    const QString program = store.ProgramOrRefuse(a.Text("APROGRAM_ID").toUpper());
    const QString addYn = TServerInput::Choice(a.Text("AADD_YN").toUpper(), {"Y", "N"}, QString(), "추가(Y)/제외(N)");
    const QVariantMap key{{"EMP_NO", empNo}, {"PROJECT_ID", TMenuData::ProjectId}, {"PROGRAM_ID", program},
                          {"ADD_YN", addYn}};
    if (sql.Exists("SELECT 1 FROM ZA150MS WHERE EMP_NO = :EMP_NO AND PROJECT_ID = :PROJECT_ID "
                   "AND PROGRAM_ID = :PROGRAM_ID AND ADD_YN = :ADD_YN",
                   key))
        TServerInput::Refuse(QStringLiteral("사원 %1의 %2 예외가 이미 있습니다.").arg(empNo, program));
    sql.Exec("INSERT INTO ZA150MS (EMP_NO, PROJECT_ID, PROGRAM_ID, ADD_YN) "
             "VALUES (:EMP_NO, :PROJECT_ID, :PROGRAM_ID, :ADD_YN)",
             key);
}
