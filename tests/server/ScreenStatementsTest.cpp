#include <QDate>
#include <algorithm>
#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "tests/server/ScreenDatabase.h"

namespace {

using Statements = ScreenDatabase;
using TRows = ScreenDatabase::TRows;

QStringList Column(const TRows& rows, int column)
{
    QStringList out;
    for (const auto& r : rows)
        out << r[column];
    return out;
}

// Every statement prepares and runs with typical bindings; the one UPDATE runs
// inside a transaction that is rolled back.
TEST_F(Statements, EveryStatementRuns)
{
    const TBindings typical = {{"P0", "SELVAR_N"}, {"P1", "M1"}, {"P2", "E001"}, {"CONT_CODE", "K00001"},
                               {"NAPIP_MONTH", "201811"}, {"SHOP_CODE", "4001"}, {"SDATE", "20180501"},
                               {"EDATE", "20180531"}, {"cont_date", "20070131"}, {"AMT_CODE", "02"}};
    ASSERT_EQ(order.size(), 52);
    for (const QString& name : order) {
        SCOPED_TRACE(name.toStdString());
        TQuery q(db);
        q.SQL() << statements.value(name);
        for (int i = 0; i < q.ParamCount(); ++i) {
            const auto it = typical.find(q.Params(i).Name());
            if (it != typical.end())
                q.Params(i).SetAsString(it->second);
            if (name.endsWith("MONTH_STATUS") && q.Params(i).Name() == "NAPIP_MONTH")
                q.Params(i).SetAsString("20181101"); // these take a first day
        }
        db.StartTransaction();
        try {
            if (statements.value(name).trimmed().startsWith("UPDATE", Qt::CaseInsensitive))
                q.ExecSQL();
            else
                q.Open();
        } catch (const EDatabaseError& e) {
            ADD_FAILURE() << e.Message().toStdString();
        }
        db.Rollback();
    }
}

TEST_F(Statements, MenuRightsAreLevelGrantsPlusAdditionsMinusRemovals)
{
    EXPECT_EQ(Rows("TITLE", {{"P0", "SELVAR"}}), TRows({{"운영 DB"}}));
    EXPECT_TRUE(Rows("TITLE", {{"P0", "NOBODY"}}).empty());
    EXPECT_EQ(Column(Rows("MENUS", {{"P0", "SELVAR_N"}}), 0), QStringList({"M1", "M2", "M4"}));

    auto programs = [&](const char* menu, const char* emp) {
        return Column(Rows("MENU_PROGRAMS", {{"P0", "SELVAR_N"}, {"P1", menu}, {"P2", emp}}), 1);
    };
    // NAI020 granted but removed, NAI030 hidden, NAI040 added.
    EXPECT_EQ(programs("M1", "E001"), QStringList({"NAI010", "NAI040"}));
    // NBI020 both added and removed: removal wins.
    EXPECT_EQ(programs("M2", "E001"), QStringList({"NBI010"}));
    // Every program of M4 removed: the menu would be empty.
    EXPECT_TRUE(programs("M4", "E001").empty());
    // No level: additions only.
    EXPECT_EQ(programs("M2", "E002"), QStringList({"NBI020"}));
    EXPECT_TRUE(programs("M1", "E002").empty());
}

TEST_F(Statements, LookupListsFilterAsDescribed)
{
    EXPECT_EQ(Column(Rows("NIH001_ARCADES"), 0), QStringList({"01", "02"})); // blank code left out
    EXPECT_EQ(Rows("NIH001_LEASE_TYPES").size(), 2u);
    EXPECT_EQ(Rows("NIH001_PARTNERS", {{"C_NAME", "%영%"}, {"BOSS_NAME", "%영%"}}),
              TRows({{"C002", "스파푸드", "이영희"}}));
    EXPECT_TRUE(Rows("NIH001_PARTNERS", {{"C_NAME", ""}}).empty()); // BOSS_NAME unbound
    EXPECT_EQ(Column(Rows("NIH001_SITES", {{"SHOP_NAME", ""}}), 0), QStringList({"4001", "4002", "4003"}));
    EXPECT_EQ(Column(Rows("NIH001_SITES", {{"SHOP_NAME", "%카페%"}}), 0), QStringList({"4002"}));

    TRows contracts = Rows("NIH002_CONTRACTS", {{"SHOP_NAME", ""}});
    std::sort(contracts.begin(), contracts.end(), [](auto& a, auto& b) { return a[2] < b[2]; });
    ASSERT_EQ(contracts.size(), 3u);
    EXPECT_EQ(contracts[1], QStringList({"4002", "스파 카페", "K00002", "이영희", "20180228", "20180115"}));
    EXPECT_EQ(contracts[2][5], "");
}

TEST_F(Statements, ShopRegisterSearchNamesAndNewSites)
{
    EXPECT_EQ(Rows("NAI010_ARCADE_LIST").size(), 2u);
    EXPECT_EQ(Rows("NAI010_LEASE_TYPE_LIST").size(), 2u);
    EXPECT_EQ(Rows("NAI010_SEARCH", {{"SHOP_NAME", ""}, {"SHOP_PLACE", ""}, {"SHOP_LEASE_TYPE", ""}}).size(), 2u);
    EXPECT_EQ(Rows("NAI010_SEARCH", {{"SHOP_PLACE", "01"}}),
              TRows({{"4001", "본관 매점", "01", "본관상가", "본관 1층", "02", "수수료임대", "편의점", "Y", "N", "1234",
                      "본보기 매장"}}));
    EXPECT_EQ(Rows("NAI010_POSITION_NAME", {{"Position_Code", "02"}}), TRows({{"스파상가"}}));
    TQuery q(db);
    Prepare(q, "NAI010_LEASE_NAME", {{"Lease_Code", "01"}});
    q.Open();
    EXPECT_EQ(q.FieldByName("LeaseCodeName").AsString(), "정액임대");

    const TRows fresh = Rows("NAI010_NEW_SITES");
    EXPECT_EQ(Column(fresh, 0), QStringList({"4003", "4004"}));
    EXPECT_EQ(fresh[0], QStringList({"4003", "골프 샵", "", "", "", "02", "수수료임대", "", "", "", "1234", "본보기 매장"}));
    Exec("DELETE FROM NA010MS WHERE SHOP_CODE = '4001'");
    // Without the template shop (a new office) the sites are listed bare.
    TRows bare = Rows("NAI010_NEW_SITES");
    std::sort(bare.begin(), bare.end());
    EXPECT_EQ(Column(bare, 0), QStringList({"4001", "4003", "4004"}));
    EXPECT_EQ(bare[1], QStringList({"4003", "골프 샵", "", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(Statements, ContractStatesAndReContractDates)
{
    EXPECT_EQ(Column(Rows("NAI020_CONTRACT_STATES"), 0), QStringList({"Y - 계약", "N - 해약"}));
    auto codes = [&](const char* state) { // in shop order; engines order contracts of one shop as they like
        QStringList found = Column(Rows("NAI020_SEARCH", {{"CONTRACT_YN", state}}), 0);
        found.sort();
        return found;
    };
    EXPECT_EQ(codes("Y"), QStringList({"K00001", "K00003"}));
    EXPECT_EQ(codes("N"), QStringList({"K00002"}));
    EXPECT_EQ(codes(""), QStringList({"K00001", "K00002", "K00003"}));
    EXPECT_EQ(Rows("NAI020_SEARCH", {{"SHOP_NAME", "%본관%"}})[0][8], "10000000");
    EXPECT_EQ(Rows("NAI020_PARTNER_NAME", {{"C_CODE", "C002"}}), TRows({{"스파푸드"}}));
    EXPECT_EQ(Rows("NAI020_SITE_NAME", {{"SHOP_CODE", "4003"}}), TRows({{"골프 샵"}}));

    EXPECT_EQ(Rows("NAI020_DATES", {{"cont_date", "20070315"}}),
              TRows({{"20070315", "20070415", "20070415", "20080414"}}));
    EXPECT_EQ(Rows("NAI020_DATES", {{"cont_date", "20070131"}}),
              TRows({{"20070131", "20070228", "20070228", "20080229"}}));

    const TRows renew = Rows("NAI030_SEARCH", {{"SHOP_NAME", ""}, {"TODAY", "20090101"}});
    ASSERT_EQ(renew.size(), 2u); // the terminated contract is never offered
    EXPECT_EQ(renew[0].mid(25), QStringList({"20181215", "20190101", "20191231"}));
    // 2008 is a leap year: +365 days lands one calendar day earlier.
    EXPECT_EQ(renew[1].mid(25), QStringList({"20090131", "20090214", "20100214"}));
}

TEST_F(Statements, ScheduleAndBillingLists)
{
    EXPECT_EQ(Column(Rows("NBI020_SEARCH", {{"C_CODE", "C001"}}), 0), QStringList({"K00001", "K00003"}));
    EXPECT_EQ(Column(Rows("NBI020_SEARCH", {{"CONT_CODE", "K00002"}}), 0), QStringList());
    EXPECT_EQ(Rows("NBI020_SCHEDULE", {{"CONT_CODE", "K00001"}, {"AMT_CODE", "02"}}).size(), 3u);
    EXPECT_EQ(Rows("NBI020_SCHEDULE", {{"CONT_CODE", "K00001"}, {"AMT_CODE", "03"}}),
              TRows({{"201811", "20181120", "200000", "12"}}));
    EXPECT_EQ(Rows("NBI020_SHOP_NAME", {{"SHOP_CODE", "4001"}}), TRows({{"본관 매점"}}));

    const TRows contracts = Rows("NBI030_CONTRACTS", {{"NAPIP_MONTH", "201811"}});
    ASSERT_EQ(contracts.size(), 2u);
    EXPECT_EQ(contracts[0].mid(11), QStringList({"20181120", "200000"}));
    EXPECT_EQ(Rows("NBI030_CONTRACTS", {{"NAPIP_MONTH", "201812"}})[0].mid(11), QStringList({"", ""}));
    EXPECT_EQ(Rows("NBI030_SCHEDULE", {{"CONT_CODE", "K00001"}, {"NAPIP_MONTH", "201811"}}),
              TRows({{"K00001", "201811", "20181120", "200000", "200000"}}));
}

TEST_F(Statements, ContractInquiriesWithQuotedFilters)
{
    EXPECT_EQ(Rows("NAI040_BOSS_POPUP").size(), 1u); // 김영수 is not in use
    const TRows shops = Rows("NAI040_SHOP_POPUP");
    ASSERT_EQ(shops.size(), 2u);
    EXPECT_EQ(shops[0][3], "Y:임대중");
    EXPECT_EQ(shops[1][3], "N:유휴중");
    TRows today = Rows("NAI040_SEARCH");
    ASSERT_EQ(today.size(), 1u);
    EXPECT_EQ(today[0][5], "K00001");

    EXPECT_EQ(Rows("NAS050_BOSS_POPUP"), TRows({{"이영희", "스파푸드"}}));
    EXPECT_EQ(Column(Rows("NAS050_SEARCH"), 5), QStringList({"K00003"}));
    EXPECT_TRUE(Rows("NAS050_SEARCH_QUOTED").empty());
    TQuery q(db);
    Prepare(q, "NAS050_EXPORT", {});
    q.Open();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.Fields(0).FieldName(), "거래처명");
    EXPECT_EQ(q.Fields(7).FieldName(), "월임대료");
}

TEST_F(Statements, MonthReceiptStatusWithTotalLine)
{
    const TRows status = Rows("MONTH_STATUS", {{"CONT_CODE", "K00001"}, {"NAPIP_MONTH", "20181101"}});
    EXPECT_EQ(status, TRows({{"02", "임대료", "1000000", "300000", "8000", "1308000", "605000", "703000", "1000"},
                             {"03", "관리비", "200000", "0", "0", "200000", "200000", "0", "0"},
                             {"T", "합   계", "1200000", "300000", "8000", "1508000", "805000", "703000", "1000"}}));
    // A month without anything: only the total line, with an empty scheduled amount.
    EXPECT_EQ(Rows("MONTH_STATUS", {{"CONT_CODE", "K00001"}, {"NAPIP_MONTH", "20190301"}}),
              TRows({{"T", "합   계", "", "0", "0", "0", "0", "0", "0"}}));

    const TRows suspense = Rows("NBS060_MONTH_STATUS", {{"CONT_CODE", "K00001"}, {"NAPIP_MONTH", "20181101"}});
    ASSERT_EQ(suspense.size(), 3u);
    EXPECT_EQ(suspense[0], QStringList({"02", "임대료", "1000000", "300000", "8000", "1308000", "605000", "703000"}));
    EXPECT_EQ(suspense[2][7], "703000");
}

TEST_F(Statements, ReceiptsScreenLists)
{
    EXPECT_EQ(Column(Rows("NBI010_CONTRACTS", {{"C_CODE", ""}, {"SHOP_CODE", ""}}), 0),
              QStringList({"K00001", "K00003"}));
    EXPECT_EQ(Rows("SITE_NAME", {{"SHOP_CODE", "4002"}}), TRows({{"스파 카페"}}));
    const TRows history = Rows("RECEIPT_HISTORY", {{"cont_code", "K00001"}});
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0][5], "20181125");
    TQuery q(db);
    Prepare(q, "RECEIPT_HISTORY", {{"CONT_CODE", "K00001"}});
    q.Open();
    q.Next();
    if (q.FieldByName("ipgum_seq").AsInteger() == 2)
        q.Next();
    EXPECT_EQ(q.FieldByName("U_SYS_DATE").AsString(), "2018-11-20 09:30:00");
    EXPECT_EQ(q.FieldByName("IPGUM_AMT").AsFloat(), 600000.0);
}

TEST_F(Statements, DefaultMonthAndClosedCheck)
{
    EXPECT_EQ(Rows("DEFAULT_MONTH"), TRows({{"201811"}}));
    EXPECT_EQ(Rows("CLOSED_CHECK", {{"NAPIP_MONTH", "201810"}}), TRows({{"2"}}));
    EXPECT_EQ(Rows("CLOSED_CHECK", {{"NAPIP_MONTH", "201811"}}), TRows({{"0"}}));
    // With nothing closed, MAX(..)||'01' is '01' (NULL joins as empty text, as on
    // the server), which TO_DATE refuses: the screens must expect this on a
    // database without closings.
    Exec("DELETE FROM NB030MS");
    EXPECT_THROW(Rows("DEFAULT_MONTH"), EDatabaseError);
}

TEST_F(Statements, LateFeeRefreshAccruesYesterdaysShareOfLastMonth)
{
    const QString lastMonth = TBusinessClock::Today().addMonths(-1).toString("yyyyMM");
    Exec(QStringLiteral("INSERT INTO NB010MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, DELAY_RATE) "
                        "VALUES ('K00001', '02', '%1', '%101', 1000000, 12)").arg(lastMonth));
    Exec(QStringLiteral("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, THIS_MINAPAMT, THIS_MONTHDELAYAMT) "
                        "VALUES ('K00001', '02', '%1', 1000000, 1)").arg(lastMonth));
    Exec(QStringLiteral("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, THIS_MINAPAMT, THIS_MONTHDELAYAMT) "
                        "VALUES ('K00003', '02', '%1', 0, 5)").arg(lastMonth));
    TQuery update(db);
    Prepare(update, "LATE_FEE_REFRESH", {});
    update.ExecSQL();
    EXPECT_EQ(update.RowsAffected(), 1); // only lines with an unpaid amount

    const int day = TBusinessClock::Today().addDays(-1).day();
    const qint64 expected = (1000000LL * 12 * day / 100 / 365) / 10 * 10;
    TQuery q(db);
    q.SQL() << "SELECT CONT_CODE, THIS_MONTHDELAYAMT FROM NB030MS WHERE NAPIP_MONTH = :M ORDER BY CONT_CODE";
    q.ParamByName("M").SetAsString(lastMonth);
    q.Open();
    EXPECT_EQ(q.Fields(1).AsInteger(), expected);
    q.Next();
    EXPECT_EQ(q.Fields(1).AsString(), "5");
    EXPECT_EQ(Rows("MONTH_STATUS", {{"CONT_CODE", "K00001"}, {"NAPIP_MONTH", "20181101"}})[0][8], "1000");
}

TEST_F(Statements, SuspenseVouchersSwitchAccountAfter20180523)
{
    const TRows vouchers = Rows("NBS060_VOUCHERS", {{"SDATE", "20180501"}, {"EDATE", "20180531"}});
    ASSERT_EQ(vouchers.size(), 2u);
    EXPECT_EQ(vouchers[0], QStringList({"20180523", "01", "140", "2018", "가수금 입금 (주)한빛상사", "한빛상사",
                                        "20180523", "0", "600000", "Y"}));
    EXPECT_EQ(vouchers[1].mid(0, 2), QStringList({"20180524", "01"}));
    EXPECT_EQ(vouchers[1][4], "");
    EXPECT_EQ(vouchers[1][9], "");
}

TEST_F(Statements, SiteImportLookups)
{
    EXPECT_EQ(Rows("NBI050_SITE_NAME", {{"SHOP_CODE", "9999"}}), TRows());
    EXPECT_EQ(Rows("NBI050_CONTRACTS", {{"SHOP_CODE", "4002"}}),
              TRows({{"K00002", "이영희", "20180228"}, {"K00003", "김철수", "20090214"}}));
}

TEST_F(Statements, BillingAndArrearsKinds)
{
    EXPECT_EQ(Rows("NBS040_DEPOSIT"), TRows({{"K00001", "(주)한빛상사", "김철수", "본관 매점", "20180101", "20181231",
                                              "10000000", "20181001", "10000000", "0"}}));
    EXPECT_EQ(Rows("NBS040_RENT"), TRows({{"K00001", "(주)한빛상사", "김철수", "본관 매점", "20180101", "20181231",
                                           "1000000", "201811", "1000000", "300000"}}));
    EXPECT_EQ(Column(Rows("NBS040_RENT_ALL_MONTHS"), 7), QStringList({"201810", "201811"}));
    const TRows fees = Rows("NBS040_MANAGEMENT_FEE");
    ASSERT_EQ(fees.size(), 1u);
    EXPECT_EQ(fees[0].size(), 21);
    EXPECT_EQ(fees[0].mid(6, 4), QStringList({"201811", "200000", "181818", "18182"}));
    EXPECT_EQ(fees[0][20], "11월 관리비");
}

// Rows of the closing preview by contract and kind (the order within one
// contract is the engine's).
std::map<QString, QStringList> ByLine(const TRows& rows)
{
    std::map<QString, QStringList> out;
    for (const auto& r : rows)
        out[r[0] + "/" + r[3]] = r;
    return out;
}

TEST_F(Statements, ClosingPreviewCurrentMonthVariant)
{
    const TRows rows = Rows("CLOSING_PREVIEW_CURRENT", {{"NAPIP_MONTH", "201811"}});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Column(rows, 0), QStringList({"K00001", "K00001", "K00003", "K00003"}));
    const QString today = TBusinessClock::Today().toString("yyyyMMdd");
    auto line = ByLine(rows);
    // Rent of K00001: 300,000 carried in, 1,000,000 billed, 600,000 paid 10 days late;
    // late fee 8,000 - 5,000 + TRUNC(700,000 x 12% x 10/365, -1) = 3,000 + 2,300.
    EXPECT_EQ(line["K00001/임대료"], QStringList({"K00001", "4001", "본관 매점", "임대료", "201811", "300000", "8000",
                                                  today, "1000000", "600000", "5000", "700000", "5300"}));
    EXPECT_EQ(line["K00001/관리비"].mid(8), QStringList({"200000", "200000", "0", "0", "0"}));
    // No receipt: a twelfth of the yearly rate, 500,000 x 24% / 12 = 10,000.
    EXPECT_EQ(line["K00003/임대료"].mid(8), QStringList({"500000", "0", "0", "500000", "10000"}));
    // Late-fee receipt without a previous late fee: negative, shown as 0.
    EXPECT_EQ(line["K00003/관리비"].mid(8), QStringList({"100000", "100000", "3000", "0", "0"}));
}

TEST_F(Statements, ClosingPreviewEarlierMonthVariantSplitsReceiptsAgain)
{
    auto line = ByLine(Rows("CLOSING_PREVIEW_EARLIER", {{"NAPIP_MONTH", "201811"}}));
    ASSERT_EQ(line.size(), 4u);
    // 600,000 received: the previous late fee 8,000 first, 592,000 on the amount;
    // late fee 8,000 - 8,000 + TRUNC(708,000 x 12% x 10/365, -1) = 2,320.
    EXPECT_EQ(line["K00001/임대료"].mid(8), QStringList({"1000000", "592000", "8000", "708000", "2320"}));
    EXPECT_EQ(line["K00003/임대료"].mid(8), QStringList({"500000", "0", "0", "500000", "10000"}));
    EXPECT_EQ(line["K00003/관리비"].mid(8), QStringList({"100000", "100000", "0", "0", "0"}));

    // Receipts below the previous late fee are all late fee, none is amount;
    // without any receipt nothing is paid on either.
    Exec("UPDATE NB020MS SET IPGUM_AMT = 3000 WHERE CONT_CODE = 'K00001' AND AMT_CODE = '02' AND NAPIP_GUBUN = '1'");
    line = ByLine(Rows("CLOSING_PREVIEW_EARLIER", {{"NAPIP_MONTH", "201811"}}));
    EXPECT_EQ(line["K00001/임대료"].mid(8, 3), QStringList({"1000000", "0", "3000"}));
    Exec("DELETE FROM NB020MS WHERE CONT_CODE = 'K00001' AND AMT_CODE = '02'");
    line = ByLine(Rows("CLOSING_PREVIEW_EARLIER", {{"NAPIP_MONTH", "201811"}}));
    EXPECT_EQ(line["K00001/임대료"].mid(8, 3), QStringList({"1000000", "0", "0"}));
}

TEST_F(Statements, ClosingInquiry)
{
    EXPECT_EQ(Column(Rows("NDS020_CONTRACTS_VALID", {{"SHOP_CODE", ""}}), 0), QStringList({"K00001", "K00003"}));
    EXPECT_EQ(Rows("NDS020_CONTRACTS_ALL", {{"SHOP_CODE", ""}}).size(), 3u);
    EXPECT_EQ(Column(Rows("NDS020_CONTRACTS_ALL", {{"SHOP_CODE", "4002"}}), 0), QStringList({"K00002", "K00003"}));
    EXPECT_EQ(Rows("NDS020_CLOSING_ROWS", {{"CONT_CODE", "K00001"}, {"AMT_CODE", "02"}}),
              TRows({{"본관 매점", "임대료", "201810", "20181010", "0", "0", "1000000", "700000", "0", "300000", "8000"}}));
    EXPECT_TRUE(Rows("NDS020_CLOSING_ROWS", {{"CONT_CODE", "K00001"}, {"AMT_CODE", "03"}}).empty());
    EXPECT_EQ(Rows("NDS020_CLOSING_ROWS", {{"CONT_CODE", "K00003"}, {"AMT_CODE", ""}}).size(), 1u);
}

} // namespace
