// A program granted to a rights level (ZA140MS). A changed row replaces the
// grant it was loaded as.
#include "common/TStoredProc.h"
#include "server/TMenuData.h"
#include "server/TProcedureArgs.h"
#include "server/TRightsStore.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_ZZA010_02(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    a.EmpNo();
    TRightsStore store(db);
    TServerSql& sql = store.Sql();
    const QString status = a.Text("AEDITSTATUS");
    if (status != QLatin1String("2"))
        sql.Exec("DELETE FROM ZA140MS WHERE PROJECT_ID = :PROJECT_ID AND PROJECT_LEVEL = :LEVEL "
                 "AND PROGRAM_ID = :PROGRAM_ID",
                 {{"PROJECT_ID", TMenuData::ProjectId}, {"LEVEL", a.Text("AOLD_LEVEL")},
                  {"PROGRAM_ID", a.Text("AOLD_PROGRAM_ID")}});
    if (status == QLatin1String("3"))
        return;
    const QString level = TRightsStore::LevelOrRefuse(a.Text("APROJECT_LEVEL"));
    const QString program = store.ProgramOrRefuse(a.Text("APROGRAM_ID").toUpper());
    const QVariantMap key{{"PROJECT_ID", TMenuData::ProjectId}, {"LEVEL", level}, {"PROGRAM_ID", program}};
    if (sql.Exists("SELECT 1 FROM ZA140MS WHERE PROJECT_ID = :PROJECT_ID AND PROJECT_LEVEL = :LEVEL "
                   "AND PROGRAM_ID = :PROGRAM_ID",
                   key))
        TServerInput::Refuse(QStringLiteral("'%1' 등급에는 이미 %2 프로그램이 있습니다.").arg(level, program));
    sql.Exec("INSERT INTO ZA140MS (PROJECT_ID, PROJECT_LEVEL, PROGRAM_ID) VALUES (:PROJECT_ID, :LEVEL, :PROGRAM_ID)",
             key);
}
