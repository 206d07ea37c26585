// Site registration: registers, changes or deletes one site of the site master.
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TMasterCodes.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
void DeleteSite(TServerSql& sql, const QString& code)
{
    if (!sql.Exists("SELECT UPJANG_CODE FROM JA010MS WHERE UPJANG_CODE = :CODE", {{"CODE", code}}))
        TServerInput::Refuse(QStringLiteral("삭제할 업장(%1)이 없습니다.").arg(code));
    if (sql.Exists("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_CODE = :CODE", {{"CODE", code}})
        || sql.Exists("SELECT CONT_CODE FROM NA020MS WHERE SHOP_CODE = :CODE", {{"CODE", code}}))
        TServerInput::Refuse(QStringLiteral("임대영업장이나 계약이 있는 업장은 삭제할 수 없습니다."));
    sql.Exec("DELETE FROM JA010MS WHERE UPJANG_CODE = :CODE", {{"CODE", code}});
}
} // namespace

void PR_NAI070_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    TServerSql& sql = store.Sql();
    const QString status = TServerInput::Choice(a.Text("AEDITSTATUS"), {"1", "2", "3"}, QString(), "처리구분");
    const QString code = a.Text("AUPJANG_CODE");
    if (status == "3")
        return DeleteSite(sql, TServerInput::Required(code, "업장코드"));

    const QString leasable = TServerInput::Choice(a.Text("AETC_FLAG"), {"Y", "N"}, "N", "임대가능");
    QVariantMap values{
        {"UPJANG_NAME",
         TServerInput::Limited(TServerInput::Required(a.Text("AUPJANG_NAME"), "업장명"), 50, "업장명")},
        {"ETC_FLAG", leasable},
        {"DIRECT_MANAGE_YN", TServerInput::Choice(a.Text("ADIRECT_MANAGE_YN"), {"Y", "N"},
                                                  leasable == "Y" ? "N" : "Y", "직영여부")},
        {"USE_YN", TServerInput::Choice(a.Text("AUSE_YN"), {"Y", "N"}, "Y", "사용여부")},
    };
    // A new site takes the next free code of its kind: leasable sites begin with 4.
    if (code.isEmpty()) {
        values.insert("UPJANG_CODE", TMasterCodes::NextSiteCode(sql, leasable == "Y"));
        sql.Exec("INSERT INTO JA010MS (UPJANG_CODE, UPJANG_NAME, USE_YN, DIRECT_MANAGE_YN, ETC_FLAG) "
                 "VALUES (:UPJANG_CODE, :UPJANG_NAME, :USE_YN, :DIRECT_MANAGE_YN, :ETC_FLAG)",
                 values);
        return;
    }
    if (leasable == "Y" && !code.startsWith('4'))
        TServerInput::Refuse(QStringLiteral("업장코드가 4로 시작하는 업장만 임대할 수 있습니다."));
    values.insert("UPJANG_CODE", code);
    const qint64 changed = sql.Exec("UPDATE JA010MS SET UPJANG_NAME = :UPJANG_NAME, USE_YN = :USE_YN, "
                                    "DIRECT_MANAGE_YN = :DIRECT_MANAGE_YN, ETC_FLAG = :ETC_FLAG "
                                    "WHERE UPJANG_CODE = :UPJANG_CODE",
                                    values);
    if (changed == 0)
        TServerInput::Refuse(QStringLiteral("변경할 업장(%1)이 없습니다.").arg(code));
    // The shop register repeats the site's name.
    sql.Exec("UPDATE NA010MS SET SHOP_NAME = :UPJANG_NAME WHERE SHOP_CODE = :UPJANG_CODE",
             {{"UPJANG_NAME", values.value("UPJANG_NAME")}, {"UPJANG_CODE", code}});
}
