#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
QMap<QString, QString> Regenerate(const QString& from = "20250110")
{
    return {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", from}, {"ASTART_DATE", "20250110"},
            {"AEND_DATE", "20250709"}};
}

QMap<QString, QString> Bill(const QString& month, const QString& total, const QString& price, const QString& tax)
{
    return {{"ACONT_CODE", "000001"}, {"ANAPIP_MONTH", month}, {"ANAPIP_DATE", month + "10"},
            {"AREQUEST_DATE", month + "01"}, {"ATOT_MONEY", total}, {"ASUP_PRICE", price},
            {"ASUP_TAX", tax}, {"ASUP_ELEC", "50000"}, {"ASUP_GAS", "30000"}, {"ASUP_CONT", "20000"},
            {"ASUP_ENVI", "0"}, {"ASUP_WATER", "0"}, {"ASUP_TELE", "0"}, {"ASUP_REMARK", "3월분"}};
}

QString Schedule(TServerTestDb& t, const QString& amt)
{
    return t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT NAPIP_MONTH || ':' || NAPIP_DATE || ':' || "
                    "CAST(NAPIP_AMT AS INTEGER) AS X FROM NB010MS WHERE AMT_CODE = '" + amt +
                    "' ORDER BY NAPIP_MONTH)");
}
} // namespace

TEST(PR_NBI020_02, BuildsRentAndFeeLinesKeepingPaidAndClosedMonths)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20250709", 800'000, 100'000, 15);
    ASSERT_EQ(t.Call("PR_NBI020_02", Regenerate()), "");
    EXPECT_EQ(Schedule(t, "02"), "202501:20250110:800000 202502:20250210:800000 202503:20250310:800000 "
                                 "202504:20250410:800000 202505:20250510:800000 202506:20250610:800000 "
                                 "202507:20250710:800000");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS WHERE AMT_CODE = '03' AND DELAY_RATE = 15"), "7");
    EXPECT_EQ(t.Scalar("SELECT DEMAND_DATE1 || '/' || DEMAND_DATE2 || '/' || CAST(DEMAND_MONEY3 AS INTEGER) "
                       "FROM NB010DT WHERE CONT_MONTH = '202503'"), "99999999/20250310/100000");

    // February is paid, January closed; the rent goes up and the lease is shortened.
    ASSERT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                      {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250210"},
                                      {"AIPGUM_AMT", "300000"}}), "");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '02', '202501')");
    t.Exec("UPDATE NA020MS SET CONT_LEASE_MONEY = 900000");
    auto shorter = Regenerate();
    shorter["AEND_DATE"] = "20250409";
    ASSERT_EQ(t.Call("PR_NBI020_02", shorter), "");
    EXPECT_EQ(Schedule(t, "02"), "202501:20250110:800000 202502:20250210:800000 202503:20250310:900000 "
                                 "202504:20250410:900000");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010DT WHERE CONT_MONTH > '202504'"), "0");

}

TEST(PR_NBI020_02, ABilledMonthKeepsItsBillAndNoDepositShareIsDropped)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20250709", 800'000, 110'000, 15);
    // Signed in December (closed) with 1,000,000 down; the 9,000,000 balance is due at the start.
    t.Exec("UPDATE NA020MS SET CONT_DEPOSIT = 10000000, FIRST_DEPOSIT = 1000000, LAST_DEPOSIT = 9000000, "
           "CONT_DATE = '20241210', BALANCE_DATE = '20250110'");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000009', '02', '202412')");
    ASSERT_EQ(t.Call("PR_NBI020_02", Regenerate()), "");
    EXPECT_EQ(Schedule(t, "01"), "202501:20250110:10000000");
    ASSERT_EQ(t.Call("PR_NBI030_01", Bill("202503", "111100", "101000", "10100")), "");
    ASSERT_EQ(t.Call("PR_NBI020_02", Regenerate()), "");
    EXPECT_EQ(t.Scalar("SELECT CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '03' AND NAPIP_MONTH = '202503'"),
              "111100");
    EXPECT_EQ(t.Scalar("SELECT CAST(DEMAND_MONEY3 AS INTEGER) FROM NB010DT WHERE CONT_MONTH = '202503'"), "111100");
    EXPECT_EQ(Schedule(t, "01"), "202501:20250110:10000000");
}

TEST(PR_NBI020_02, RefusesTerminatedContractsAndBadPeriods)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20250709");
    auto reversed = Regenerate();
    reversed["AEND_DATE"] = "20241231";
    EXPECT_EQ(t.Call("PR_NBI020_02", reversed), "계약기간의 종료(20241231)가 시작(20250110)보다 앞설 수 없습니다.");
    EXPECT_EQ(t.Call("PR_NBI020_02", Regenerate("2025011")), "적용일자(2025011)는 올바른 날짜가 아닙니다.");
    auto unknown = Regenerate();
    unknown["ACONT_CODE"] = "777777";
    EXPECT_EQ(t.Call("PR_NBI020_02", unknown), "계약코드(777777)가 존재하지 않습니다.");
    t.Exec("UPDATE NA020MS SET CONT_CANCEL_DATE = '20250301'");
    EXPECT_EQ(t.Call("PR_NBI020_02", Regenerate()), "해지된 계약은 스케쥴을 재생성할 수 없습니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS"), "0");
}

TEST(PR_NBI020_01, RegistersAndDeletesOneMonth)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20250709");
    QMap<QString, QString> month{{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "03"},
                                 {"ANAPIP_MONTH", "202502"}, {"ANAPIP_AMT", "0"}};
    ASSERT_EQ(t.Call("PR_NBI020_01", month), "");
    month["ANAPIP_AMT"] = "150000";
    ASSERT_EQ(t.Call("PR_NBI020_01", month), "");
    EXPECT_EQ(Schedule(t, "03"), "202502:20250210:150000");

    auto bad = month;
    bad["ANAPIP_MONTH"] = "202513";
    EXPECT_EQ(t.Call("PR_NBI020_01", bad), "청구년월(202513)은 올바른 년월이 아닙니다.");
    bad = month;
    bad["ANAPIP_AMT"] = "-1";
    EXPECT_EQ(t.Call("PR_NBI020_01", bad), "청구금액은 0보다 작을 수 없습니다.");
    bad = month;
    bad["AAMT_CODE"] = "04";
    EXPECT_EQ(t.Call("PR_NBI020_01", bad), "납입코드(04)는 올바르지 않습니다.");

    ASSERT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "03"},
                                      {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250211"},
                                      {"AIPGUM_AMT", "50000"}}), "");
    auto remove = month;
    remove["AGUBUN"] = "D";
    EXPECT_EQ(t.Call("PR_NBI020_01", remove), "입금된 내역이 있는 스케쥴은 삭제할 수 없습니다.");
    remove["ANAPIP_MONTH"] = "202503";
    EXPECT_EQ(t.Call("PR_NBI020_01", remove), "삭제할 스케쥴이 없습니다.");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '03', '202502')");
    EXPECT_EQ(t.Call("PR_NBI020_01", month), "2025년 02월은 마감되어 변경할 수 없습니다.");
}

TEST(PR_NBI030_01, TheBillBecomesTheMonthsManagementFee)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20250709");
    ASSERT_EQ(t.Call("PR_NBI020_02", Regenerate()), "");
    ASSERT_EQ(t.Call("PR_NBI030_01", Bill("202503", "100000", "90909", "9091")), "");
    ASSERT_EQ(t.Call("PR_NBI030_01", Bill("202503", "110000", "100000", "10000")), ""); // replaces
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) || '/' || CAST(SUM(TOT_MONEY) AS INTEGER) || '/' || MAX(SUP_REMARK) "
                       "FROM NB020DT"), "1/110000/3월분");
    EXPECT_EQ(t.Scalar("SELECT CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '03' AND NAPIP_MONTH = '202503'"),
              "110000");
    EXPECT_EQ(t.Scalar("SELECT DEMAND_DATE3 || '/' || CAST(DEMAND_MONEY3 AS INTEGER) FROM NB010DT "
                       "WHERE CONT_MONTH = '202503'"), "20250301/110000");

    EXPECT_EQ(t.Call("PR_NBI030_01", Bill("202503", "110000", "100000", "9000")),
              "공급가액과 부가세의 합이 총금액과 다릅니다.");
    EXPECT_EQ(t.Call("PR_NBI030_01", Bill("202509", "110000", "100000", "10000")),
              "납입스케쥴이 등록되어 있지 않습니다. 확인하세요.");
    auto noDate = Bill("202503", "110000", "100000", "10000");
    noDate["AREQUEST_DATE"] = "";
    EXPECT_EQ(t.Call("PR_NBI030_01", noDate), "청구일자가 입력되지 않았습니다.");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '03', '202504')");
    EXPECT_EQ(t.Call("PR_NBI030_01", Bill("202504", "110000", "100000", "10000")),
              "2025년 04월은 마감되어 변경할 수 없습니다.");
}
