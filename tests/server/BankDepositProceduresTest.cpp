#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
// A contract with rent 1,000,000 and fee 200,000 a month from January 2025.
class PRBankDeposits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.AddContract("000001", "4001", "20250110", "20251209");
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    }

    QString Line(const QString& contract, const QString& amount, const QString& suspense, const QString& seq = "1",
                 const QString& time = "091500")
    {
        return t.Call("PR_NBI060_01", {{"AACCOUNT_NO", "110-234-567890"}, {"ATRAN_DATE", "20250212"},
                                       {"ATRAN_TIME", time}, {"AIPGUM_AMT", amount}, {"ABALANCE", "5000000"},
                                       {"ADEPOSITOR", "홍길동"}, {"AMEMO", "타행이체"}, {"ATRAN_SEQ", seq},
                                       {"ACONT_CODE", contract}, {"ASUSPENSE_AMT", suspense}});
    }

    TServerTestDb t;
};
} // namespace

// A line is recorded once; the part no contract took becomes a free suspense
// voucher line that the voucher booking takes like any other.
TEST_F(PRBankDeposits, ALineIsRecordedOnceAndItsSuspensePartIsAVoucherLine)
{
    ASSERT_EQ(Line("000001", "500000", "0"), "");
    EXPECT_EQ(Line("000001", "500000", "0"), "이미 처리된 입금입니다 (2025-02-12 500,000원 홍길동).");
    EXPECT_EQ(Line("000001", "500000", "0", "2"), ""); // the second equal line of its file
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM VB011DT"), "0");

    ASSERT_EQ(Line("", "300000", "300000", "1", "101500"), "");
    ASSERT_EQ(Line("000001", "1500000", "200000", "1", "111500"), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT SESSION_ID || '/' || SLIP_NO || '/' || SLIP_SEQ_NO "
                       "|| '/' || ACCT_CODE || '/' || MG_CODE || '/' || MG_DETAIL || '/' || CONF_DATE || '/' || "
                       "CAST(C_AMOUNT AS INTEGER) AS X FROM VB011DT ORDER BY SLIP_NO)"),
              "2025/B0000001/01/2111310/140/홍길동/20250212/300000 2025/B0000002/01/2111310/140/홍길동/20250212/200000");
    EXPECT_EQ(t.Scalar("SELECT REF_DATA FROM VB011MS WHERE SLIP_NO = 'B0000001'"), "은행입금 110-234-567890 타행이체");
    EXPECT_EQ(t.Scalar("SELECT SLIP_CODE || '/' || CAST(RECEIPT_AMT AS INTEGER) FROM NB060MS WHERE TRAN_TIME = '111500'"),
              "B000000201/1300000");
    EXPECT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "T"},
                                      {"ANAPIP_MONTH", "202502"}, {"ASLIP_CODE", "B000000101"},
                                      {"AIPGUM_DATE", "20250212"}, {"AIPGUM_AMT", "300000"}}),
              "");
}

TEST_F(PRBankDeposits, RefusesLinesThatWouldLoseOrInventMoney)
{
    EXPECT_EQ(Line("", "300000", "100000"), "계약이 없는 입금은 전액 가수금으로 처리해야 합니다.");
    EXPECT_EQ(Line("000001", "300000", "300001"), "가수금액이 입금액보다 큽니다.");
    EXPECT_EQ(Line("000001", "0", "0"), "입금액이 입력되지 않았습니다.");
    EXPECT_EQ(Line("999999", "1000", "0"), "계약코드(999999)가 존재하지 않습니다.");
    EXPECT_EQ(Line("000001", "1000", "0", "1", "250000"), "거래시간(250000)은 올바르지 않습니다.");
    EXPECT_EQ(Line("000001", "1000", "0", "0"), "순번(0)은 올바르지 않습니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB060MS"), "0");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM VB011DT"), "0");
}

TEST_F(PRBankDeposits, DepositorNamesAndColumnMappingsAreKeptOnce)
{
    const QMap<QString, QString> name{{"ACONT_CODE", "000001"}, {"ADEPOSITOR", "홍길동상회"}};
    ASSERT_EQ(t.Call("PR_NBI060_02", name), "");
    ASSERT_EQ(t.Call("PR_NBI060_02", name), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NA022MS"), "1");
    EXPECT_EQ(t.Call("PR_NBI060_02", {{"ACONT_CODE", "000001"}, {"ADEPOSITOR", " "}}), "입금자명이 입력되지 않았습니다.");

    ASSERT_EQ(t.Call("PR_NBI060_03", {{"AACCOUNT_NO", "1-2-3"}, {"ACOLUMN_MAP", "TITLE=0"}, {"ATITLE_TEXT", "a"}}), "");
    ASSERT_EQ(t.Call("PR_NBI060_03", {{"AACCOUNT_NO", "1-2-3"}, {"ACOLUMN_MAP", "TITLE=3"}, {"ATITLE_TEXT", "b"}}), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) || COLUMN_MAP || TITLE_TEXT FROM NB061MS GROUP BY COLUMN_MAP, TITLE_TEXT"),
              "1TITLE=3b");
}
