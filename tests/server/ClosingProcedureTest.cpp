#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "tests/server/ServerTestSupport.h"

namespace {
QMap<QString, QString> Closing(const QString& gubun, const QString& month, const QString& from = "",
                               const QString& to = "")
{
    return {{"ANAPIP_MONTH", month}, {"ANAPIP_MONTH_FROM", from}, {"ANAPIP_MONTH_TO", to}, {"AGUBUN", gubun}};
}

class Closings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.AddContract("000001", "4001", "20250110", "20250709", 1'000'000, 0, 12);
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20250709"}}), "");
    }
    TServerTestDb t;
};
} // namespace

TEST_F(Closings, MonthsCloseInOrderAndCarryUnpaidAmountsWithLateFees)
{
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("I", "202502")), "전월(2025년 01월)이 마감되지 않았습니다.");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")), "");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")), "2025년 01월은 이미 마감되었습니다.");
    // Nothing paid in January: 1,000,000 x 12% / 12 = 10,000.
    EXPECT_EQ(t.Scalar("SELECT CAST(THIS_MINAPAMT AS INTEGER) || '/' || CAST(THIS_MINAPDEALYAMT AS INTEGER) || '/' "
                       "|| U_EMP_NO FROM NB030MS WHERE AMT_CODE = '02'"), "1000000/10000/10000001");
    EXPECT_EQ(t.Scalar("SELECT CAST(UNCOL_AMT2 AS INTEGER) FROM NC010MS WHERE CONT_CODE = '000001'"), "1010000");

    // February: 1,510,000 received 18 days after the due date; the closing takes
    // the 10,000 late fee out of it first.
    ASSERT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                      {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250228"},
                                      {"AIPGUM_AMT", "1510000"}}), "");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202502")), "");
    // 500,000 x 12% x 18/365 = 2958.9 -> 2950
    EXPECT_EQ(t.Scalar("SELECT CAST(LAST_MINAPAMT AS INTEGER) || '/' || CAST(IPGUM_AMT AS INTEGER) || '/' || "
                       "CAST(IPGUM_DELAYAMT AS INTEGER) || '/' || CAST(THIS_MINAPAMT AS INTEGER) || '/' || "
                       "CAST(THIS_MINAPDEALYAMT AS INTEGER) FROM NB030MS WHERE AMT_CODE = '02' AND NAPIP_MONTH = '202502'"),
              "1000000/1500000/10000/500000/2950");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("I", "209901")), "아직 오지 않은 월은 마감할 수 없습니다.");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("X", "202503")), "처리구분(X)은 올바르지 않습니다.");
}

TEST_F(Closings, CancellationGoesFromTheLatestMonthBackwards)
{
    for (const char* month : {"202501", "202502", "202503"})
        ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", month)), "");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("D", "202502")),
              "이후 월(2025년 03월)이 마감되어 있어 취소할 수 없습니다. 뒤의 월부터 취소하세요.");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("D", "202504")), "2025년 04월은 마감되지 않았습니다.");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250101", "20250201")),
              "이후 월(2025년 03월)이 마감되어 있어 취소할 수 없습니다. 뒤의 월부터 취소하세요.");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250301", "20250201")),
              "취소 기간의 종료(202502)가 시작(202503)보다 앞설 수 없습니다.");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("D", "202503")), "");
    EXPECT_EQ(t.Scalar("SELECT CAST(UNCOL_AMT2 AS INTEGER) FROM NC010MS"), "2030000");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250101", "20250201")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB030MS"), "0");
    EXPECT_EQ(t.Scalar("SELECT CAST(UNCOL_AMT2 AS INTEGER) FROM NC010MS"), "0");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250101", "20250201")), "취소할 마감 자료가 없습니다.");
}

// Receipts of an open month may pay what the previous closing carried into
// it; cancelling that closing would leave the month with more received than
// is open, so the cancel waits until those receipts are cleared.
TEST_F(Closings, ACancelNeverLeavesTheNextMonthOverpaid)
{
    auto receipt = [](const QString& amount) {
        return QMap<QString, QString>{{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                      {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250228"},
                                      {"AIPGUM_AMT", amount}};
    };
    const QString overpaid = "2025년 02월에 이월액까지 받은 입금이 있어 마감을 취소할 수 없습니다. 계약 000001 "
                             "임대료(02): 입금 1,510,000원이 이월을 뺀 청구액 1,000,000원보다 510,000원 많습니다. "
                             "2025년 02월의 그 입금을 먼저 취소하세요.";
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")), "");
    // February: 1,000,000 of its own and 1,010,000 carried; 1,510,000 received.
    ASSERT_EQ(t.Call("PR_NBI010_01", receipt("1510000")), "");
    const QString before = t.Dump();
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("D", "202501")), overpaid);
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250101", "20250101")), overpaid);
    EXPECT_EQ(t.Dump(), before);

    // Closed as well, February can go; January then still cannot, and the
    // range over both is refused for February's receipts.
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202502")), "");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("T", "", "20250101", "20250201")), overpaid);
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("D", "202502")), "");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("D", "202501")), overpaid);

    // Within what February has of its own, the receipt does not stop the cancel.
    ASSERT_EQ(t.Call("PR_NBI010_02", {{"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"}, {"ANAPIP_MONTH", "202502"},
                                      {"ANAPIP_GUBUN", "1"}, {"AIPGUM_DATE", "20250228"}, {"AIPGUM_SEQ", "1"},
                                      {"ANAPIP_DATE", "20250210"}}), "");
    ASSERT_EQ(t.Call("PR_NBI010_01", receipt("1000000")), "");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("D", "202501")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB030MS"), "0");
}

// A closing asked for while a receipt of its month is being saved waits for
// that save and closes with it; a receipt saved after it sees the month closed.
TEST_F(Closings, AClosingWaitsForTheReceiptBeingSavedAndLaterOnesSeeTheMonthClosed)
{
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")), "");
    const QMap<QString, QString> receipt{{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                         {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250220"},
                                         {"AIPGUM_AMT", "300000"}};
    TDatabase clerk(t.Settings());
    clerk.Open();
    clerk.StartTransaction();
    TServerTestDb::CallOn(clerk, "PR_NBI010_01", receipt); // not committed yet
    std::atomic<bool> done{false};
    QString closing;
    std::thread closer([&] {
        TDatabase db(t.Settings());
        db.Open();
        closing = TServerTestDb::SaveOn(db, "PR_NDI010_01", Closing("I", "202502"));
        done = true;
        db.Close();
    });
    QThread::msleep(300);
    EXPECT_FALSE(done) << "the closing did not wait for the receipt being saved";
    clerk.Commit();
    closer.join();
    EXPECT_EQ(closing, "");
    EXPECT_EQ(t.Scalar("SELECT CAST(IPGUM_AMT + IPGUM_DELAYAMT AS INTEGER) FROM NB030MS WHERE NAPIP_MONTH = '202502' "
                       "AND AMT_CODE = '02'"), "300000");
    EXPECT_EQ(TServerTestDb::SaveOn(clerk, "PR_NBI010_01", receipt), "2025년 02월은 마감되어 입금할 수 없습니다.");
}

TEST_F(Closings, ArrearsOfAManagedContractOutliveItsSchedule)
{
    t.Exec("UPDATE NA020MS SET CONT_END_DATE = '20250209'");
    t.Exec("DELETE FROM NB010MS WHERE NAPIP_MONTH > '202502'");
    for (const char* month : {"202501", "202502", "202503"})
        ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", month)), "");
    EXPECT_EQ(t.Scalar("SELECT NAPIP_DATE || '/' || CAST(NAPIP_AMT AS INTEGER) || '/' || CAST(THIS_MINAPAMT AS INTEGER) "
                       "FROM NB030MS WHERE NAPIP_MONTH = '202503'"), "20250301/0/2000000");
    // The balance already has its line in April, where the preview shows it.
    EXPECT_EQ(t.Scalar("SELECT NAPIP_DATE || '/' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE NAPIP_MONTH = '202504'"),
              "20250401/0");
    t.Exec("DELETE FROM NB010MS WHERE NAPIP_MONTH = '202504'");
    t.Exec("UPDATE NA020MS SET MINAP_CHK = 'N'");
    EXPECT_EQ(t.Call("PR_NDI010_01", Closing("I", "202504")), "2025년 04월에 마감할 납입스케쥴이 없습니다.");
}

TEST_F(Closings, AMonthClosesOnlyWhenEveryLineIsDueAndThenAsThePreviewShowsIt)
{
    {
        const TBusinessClock::TScoped clock(QDate(2025, 1, 9));
        EXPECT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")),
                  "2025년 01월에 납입기일이 지나지 않은 스케쥴이 2건 있어 마감할 수 없습니다. 2025-01-10 이후에 마감하세요.");
        EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB030MS"), "0");
    }
    const TBusinessClock::TScoped clock(QDate(2025, 2, 20));
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202501")), "");
    EXPECT_EQ(t.Scalar("SELECT NEXT_DATE FROM NB030MS"), "20250220");
    // Closed within its own month, February keeps the receipt as booked (the
    // preview's current-month variant); 1,010,000 of January's balance is paid.
    ASSERT_EQ(t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                      {"ANAPIP_MONTH", "202502"}, {"AIPGUM_DATE", "20250210"},
                                      {"AIPGUM_AMT", "1010000"}}), "");
    TQuery preview(t.Db());
    preview.SQL() << TServerTestDb::ScreenStatement("CLOSING_PREVIEW_CURRENT");
    preview.ParamByName("NAPIP_MONTH").SetAsString("202502");
    preview.Open();
    const QString shown = preview.FieldByName("IPGUM_AMT").AsString() + "/" + preview.FieldByName("IPGUM_DELAYAMT").AsString()
                          + "/" + preview.FieldByName("THIS_MINAPAMT").AsString() + "/"
                          + preview.FieldByName("THIS_MINAPDEALYAMT").AsString();
    preview.Close();
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202502")), "");
    EXPECT_EQ(t.Scalar("SELECT CAST(IPGUM_AMT AS INTEGER) || '/' || CAST(IPGUM_DELAYAMT AS INTEGER) || '/' || "
                       "CAST(THIS_MINAPAMT AS INTEGER) || '/' || CAST(THIS_MINAPDEALYAMT AS INTEGER) "
                       "FROM NB030MS WHERE NAPIP_MONTH = '202502'"), shown);
    EXPECT_EQ(shown, "1010000/0/990000/10000");
}

// The month worked through in docs/server-rules.md.
TEST(ClosingExample, TheDocumentedMonth)
{
    const TBusinessClock::TScoped clock(QDate(2026, 12, 3));
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20271209", 1'000'000, 200'000, 12);
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                      {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20271209"}}), "");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, THIS_MINAPAMT, THIS_MINAPDEALYAMT) "
           "VALUES ('000001', '02', '202610', 400000, 1310)");
    ASSERT_EQ(t.Call("PR_NBI030_01", {{"ACONT_CODE", "000001"}, {"ANAPIP_MONTH", "202611"}, {"ANAPIP_DATE", "20261110"},
                                      {"AREQUEST_DATE", "20261101"}, {"ATOT_MONEY", "220000"},
                                      {"ASUP_PRICE", "200000"}, {"ASUP_TAX", "20000"}}), "");
    auto receipt = [&](const QString& date, const QString& amount, const QString& month = "202611") {
        return t.Call("PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"},
                                       {"ANAPIP_MONTH", month}, {"AIPGUM_DATE", date}, {"AIPGUM_AMT", amount}});
    };
    ASSERT_EQ(receipt("20261115", "600000"), "");
    ASSERT_EQ(receipt("20261130", "300000"), "");
    EXPECT_NE(receipt("20261202", "100000"), "");
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("I", "202611")), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT AMT_CODE || '=' || CAST(IPGUM_DELAYAMT AS INTEGER) || '/' "
                       "|| CAST(IPGUM_AMT AS INTEGER) || '/' || CAST(THIS_MINAPAMT AS INTEGER) || '/' || "
                       "CAST(THIS_MINAPDEALYAMT AS INTEGER) AS X FROM NB030MS WHERE NAPIP_MONTH = '202611' ORDER BY 1)"),
              "02=1310/898690/501310/3290 03=0/0/220000/2200");
    EXPECT_EQ(receipt("20261203", "1504601", "202612"), "입금금액(1,504,601)이 미납금액(1,504,600)보다 큽니다.");
    EXPECT_EQ(receipt("20261203", "1504600", "202612"), "");
}
