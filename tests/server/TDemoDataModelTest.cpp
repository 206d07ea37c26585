#include <gtest/gtest.h>

#include <QSet>

#include "server/TDemoData.h"

namespace {
TDemoData::Options FixedDay()
{
    TDemoData::Options o;
    o.today = QDate(2026, 12, 9);
    return o;
}
} // namespace

TEST(TDemoDataModel, SameSeedAndDayGiveTheSameRows)
{
    const auto a = TDemoData::Build(FixedDay());
    const auto b = TDemoData::Build(FixedDay());
    ASSERT_EQ(a.receipts.size(), b.receipts.size());
    for (std::size_t i = 0; i < a.receipts.size(); ++i) {
        EXPECT_EQ(a.receipts[i].ipgumDate, b.receipts[i].ipgumDate);
        EXPECT_EQ(a.receipts[i].amount, b.receipts[i].amount);
    }
    auto other = FixedDay();
    other.seed = 7;
    EXPECT_NE(TDemoData::Build(other).contracts[0].deposit + TDemoData::Build(other).contracts[1].rent,
              a.contracts[0].deposit + a.contracts[1].rent);
}

TEST(TDemoDataModel, CoversEveryKindOfSiteAndContract)
{
    const auto m = TDemoData::Build(FixedDay());
    EXPECT_EQ(m.contracts.size(), 80u);
    EXPECT_GE(m.partners.size(), 60u);
    int leasableSites = 0, unused = 0, direct = 0, active = 0, ended = 0, terminated = 0, noArrears = 0;
    bool has4001 = false;
    for (const auto& s : m.sites) {
        leasableSites += s.code.startsWith('4');
        unused += s.useYn == "N";
        direct += s.directYn == "Y";
        has4001 |= s.code == "4001";
    }
    for (const auto& c : m.contracts) {
        EXPECT_LE(c.startDate, c.endDate);
        terminated += !c.cancelDate.isEmpty();
        active += c.cancelDate.isEmpty() && c.endDate >= "20261209" && c.startDate <= "20261209";
        ended += c.cancelDate.isEmpty() && c.endDate < "20261209";
        noArrears += c.minapChk == "N";
    }
    EXPECT_TRUE(has4001);
    EXPECT_GE(leasableSites, 40);
    EXPECT_GT(unused, 0);
    EXPECT_GT(direct, 0);
    EXPECT_GT(active, 20);
    EXPECT_GT(ended, 5);
    EXPECT_GT(terminated, 0);
    EXPECT_GT(noArrears, 0);
    EXPECT_EQ(m.firstMonth, "202412");
    EXPECT_EQ(m.lastClosedMonth, "202610"); // last month stays open to be closed
}

TEST(TDemoDataModel, ClosedMonthsRunUpToTheMonthBeforeLastWithoutGaps)
{
    const auto m = TDemoData::Build(FixedDay());
    QSet<QString> months;
    for (const auto& c : m.closings)
        months.insert(c.row.month);
    EXPECT_EQ(months.size(), 23);
    EXPECT_TRUE(months.contains("202610"));
    EXPECT_FALSE(months.contains("202611"));
    // Every receipt is dated in the month it pays.
    for (const auto& r : m.receipts)
        EXPECT_EQ(r.ipgumDate.left(6), r.month);
    bool lateFee = false, arrears = false;
    for (const auto& c : m.closings) {
        lateFee |= c.row.carriedDelay > 0;
        arrears |= c.row.carriedUnpaid > 0;
    }
    EXPECT_TRUE(lateFee);
    EXPECT_TRUE(arrears);
}

TEST(TDemoDataModel, VouchersSpanBothSuspenseAccountsAndRecentMonths)
{
    const auto m = TDemoData::Build(FixedDay());
    int recent = 0, before = 0, after = 0, used = 0;
    for (const auto& v : m.vouchers) {
        recent += v.confDate >= "20261001" && v.acctCode == "2111310" && v.mgCode == 140;
        before += v.confDate <= "20180523" && v.acctCode == "2111300";
        after += v.confDate > "20180523" && v.confDate < "20190101" && v.acctCode == "2111310";
        EXPECT_EQ(v.slipNo.size(), 8);
    }
    QSet<QString> slips;
    for (const auto& r : m.receipts)
        if (!r.slipCode.isEmpty()) {
            ++used;
            EXPECT_FALSE(slips.contains(r.slipCode)) << "one receipt line per voucher line";
            slips.insert(r.slipCode);
        }
    EXPECT_GT(recent, 10);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 2);
    EXPECT_GT(used, 0);
}
