// Tenant registration: registers, changes or deletes one trading partner.
#include "common/TBusinessNumber.h"
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TMasterCodes.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
void DeleteTenant(TServerSql& sql, const QString& code)
{
    if (!sql.Exists("SELECT C_CODE FROM VA050MS WHERE C_CODE = :C_CODE", {{"C_CODE", code}}))
        TServerInput::Refuse(QStringLiteral("삭제할 거래처(%1)가 없습니다.").arg(code));
    if (sql.Exists("SELECT CONT_CODE FROM NA020MS WHERE C_CODE = :C_CODE", {{"C_CODE", code}}))
        TServerInput::Refuse(QStringLiteral("계약이 있는 거래처는 삭제할 수 없습니다."));
    sql.Exec("DELETE FROM VA050MS WHERE C_CODE = :C_CODE", {{"C_CODE", code}});
}

// Ten digits with a valid check digit; empty when the tenant has none.
QString BusinessNumber(const QString& text)
{
    if (text.isEmpty())
        return text;
    const QString digits = TBusinessNumber::Digits(text);
    if (!TBusinessNumber::IsValid(digits))
        TServerInput::Refuse(QStringLiteral("사업자등록번호가 올바르지 않습니다."));
    return digits;
}

void RefuseDuplicate(TServerSql& sql, const QString& bizNo, const QString& code)
{
    if (bizNo.isEmpty())
        return;
    const auto holders =
        code.isEmpty() ? sql.Rows("SELECT C_CODE, C_NAME FROM VA050MS WHERE BIZ_NO = :BIZ_NO", {{"BIZ_NO", bizNo}})
                       : sql.Rows("SELECT C_CODE, C_NAME FROM VA050MS WHERE BIZ_NO = :BIZ_NO AND C_CODE <> :C_CODE",
                                  {{"BIZ_NO", bizNo}, {"C_CODE", code}});
    if (!holders.empty())
        TServerInput::Refuse(QStringLiteral("%1 거래처 %2(%3)에 이미 등록되어 있습니다.")
                                 .arg(TServerInput::Quoted("사업자등록번호", TBusinessNumber::Formatted(bizNo)),
                                      holders.front().value("C_NAME").toString(),
                                      holders.front().value("C_CODE").toString()));
}
} // namespace

void PR_NAI060_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    TServerSql& sql = store.Sql();
    const QString status = TServerInput::Choice(a.Text("AEDITSTATUS"), {"1", "2", "3"}, QString(), "처리구분");
    QString code = a.Text("AC_CODE");
    if (status == "3")
        return DeleteTenant(sql, TServerInput::Required(code, "거래처코드"));

    const QString bizNo = BusinessNumber(a.Text("ABIZ_NO"));
    RefuseDuplicate(sql, bizNo, code);
    QVariantMap values{
        {"C_NAME", TServerInput::Limited(TServerInput::Required(a.Text("AC_NAME"), "거래처명"), 50, "거래처명")},
        {"BOSS_NAME", TServerInput::Limited(a.Text("ABOSS_NAME"), 50, "대표자명")},
        {"BIZ_NO", bizNo},
        {"REP_PHONE", TServerInput::Limited(a.Text("AREP_PHONE"), 20, "전화번호")},
        {"MOBILE_NO", TServerInput::Limited(a.Text("AMOBILE_NO"), 20, "휴대전화")},
        {"ADDRESS", TServerInput::Limited(a.Text("AADDRESS"), 100, "주소")},
        {"USE_YN", TServerInput::Choice(a.Text("AUSE_YN"), {"Y", "N"}, "Y", "사용여부")},
    };
    // A row without a code is a new tenant: it takes the next free code.
    if (code.isEmpty()) {
        values.insert("C_CODE", TMasterCodes::NextTenantCode(sql));
        sql.Exec("INSERT INTO VA050MS (C_CODE, C_NAME, BOSS_NAME, BIZ_NO, REP_PHONE, MOBILE_NO, ADDRESS, USE_YN) "
                 "VALUES (:C_CODE, :C_NAME, :BOSS_NAME, :BIZ_NO, :REP_PHONE, :MOBILE_NO, :ADDRESS, :USE_YN)",
                 values);
        return;
    }
    values.insert("C_CODE", code);
    const qint64 changed = sql.Exec("UPDATE VA050MS SET C_NAME = :C_NAME, BOSS_NAME = :BOSS_NAME, BIZ_NO = :BIZ_NO, "
                                    "REP_PHONE = :REP_PHONE, MOBILE_NO = :MOBILE_NO, ADDRESS = :ADDRESS, "
                                    "USE_YN = :USE_YN WHERE C_CODE = :C_CODE",
                                    values);
    if (changed == 0)
        TServerInput::Refuse(QStringLiteral("변경할 거래처(%1)가 없습니다.").arg(code));
}
