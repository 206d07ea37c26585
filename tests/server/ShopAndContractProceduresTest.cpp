#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
QMap<QString, QString> Shop(const QString& code, const QString& status)
{
    return {{"ASHOP_CODE", code}, {"ASHOP_PLACE", "03"}, {"ASHOP_LEASE_TYPE", "02"},
            {"ASHOP_POSITION", "콘도 1층"}, {"ASHOP_ITEM", "기념품"}, {"ASHOP_USED_YN", "Y"},
            {"ASHOP_PHONE", "7003"}, {"AEDITSTATUS", status}};
}

QMap<QString, QString> Contract(const QString& shop, const QString& start, const QString& end)
{
    return {{"ACONT_CODE", ""}, {"AC_CODE", "2000000001"}, {"ASHOP_CODE", shop},
            {"ACONT_START_DATE", start}, {"ACONT_END_DATE", end}, {"ACONT_DEPOSIT", "10000000"},
            {"ACONT_LEASE_MONEY", "1000000"}, {"ACONT_MANAGE_PAY", "200000"}, {"ACONT_DELAYRATE", "12"},
            {"AFIRST_DEPOSIT", "1000000"}, {"ALAST_DEPOSIT", "9000000"}, {"AMINAP_CHK", "Y"},
            {"AEDITSTATUS", "2"}};
}
} // namespace

TEST(PR_NAI010_01, TakesOverASiteFromTheMasterAndRecordsTheAuthor)
{
    TServerTestDb t;
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("4003", "1")), "");
    EXPECT_EQ(t.Scalar("SELECT SHOP_NAME || '/' || SHOP_PLACE || '/' || SHOP_USED_YN || '/' || SHOP_DIRECT_YN "
                       "|| '/' || U_EMP_NO || '/' || U_IP FROM NA010MS WHERE SHOP_CODE = '4003'"),
              "콘도 기념품점/03/Y/N/10000001/10.1.2.3");
    EXPECT_FALSE(t.Scalar("SELECT U_SYS_DATE FROM NA010MS WHERE SHOP_CODE = '4003'").isEmpty());
    auto changed = Shop("4003", "1");
    changed["ASHOP_USED_YN"] = "";
    EXPECT_EQ(t.Call("PR_NAI010_01", changed), "");
    EXPECT_EQ(t.Scalar("SELECT SHOP_USED_YN FROM NA010MS WHERE SHOP_CODE = '4003'"), "N");
}

TEST(PR_NAI010_01, RefusesUnknownSitesCodesAndDeletingAShopInUse)
{
    TServerTestDb t;
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("4999", "1")), "업장코드(4999)가 임대할 수 있는 영업장이 아닙니다.");
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("1001", "1")), "업장코드(1001)가 임대할 수 있는 영업장이 아닙니다.");
    auto badPlace = Shop("4003", "1");
    badPlace["ASHOP_PLACE"] = "99";
    EXPECT_EQ(t.Call("PR_NAI010_01", badPlace), "상가코드(99)가 존재하지 않습니다.");
    auto badPhone = Shop("4003", "1");
    badPhone["ASHOP_PHONE"] = "70031";
    EXPECT_EQ(t.Call("PR_NAI010_01", badPhone), "내선번호는 4자까지 입력할 수 있습니다.");
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("4003", "7")), "처리구분(7)은 올바르지 않습니다.");
    auto noEmployee = Shop("4003", "1");
    noEmployee["AU_EMP_NO"] = "";
    EXPECT_EQ(t.Call("PR_NAI010_01", noEmployee), "사원번호가 입력되지 않았습니다.");

    t.AddContract("000001", "4001", "20260101", "20261231");
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("4001", "3")), "계약이 등록된 업장은 삭제할 수 없습니다.");
    EXPECT_EQ(t.Call("PR_NAI010_01", Shop("4002", "3")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NA010MS WHERE SHOP_CODE = '4002'"), "0");
}

TEST(PR_NAI020_01, NewContractsGetTheNextCodeAndAnArrearsRow)
{
    TServerTestDb t;
    EXPECT_EQ(t.Call("PR_NAI020_01", Contract("4001", "20250101", "20251231")), "");
    EXPECT_EQ(t.Call("PR_NAI020_01", Contract("4002", "20250101", "20251231")), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(CONT_CODE) FROM (SELECT CONT_CODE FROM NA020MS ORDER BY 1)"),
              "000001,000002");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NC010MS"), "2");
    EXPECT_EQ(t.Scalar("SELECT MANAGE_YN || MINAP_CHK || U_EMP_NO FROM NA020MS WHERE CONT_CODE = '000002'"),
              "YY10000001");
}

TEST(PR_NAI020_01, RefusesBadValuesAndOverlappingPeriods)
{
    TServerTestDb t;
    auto c = Contract("4001", "20250101", "20251231");
    auto with = [&](const QString& name, const QString& value) {
        auto changed = c;
        changed[name] = value;
        return t.Call("PR_NAI020_01", changed);
    };
    EXPECT_EQ(with("AC_CODE", "9999999999"), "거래처코드(9999999999)가 존재하지 않습니다.");
    EXPECT_EQ(with("ASHOP_CODE", "4003"), "업장코드(4003)가 임대업장으로 등록되어 있지 않습니다.");
    EXPECT_EQ(with("ACONT_END_DATE", "20241231"), "계약기간의 종료(20241231)가 시작(20250101)보다 앞설 수 없습니다.");
    EXPECT_EQ(with("ACONT_START_DATE", "20250230"), "계약시작일(20250230)은 올바른 날짜가 아닙니다.");
    EXPECT_EQ(with("ACONT_DEPOSIT", "-5"), "보증금은 0보다 작을 수 없습니다.");
    EXPECT_EQ(with("ACONT_LEASE_MONEY", "백만원"), "임대료(백만원)는 숫자가 아닙니다.");
    EXPECT_EQ(with("AFIRST_DEPOSIT", "20000000"), "계약금이 보증금보다 클 수 없습니다.");
    EXPECT_EQ(with("ACONT_DELAYRATE", "120"), "연체율은 100을 넘을 수 없습니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NA020MS"), "0");

    EXPECT_EQ(t.Call("PR_NAI020_01", c), "");
    EXPECT_EQ(t.Call("PR_NAI020_01", Contract("4001", "20251201", "20261130")),
              "같은 업장에 계약기간이 겹치는 계약이 있습니다.");
    // Terminated in June: the shop is free again from July.
    auto terminated = c;
    terminated["ACONT_CODE"] = "000001";
    terminated["ACONT_CANCEL_DATE"] = "20250630";
    terminated["AEDITSTATUS"] = "1";
    EXPECT_EQ(t.Call("PR_NAI020_01", terminated), "");
    EXPECT_EQ(t.Call("PR_NAI020_01", Contract("4001", "20250701", "20260630")), "");
}

TEST(PR_NAI020_01, TerminationStopsLaterBillingAndDeletionNeedsAnEmptyHistory)
{
    TServerTestDb t;
    ASSERT_EQ(t.Call("PR_NAI020_01", Contract("4001", "20250101", "20251231")), "");
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250101"},
                                      {"ASTART_DATE", "20250101"}, {"AEND_DATE", "20251231"}}), "");
    ASSERT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                      {"ANAPIP_MONTH", "202508"}, {"AIPGUM_DATE", "20250801"},
                                      {"AIPGUM_AMT", "1000000"}}), "");
    EXPECT_EQ(t.Call("PR_NAI020_01", {{"ACONT_CODE", "000001"}, {"AEDITSTATUS", "3"}}),
              "납입스케쥴이나 입금 내역이 있는 계약은 삭제할 수 없습니다. 해지 처리하세요.");

    auto terminated = Contract("4001", "20250101", "20251231");
    terminated["ACONT_CODE"] = "000001";
    terminated["ACONT_CANCEL_DATE"] = "20250615";
    terminated["AEDITSTATUS"] = "1";
    ASSERT_EQ(t.Call("PR_NAI020_01", terminated), "");
    // June stays; later months go, except August which has a receipt.
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(M) FROM (SELECT DISTINCT NAPIP_MONTH AS M FROM NB010MS "
                       "WHERE NAPIP_MONTH > '202505' ORDER BY 1)"), "202506,202508");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010DT WHERE CONT_MONTH = '202509'"), "0");

    ASSERT_EQ(t.Call("PR_NAI020_01", Contract("4002", "20250101", "20251231")), "");
    EXPECT_EQ(t.Call("PR_NAI020_01", {{"ACONT_CODE", "000002"}, {"AEDITSTATUS", "3"}}), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NA020MS WHERE CONT_CODE = '000002'"), "0");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NC010MS WHERE CONT_CODE = '000002'"), "0");
}
