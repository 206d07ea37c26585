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

TEST(TMonthClosing, AsBookedCountsReceiptsByTheMonthOfTheirDueDate)
{
    const std::vector<TMonthClosing::ScheduleLine> lines{
        {"000001", "02", "202611", "20261110", 1'000'000, 12},
        {"000001", "03", "202611", "20261110", 300'000, 12},
    };
    const std::vector<TMonthClosing::Row> previous{Previous("000001", "02", 500'000, 5'000)};
    const std::vector<TMonthClosing::Receipt> receipts{
        {"000001", "02", "202611", "20261110", "2", "20261115", 5'000},
        {"000001", "02", "202611", "20261110", "1", "20261120", 700'000},
        {"000001", "02", "202610", "20261010", "1", "20261101", 999'999}, // October's line: not counted
    };
    const auto rows = TMonthClosing::Close("202611", lines, previous, receipts, TMonthClosing::spAsBooked);
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

TEST(TMonthClosing, LateFeeFirstNeverTakesMoreThanWasPaid)
{
    const std::vector<TMonthClosing::ScheduleLine> lines{
        {"000001", "02", "202611", "20261110", 100'000, 12},
        {"000002", "02", "202611", "20261110", 100'000, 12},
        {"000003", "02", "202611", "20261110", 100'000, 12},
    };
    const std::vector<TMonthClosing::Row> previous{Previous("000001", "02", 0, 5'000),
                                                   Previous("000002", "02", 0, 5'000),
                                                   Previous("000003", "02", 0, 5'000)};
    const std::vector<TMonthClosing::Receipt> receipts{
        {"000001", "02", "202611", "20261110", "1", "20261120", 105'000},
        {"000002", "02", "202611", "20261110", "1", "20261120", 3'000},
    };
    const auto rows = TMonthClosing::Close("202611", lines, previous, receipts, TMonthClosing::spLateFeeFirst);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_DOUBLE_EQ(rows[0].paidDelay, 5'000);
    EXPECT_DOUBLE_EQ(rows[0].paidAmount, 100'000);
    EXPECT_DOUBLE_EQ(rows[0].carriedUnpaid, 0);
    EXPECT_DOUBLE_EQ(rows[0].carriedDelay, 0);
    // A receipt below the previous late fee pays only late fee (not fee - receipt).
    EXPECT_DOUBLE_EQ(rows[1].paidDelay, 3'000);
    EXPECT_DOUBLE_EQ(rows[1].paidAmount, 0);
    EXPECT_DOUBLE_EQ(rows[1].carriedUnpaid, 100'000);
    // Nothing paid: nothing split off, the late fee stays a late fee.
    EXPECT_DOUBLE_EQ(rows[2].paidDelay, 0);
    EXPECT_DOUBLE_EQ(rows[2].paidAmount, 0);
    EXPECT_DOUBLE_EQ(rows[2].carriedUnpaid, 100'000);
    EXPECT_DOUBLE_EQ(rows[2].carriedDelay, 5'000 + 1'000);
}

TEST(TMonthClosing, ArrearsLinesOnlyForManagedContractsWithoutALine)
{
    const std::vector<TMonthClosing::Row> previous{
        Previous("000007", "02", 240'000, 1'000), Previous("000008", "02", 100'000, 0),
        Previous("000009", "03", 0, 0), Previous("000010", "02", 50'000, 0)};
    const std::vector<TMonthClosing::ScheduleLine> lines{{"000010", "02", "202611", "20261105", 70'000, 12}};
    const auto added = TMonthClosing::ArrearsLines("202611", lines, previous, {"000007", "000009", "000010"});
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].contCode, "000007");
    EXPECT_EQ(added[0].dueDate, "20261101");
    EXPECT_DOUBLE_EQ(added[0].amount, 0);
}
