// The management-fee bill of one contract and month, with its breakdown.
#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

void PR_NBI030_01(TDatabase& db, const TStoredProc& proc)
{
    using TI = TServerInput;
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    const auto contract = store.ContractOrRefuse(a.Text("ACONT_CODE"));
    TLeaseStore::Bill bill;
    bill.contCode = contract.code;
    bill.month = TI::Month(a.Text("ANAPIP_MONTH"), "납입년월");
    store.RefuseIfClosed(bill.month);
    if (!store.Line(contract.code, "03", bill.month))
        TI::Refuse(QStringLiteral("납입스케쥴이 등록되어 있지 않습니다. 확인하세요."));
    bill.demandDate = TI::Date(a.Text("AREQUEST_DATE"), "청구일자");
    bill.total = TI::Amount(a.Text("ATOT_MONEY"), "총금액");
    bill.price = TI::Amount(a.Text("ASUP_PRICE"), "공급가액");
    bill.tax = TI::Amount(a.Text("ASUP_TAX"), "부가세");
    bill.elec = TI::Amount(a.Text("ASUP_ELEC"), "전기료");
    bill.gas = TI::Amount(a.Text("ASUP_GAS"), "가스료");
    bill.cont = TI::Amount(a.Text("ASUP_CONT"), "냉난방비");
    bill.envi = TI::Amount(a.Text("ASUP_ENVI"), "환경비");
    bill.water = TI::Amount(a.Text("ASUP_WATER"), "수도비");
    bill.tele = TI::Amount(a.Text("ASUP_TELE"), "기타요금");
    bill.remark = TI::Limited(a.Raw("ASUP_REMARK"), 200, "비고");
    if (qAbs(bill.price + bill.tax - bill.total) >= 0.5)
        TI::Refuse(QStringLiteral("공급가액과 부가세의 합이 총금액과 다릅니다."));
    store.PutBill(bill);
}
