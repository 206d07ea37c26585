#include "server/TFeeImportRow.h"

#include "common/EDatabaseError.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"

namespace {
using TI = TServerInput;

const char* const kCells[] = {"AUPJANG_CODE", "ANAPIP_MONTH", "ATOT_MONEY", "ASUP_PRICE", "ASUP_TAX",
                              "ASUP_ELEC", "ASUP_GAS", "ASUP_CONT", "ASUP_ENVI", "ASUP_WATER", "ASUP_TELE"};

QString RunningContract(TLeaseStore& store, const QString& site, const QString& month)
{
    const QString first = month + QStringLiteral("01");
    const QString last = TI::FromDate(TI::ToDate(first).addMonths(1).addDays(-1));
    const auto rows = store.Sql().Rows(
        "SELECT CONT_CODE FROM NA020MS WHERE SHOP_CODE = :SHOP_CODE AND CONT_START_DATE <= :LAST_DAY "
        "AND CONT_END_DATE >= :FIRST_DAY AND (CONT_CANCEL_DATE IS NULL OR CONT_CANCEL_DATE >= :FIRST_DAY)",
        {{"SHOP_CODE", site}, {"FIRST_DAY", first}, {"LAST_DAY", last}});
    if (rows.empty())
        TI::Refuse(QStringLiteral("해당 월의 계약이 없습니다."));
    if (rows.size() > 1)
        TI::Refuse(QStringLiteral("해당 월의 계약이 둘 이상입니다. 관리비 청구 화면에서 입력하세요."));
    return rows.front().value("CONT_CODE").toString();
}

TFeeImportRow::Checked CheckRow(TLeaseStore& store, const TProcedureArgs& a, const QString& site)
{
    if (!store.Sql().Exists("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_CODE = :SHOP_CODE", {{"SHOP_CODE", site}}))
        TI::Refuse(QStringLiteral("임대업장으로 등록되어 있지 않습니다."));
    TFeeImportRow::Checked c;
    TLeaseStore::Bill& b = c.bill;
    b.month = TI::Month(a.Text("ANAPIP_MONTH"), "납입월");
    store.RefuseIfClosed(b.month);
    c.contract = store.ContractOrRefuse(RunningContract(store, site, b.month));
    b.contCode = c.contract.code;
    b.total = TI::Amount(a.Text("ATOT_MONEY"), "총관리비");
    b.price = TI::Amount(a.Text("ASUP_PRICE"), "공급가액");
    b.tax = TI::Amount(a.Text("ASUP_TAX"), "부가세");
    b.elec = TI::Amount(a.Text("ASUP_ELEC"), "전기료");
    b.gas = TI::Amount(a.Text("ASUP_GAS"), "가스료");
    b.cont = TI::Amount(a.Text("ASUP_CONT"), "냉난방비");
    b.envi = TI::Amount(a.Text("ASUP_ENVI"), "환경비");
    b.water = TI::Amount(a.Text("ASUP_WATER"), "수도비");
    b.tele = TI::Amount(a.Text("ASUP_TELE"), "카드수수료");
    if (qAbs(b.price + b.tax - b.total) >= 0.5)
        TI::Refuse(QStringLiteral("공급가액과 부가세의 합이 총관리비와 다릅니다."));
    return c;
}
} // namespace

std::optional<TFeeImportRow::Checked> TFeeImportRow::Check(TLeaseStore& store, const TProcedureArgs& a)
{
    bool blank = true;
    for (const char* cell : kCells)
        blank = blank && a.Text(cell).isEmpty();
    if (blank)
        return std::nullopt;
    const QString site = a.Text("AUPJANG_CODE");
    try {
        return CheckRow(store, a, site);
    } catch (const EDatabaseError& e) {
        throw EDatabaseError(QStringLiteral("업장코드 %1, 납입월 %2: %3").arg(site, a.Text("ANAPIP_MONTH"), e.Message()));
    }
}
