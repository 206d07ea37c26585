#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
// A contract with rent 1,000,000 and fee 200,000 a month from January 2025,
// whose January closing left 100,000 rent and 2,000 late fee unpaid.
class Receipts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.AddContract("000001", "4001", "20250110", "20251209");
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
        t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, THIS_MINAPAMT, THIS_MINAPDEALYAMT) "
               "VALUES ('000001', '02', '202501', 100000, 2000)");
    }

    QString Book(const QString& amt, const QString& amount, const QString& slip = "",
                 const QString& date = "20250212", const QString& month = "202502")
    {
        return t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", amt},
                                       {"ANAPIP_MONTH", month}, {"ASLIP_CODE", slip}, {"AIPGUM_DATE", date},
                                       {"AIPGUM_AMT", amount}, {"AREMARKS", "2월분"}});
    }

    QString Lines()
    {
        return t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT AMT_CODE || '/' || NAPIP_GUBUN || '/' || "
                        "IPGUM_SEQ || '=' || CAST(IPGUM_AMT AS INTEGER) AS X FROM NB020MS "
                        "ORDER BY IPGUM_SEQ, NAPIP_GUBUN DESC, AMT_CODE DESC)");
    }

    TServerTestDb t;
};
} // namespace

TEST_F(Receipts, AReceiptIsOneLineOnItsCodeAndMayNotExceedTheMonthStatus)
{
    ASSERT_EQ(Book("02", "500000"), "");
    EXPECT_EQ(Lines(), "02/1/1=500000");
    EXPECT_EQ(t.Scalar("SELECT NAPIP_DATE || REMARKS || U_EMP_NO FROM NB020MS"), "202502102월분10000001");
    // Open now: 1,000,000 + 100,000 + 2,000 late fee - 500,000.
    EXPECT_EQ(Book("02", "602001"), "입금금액(602,001)이 미납금액(602,000)보다 큽니다.");
    EXPECT_EQ(Book("02", "602000"), "");
    EXPECT_EQ(Book("02", "10"), "입금할 금액이 없습니다.");
}

TEST_F(Receipts, ATotalLineReceiptIsSpreadFeesFirstThenManagementFeeRentAndDeposit)
{
    // 2,000 late fee, 200,000 fee, then 1,050,000 of the rent: one line per code.
    ASSERT_EQ(Book("T", "1252000"), "");
    EXPECT_EQ(Lines(), "03/1/1=200000 02/1/1=1052000");
    ASSERT_EQ(Book("T", "50000", "", "20250212"), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) || '/' || MAX(IPGUM_SEQ) FROM NB020MS WHERE IPGUM_SEQ = 2"), "1/2");
    EXPECT_EQ(Book("T", "1"), "입금할 금액이 없습니다.");
}

TEST_F(Receipts, AReceiptBelongsToTheMonthItIsDatedIn)
{
    EXPECT_EQ(Book("02", "1000", "", "20250302"),
              "입금일자(2025-03-02)가 납입년월(2025년 02월)에 속하지 않습니다. 입금일자가 속한 월로 입금하세요.");
    // Dated in March it counts in March's status, where February's balance is not carried yet.
    EXPECT_EQ(Book("02", "1000001", "", "20250302", "202503"), "입금금액(1,000,001)이 미납금액(1,000,000)보다 큽니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB020MS"), "0");
}

TEST_F(Receipts, RefusesBadInputAndClosedMonths)
{
    EXPECT_EQ(Book("04", "1000"), "납입코드(04)는 올바르지 않습니다.");
    EXPECT_EQ(Book("02", "0"), "입금금액이 입력되지 않았습니다.");
    EXPECT_EQ(Book("02", "-100"), "입금금액은 0보다 작을 수 없습니다.");
    EXPECT_EQ(Book("02", "abc"), "입금금액(abc)은 숫자가 아닙니다.");
    EXPECT_EQ(Book("02", "1000", "", "20250231"), "입금일자(20250231)는 올바른 날짜가 아닙니다.");
    EXPECT_EQ(Book("02", "1000", "", "20250212", "2025-02"), "납입년월(2025-02)은 올바른 년월이 아닙니다.");
    EXPECT_EQ(Book("02", "1000", "", "20250112", "202501"), "2025년 01월은 마감되어 입금할 수 없습니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB020MS"), "0");
}

TEST_F(Receipts, VoucherBookingsAreUsedOnceAndCancelledAsAWhole)
{
    t.Exec("INSERT INTO VB011DT VALUES ('2025', '25021201', '01', '2111310', 140, '홍길동', '20250212', 0, 300000)");
    t.Exec("INSERT INTO VB011DT VALUES ('2025', '25021202', '01', '2111310', 150, '홍길동', '20250212', 0, 300000)");
    t.Exec("INSERT INTO VB011DT VALUES ('2018', '18052401', '01', '2111300', 140, '김영희', '20180524', 0, 300000)");
    EXPECT_EQ(Book("02", "300001", "2502120101"), "입금금액이 전표금액보다 큽니다.");
    EXPECT_EQ(Book("02", "1000", "2502120201"), "전표(2502120201)는 가수금 계정의 전표가 아닙니다.");
    EXPECT_EQ(Book("02", "1000", "1805240101"), "전표(1805240101)는 가수금 계정의 전표가 아닙니다.");
    EXPECT_EQ(Book("02", "1000", "2502129901"), "가수금 전표(2502129901)가 존재하지 않습니다.");
    EXPECT_EQ(Book("02", "1000", "25021201"), "전표번호(25021201)는 올바르지 않습니다.");
    ASSERT_EQ(Book("02", "300000", "2502120101"), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(COALESCE(SLIP_CODE, '-')) FROM NB020MS"), "2502120101");
    EXPECT_EQ(Book("02", "1000", "2502120101"), "이미 입금처리된 전표입니다.");
    ASSERT_EQ(Book("03", "1000"), ""); // another booking of the same day stays

    QMap<QString, QString> cancel{{"AGUBUN", "D"}, {"ACONT_CODE", ""}, {"AAMT_CODE", ""},
                                  {"ANAPIP_MONTH", "202502"}, {"ASLIP_CODE", "2502120101"}};
    EXPECT_EQ(t.Call("PR_NBI010_01", cancel), "");
    EXPECT_EQ(Lines(), "03/1/2=1000");
    EXPECT_EQ(t.Call("PR_NBI010_01", cancel), "해당 전표로 입금된 내역이 없습니다.");
}

TEST_F(Receipts, DeletingOneReceiptLine)
{
    ASSERT_EQ(Book("02", "500000"), "");
    ASSERT_EQ(Book("03", "1000"), "");
    QMap<QString, QString> line{{"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"}, {"ANAPIP_MONTH", "202502"},
                                {"ANAPIP_DATE", "20250210"}, {"ANAPIP_GUBUN", "1"},
                                {"AIPGUM_DATE", "20250212"}, {"AIPGUM_SEQ", "1"}};
    EXPECT_EQ(t.Call("PR_NBI010_02", line), "");
    EXPECT_EQ(Lines(), "03/1/2=1000");
    EXPECT_EQ(t.Call("PR_NBI010_02", line), "삭제할 입금 내역이 없습니다.");
    line["AIPGUM_SEQ"] = "x";
    EXPECT_EQ(t.Call("PR_NBI010_02", line), "순번(x)은 올바르지 않습니다.");
    line["AAMT_CODE"] = "03";
    line["AIPGUM_SEQ"] = "2";
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '02', '202502')");
    EXPECT_EQ(t.Call("PR_NBI010_02", line), "마감된 월의 입금은 삭제할 수 없습니다.");
}
