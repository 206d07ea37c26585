// Shop registration: registers, changes or deletes one leasable shop.
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
void CheckCode(TServerSql& sql, const QString& head, const QString& code, const QString& what)
{
    if (code.isEmpty())
        return;
    if (!sql.Exists("SELECT DETAIL FROM ZX010MS WHERE HEAD = :HEAD AND DETAIL = :DETAIL",
                    {{"HEAD", head}, {"DETAIL", code}}))
        TServerInput::Refuse(QStringLiteral("%1 존재하지 않습니다.").arg(TServerInput::QuotedSubject(what, code)));
}

void DeleteShop(TServerSql& sql, const QString& code)
{
    if (!sql.Exists("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_CODE = :SHOP_CODE", {{"SHOP_CODE", code}}))
        TServerInput::Refuse(QStringLiteral("삭제할 업장(%1)이 없습니다.").arg(code));
    if (sql.Exists("SELECT CONT_CODE FROM NA020MS WHERE SHOP_CODE = :SHOP_CODE", {{"SHOP_CODE", code}}))
        TServerInput::Refuse(QStringLiteral("계약이 등록된 업장은 삭제할 수 없습니다."));
    sql.Exec("DELETE FROM NA010MS WHERE SHOP_CODE = :SHOP_CODE", {{"SHOP_CODE", code}});
}
} // namespace

void PR_NAI010_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    TServerSql& sql = store.Sql();
    const QString status = TServerInput::Choice(a.Text("AEDITSTATUS"), {"1", "2", "3"}, QString(), "처리구분");
    const QString code = TServerInput::Required(a.Text("ASHOP_CODE"), "업장코드");
    if (status == "3")
        return DeleteShop(sql, code);

    const auto site = sql.Rows("SELECT UPJANG_NAME, DIRECT_MANAGE_YN FROM JA010MS WHERE UPJANG_CODE = :CODE",
                               {{"CODE", code}});
    if (site.empty() || !code.startsWith('4'))
        TServerInput::Refuse(QStringLiteral("업장코드(%1)가 임대할 수 있는 영업장이 아닙니다.").arg(code));
    const QString place = a.Text("ASHOP_PLACE");
    const QString leaseType = a.Text("ASHOP_LEASE_TYPE");
    CheckCode(sql, "NA001", place, "상가코드");
    CheckCode(sql, "NA002", leaseType, "임대형태");
    const QString siteDirect = site.front().value("DIRECT_MANAGE_YN").toString();
    QVariantMap values = store.Audit({
        {"SHOP_CODE", code},
        {"SHOP_NAME", site.front().value("UPJANG_NAME").toString()},
        {"SHOP_PLACE", place},
        {"SHOP_POSITION", TServerInput::Limited(a.Text("ASHOP_POSITION"), 50, "영업장 위치")},
        {"SHOP_LEASE_TYPE", leaseType},
        {"SHOP_ITEM", TServerInput::Limited(a.Text("ASHOP_ITEM"), 30, "영업 Item")},
        {"SHOP_USED_YN", TServerInput::Choice(a.Text("ASHOP_USED_YN"), {"Y", "N"}, "N", "사용여부")},
        {"SHOP_DIRECT_YN", TServerInput::Choice(a.Text("ASHOP_DIRECT_YN"), {"Y", "N"},
                                                siteDirect == "Y" ? "Y" : "N", "직영여부")},
        {"SHOP_PHONE", TServerInput::Limited(a.Text("ASHOP_PHONE"), 4, "내선번호")},
        {"SHOP_REMARK", TServerInput::Limited(a.Raw("ASHOP_REMARK"), 200, "비고")},
    });
    const qint64 changed = sql.Exec(
        "UPDATE NA010MS SET SHOP_NAME = :SHOP_NAME, SHOP_PLACE = :SHOP_PLACE, "
        "SHOP_POSITION = :SHOP_POSITION, SHOP_LEASE_TYPE = :SHOP_LEASE_TYPE, SHOP_ITEM = :SHOP_ITEM, "
        "SHOP_USED_YN = :SHOP_USED_YN, SHOP_DIRECT_YN = :SHOP_DIRECT_YN, SHOP_PHONE = :SHOP_PHONE, "
        "SHOP_REMARK = :SHOP_REMARK, U_EMP_NO = :U_EMP_NO, U_IP = :U_IP, U_SYS_DATE = :U_SYS_DATE "
        "WHERE SHOP_CODE = :SHOP_CODE",
        values);
    if (changed == 0)
        sql.Exec("INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_PLACE, SHOP_POSITION, SHOP_LEASE_TYPE, "
                 "SHOP_ITEM, SHOP_USED_YN, SHOP_DIRECT_YN, SHOP_PHONE, SHOP_REMARK, U_EMP_NO, U_IP, "
                 "U_SYS_DATE) VALUES (:SHOP_CODE, :SHOP_NAME, :SHOP_PLACE, :SHOP_POSITION, "
                 ":SHOP_LEASE_TYPE, :SHOP_ITEM, :SHOP_USED_YN, :SHOP_DIRECT_YN, :SHOP_PHONE, "
                 ":SHOP_REMARK, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                 values);
}
