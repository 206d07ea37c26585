// An employee of the users and rights program: number, name, in service,
// rights level and, when given, a new password hash the employee must
// replace at the next sign-in. Employees are put out of service, never deleted.
#include <QDateTime>

#include "common/TStoredProc.h"
#include "server/TMenuData.h"
#include "server/TProcedureArgs.h"
#include "server/TRightsStore.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_ZZA010_01(TDatabase& db, const TStoredProc& proc)
{
    using TI = TServerInput;
    const TProcedureArgs a(proc);
    TRightsStore store(db);
    const QString status = a.Text("AEDITSTATUS");
    if (status == QLatin1String("3"))
        TI::Refuse(QStringLiteral("사원은 삭제할 수 없습니다. 사용여부를 N으로 바꾸십시오."));
    const QString empNo = store.EmpNoOrRefuse(a.Text("AEMP_NO"));
    const QString name = TI::Limited(TI::Required(a.Text("AEMP_NAME"), "사원명"), 50, "사원명");
    const QString useYn = TI::Choice(a.Text("AUSE_YN"), {"Y", "N"}, "Y", "사용여부");
    const QString level = a.Text("APROJECT_LEVEL");
    const QString hash = a.Text("ANEW_HASH");
    const QVariantMap audit{{"U_EMP_NO", a.EmpNo()}, {"U_IP", a.Ip()}, {"EMP_NO", empNo}, {"EMP_NAME", name},
                            {"USE_YN", useYn}};
    TServerSql& sql = store.Sql();
    const bool exists = sql.Exists("SELECT 1 FROM ZA010MS WHERE EMP_NO = :EMP_NO", {{"EMP_NO", empNo}});
    if (status == QLatin1String("1")) {
        if (!exists)
            TI::Refuse(QStringLiteral("등록되지 않은 사원번호입니다: ") + empNo);
        sql.Exec("UPDATE ZA010MS SET EMP_NAME = :EMP_NAME, USE_YN = :USE_YN, U_EMP_NO = :U_EMP_NO, "
                 "U_IP = :U_IP, U_SYS_DATE = CURRENT_TIMESTAMP WHERE EMP_NO = :EMP_NO",
                 audit);
    } else {
        if (exists)
            TI::Refuse(QStringLiteral("이미 등록된 사원번호입니다: ") + empNo);
        if (hash.isEmpty())
            TI::Refuse(QStringLiteral("새 사원 %1에게 비밀번호를 지정하십시오.").arg(empNo));
        sql.Exec("INSERT INTO ZA010MS (EMP_NO, EMP_NAME, USE_YN, PASSWORD_RESET_YN, U_EMP_NO, U_IP, U_SYS_DATE) "
                 "VALUES (:EMP_NO, :EMP_NAME, :USE_YN, 'Y', :U_EMP_NO, :U_IP, CURRENT_TIMESTAMP)",
                 audit);
    }
    if (!hash.isEmpty())
        sql.Exec("UPDATE ZA010MS SET PASSWORD_HASH = :HASH, PASSWORD_SET_AT = :SET_AT, PASSWORD_RESET_YN = 'Y' "
                 "WHERE EMP_NO = :EMP_NO",
                 {{"HASH", TRightsStore::HashOrRefuse(hash)},
                  {"SET_AT", QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss")},
                  {"EMP_NO", empNo}});
    sql.Exec("DELETE FROM ZA130MS WHERE EMP_NO = :EMP_NO AND PROJECT_ID = :PROJECT_ID",
             {{"EMP_NO", empNo}, {"PROJECT_ID", TMenuData::ProjectId}});
    if (!level.isEmpty())
        TMenuData::AssignLevel(db, empNo, TRightsStore::LevelOrRefuse(level));
}
