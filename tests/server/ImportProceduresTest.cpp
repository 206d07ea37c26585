#include <QRegularExpression>
#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
QMap<QString, QString> FeeRow(const QString& site, const QString& month, const QString& total = "110000",
                              const QString& price = "100000", const QString& tax = "10000")
{
    return {{"AUPJANG_CODE", site}, {"ANAPIP_MONTH", month}, {"ATOT_MONEY", total}, {"ASUP_PRICE", price},
            {"ASUP_TAX", tax}, {"ASUP_ELEC", "60000"}, {"ASUP_GAS", "10000"}, {"ASUP_CONT", "20000"},
            {"ASUP_ENVI", "5000"}, {"ASUP_WATER", "5000"}, {"ASUP_TELE", "10000"}};
}

QMap<QString, QString> BasicRow(const QString& site, const QString& amt, const QString& month,
                                const QString& billed, const QString& receivedMonth, const QString& date,
                                const QString& received)
{
    return {{"ACONT_CODE", "000001"}, {"AGUBUN", "1"}, {"AUPJANG_CODE", site}, {"AAMT_CODE", amt},
            {"ANAPIP_MONTH", month}, {"ANAPIP_AMT", billed}, {"AIPGUM_MONTH", receivedMonth},
            {"AIPGUM_DATE", date}, {"AIPGUM_AMT", received}};
}
} // namespace

TEST(PR_NBI040, TheCheckWritesNothingAndNamesTheRowItRefuses)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    const QString before = t.Dump();
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("4001", "202503")), "");
    EXPECT_EQ(t.Dump(), before);
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("업장코드", "납입월")),
              "업장코드 업장코드, 납입월 납입월: 임대업장으로 등록되어 있지 않습니다.");
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("4002", "202503")),
              "업장코드 4002, 납입월 202503: 해당 월의 계약이 없습니다.");
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("4001", "202503", "110000", "100000", "9999")),
              "업장코드 4001, 납입월 202503: 공급가액과 부가세의 합이 총관리비와 다릅니다.");
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("4001", "202603")),
              "업장코드 4001, 납입월 202603: 해당 월의 계약이 없습니다.");
    t.AddContract("000002", "4001", "20250301", "20250331");
    EXPECT_EQ(t.Call("PR_NBI040_IM", FeeRow("4001", "202503")),
              "업장코드 4001, 납입월 202503: 해당 월의 계약이 둘 이상입니다. 관리비 청구 화면에서 입력하세요.");
}

TEST(PR_NBI040, TheImportBillsTheRunningContractAndSkipsBlankRows)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    ASSERT_EQ(t.Call("PR_NBI040_01", FeeRow("4001", "202503")), "");
    EXPECT_EQ(t.Scalar("SELECT NAPIP_DATE || '/' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS "
                       "WHERE AMT_CODE = '03' AND NAPIP_MONTH = '202503'"), "20250310/110000");
    EXPECT_EQ(t.Scalar("SELECT DEMAND_DATE || '/' || CAST(SUP_TELE AS INTEGER) || '/' || U_EMP_NO FROM NB020DT"),
              "20250310/10000/10000001");
    EXPECT_EQ(t.Scalar("SELECT DEMAND_DATE3 FROM NB010DT WHERE CONT_MONTH = '202503'"), "20250310");
    const QString before = t.Dump();
    auto blank = FeeRow("", "", "", "", "");
    for (auto it = blank.begin(); it != blank.end(); ++it)
        it.value().clear();
    EXPECT_EQ(t.Call("PR_NBI040_01", blank), "");
    EXPECT_EQ(t.Dump(), before);
}

TEST(PR_NBI050_01, RegistersBasicRowsOfTheChosenContract)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209", 1'000'000, 200'000, 12);
    ASSERT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "02", "202503", "950000", "202503", "2025-03-12", "500000")), "");
    ASSERT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "03", "202503", "180000", "", "", "")), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT AMT_CODE || ':' || NAPIP_DATE || ':' || "
                       "CAST(NAPIP_AMT AS INTEGER) AS X FROM NB010MS ORDER BY AMT_CODE)"),
              "02:20250310:950000 03:20250310:180000");
    EXPECT_EQ(t.Scalar("SELECT IPGUM_DATE || '/' || NAPIP_GUBUN || '/' || CAST(IPGUM_AMT AS INTEGER) || '/' "
                       "|| REMARKS FROM NB020MS"), "20250312/1/500000/기초데이타등록");
    EXPECT_EQ(t.Call("PR_NBI050_01", BasicRow("4002", "02", "202503", "1", "", "", "")),
              "업장코드(4002)가 선택한 계약의 업장(4001)과 다릅니다.");
    EXPECT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "02", "202503", "1", "202503", "20250332", "5")),
              "입금일자(20250332)는 올바른 날짜가 아닙니다.");
    EXPECT_EQ(t.Call("PR_NBI050_01", BasicRow("", "", "", "", "", "", "")), "");

    // The same row again changes nothing but the time of the write; a receipt
    // dated outside its month is refused.
    const QRegularExpression writeTime(QStringLiteral("\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}"));
    const QString before = t.Dump().replace(writeTime, QStringLiteral("<written>"));
    ASSERT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "02", "202503", "950000", "202503", "2025-03-12", "500000")), "");
    EXPECT_EQ(t.Dump().replace(writeTime, QStringLiteral("<written>")), before);
    EXPECT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "02", "202503", "", "202503", "20250402", "5")),
              "입금일자(20250402)가 입금 납입월(2025년 03월)에 속하지 않습니다.");
}

TEST(PR_NBI050_01, InitialisationClearsTheRangeUnlessAMonthIsClosed)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    for (const char* month : {"202503", "202504", "202505"})
        ASSERT_EQ(t.Call("PR_NBI050_01", BasicRow("4001", "02", month, "900000", month,
                                                  QString(month) + "15", "100000")), "");
    QMap<QString, QString> init{{"ACONT_CODE", "000001"}, {"AFROM_MONTH", "202504"}, {"ATO_MONTH", "202505"},
                                {"ASHOP_CODE", "4001"}, {"AGUBUN", "3"}, {"AU_EMP_NO", ""}};
    auto reversed = init;
    reversed["ATO_MONTH"] = "202503";
    EXPECT_EQ(t.Call("PR_NBI050_01", reversed), "초기화 기간의 종료(202503)가 시작(202504)보다 앞설 수 없습니다.");
    auto otherShop = init;
    otherShop["ASHOP_CODE"] = "4002";
    EXPECT_EQ(t.Call("PR_NBI050_01", otherShop), "업장코드(4002)가 선택한 계약의 업장(4001)과 다릅니다.");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '02', '202505')");
    EXPECT_EQ(t.Call("PR_NBI050_01", init), "마감된 월(2025년 05월)이 포함되어 초기화할 수 없습니다.");
    t.Exec("DELETE FROM NB030MS");
    EXPECT_EQ(t.Call("PR_NBI050_01", init), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(NAPIP_MONTH) FROM NB010MS"), "202503");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(NAPIP_MONTH) FROM NB020MS"), "202503");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(CONT_MONTH) FROM NB010DT"), "202503");
}
