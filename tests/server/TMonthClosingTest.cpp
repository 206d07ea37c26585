#include <gtest/gtest.h>

#include "server/TMonthClosing.h"

namespace {
TMonthClosing::Row Previous(const QString& cont, const QString& amt, double unpaid, double delay)
{
    TMonthClosing::Row row;
    row.contCode = cont;
    row.amtCode = amt;
    row.month = "202610";
    row.carriedUnpaid = unpaid;
    row.carriedDelay = delay;
    row.delayRate = 12;
    return row;
}
} // namespace

TEST(TMonthClosing, LinesCarryPreviousBalancesAndCountOnlyTheMonthsReceipts)
{
    const std::vector<TMonthClosing::ScheduleLine> lines{
        {"000001", "02", "202611", "20261110", 1'000'000, 12},
        {"000001", "03", "202611", "20261110", 300'000, 12},
    };
    const std::vector<TMonthClosing::Row> previous{Previous("000001", "02", 500'000, 5'000)};
    const std::vector<TMonthClosing::Receipt> receipts{
        {"000001", "02", "202611", "2", "20261115", 5'000},
        {"000001", "02", "202611", "1", "20261120", 700'000},
        {"000001", "02", "202610", "1", "20261101", 999'999}, // earlier month: not counted
    };
    const auto rows = TMonthClosing::Close("202611", lines, previous, receipts, {});
    ASSERT_EQ(rows.size(), 2u);
    const auto& rent = rows[0];
    EXPECT_EQ(rent.amtCode, "02");
    EXPECT_DOUBLE_EQ(rent.lastUnpaid, 500'000);
    EXPECT_DOUBLE_EQ(rent.paidAmount, 700'000);
    EXPECT_DOUBLE_EQ(rent.paidDelay, 5'000);
    EXPECT_DOUBLE_EQ(rent.carriedUnpaid, 800'000);
    // 800000 x 12% x 10 days / 365 = 2630.1 -> 2630
    EXPECT_DOUBLE_EQ(rent.carriedDelay, 2'630);
    const auto& fee = rows[1];
    EXPECT_DOUBLE_EQ(fee.carriedUnpaid, 300'000);
    EXPECT_DOUBLE_EQ(fee.carriedDelay, 3'000); // nothing paid: one twelfth
}

TEST(TMonthClosing, ArrearsWithoutScheduleLineCarryOnlyForManagedContracts)
{
    const std::vector<TMonthClosing::Row> previous{
        Previous("000007", "02", 240'000, 1'000), Previous("000008", "02", 100'000, 0),
        Previous("000009", "03", 0, 0)};
    const auto rows = TMonthClosing::Close("202611", {}, previous, {}, {"000007", "000009"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].contCode, "000007");
    EXPECT_EQ(rows[0].napipDate, "20261101");
    EXPECT_DOUBLE_EQ(rows[0].billed, 0);
    EXPECT_DOUBLE_EQ(rows[0].carriedUnpaid, 240'000);
    EXPECT_DOUBLE_EQ(rows[0].carriedDelay, 1'000 + 2'400);
}
