#include <gtest/gtest.h>

#include <QDate>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "tests/server/ServerTestSupport.h"

namespace {
const QString kStart = TServerTestDb::Day(-1, 5);

QMap<QString, QString> ContractRow(const QString& status)
{
    const QDate start = QDate::fromString(kStart, "yyyyMMdd");
    return {{"ACONT_CODE", status == "2" ? "" : "000001"}, {"AC_CODE", "2000000002"}, {"ASHOP_CODE", "4003"},
            {"ACONT_START_DATE", kStart},
            {"ACONT_END_DATE", start.addYears(1).addDays(-1).toString("yyyyMMdd")},
            {"ACONT_DEPOSIT", "10000000"}, {"ACONT_LEASE_MONEY", "1000000"}, {"ACONT_MANAGE_PAY", "200000"},
            {"ACONT_DELAYRATE", "12"}, {"ACONT_DATE", TServerTestDb::Day(-2, 5)}, {"ABALANCE_DATE", kStart},
            {"AFIRST_DEPOSIT", "1000000"}, {"ALAST_DEPOSIT", "9000000"}, {"AMINAP_CHK", "Y"},
            {"AEDITSTATUS", status}};
}

QMap<QString, QString> Receipt(const QString& amt, const QString& month, const QString& date, const QString& amount)
{
    return {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", amt}, {"ANAPIP_MONTH", month},
            {"AIPGUM_DATE", date}, {"AIPGUM_AMT", amount}};
}

// Carried unpaid amount and late fee per amount kind name, from the closing
// preview the closing screen shows.
QMap<QString, QPair<double, double>> Preview(TServerTestDb& t, const QString& variant, const QString& month)
{
    TQuery q(t.Db());
    q.SQL() << TServerTestDb::ScreenStatement(variant);
    q.ParamByName("NAPIP_MONTH").SetAsString(month);
    q.Open();
    QMap<QString, QPair<double, double>> rows;
    for (; !q.Eof(); q.Next())
        rows.insert(q.FieldByName("AMT_CODE").AsString(),
                    {q.FieldByName("THIS_MINAPAMT").AsFloat(), q.FieldByName("THIS_MINAPDEALYAMT").AsFloat()});
    return rows;
}

QMap<QString, QPair<double, double>> Closed(TServerTestDb& t, const QString& month)
{
    TQuery q(t.Db());
    q.SQL() << "SELECT DECODE(AMT_CODE,'01','보증금','02','임대료','03','관리비') AS KIND, THIS_MINAPAMT, "
               "THIS_MINAPDEALYAMT FROM NB030MS WHERE NAPIP_MONTH = :NAPIP_MONTH";
    q.ParamByName("NAPIP_MONTH").SetAsString(month);
    q.Open();
    QMap<QString, QPair<double, double>> rows;
    for (; !q.Eof(); q.Next())
        rows.insert(q.Fields(0).AsString(), {q.Fields(1).AsFloat(), q.Fields(2).AsFloat()});
    return rows;
}

QString Close(TServerTestDb& t, const QString& gubun, const QString& month)
{
    return t.Call("PR_NDI010_01", {{"ANAPIP_MONTH", month}, {"AGUBUN", gubun}});
}
} // namespace

TEST(ContractLife, FromRegistrationThroughClosingRenewalAndTermination)
{
    // Late enough in the month for this month's lines (due on the 5th) to be due.
    const QDate today = TBusinessClock::Today();
    const TBusinessClock::TScoped clock(QDate(today.year(), today.month(), 20));
    TServerTestDb t;
    const QString m2 = TServerTestDb::Month(-2), m1 = TServerTestDb::Month(-1), m0 = TServerTestDb::Month(0);

    ASSERT_EQ(t.Call("PR_NAI010_01", {{"ASHOP_CODE", "4003"}, {"ASHOP_PLACE", "03"}, {"ASHOP_LEASE_TYPE", "01"},
                                      {"ASHOP_USED_YN", "Y"}, {"AEDITSTATUS", "1"}}), "");
    ASSERT_EQ(t.Call("PR_NAI020_01", ContractRow("2")), "");
    const auto c = ContractRow("1");
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", kStart},
                                      {"ASTART_DATE", kStart}, {"AEND_DATE", c["ACONT_END_DATE"]}}), "");
    EXPECT_EQ(t.Scalar("SELECT CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '01' AND NAPIP_MONTH = '" + m2 + "'"),
              "1000000");
    ASSERT_EQ(t.Call("PR_NBI030_01", {{"ACONT_CODE", "000001"}, {"ANAPIP_MONTH", m1}, {"ANAPIP_DATE", kStart},
                                      {"AREQUEST_DATE", m1 + "01"}, {"ATOT_MONEY", "220000"},
                                      {"ASUP_PRICE", "200000"}, {"ASUP_TAX", "20000"}, {"ASUP_ELEC", "220000"}}), "");

    // Down payment in time; the balance in time; rent only partly, ten days late; no management fee.
    ASSERT_EQ(t.Call("PR_NBI010_01", Receipt("01", m2, TServerTestDb::Day(-2, 5), "1000000")), "");
    ASSERT_EQ(Close(t, "I", m2), "");
    ASSERT_EQ(t.Call("PR_NBI010_01", Receipt("01", m1, TServerTestDb::Day(-1, 5), "9000000")), "");
    ASSERT_EQ(t.Call("PR_NBI010_01", Receipt("02", m1, TServerTestDb::Day(-1, 15), "600000")), "");
    ASSERT_EQ(Close(t, "I", m1), "");
    EXPECT_EQ(Closed(t, m1), Preview(t, "CLOSING_PREVIEW_EARLIER", m1)); // nothing carried in yet
    // Rent: 400,000 x 12% x 10/365 = 1,315 -> 1,310. Fee: 220,000 x 12% / 12 = 2,200.
    EXPECT_EQ(Closed(t, m1)["임대료"], qMakePair(400000.0, 1310.0));
    EXPECT_EQ(Closed(t, m1)["관리비"], qMakePair(220000.0, 2200.0));
    EXPECT_EQ(t.Scalar("SELECT CAST(UNCOL_AMT2 AS INTEGER) || '/' || CAST(UNCOL_AMT3 AS INTEGER) FROM NC010MS"),
              "401310/222200");

    // This month: one receipt against the total line pays both late fees, then
    // the management fee, and the rest goes to the rent: one line per code.
    ASSERT_EQ(t.Call("PR_NBI010_01", Receipt("T", m0, TServerTestDb::Day(0, 5), "1000000")), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT AMT_CODE || '/' || NAPIP_GUBUN || '=' || "
                       "CAST(IPGUM_AMT AS INTEGER) AS X FROM NB020MS WHERE NAPIP_MONTH = '" + m0 +
                       "' ORDER BY NAPIP_GUBUN DESC, AMT_CODE DESC)"),
              "03/1=422200 02/1=577800");
    ASSERT_EQ(Close(t, "I", m0), "");
    const auto closed = Closed(t, m0);
    EXPECT_EQ(closed, Preview(t, "CLOSING_PREVIEW_CURRENT", m0));
    // Closed within its own month the receipts stay as booked, as the preview
    // shows them: the fee's paid late fee stands as -2,200 unpaid against the
    // 2,200 late fee still carried, which together owe nothing.
    EXPECT_EQ(closed["임대료"], qMakePair(822200.0, 1310.0));
    EXPECT_EQ(closed["관리비"], qMakePair(-2200.0, 2200.0));

    ASSERT_EQ(Close(t, "D", m0), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB030MS WHERE NAPIP_MONTH = '" + m0 + "'"), "0");
    EXPECT_EQ(t.Scalar("SELECT CAST(UNCOL_AMT2 AS INTEGER) FROM NC010MS"), "401310");

    // Renewal: a year on, with 10 % more deposit.
    auto renewal = c;
    const QDate start = QDate::fromString(kStart, "yyyyMMdd");
    renewal["ACONT_START_DATE"] = start.addDays(365).toString("yyyyMMdd");
    renewal["ACONT_END_DATE"] = QDate::fromString(c["ACONT_END_DATE"], "yyyyMMdd").addDays(365).toString("yyyyMMdd");
    renewal["ACONT_DEPOSIT"] = "11000000";
    renewal["AFIRST_DEPOSIT"] = "1000000";
    renewal["ABALANCE_DATE"] = renewal["ACONT_START_DATE"];
    renewal["AEDITSTATUS"] = "4";
    ASSERT_EQ(t.Call("PR_NAI020_01", renewal), "");
    // The contract spans both terms; the running one is kept as the first term.
    EXPECT_EQ(t.Scalar("SELECT CONT_START_DATE || '/' || TERM_START_DATE || '/' || CONT_END_DATE || '/' || "
                       "CAST(CONT_DEPOSIT AS INTEGER) || '/' || CAST(LAST_DEPOSIT AS INTEGER) FROM NA020MS"),
              kStart + "/" + renewal["ACONT_START_DATE"] + "/" + renewal["ACONT_END_DATE"] + "/11000000/10000000");
    EXPECT_EQ(t.Scalar("SELECT TERM_SEQ || '/' || TERM_START_DATE || '/' || TERM_END_DATE || '/' || "
                       "CAST(CONT_DEPOSIT AS INTEGER) FROM NA021MS"),
              "1/" + kStart + "/" + c["ACONT_END_DATE"] + "/10000000");
    const QString lastRenewedMonth = renewal["ACONT_END_DATE"].left(6);
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS WHERE AMT_CODE = '02' AND NAPIP_MONTH = '" + lastRenewedMonth + "'"), "1");
    EXPECT_EQ(t.Scalar("SELECT CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '01' AND NAPIP_MONTH = '" +
                       renewal["ACONT_START_DATE"].left(6) + "'"), "1000000");
    EXPECT_EQ(t.Call("PR_NAI020_01", renewal), "재계약 시작일(" + renewal["ACONT_START_DATE"] +
                                                  ")은 기존 계약시작일(" + renewal["ACONT_START_DATE"] +
                                                  ") 이후여야 합니다.");

    // Termination today: the billing after this month stops, the history stays.
    auto termination = renewal;
    termination["ACONT_START_DATE"] = kStart; // the contract screen sends the first term's start
    termination["ACONT_CANCEL_DATE"] = TBusinessClock::Today().toString("yyyyMMdd");
    termination["ACONT_CANCEL_REM"] = "임차인 폐업";
    termination["AEDITSTATUS"] = "1";
    termination["ALAST_DEPOSIT"] = "10000000";
    ASSERT_EQ(t.Call("PR_NAI020_01", termination), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS WHERE NAPIP_MONTH > '" + m0 + "'"), "0");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS WHERE NAPIP_MONTH = '" + m1 + "'"), "3");
    EXPECT_EQ(t.Call("PR_NAI020_01", renewal), "해지된 계약은 재계약할 수 없습니다.");
}

TEST(ContractLife, AFailedCallInAMultiRowSaveLeavesEveryTableAsItWas)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                      {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    const QString before = t.Dump();

    t.Db().StartTransaction();
    try {
        t.CallIn("PR_NAI010_01", {{"ASHOP_CODE", "4003"}, {"AEDITSTATUS", "1"}});
        t.CallIn("PR_NBI010_01", Receipt("T", "202503", "20250312", "500000"));
        t.CallIn("PR_NAI020_01", {{"ACONT_CODE", "000001"}, {"AEDITSTATUS", "1"}, {"AC_CODE", "2000000001"},
                                  {"ASHOP_CODE", "4001"}, {"ACONT_START_DATE", "20250110"},
                                  {"ACONT_END_DATE", "20241231"}});
        FAIL() << "the third row should be refused";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "계약기간의 종료(20241231)가 시작(20250110)보다 앞설 수 없습니다.");
        t.Db().Rollback();
    }
    EXPECT_EQ(t.Dump(), before);
}

TEST(ContractLife, ARefusedCallTakesBackItsOwnWritesWhileTheSaveGoesOn)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    t.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '02', '202601')");
    // The basic-data row stores its billed amount before it finds that its
    // receipt lies in a closed month.
    t.Db().StartTransaction();
    try {
        t.CallIn("PR_NBI050_01", {{"AGUBUN", "1"}, {"ACONT_CODE", "000001"}, {"AUPJANG_CODE", "4001"},
                                  {"AAMT_CODE", "02"}, {"ANAPIP_MONTH", "202512"}, {"ANAPIP_AMT", "1000000"},
                                  {"AIPGUM_MONTH", "202601"}, {"AIPGUM_DATE", "20260110"},
                                  {"AIPGUM_AMT", "1000000"}});
        FAIL() << "the row should be refused";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "2026년 01월은 마감되어 변경할 수 없습니다.");
    }
    t.Db().Commit();
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS"), "0");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010DT"), "0");
}

TEST(ContractLife, ARenewalsAdditionalDepositFallsDueInAnOpenMonth)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    for (const char* month : {"202511", "202512", "202601"})
        t.Exec(QStringLiteral("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('000001', '02', '%1')")
                   .arg(month));
    QMap<QString, QString> renewal{{"ACONT_CODE", "000001"}, {"AEDITSTATUS", "4"}, {"AC_CODE", "2000000001"},
                                   {"ASHOP_CODE", "4001"}, {"ACONT_START_DATE", "20251210"},
                                   {"ACONT_END_DATE", "20261209"}, {"ACONT_DEPOSIT", "5500000"},
                                   {"AFIRST_DEPOSIT", "500000"}, {"ALAST_DEPOSIT", "5500000"},
                                   {"ABALANCE_DATE", "20251110"}, {"ACONT_LEASE_MONEY", "1000000"}};
    // The old balance date (November) and the new start (December) are closed:
    // the first open month of the new period, February, carries it.
    ASSERT_EQ(t.Call("PR_NAI020_01", renewal), "");
    EXPECT_EQ(t.Scalar("SELECT NAPIP_MONTH || '/' || NAPIP_DATE || '/' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS "
                       "WHERE AMT_CODE = '01'"), "202602/20260210/500000");
    EXPECT_EQ(t.Scalar("SELECT CAST(LAST_DEPOSIT AS INTEGER) FROM NA020MS"), "5000000");
}

TEST(ContractLife, ARenewalOnAnOpenBalanceDateKeepsThatDate)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209");
    QMap<QString, QString> renewal{{"ACONT_CODE", "000001"}, {"AEDITSTATUS", "4"}, {"AC_CODE", "2000000001"},
                                   {"ASHOP_CODE", "4001"}, {"ACONT_START_DATE", "20251210"},
                                   {"ACONT_END_DATE", "20261209"}, {"ACONT_DEPOSIT", "5500000"},
                                   {"AFIRST_DEPOSIT", "500000"}, {"ABALANCE_DATE", "20251125"}};
    ASSERT_EQ(t.Call("PR_NAI020_01", renewal), "");
    EXPECT_EQ(t.Scalar("SELECT NAPIP_DATE || '/' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '01'"),
              "20251125/500000");
}

TEST(ContractLife, ARenewalKeepsTheRunningTermAndItsAmountsThroughEveryRebuild)
{
    TServerTestDb t;
    t.AddContract("000001", "4001", "20250110", "20251209", 1000000, 200000);
    const QMap<QString, QString> rebuild{{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                         {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20261209"}};
    ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                      {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    // Renewed in the middle of its term to start in July: the running term
    // ends the day before, and from August on the new rent is billed.
    QMap<QString, QString> renewal{{"ACONT_CODE", "000001"}, {"AEDITSTATUS", "4"}, {"AC_CODE", "2000000001"},
                                   {"ASHOP_CODE", "4001"}, {"ACONT_START_DATE", "20250710"},
                                   {"ACONT_END_DATE", "20261209"}, {"ACONT_DEPOSIT", "500000"},
                                   {"AFIRST_DEPOSIT", "500000"}, {"ABALANCE_DATE", "20250710"},
                                   {"ACONT_LEASE_MONEY", "1500000"}, {"ACONT_MANAGE_PAY", "250000"}};
    ASSERT_EQ(t.Call("PR_NAI020_01", renewal), "");
    const QString rents = "SELECT GROUP_CONCAT(X, ' ') FROM (SELECT NAPIP_MONTH || '=' || CAST(NAPIP_AMT AS INTEGER) "
                          "AS X FROM NB010MS WHERE AMT_CODE = '02' AND NAPIP_MONTH IN ('202501', '202507', '202508', "
                          "'202612') ORDER BY NAPIP_MONTH)";
    const QString expected = "202501=1000000 202507=1000000 202508=1500000 202612=1500000";
    EXPECT_EQ(t.Scalar(rents), expected);
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NB010MS WHERE AMT_CODE = '02'"), "24"); // one line a month
    EXPECT_EQ(t.Scalar("SELECT TERM_START_DATE || '~' || TERM_END_DATE FROM NA021MS"), "20250110~20250709");
    // The additional deposit alone falls due; a rebuild over the whole
    // contract gives every term its own amounts again.
    EXPECT_EQ(t.Scalar("SELECT NAPIP_MONTH || '=' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '01'"),
              "202507=500000");
    ASSERT_EQ(t.Call("PR_NBI020_02", rebuild), "");
    EXPECT_EQ(t.Scalar(rents), expected);
    EXPECT_EQ(t.Scalar("SELECT NAPIP_MONTH || '=' || CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE AMT_CODE = '01'"),
              "202507=500000");

    // A second renewal is measured from the running term, and the contract
    // screen may not move the first term's start.
    renewal["ACONT_START_DATE"] = "20250710";
    EXPECT_EQ(t.Call("PR_NAI020_01", renewal), "재계약 시작일(20250710)은 기존 계약시작일(20250710) 이후여야 합니다.");
    renewal["ACONT_START_DATE"] = "20261210";
    renewal["ACONT_END_DATE"] = "20271209";
    ASSERT_EQ(t.Call("PR_NAI020_01", renewal), "");
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(X, ' ') FROM (SELECT TERM_START_DATE || '~' || TERM_END_DATE AS X "
                       "FROM NA021MS ORDER BY TERM_SEQ)"),
              "20250110~20250709 20250710~20261209");
    auto change = renewal;
    change["AEDITSTATUS"] = "1";
    change["ACONT_START_DATE"] = "20250710";
    EXPECT_EQ(t.Call("PR_NAI020_01", change), "재계약된 계약의 계약시작일(20250110)은 바꿀 수 없습니다.");
}
